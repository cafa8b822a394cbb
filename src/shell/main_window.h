#pragma once
#include <windows.h>

// The main window's procedure: a flat switch of one-line cases calling small handlers.

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct SystemSettings;
// Takes the colour scheme and the animation setting for these system settings; when anything
// changed, rebuilds the controls' grounds and has the window and its controls redrawn, and answers
// true. The window calls it at creation and whenever the system's settings or colours change;
// tests and screenshots call it with high contrast forced, which the system cannot be switched
// to everywhere.
bool ApplySystemSettings(HWND window, const SystemSettings& settings);

inline constexpr UINT_PTR kTimerPump = 1;
inline constexpr UINT kPumpPeriodMs = 50;
