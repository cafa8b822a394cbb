// The platform's own command-line splitting: the shared table that the host implementation is
// checked against, and the round trip of the builder's command lines.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <memory>
#include <random>
#include <string>
#include <vector>
#include "argv_split_cases.h"
#include "process/command_line.h"

namespace {

std::vector<std::wstring> SplitByPlatform(const wchar_t* line) {
    int count = 0;
    wchar_t** split = CommandLineToArgvW(line, &count);
    if (split == nullptr)
        return {};
    std::vector<std::wstring> arguments(split, split + count);
    LocalFree(split);
    return arguments;
}

std::string Shown(const std::wstring& text) {
    return testing::PrintToString(text);
}

TEST(PlatformArgvSplit, MatchesTheTable) {
    for (const ArgvSplitCase& c : kArgvSplitCases) {
        const std::vector<std::wstring> expected(c.arguments, c.arguments + ArgvSplitCaseCount(c));
        EXPECT_EQ(SplitByPlatform(c.commandLine), expected) << Shown(c.commandLine);
    }
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
    auto command = std::make_unique<CommandLine>();
    ClearCommandLine(*command);
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

        const std::vector<std::wstring> back = SplitByPlatform(command->buffer);
        std::vector<std::wstring> expected{program};
        expected.insert(expected.end(), arguments.begin(), arguments.end());
        if (back != expected) {
            ++failures;
            ADD_FAILURE() << "seed " << kSeed << ", list " << list << ": " << Shown(command->buffer);
        }
    }
}

} // namespace
