// The command-line builder: exact quoting, the bounds of the buffer, and the round trip through
// the platform's own argument splitting.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <memory>
#include <random>
#include <string>
#include <vector>
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

// Arguments built from the characters that quoting must get right, in random mixtures.
std::wstring RandomArgument(std::mt19937& random) {
    static const std::wstring kOrdinary[] = {L"a", L"Z",      L"7",      L"-",         L".",
                                             L":", L"\u00e9", L"\u4e2d", L"\U0001F600"};
    std::wstring argument;
    const int pieces = std::uniform_int_distribution<int>(0, 10)(random);
    for (int i = 0; i < pieces; ++i) {
        const int kind = std::uniform_int_distribution<int>(0, 9)(random);
        if (kind <= 2) {
            argument.append(std::uniform_int_distribution<size_t>(1, 5)(random), L'\\');
        } else if (kind <= 4) {
            argument += L'"';
        } else if (kind == 5) {
            argument += L' ';
        } else if (kind == 6) {
            argument += L'\t';
        } else {
            argument += kOrdinary[std::uniform_int_distribution<size_t>(0, std::size(kOrdinary) - 1)(random)];
        }
    }
    return argument;
}

TEST(CommandLineRoundTrip, SplittingByThePlatformGivesBackEveryArgument) {
    constexpr unsigned kSeed = 20261209;
    constexpr int kLists = 10000;
    std::mt19937 random(kSeed);
    auto command = EmptyCommand();
    const std::wstring program = LR"(C:\Program Files\Tharn\private\tools\python314\python.exe)";
    int failures = 0;
    for (int list = 0; list < kLists && failures < 5; ++list) {
        std::vector<std::wstring> arguments(std::uniform_int_distribution<size_t>(0, 8)(random));
        for (std::wstring& argument : arguments)
            argument = RandomArgument(random);
        command->length = 0;
        ASSERT_TRUE(AppendQuotedArgument(*command, program.c_str()));
        for (const std::wstring& argument : arguments)
            ASSERT_TRUE(AppendArgument(*command, argument.c_str()));

        int count = 0;
        wchar_t** split = CommandLineToArgvW(command->buffer, &count);
        ASSERT_NE(split, nullptr);
        std::vector<std::wstring> back(split, split + count);
        LocalFree(split);
        std::vector<std::wstring> expected{program};
        expected.insert(expected.end(), arguments.begin(), arguments.end());
        if (back != expected) {
            ++failures;
            ADD_FAILURE() << "seed " << kSeed << ", list " << list << ": " << Shown(Text(*command));
        }
    }
}

} // namespace
