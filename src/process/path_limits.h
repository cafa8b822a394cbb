#pragma once
// Where the classic 260-unit path limit still holds. The window's own file work (lock, log, checks)
// is long-path aware, but CreateProcessW keeps the limit for the program it starts and for the
// working directory it gives it, whatever the manifest declares, and the shell is not relied on
// to open documents by longer paths. Includes no platform header.
#include <cstddef>

// MAX_PATH: a path must be shorter than this, its terminator taking the last unit.
inline constexpr std::size_t kClassicPathUnits = 260;
// A working directory also needs room for the backslash the system appends to it.
inline constexpr std::size_t kMaxWorkingDirectoryLength = kClassicPathUnits - 2;

inline constexpr wchar_t kFolderPathTooLongText[] =
    L"The game folder's path is too long for Windows. Move the game folder closer to the drive root.";

inline bool FitsClassicPath(std::size_t length) {
    return length < kClassicPathUnits;
}

// True when CreateProcessW cannot start this program in this working directory for their length alone.
inline bool TooLongToStartProcess(std::size_t programLength, std::size_t directoryLength) {
    return !FitsClassicPath(programLength) || directoryLength > kMaxWorkingDirectoryLength;
}
