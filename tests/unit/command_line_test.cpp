// The command-line builder: exact quoting and the bounds of the buffer (the round trip through the
// platform's own splitting is in command_line_platform_test.cpp).
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include "process/command_line.h"

namespace {

// CommandLine is 64 KiB: one per test, on the heap.
std::unique_ptr<CommandLine> EmptyCommand() {
    auto command = std::make_unique<CommandLine>();
    ClearCommandLine(*command);
    return command;
}

// A command already holding `length` units of filler, terminated.
std::unique_ptr<CommandLine> CommandOfLength(std::uint64_t length) {
    auto command = EmptyCommand();
    for (std::uint64_t i = 0; i < length; ++i)
        command->buffer[i] = L'x';
    command->buffer[length] = L'\0';
    command->length = length;
    return command;
}

std::wstring Text(const CommandLine& command) {
    return std::wstring(command.buffer, command.length);
}

std::string Shown(const std::wstring& text) {
    return testing::PrintToString(text);
}

TEST(CommandLineQuoting, EachArgumentIsQuotedAndEscapedExactly) {
    struct Case {
        const wchar_t* argument;
        const wchar_t* quoted;
    };
    const Case cases[] = {
        {L"", LR"("")"},
        {L"abc", LR"("abc")"},
        {L"a b\tc", L"\"a b\tc\""},
        {LR"(C:\Program Files\Game\python.exe)", LR"("C:\Program Files\Game\python.exe")"},
        {LR"(C:\folder\)", LR"("C:\folder\\")"},
        {LR"(C:\folder\\)", LR"("C:\folder\\\\")"},
        {LR"(\)", LR"("\\")"},
        {LR"(\\\)", LR"("\\\\\\")"},
        {LR"(a"b)", LR"("a\"b")"},
        {LR"(")", LR"("\"")"},
        {LR"("")", LR"("\"\"")"},
        {LR"(a\"b)", LR"("a\\\"b")"},
        {LR"(a\\"b)", LR"("a\\\\\"b")"},
        {LR"(a\b\\c)", LR"("a\b\\c")"},
        {LR"(\\server\share)", LR"("\\server\share")"},
        {L"--graphics-preset", L"\"--graphics-preset\""},
        {L"  Mixed Case  ", L"\"  Mixed Case  \""},
        {L"\u00e9\u4e2d\U0001F600", L"\"\u00e9\u4e2d\U0001F600\""},
    };
    for (const Case& c : cases) {
        auto command = EmptyCommand();
        ASSERT_TRUE(AppendQuotedArgument(*command, c.argument)) << Shown(c.argument);
        EXPECT_EQ(Text(*command), c.quoted) << Shown(c.argument);
        EXPECT_EQ(command->buffer[command->length], L'\0');
    }
}

TEST(CommandLineQuoting, ArgumentsAreSeparatedByExactlyOneSpace) {
    auto command = EmptyCommand();
    ASSERT_TRUE(AppendArgument(*command, LR"(C:\python.exe)")); // no separator before the first
    ASSERT_TRUE(AppendArgument(*command, L"-u"));
    ASSERT_TRUE(AppendArgument(*command, L""));
    ASSERT_TRUE(AppendArgument(*command, L"a b"));
    EXPECT_EQ(Text(*command), LR"("C:\python.exe" "-u" "" "a b")");
}

// Bounds: the terminating NUL may land at index 32767 at most; room for an escape, the character
// and the closing mark is reserved before each character.
TEST(CommandLineBounds, AnArgumentFitsWholeOrNotAtAll) {
    struct Case {
        std::uint64_t startLength;
        std::wstring argument;
        bool fits;
    };
    const Case cases[] = {
        {32765, L"", true}, // NUL at 32767
        {32766, L"", false},
        {32763, L"a", true}, // after the opening mark: 32764 + 3 <= 32767
        {32764, L"a", false},
        {32763, LR"(")", true}, // escaped: \" then the closing mark, NUL at 32767
        {32764, LR"(")", false},
        {32761, LR"(\)", true}, // doubled before the closing mark
        {32762, LR"(\)", false},
        {0, std::wstring(32764, L'p'), true}, // the longest plain argument on an empty command
        {0, std::wstring(32765, L'p'), false},
    };
    for (const Case& c : cases) {
        auto command = CommandOfLength(c.startLength);
        const bool fitted = AppendQuotedArgument(*command, c.argument.c_str());
        EXPECT_EQ(fitted, c.fits) << "start " << c.startLength << ", argument of " << c.argument.size();
        if (fitted) {
            EXPECT_LE(command->length, kCommandLineMaxLength);
            EXPECT_EQ(command->buffer[command->length], L'\0');
            EXPECT_EQ(command->buffer[command->length - 1], L'"');
        }
    }
}

TEST(CommandLineBounds, AFailedAppendLeavesTheCommandAsItWas) {
    for (std::uint64_t start : {32764ull, 32765ull, 32766ull, 32767ull}) {
        auto command = CommandOfLength(start);
        EXPECT_FALSE(AppendArgument(*command, L"a")) << start;
        EXPECT_EQ(command->length, start);
        EXPECT_EQ(command->buffer[start], L'\0');
    }
    auto command = CommandOfLength(32764);
    EXPECT_TRUE(AppendArgument(*command, L"")); // space at 32764, "" at 32765..32766
    EXPECT_EQ(command->length, 32767u);
    EXPECT_EQ(command->buffer[32767], L'\0');
}

} // namespace
