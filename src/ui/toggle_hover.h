#pragma once
#include <windows.h>

// The subclassed control currently under the mouse, or null.
extern HWND gHoveredControl;

// Installed on every owner-drawn button: Left/Right on setting rows, then hover tracking.
LRESULT CALLBACK ButtonSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Installed on the basic-graphics check box: paints it as a switch and tracks hover.
LRESULT CALLBACK ToggleSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the toggle into dc for a client area of width x height.
void PaintToggle(HDC dc, int width, int height, bool checked, bool enabled, bool focused);
