#pragma once
#include <windows.h>

// WM_DRAWITEM for every owner-drawn button: draws the look its identifier selects, in the
// button's state and hover; answers TRUE.
LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
