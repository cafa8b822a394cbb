#pragma once
#include <windows.h>

// The subclassed control currently under the mouse, or null.
extern HWND HoveredControl;

LRESULT CALLBACK ButtonSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ToggleSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
