#pragma once
#include <cstdint>
#include "ui/colour_scheme.h"
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
    std::uint32_t background; // the item's surround, outside the face's rounded corners
    std::uint32_t glyph;      // Play's arrow
    // In high contrast, state is shown by shape too: a border this many logical units wide drawn
    // over the face (0: the face's own 1-pixel border only), and a focus ring two pixels wide.
    int stateBorder;
    bool wideFocusRing;
};

// Face, text and focus colours of a look in a state, in the palette. isSettingsButton gives the
// quiet Settings button its box even without the mouse over it.
LookColours ResolveLook(ButtonLook look, const ButtonState& state, bool isSettingsButton);
// The same in a colour scheme: the palette's look, or in high contrast one of system colours only.
// There the default button (Play), the accents (selected tab, Save settings) and every pressed
// button wear a wide border, and the mouse shows as a hot-light border.
LookColours ResolveLook(ButtonLook look, const ButtonState& state, bool isSettingsButton,
                        const ColourScheme& scheme);

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
