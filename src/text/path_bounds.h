#pragma once
#include <cstddef>

// Every path is formed from the program's folder into buffers of this many UTF-16 units.
inline constexpr std::size_t kPathUnits = 32768;
// The program's folder is limited so that every path formed from it still fits kPathUnits.
inline constexpr std::size_t kBaseDirectoryMaxLength = 32000;
