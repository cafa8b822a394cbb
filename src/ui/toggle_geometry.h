#pragma once
#include <cstdint>
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
};

// For a client area of width x height pixels. Disabling changes only the label colour.
ToggleLook ComputeToggleLook(int width, int height, int uiScale, bool checked, bool enabled);

inline constexpr int kToggleTrackCorner = 18;
inline constexpr int kToggleKnobCorner = 10;
