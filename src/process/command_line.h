#pragma once
#include <cstddef>
#include <cstdint>

// Command lines for child processes. Every argument is enclosed in quotation marks and escaped so
// that the child, splitting its command line as CommandLineToArgvW and the C runtime do, gets back
// exactly the appended text. Nothing is ever truncated: an argument fits whole or the append fails.

inline constexpr std::size_t kCommandLineUnits = 32768;
// The terminating NUL may stand at this index at most, so a command holds at most this many units.
inline constexpr std::uint64_t kCommandLineMaxLength = kCommandLineUnits - 1;

struct CommandLine {
    wchar_t buffer[kCommandLineUnits];
    std::uint64_t length; // units in use, not counting the terminating NUL
};

// Appends text (NUL-terminated, possibly empty) in quotation marks. False when it does not fit; the
// command must then not be used, and the caller appends nothing further to it.
bool AppendQuotedArgument(wchar_t* buffer, std::uint64_t& length, const wchar_t* text);
// One separating space unless the command is empty, then the quoted argument.
bool AppendArgument(wchar_t* buffer, std::uint64_t& length, const wchar_t* text);

inline bool AppendQuotedArgument(CommandLine& command, const wchar_t* text) {
    return AppendQuotedArgument(command.buffer, command.length, text);
}
inline bool AppendArgument(CommandLine& command, const wchar_t* text) {
    return AppendArgument(command.buffer, command.length, text);
}
// An empty command: length 0 and a terminator at the start.
void ClearCommandLine(CommandLine& command);
