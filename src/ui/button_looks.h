#pragma once
#include <cstdint>
#include "ui/pixel_geometry.h"

// The five looks of the owner-drawn buttons and what each shows in a given state.
enum class ButtonLook { Primary, Accent, Chip, Row, Quiet };

// The look of a control: the active tab and Save settings are accents, the other tabs, presets and
// location/editor buttons chips, the setting rows rows, Play primary, everything else quiet.
ButtonLook LookForControl(int controlId, int activeTab);

struct ButtonState {
    bool disabled;
    bool pressed;
    bool hovered;
};

struct LookColours {
    bool hasFace;
    std::uint32_t faceFill;
    std::uint32_t faceBorder;
    int corner;          // logical corner size of the face
    std::uint32_t text;  // caption, or the setting name of a row
    std::uint32_t value; // the option label of a row
    std::uint32_t focusRing;
};

// Face, text and focus colours of a look in a state. isSettingsButton gives the quiet Settings
// button its box even without the mouse over it.
LookColours ResolveLook(ButtonLook look, const ButtonState& state, bool isSettingsButton);

// Play's fixed caption: "Preparing..." while disabled, "Play" otherwise.
const wchar_t* PlayCaption(bool disabled);

// Where a look's caption goes inside the item rectangle.
PixelRect CaptionRect(ButtonLook look, const PixelRect& item, int uiScale);

// The setting row's two columns, split at 55 % of the width.
struct RowColumns {
    PixelRect name;
    PixelRect value;
};
RowColumns ComputeRowColumns(const PixelRect& item, int uiScale);

// Play's right-pointing arrow: shaft, upper head stroke, lower head stroke.
struct PlayArrow {
    PixelSegment strokes[3];
    int width;
};
PlayArrow ComputePlayArrow(const PixelRect& item, int uiScale);
