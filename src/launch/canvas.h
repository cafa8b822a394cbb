#pragma once
#include <windows.h>

// Draws the whole client area of the main window that is not a child control: side panel,
// header, and the home page's state (or the settings page's texts).
void PaintCanvas(HDC dc);
