#pragma once
#include <cstddef>
#include "process/command_line.h"

// The program's own command line split into arguments by the platform's rules (those of
// CommandLineToArgvW and the C runtime), into fixed storage: the program name runs to the first
// blank, or between quotation marks with nothing escaped; the other arguments are separated by
// spaces and tabs outside quotation marks; 2n backslashes before a mark give n backslashes and the
// mark opens or closes a quoted part, 2n+1 give n backslashes and a literal mark, backslashes
// anywhere else are literal; inside a quoted part two marks in a row give one literal mark and end
// the part. Splitting it here keeps the shell's library, which only that function needed at
// start-up, out of the process.

// A command line of at most kCommandLineMaxLength units gives at most one unit more of text (its
// separators and marks pay for the terminators) and at most half as many arguments plus one.
inline constexpr std::size_t kArgumentTextUnits = kCommandLineUnits + 1;
inline constexpr std::size_t kMaxArguments = kCommandLineUnits / 2 + 1;

struct ArgumentList {
    wchar_t text[kArgumentTextUnits];
    wchar_t* arguments[kMaxArguments + 1]; // arguments[count] is null
    int count;
};

// False, with no arguments, when the line is longer than kCommandLineMaxLength units.
bool SplitArguments(const wchar_t* commandLine, ArgumentList& list);
