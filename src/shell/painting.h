#pragma once
#include <windows.h>

// Draws the whole client area of the main window that is not a child control: side panel,
// header, and the home page's state or the settings page's texts.
void PaintCanvas(HDC dc);

// The double-buffered paint of WM_PAINT: draws the canvas clipped to the damaged rectangle into the
// kept back buffer and copies only that rectangle to the screen.
void PaintDamaged(HDC screen, const RECT& damaged, int clientWidth, int clientHeight);
// Frees the back buffer; the next paint makes a new one.
void ReleaseBackBuffer();

// WM_DRAWITEM for every owner-drawn button: the look its identifier and the active tab select,
// with a setting row's name and value; answers TRUE.
LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
