#pragma once
#include <windows.h>
#include "ui/colour_scheme.h"
#include "ui/screen_elements.h"

// Draws every text element of the list: its name (letter-spaced where marked) in its rectangle,
// font and preset, in the scheme's colour for its role, as every painter draws text. A text that
// follows the previous one starts where the previous one's lines end.
void PaintElementTexts(HDC dc, const ScreenElements& list, const ColourScheme& scheme);
