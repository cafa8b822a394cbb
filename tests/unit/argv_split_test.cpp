// The host implementation of the platform's command-line splitting against the shared table that
// the Windows tests check the platform itself with.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "argv_split.h"
#include "argv_split_cases.h"

namespace {

TEST(ArgvSplit, HostSplittingMatchesTheTable) {
    for (const ArgvSplitCase& c : kArgvSplitCases) {
        const std::vector<std::wstring> expected(c.arguments, c.arguments + ArgvSplitCaseCount(c));
        EXPECT_EQ(SplitCommandLine(c.commandLine), expected) << testing::PrintToString(c.commandLine);
    }
}

} // namespace
