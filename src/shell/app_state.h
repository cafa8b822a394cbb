#pragma once
#include <windows.h>
#include <cstddef>

// Every path is formed from BaseDirectory into buffers of this many UTF-16 units.
inline constexpr std::size_t kPathUnits = 32768;
// BaseDirectory is limited so that every path formed from it still fits kPathUnits.
inline constexpr std::size_t kBaseDirectoryMaxLength = 32000;

extern wchar_t BaseDirectory[kPathUnits]; // executable's folder, no trailing backslash
extern wchar_t LogPath[kPathUnits];       // BaseDirectory\private\launcher\latest.log
extern HWND MainWindow;

// The process command line split at window creation; entries 1..count-1 go to the launcher.
extern int ArgumentCount;
extern wchar_t** ArgumentArray;

// The session lock file, held for the life of the process.
extern HANDLE SessionLock;
