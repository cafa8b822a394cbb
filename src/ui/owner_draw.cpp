#include "ui/owner_draw.h"
#include <cstddef>
#include "ui/control_ids.h"
#include "ui/drawing.h"
#include "ui/outline_drawing.h"
#include "ui/scale.h"
#include "ui/toggle_hover.h"

namespace {

// Longest window text a chip or accent shows, and a quiet button, before it is cut.
constexpr int kChipTextLimit = 79;
constexpr int kQuietTextLimit = 127;

void DrawWindowText(const DRAWITEMSTRUCT& item, const RECT& area, COLORREF colour, TextPreset preset,
                    int limit) {
    wchar_t text[kQuietTextLimit + 1];
    text[0] = L'\0';
    if (item.hwndItem != nullptr)
        GetWindowTextW(item.hwndItem, text, limit + 1);
    DrawTextIn(item.hDC, text, area, BodyFont, colour, preset);
}

void DrawRowTexts(const DRAWITEMSTRUCT& item, const RowTexts& row, const LookColours& colours) {
    const RowColumns columns = ComputeRowColumns(ToPixelRect(item.rcItem), gUiScale);
    DrawTextIn(item.hDC, row.name, ToRect(columns.name), BodyFont, colours.text, TextLeftClip);
    DrawTextIn(item.hDC, row.value, ToRect(columns.value), BodyFont, colours.value, TextRightClip);
}

void DrawPlayContent(const DRAWITEMSTRUCT& item, const LookColours& colours, bool disabled) {
    const RECT caption = ToRect(CaptionRect(ButtonLook::Primary, ToPixelRect(item.rcItem), gUiScale));
    DrawTextIn(item.hDC, PlayCaption(disabled), caption, PlayFont, colours.text, TextLeft);
    const PlayArrow arrow = ComputePlayArrow(ToPixelRect(item.rcItem), gUiScale);
    for (const PixelSegment& stroke : arrow.strokes) {
        DrawLine(item.hDC, stroke.x1, stroke.y1, stroke.x2, stroke.y2, colours.glyph, arrow.width);
    }
}

} // namespace

void DrawOwnerButton(const DRAWITEMSTRUCT& item, ButtonLook look, const RowTexts& row) {
    const int id = static_cast<int>(item.CtlID);
    const ButtonState state{(item.itemState & ODS_DISABLED) != 0, (item.itemState & ODS_SELECTED) != 0,
                            item.hwndItem != nullptr && item.hwndItem == gHoveredControl};
    const LookColours colours = ResolveLook(look, state, id == kIdSettings, gColourScheme);
    HDC dc = item.hDC;

    // Every pixel of the item is painted, background first, so nothing of an earlier look remains.
    FillSolid(dc, item.rcItem, colours.background);
    if (colours.hasFace)
        FillRoundRect(dc, item.rcItem, colours.faceFill, colours.faceBorder, colours.corner);
    if (colours.hasFace && colours.stateBorder > 0)
        DrawRoundFrame(dc, item.rcItem, colours.faceBorder, colours.corner, Scaled(colours.stateBorder));

    const RECT caption = ToRect(CaptionRect(look, ToPixelRect(item.rcItem), gUiScale));
    switch (look) {
    case ButtonLook::Primary: DrawPlayContent(item, colours, state.disabled); break;
    case ButtonLook::Row: DrawRowTexts(item, row, colours); break;
    case ButtonLook::Accent:
    case ButtonLook::Chip: DrawWindowText(item, caption, colours.text, TextCenter, kChipTextLimit); break;
    case ButtonLook::Quiet: DrawWindowText(item, caption, colours.text, TextLeft, kQuietTextLimit); break;
    }

    if ((item.itemState & ODS_FOCUS) != 0) {
        if (colours.wideFocusRing) {
            DrawWideFocusRing(dc, item.rcItem, colours.focusRing);
        } else {
            DrawFocusRing(dc, item.rcItem, colours.focusRing);
        }
    }
}
