#include "process/command_line.h"

namespace {

constexpr wchar_t kQuote = L'"';
constexpr wchar_t kBackslash = L'\\';

} // namespace

bool AppendQuotedArgument(wchar_t* buffer, std::uint64_t& length, const wchar_t* text) {
    std::uint64_t at = length;
    if (at + 2 > kCommandLineMaxLength)
        return false;
    buffer[at++] = kQuote;
    const wchar_t* position = text;
    while (*position != 0) {
        std::uint64_t run = 0;
        while (position[run] == kBackslash)
            ++run;
        const wchar_t next = position[run];
        // Backslashes are only special before a quotation mark, and the closing mark follows the end.
        const std::uint64_t written = (next == kQuote || next == 0) ? 2 * run : run;
        // Room for the backslashes, a possible escape, the character and the closing quotation mark.
        if (at + written + 3 > kCommandLineMaxLength) {
            buffer[length] = 0; // the command before this argument stays terminated
            return false;
        }
        for (std::uint64_t i = 0; i < written; ++i)
            buffer[at++] = kBackslash;
        if (next == 0)
            break;
        if (next == kQuote)
            buffer[at++] = kBackslash;
        buffer[at++] = next;
        position += run + 1;
    }
    buffer[at] = kQuote;
    buffer[at + 1] = 0;
    length = at + 1;
    return true;
}

bool AppendArgument(wchar_t* buffer, std::uint64_t& length, const wchar_t* text) {
    if (length == 0)
        return AppendQuotedArgument(buffer, length, text);
    if (length + 1 > kCommandLineMaxLength)
        return false;
    const std::uint64_t before = length;
    buffer[length++] = L' ';
    if (AppendQuotedArgument(buffer, length, text))
        return true;
    length = before;
    buffer[before] = 0;
    return false;
}

void ClearCommandLine(CommandLine& command) {
    // Only the terminator: every append keeps the command terminated, and the rest of the buffer
    // stays untouched (a command line of the window's is 64 KiB that would all become resident).
    command.buffer[0] = L'\0';
    command.length = 0;
}
