#include "settings/settings_elements.h"
#include "settings/page_texts.h"
#include "settings/settings_geometry.h"
#include "ui/scale.h"

namespace {

// The colour of a summary text: the plan speaks palette colours, the list colour roles.
TextColour SummaryColour(std::uint32_t colour) {
    if (colour == Palette::Gold)
        return TextColour::Gold;
    return colour == Palette::TextBright ? TextColour::Bright : TextColour::Muted;
}

struct Columns {
    int left, right, middle, clientHeight;
    PixelRect Band(int from, int to, int top, int bottom) const {
        return {from, CanvasYFor(top, clientHeight), to, CanvasYFor(bottom, clientHeight)};
    }
    PixelRect Band(int top, int bottom) const { return Band(left, right, top, bottom); }
};

void DescribeControlsSummary(const SettingsModel& model, const Columns& c, int inset, ScreenElements& out) {
    // The plan cuts its working copy into lines in place; the copy lives in the store, so the
    // elements' names point into it.
    const std::size_t at = out.storeUsed;
    if (StoreText(out, model.controlsSummary, kControlsSummaryUnits - 1) != out.store + at)
        return;
    wchar_t* work = out.store + at;
    SummaryItem items[kSummaryMaxItems];
    const int count = PlanControlsSummary(work, items);
    for (int i = 0; i < count; ++i) {
        const SummaryItem& item = items[i];
        int from = c.left + inset, to = c.right - inset;
        if (item.column == SummaryColumn::Name)
            to = c.middle;
        if (item.column == SummaryColumn::Value)
            from = c.middle;
        AppendText(out, item.text, c.Band(from, to, item.top, item.bottom), item.role,
                   SummaryColour(item.colour), item.preset);
    }
}

void DescribeLocation(const Columns& c, int y0, const wchar_t* title, const wchar_t* path,
                      ScreenElements& out) {
    AppendText(out, title, c.Band(y0, y0 + 20), BodyFont, TextColour::Gold, TextLeft);
    AppendText(out, path[0] != L'\0' ? path : L"Not selected", c.Band(y0 + 23, y0 + 48), BodyFont,
               TextColour::Bright, TextPath);
}

} // namespace

void DescribeSettingsPage(const SettingsModel& model, const SettingsPageView& view, ScreenElements& out) {
    const int left = ScaledAt(356, view.uiScale);
    const int width = view.clientWidth - ScaledAt(356, view.uiScale) - ScaledAt(36, view.uiScale);
    const Columns c{left, left + width, left + width / 2, view.clientHeight};
    const int tab = model.activeTab;
    AppendText(out, L"Settings", c.Band(94, 141), HeadlineFont, TextColour::Bright, TextLeft);

    const SettingsGeometry g =
        ComputeSettingsGeometry(view.clientWidth, view.clientHeight, view.uiScale, tab);
    for (int i = 0; i < kTabCount; ++i) {
        const Box& b = g.tabs[i];
        ScreenElement* e = AppendElement(out, ElementRole::PageTab, TabCaption(i),
                                         {b.x, b.y, b.x + b.width, b.y + b.height});
        if (e == nullptr)
            continue;
        e->controlId = kIdFirstTab + i;
        e->state = (i == tab ? kElementSelected : 0u) | (view.tabEnabled[i] ? 0u : kElementUnavailable);
    }

    if (tab == ControlsTab) {
        DescribeControlsSummary(model, c, ScaledAt(4, view.uiScale), out);
    } else if (tab == LanguageTab) {
        AppendText(out, TabNote(tab), c.Band(374, 447), BodyFont, TextColour::Muted, TextWrap);
    } else if (tab == BuildTab) {
        AppendText(out, TabNote(tab), c.Band(382, 447), BodyFont, TextColour::Muted, TextWrap);
    } else if (tab == LocationsTab) {
        DescribeLocation(c, 244, L"Original Japanese ISO", model.isoPath, out);
        DescribeLocation(c, 350, L"Existing game installation", model.gameFolderPath, out);
    }

    AppendText(out, TabHint(tab), c.Band(465, 483), CaptionFont, TextColour::Muted, TextLeft);
    AppendText(out, TabFooter(tab), c.Band(534, 554), CaptionFont, TextColour::Muted, TextLeft);
}
