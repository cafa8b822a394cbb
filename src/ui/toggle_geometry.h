#pragma once
#include <cstdint>
#include "ui/colour_scheme.h"
#include "ui/pixel_geometry.h"

// The switch-style toggle painted over the basic-graphics check box.
struct ToggleLook {
    PixelRect background;
    PixelRect track;
    std::uint32_t trackFill, trackBorder;
    PixelRect knob;
    std::uint32_t knobColour;
    PixelRect label;
    std::uint32_t labelColour;
    PixelRect focusArea; // the focus ring is drawn inset into this, around the label
    std::uint32_t backgroundColour;
    std::uint32_t focusColour;
    bool wideFocusRing;
};

// For a client area of width x height pixels, in the palette. Disabling changes only the label
// colour.
ToggleLook ComputeToggleLook(int width, int height, int uiScale, bool checked, bool enabled);
// The same in a colour scheme. In high contrast the state is shown by shape as well as colour: the
// track keeps a window-text outline in both states and the knob's side tells on from off; the
// focus ring is two pixels wide.
ToggleLook ComputeToggleLook(int width, int height, int uiScale, bool checked, bool enabled,
                             const ColourScheme& scheme);

inline constexpr int kToggleTrackCorner = 18;
inline constexpr int kToggleKnobCorner = 10;
