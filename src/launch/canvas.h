#pragma once
#include <windows.h>

// Draws the whole client area of the main window that is not a child control.
void PaintCanvas(HDC dc);
