#pragma once
// The pane line that makes a launcher exit code searchable when it is a Windows status rather than
// a code the launcher chose. Includes no platform header.
#include <cstddef>
#include <cstdint>

// Exit codes from here up are Windows error statuses (a crash, a missing DLL, ...), not script codes.
inline constexpr std::uint32_t kFirstErrorStatus = 0xC0000000u;
inline constexpr std::size_t kExitStatusLineUnits = 128;

// "That is Windows status 0xC0000005: a crash (access violation).\r\n" for the statuses players
// meet, the hexadecimal alone for other statuses; false (and an empty text) below kFirstErrorStatus.
bool FormatExitStatusLine(std::uint32_t exitCode, wchar_t* text, std::size_t capacity);
