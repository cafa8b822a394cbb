#pragma once
#include <windows.h>

inline constexpr wchar_t kLockRefusedText[] =
    L"The launcher or an update is already running, or this folder is read-only.";
inline constexpr wchar_t kUpdateInterruptedText[] =
    L"An update was interrupted. Run the same Setup.exe with --update and this installation path to recover.";

// Takes the single-instance lock and checks the interrupted-update marker. On refusal shows the
// message box (owned by the window being created) and returns false. The lock is held for life.
bool TakeSessionLock(HWND owner);
