#pragma once
#include <windows.h>

// Draws the whole client area of the main window that is not a child control: side panel,
// header, and the home page's state or the settings page's texts.
void PaintCanvas(HDC dc);

// WM_DRAWITEM for every owner-drawn button: the look its identifier and the active tab select,
// with a setting row's name and value; answers TRUE.
LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
