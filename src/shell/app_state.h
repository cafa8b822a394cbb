#pragma once
#include <windows.h>
#include "text/path_bounds.h"

extern wchar_t gBaseDirectory[kPathUnits]; // executable's folder, no trailing backslash
extern wchar_t gLogPath[kPathUnits];       // gBaseDirectory\private\launcher\latest.log
extern HWND gMainWindow;

// The process command line split at window creation; entries 1..count-1 go to the launcher.
extern int gArgumentCount;
extern wchar_t** gArgumentArray;

// The session lock file, held for the life of the process.
extern HANDLE gSessionLock;
