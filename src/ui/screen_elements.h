#pragma once
#include <cstddef>
#include <cstdint>
#include "ui/pixel_geometry.h"
#include "ui/theme.h"

// What one screen shows, as a list of elements in reading order. The painter draws the texts of
// the list and the accessibility server answers from the same list, so what is heard is what is
// seen. Built by window-free code from the state; nothing here is allocated.

enum class ElementRole : std::uint8_t {
    Text,        // a painted static text: the name is the text
    ProgressBar, // the name says what progresses; the value is the percentage as text ("27%")
    PageTab,     // one tab of the settings page's strip, drawn by its child control (controlId)
};

// State bits, as a screen reader hears them. The painter reads none of them.
enum ElementState : unsigned {
    kElementSelected = 1u << 0,      // the active tab
    kElementUnavailable = 1u << 1,   // shown but disabled
    kElementIndeterminate = 1u << 2, // a progress bar without a figure; its value is empty
};

// The colour a painted text has: the colour scheme in force maps it (the window's palette, or the
// system's colours in high contrast).
enum class TextColour : std::uint8_t { Bright, Muted, Gold, Alert };

struct ScreenElement {
    ElementRole role;
    const wchar_t* name;        // never null: a constant text or a copy in the list's store
    const wchar_t* value;       // never null; "" but for a progress bar with a figure
    const wchar_t* description; // never null; "" or a short remark ("Indeterminate")
    unsigned state;             // ElementState bits
    PixelRect rect;             // client pixels, where the element is painted
    int controlId;              // PageTab: the child control that draws it; 0 otherwise
    // How the painter draws a Text element's name; unused for the other roles.
    FontRole font;
    TextColour colour;
    TextPreset preset;
};

inline constexpr int kMaxScreenElements = 96;
// Room for the texts formed from the state (estimate, memory, percentage, controls summary, paths).
inline constexpr std::size_t kElementStoreUnits = 4096;

struct ScreenElements {
    ScreenElement items[kMaxScreenElements];
    int count = 0;
    wchar_t store[kElementStoreUnits];
    std::size_t storeUsed = 0;
};
