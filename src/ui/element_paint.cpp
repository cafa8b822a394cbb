#include "ui/element_paint.h"
#include <iterator>
#include "ui/drawing.h"

namespace {

// Longest letter-spaced text painted: the spaced form of a short caption.
constexpr std::size_t kSpacedTextUnits = 128;

// The text convention of DrawTextIn, answering the height DrawTextW laid out.
int DrawElementText(HDC dc, const wchar_t* text, RECT area, FontRole role, COLORREF colour,
                    TextPreset preset) {
    const SelectedObject fontSelected(dc, gFonts[role]);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    return DrawTextW(dc, text, -1, &area, preset);
}

} // namespace

void PaintElementTexts(HDC dc, const ScreenElements& list, const ColourScheme& scheme) {
    int previousTop = 0, previousHeight = 0;
    for (int i = 0; i < list.count; ++i) {
        const ScreenElement& e = list.items[i];
        if (e.role != ElementRole::Text)
            continue;
        RECT area = ToRect(e.rect);
        if (e.followsPrevious)
            area.top = previousTop + previousHeight;
        // A text with a second line after it is laid out in the whole band, as one text would be.
        const bool nextFollows = i + 1 < list.count && list.items[i + 1].followsPrevious;
        if (nextFollows)
            area.bottom = list.items[i + 1].rect.bottom;
        // The text is clipped to its area: where none of it is being painted, laying it out would change
        // no pixel, and a strip's paint would pay for every text of the page. Only a text whose height
        // places the next one is laid out in any case.
        if (!nextFollows && OutsidePaint(dc, area))
            continue;
        const wchar_t* text = e.name;
        wchar_t spaced[kSpacedTextUnits];
        if (e.letterSpaced) {
            SpaceLetters(e.name, spaced, std::size(spaced));
            text = spaced;
        }
        previousTop = area.top;
        previousHeight = DrawElementText(dc, text, area, e.font, TextInk(scheme, e.colour), e.preset);
    }
}
