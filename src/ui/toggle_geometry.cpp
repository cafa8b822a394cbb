#include "ui/toggle_geometry.h"
#include "ui/scale.h"
#include "ui/theme.h"

ToggleLook ComputeToggleLook(int width, int height, int uiScale, bool checked, bool enabled) {
    auto s = [uiScale](int n) { return ScaledAt(n, uiScale); };
    const int mid = height / 2;
    const int kx = checked ? s(24) : s(10);
    ToggleLook look{};
    look.background = {0, 0, width, height};
    look.track = {0, mid - s(9), s(34), mid + s(9)};
    look.trackFill = checked ? Palette::Gold : Palette::Slate;
    look.trackBorder = checked ? Palette::Gold : Palette::SlateEdge;
    look.knob = {kx - s(5), mid - s(5), kx + s(5), mid + s(5)};
    look.knobColour = checked ? Palette::Night : Palette::TextMuted;
    look.label = {s(47), 0, width, height};
    look.labelColour = enabled ? Palette::TextBright : Palette::TextMuted;
    // The ring is inset into its area; widening the area to the left keeps the ring clear of the
    // label's first letter instead of crossing it.
    look.focusArea = {s(47) - s(8), 0, width, height};
    look.backgroundColour = Palette::Night;
    look.focusColour = Palette::SlateEdge;
    look.wideFocusRing = false;
    return look;
}

ToggleLook ComputeToggleLook(int width, int height, int uiScale, bool checked, bool enabled,
                             const ColourScheme& scheme) {
    ToggleLook look = ComputeToggleLook(width, height, uiScale, checked, enabled);
    if (!scheme.highContrast)
        return look;
    const SystemColours& c = scheme.system;
    look.backgroundColour = c.window;
    look.trackFill = checked ? c.highlight : c.window;
    look.trackBorder = c.windowText;
    look.knobColour = checked ? c.highlightText : c.windowText;
    look.labelColour = enabled ? c.windowText : c.grayText;
    look.focusColour = c.windowText;
    look.wideFocusRing = true;
    return look;
}
