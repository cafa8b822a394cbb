#pragma once
// The sentences that tell the player what went wrong around a launch's output and log, each with the
// system's error code and, where the code has a plain meaning, that meaning. Includes no platform
// header.
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kFailureTextUnits = 256;

// The output pane's first line when the launch log could not be created.
void FormatLogNotWrittenLine(std::uint32_t error, wchar_t* text, std::size_t capacity);
// The pane line when reading the launcher's output failed for good.
void FormatOutputLostLine(std::uint32_t error, wchar_t* text, std::size_t capacity);
// The status text when the shell could not open the log; shellResult is what the shell's open call
// returned (32 or less).
void FormatOpenLogFailure(std::intptr_t shellResult, wchar_t* text, std::size_t capacity);
