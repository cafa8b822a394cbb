#pragma once
#include <windows.h>
#include "ui/button_looks.h"

// A setting row's two texts; either may be empty.
struct RowTexts {
    const wchar_t* name;
    const wchar_t* value;
};

// Draws an owner-drawn button in the look given, in the item's state and hover. A row look shows
// the row texts; the other looks show the button's window text.
void DrawOwnerButton(const DRAWITEMSTRUCT& item, ButtonLook look, const RowTexts& row);
