#pragma once
#include <windows.h>

// WM_DRAWITEM for every owner-drawn button; answers TRUE.
LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
