#pragma once
#include <windows.h>

// The main window's procedure: a flat switch of one-line cases calling small handlers.

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

inline constexpr UINT_PTR kTimerPump = 1;
inline constexpr UINT kPumpPeriodMs = 50;
