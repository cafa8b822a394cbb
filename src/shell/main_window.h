#pragma once
#include <windows.h>

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The dialog manager's default-button answers: DC_HASDEFID with Play or Save settings.
inline constexpr LRESULT kDefaultIdHome = 0x534B0065;
inline constexpr LRESULT kDefaultIdSettings = 0x534B006C;
inline constexpr UINT_PTR kTimerPump = 1;
inline constexpr UINT kPumpPeriodMs = 50;
