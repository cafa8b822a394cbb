// The lengths of program and working-directory paths that process creation accepts.
#include <gtest/gtest.h>
#include <cstddef>
#include "process/path_limits.h"

namespace {

TEST(ProcessPathLimits, ProgramAndWorkingDirectoryLengths) {
    const struct {
        size_t program;
        size_t directory;
        bool tooLong;
    } cases[] = {
        {259, 258, false}, // the longest of each that process creation accepts
        {260, 10, true},
        {10, 259, true},
        {0, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TooLongToStartProcess(c.program, c.directory), c.tooLong)
            << c.program << " " << c.directory;
}

} // namespace
