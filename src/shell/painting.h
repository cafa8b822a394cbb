#pragma once
#include <windows.h>
#include "ui/screen_elements.h"

// Draws the whole client area of the main window that is not a child control: side panel,
// header, and the home page's state or the settings page's texts. The texts are those of the list
// DescribeScreen gives.
void PaintCanvas(HDC dc);

// Fills out with what the main window shows now, in reading order: the frame's texts (edition
// line, title, tagline, launcher label, version chip), then the home page's (headline, welcome or
// estimate and memory lines, progress bar while a child runs, toggle hint, footer) or the settings
// page's (heading, the seven tabs, the active tab's texts, hint, footer). Rectangles are client
// pixels. Child controls other than the tabs are not in it.
void DescribeScreen(ScreenElements& out);

// The double-buffered paint of WM_PAINT: draws the canvas clipped to the damaged rectangle into the
// kept back buffer and copies only that rectangle to the screen.
void PaintDamaged(HDC screen, const RECT& damaged, int clientWidth, int clientHeight);
// Frees the back buffer; the next paint makes a new one.
void ReleaseBackBuffer();

// WM_DRAWITEM for every owner-drawn button: the look its identifier and the active tab select,
// with a setting row's name and value; answers TRUE.
LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
