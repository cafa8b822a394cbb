#pragma once
#include <windows.h>
#include "text/path_bounds.h"

// The window's own state. The shell writes it; the other folders get what they need as arguments.

extern wchar_t gBaseDirectory[kPathUnits]; // executable's folder, no trailing backslash
extern wchar_t gLogPath[kPathUnits];       // gBaseDirectory\private\launcher\latest.log
extern HWND gMainWindow;

// The process command line split at window creation; entries 1..count-1 go to the launcher.
extern int gArgumentCount;
extern wchar_t** gArgumentArray;

// The session lock file, held for the life of the process.
extern HANDLE gSessionLock;

// True while the launch output pane replaces Settings and the toggle on the home page.
extern bool gLaunchDetailsVisible;
// There is a launch log to open: one existed at start-up or when the last launch began, or a launch
// has ended since.
extern bool gLogAvailable;
