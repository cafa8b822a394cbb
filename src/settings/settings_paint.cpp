#include <windows.h>
#include <cwchar>
#include "settings/page_texts.h"
#include "settings/settings_model.h"
#include "settings/settings_page.h"
#include "ui/drawing.h"
#include "ui/scale.h"

namespace {

RECT Band(int left, int right, int top, int bottom) {
    return {left, CanvasY(top), right, CanvasY(bottom)};
}

void PaintLocation(HDC dc, int left, int right, int y0, const wchar_t* title, const wchar_t* path) {
    DrawTextIn(dc, title, Band(left, right, y0, y0 + 20), BodyFont, Palette::Gold, TextLeft);
    DrawTextIn(dc, path[0] != L'\0' ? path : L"Not selected", Band(left, right, y0 + 23, y0 + 48), BodyFont,
               Palette::TextBright, TextPath);
}

void PaintControlsSummary(HDC dc, int left, int right, int middle) {
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
        DrawTextIn(dc, item.text, Band(from, to, item.top, item.bottom), item.role, item.colour, item.preset);
    }
}

} // namespace

void PaintSettingsPage(HDC dc, int left, int width) {
    const int right = left + width;
    const int middle = left + width / 2;
    const int tab = gSettings.activeTab;
    DrawTextIn(dc, L"Settings", Band(left, right, 94, 141), HeadlineFont, Palette::TextBright, TextLeft);

    if (tab == ControlsTab) {
        PaintControlsSummary(dc, left, right, middle);
    } else if (tab == LanguageTab) {
        DrawTextIn(dc, TabNote(tab), Band(left, right, 374, 447), BodyFont, Palette::TextMuted, TextWrap);
    } else if (tab == BuildTab) {
        DrawTextIn(dc, TabNote(tab), Band(left, right, 382, 447), BodyFont, Palette::TextMuted, TextWrap);
    } else if (tab == LocationsTab) {
        PaintLocation(dc, left, right, 244, L"Original Japanese ISO", gSettings.isoPath);
        PaintLocation(dc, left, right, 350, L"Existing game installation", gSettings.gameFolderPath);
    }

    DrawTextIn(dc, TabHint(tab), Band(left, right, 465, 483), CaptionFont, Palette::TextMuted, TextLeft);
    DrawTextIn(dc, TabFooter(tab), Band(left, right, 534, 554), CaptionFont, Palette::TextMuted, TextLeft);
}
