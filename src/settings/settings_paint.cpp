#include <windows.h>
#include <cwchar>
#include "settings/page_texts.h"
#include "settings/settings_model.h"
#include "settings/settings_paint.h"
#include "ui/drawing.h"
#include "ui/scale.h"

namespace {

// A band of the canvas between two design rows, for the client height.
struct Bands {
    int clientHeight;
    RECT operator()(int left, int right, int top, int bottom) const {
        return {left, CanvasYFor(top, clientHeight), right, CanvasYFor(bottom, clientHeight)};
    }
};

void PaintLocation(HDC dc, const Bands& band, int left, int right, int y0, const wchar_t* title,
                   const wchar_t* path) {
    DrawTextIn(dc, title, band(left, right, y0, y0 + 20), BodyFont, Palette::Gold, TextLeft);
    DrawTextIn(dc, path[0] != L'\0' ? path : L"Not selected", band(left, right, y0 + 23, y0 + 48), BodyFont,
               Palette::TextBright, TextPath);
}

void PaintControlsSummary(HDC dc, const Bands& band, int left, int right, int middle) {
    static wchar_t work[kControlsSummaryUnits];
    std::wmemcpy(work, gSettings.controlsSummary, kControlsSummaryUnits);
    work[kControlsSummaryUnits - 1] = L'\0';
    SummaryItem items[kSummaryMaxItems];
    const int count = PlanControlsSummary(work, items);
    for (int i = 0; i < count; ++i) {
        const SummaryItem& item = items[i];
        int from = left + Scaled(4), to = right - Scaled(4);
        if (item.column == SummaryColumn::Name)
            to = middle;
        if (item.column == SummaryColumn::Value)
            from = middle;
        DrawTextIn(dc, item.text, band(from, to, item.top, item.bottom), item.role, item.colour, item.preset);
    }
}

} // namespace

void PaintSettingsPage(HDC dc, int left, int width, int clientHeight) {
    const Bands band{clientHeight};
    const int right = left + width;
    const int middle = left + width / 2;
    const int tab = gSettings.activeTab;
    DrawTextIn(dc, L"Settings", band(left, right, 94, 141), HeadlineFont, Palette::TextBright, TextLeft);

    if (tab == ControlsTab) {
        PaintControlsSummary(dc, band, left, right, middle);
    } else if (tab == LanguageTab) {
        DrawTextIn(dc, TabNote(tab), band(left, right, 374, 447), BodyFont, Palette::TextMuted, TextWrap);
    } else if (tab == BuildTab) {
        DrawTextIn(dc, TabNote(tab), band(left, right, 382, 447), BodyFont, Palette::TextMuted, TextWrap);
    } else if (tab == LocationsTab) {
        PaintLocation(dc, band, left, right, 244, L"Original Japanese ISO", gSettings.isoPath);
        PaintLocation(dc, band, left, right, 350, L"Existing game installation", gSettings.gameFolderPath);
    }

    DrawTextIn(dc, TabHint(tab), band(left, right, 465, 483), CaptionFont, Palette::TextMuted, TextLeft);
    DrawTextIn(dc, TabFooter(tab), band(left, right, 534, 554), CaptionFont, Palette::TextMuted, TextLeft);
}
