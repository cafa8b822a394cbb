#pragma once
#include <cstdint>
#include "ui/theme.h"

// The system's colours a high-contrast scheme may use (0x00BBGGRR), as the platform reports them.
struct SystemColours {
    std::uint32_t window, windowText;       // COLOR_WINDOW, COLOR_WINDOWTEXT
    std::uint32_t highlight, highlightText; // COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT
    std::uint32_t buttonFace, buttonText;   // COLOR_BTNFACE, COLOR_BTNTEXT
    std::uint32_t grayText, hotLight;       // COLOR_GRAYTEXT, COLOR_HOTLIGHT
    bool operator==(const SystemColours&) const = default;
};

// The colours every painter draws with, by what they colour. Off high contrast they are the
// palette's, exactly as the window always looked; in high contrast only the system's colours.
struct ColourScheme {
    bool highContrast;
    SystemColours system; // in high contrast: what the looks of buttons and toggle pick from

    std::uint32_t background;                   // the client area, the surround of every button, the toggle
    std::uint32_t divider;                      // the side panel's right edge
    std::uint32_t hairline;                     // the side panel's crossing lines
    std::uint32_t emblemOutline;                // the emblem's circle and diamond
    std::uint32_t accent;                       // the rule under the edition line, the emblem's strokes
    std::uint32_t cardFill, cardEdge;           // status card and version chip; the status line's ground
    std::uint32_t dot, dotAttention;            // the status dot
    std::uint32_t track, trackFill;             // the progress bar
    std::uint32_t paneFill, paneEdge, paneText; // the launch output pane and its panel
    std::uint32_t statusText, statusAttentionText;
    std::uint32_t text[4]; // painted texts, by TextColour
    bool operator==(const ColourScheme&) const = default;
};

// The scheme for the system's high-contrast setting and colours.
ColourScheme ChooseColourScheme(bool highContrast, const SystemColours& system);

inline std::uint32_t TextInk(const ColourScheme& scheme, TextColour colour) {
    return scheme.text[static_cast<int>(colour)];
}

// The scheme in force: the shell sets it at start-up and whenever the system's setting or colours
// change; the painters read it. The palette's until then.
extern ColourScheme gColourScheme;
