// The program's own splitting of its command line against the shared table that the platform's
// function is checked with, and the bounds of its fixed storage.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "argv_split_cases.h"
#include "process/argument_split.h"

namespace {

std::vector<std::wstring> Split(const std::wstring& line, bool* split = nullptr) {
    auto list = std::make_unique<ArgumentList>();
    const bool ok = SplitArguments(line.c_str(), *list);
    if (split != nullptr)
        *split = ok;
    EXPECT_EQ(list->arguments[list->count], nullptr);
    return std::vector<std::wstring>(list->arguments, list->arguments + list->count);
}

TEST(ArgumentSplit, MatchesThePlatformsTable) {
    for (const ArgvSplitCase& c : kArgvSplitCases) {
        const std::vector<std::wstring> expected(c.arguments, c.arguments + ArgvSplitCaseCount(c));
        EXPECT_EQ(Split(c.commandLine), expected) << testing::PrintToString(c.commandLine);
    }
}

// The longest lines, in the shapes that need the most text and the most arguments, split whole;
// one unit more and nothing is split.
TEST(ArgumentSplit, LinesUpToTheLimitSplitWholeAndLongerOnesNot) {
    const std::size_t limit = static_cast<std::size_t>(kCommandLineMaxLength);
    struct Case {
        const char* name;
        std::wstring line;
        std::size_t arguments;
    };
    std::wstring emptyArguments = L"p";
    while (emptyArguments.size() + 3 <= limit)
        emptyArguments += L" \"\"";
    std::wstring shortArguments = L"p";
    while (shortArguments.size() + 2 <= limit)
        shortArguments += L" a";
    const Case cases[] = {
        {"one long program name", std::wstring(limit, L'p'), 1},
        {"one long argument", L"p " + std::wstring(limit - 2, L'a'), 2},
        {"a quoted program name and an argument right after it",
         L"\"" + std::wstring(limit - 3, L'p') + L"\"a", 2},
        {"empty arguments", emptyArguments, 1 + (emptyArguments.size() - 1) / 3},
        {"one-unit arguments", shortArguments, 1 + (shortArguments.size() - 1) / 2},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.line.size() <= limit, true) << c.name;
        bool split = false;
        const std::vector<std::wstring> arguments = Split(c.line, &split);
        EXPECT_TRUE(split) << c.name;
        EXPECT_EQ(arguments.size(), c.arguments) << c.name;
    }
    bool split = true;
    EXPECT_TRUE(Split(std::wstring(limit + 1, L'p'), &split).empty());
    EXPECT_FALSE(split);
}

} // namespace
