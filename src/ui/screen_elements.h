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

struct ScreenElement {
    ElementRole role;
    // Never null: a constant text, a copy in the list's store, or (a location path) the settings
    // model's own text, which outlives any use of the list.
    const wchar_t* name;
    const wchar_t* value;       // never null; "" but for a progress bar with a figure
    const wchar_t* description; // never null; "" or a short remark ("Indeterminate")
    unsigned state;             // ElementState bits
    PixelRect rect;             // client pixels, where the element is painted
    int controlId;              // PageTab: the child control that draws it; 0 otherwise
    // How the painter draws a Text element's name; unused for the other roles.
    FontRole font;
    TextColour colour;
    TextPreset preset;
    // Painted with a blank between letters and three between words ("GAME LAUNCHER" shows as
    // "G A M E   L A U N C H E R"); the name is the plain words a screen reader can speak.
    bool letterSpaced;
    // The second line of one wrapped band: painted from where the previous element's lines end
    // (its rect is where that is when the previous text takes one line).
    bool followsPrevious;
};

inline constexpr int kMaxScreenElements = 96;
// Room for the texts formed from the state: the controls summary (up to 4095 units) and the
// estimate, memory and percentage texts, with room to spare.
inline constexpr std::size_t kElementStoreUnits = 8192;

struct ScreenElements {
    ScreenElement items[kMaxScreenElements];
    int count = 0;
    wchar_t store[kElementStoreUnits];
    std::size_t storeUsed = 0;
};

// Empties the list and its store.
void ClearScreenElements(ScreenElements& list);

// Copies at most length units of text (less at a terminator) into the store and returns the copy,
// cut to the store's room; "" when the store is full.
const wchar_t* StoreText(ScreenElements& list, const wchar_t* text, std::size_t length);
const wchar_t* StoreText(ScreenElements& list, const wchar_t* text);

// Appends an element with empty value and description, no state and no control; null when the
// list is full. The text fields are those of a BodyFont, TextBright, TextLeft text.
ScreenElement* AppendElement(ScreenElements& list, ElementRole role, const wchar_t* name,
                             const PixelRect& rect);
// Appends a painted text.
ScreenElement* AppendText(ScreenElements& list, const wchar_t* name, const PixelRect& rect, FontRole font,
                          TextColour colour, TextPreset preset);

// The painted form of a letter-spaced text into out (capacity units including the terminator, cut
// to fit); returns its length.
std::size_t SpaceLetters(const wchar_t* text, wchar_t* out, std::size_t capacity);
