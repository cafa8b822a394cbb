#pragma once
#include <windows.h>

// The subclassed control currently under the mouse, or null.
extern HWND gHoveredControl;

// Makes the control the hovered one on its first mouse move and clears it on the leave
// notification; either change repaints the control so its look follows.
void TrackHover(HWND window, UINT message);

// Messages after which the check box's state (checked, pushed, focus, enabled) may have changed.
// The platform's check-box procedure draws its own look straight to the screen on some of them,
// so the switch is repainted over it after each.
bool MayChangeToggleState(UINT message);

// Paints the toggle into dc for a client area of width x height.
void PaintToggle(HDC dc, int width, int height, bool checked, bool enabled, bool focused);
// Paints the toggle window in its current state.
void PaintToggleWindow(HWND window, HDC dc);
