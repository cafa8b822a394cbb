#include "ui/colour_scheme.h"

namespace {

// The system's colours play no part here, so a change of them alone changes nothing.
ColourScheme PaletteScheme() {
    using namespace Palette;
    ColourScheme s{};
    s.highContrast = false;
    s.background = Night;
    s.divider = SlateEdge;
    s.hairline = SlateLine;
    s.emblemOutline = StoneLight;
    s.accent = Gold;
    s.cardFill = Slate;
    s.cardEdge = SlateEdge;
    s.dot = Gold;
    s.dotAttention = Alert;
    s.track = SlateEdge;
    s.trackFill = Gold;
    s.paneFill = NightDeep;
    s.paneEdge = SlateEdge;
    s.paneText = TextMuted;
    s.statusText = TextMuted;
    s.statusAttentionText = Alert;
    s.text[static_cast<int>(TextColour::Bright)] = TextBright;
    s.text[static_cast<int>(TextColour::Muted)] = TextMuted;
    s.text[static_cast<int>(TextColour::Gold)] = Gold;
    s.text[static_cast<int>(TextColour::Alert)] = Alert;
    return s;
}

// Text on the window's ground is the window text colour, whatever its role; attention takes the
// hot-light colour, the one other colour the system keeps readable on the window's ground. Muted
// text stays fully readable: gray text is for what is unavailable.
ColourScheme SystemScheme(const SystemColours& c) {
    ColourScheme s{};
    s.highContrast = true;
    s.system = c;
    s.background = c.window;
    s.divider = c.windowText;
    s.hairline = c.grayText;
    s.emblemOutline = c.windowText;
    s.accent = c.windowText;
    s.cardFill = c.window;
    s.cardEdge = c.windowText;
    s.dot = c.windowText;
    s.dotAttention = c.hotLight;
    s.track = c.windowText;
    s.trackFill = c.highlight;
    s.paneFill = c.window;
    s.paneEdge = c.windowText;
    s.paneText = c.windowText;
    s.statusText = c.windowText;
    s.statusAttentionText = c.hotLight;
    s.text[static_cast<int>(TextColour::Bright)] = c.windowText;
    s.text[static_cast<int>(TextColour::Muted)] = c.windowText;
    s.text[static_cast<int>(TextColour::Gold)] = c.windowText;
    s.text[static_cast<int>(TextColour::Alert)] = c.hotLight;
    return s;
}

} // namespace

ColourScheme ChooseColourScheme(bool highContrast, const SystemColours& system) {
    return highContrast ? SystemScheme(system) : PaletteScheme();
}

ColourScheme gColourScheme = ChooseColourScheme(false, SystemColours{});
