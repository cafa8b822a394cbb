// What the pipe reader does with each failed read: only the pipe's end ends reading; a passing
// failure is tried again a bounded number of times, one that cannot pass is reported at once.
#include <gtest/gtest.h>
#include "process/read_errors.h"

namespace {

TEST(ReadErrors, EachErrorEndsRetriesOrIsReported) {
    struct Case {
        const char* name;
        std::uint32_t error;
        unsigned failedBefore;
        ReadErrorAction action;
    } cases[] = {
        {"broken pipe", 109, 0, ReadErrorAction::End},
        {"broken pipe after failures", 109, kReadRetries, ReadErrorAction::End},
        {"pipe not connected", 233, 0, ReadErrorAction::End},
        {"pipe being closed is not the end", 232, 0, ReadErrorAction::Retry},
        {"not enough quota, first time", 1816, 0, ReadErrorAction::Retry},
        {"not enough quota, last retry", 1816, kReadRetries - 1, ReadErrorAction::Retry},
        {"not enough quota, persisting", 1816, kReadRetries, ReadErrorAction::Report},
        {"no system resources", 1450, 1, ReadErrorAction::Retry},
        {"not enough memory, persisting", 8, kReadRetries + 3, ReadErrorAction::Report},
        {"an unknown code", 0xDEADu, 0, ReadErrorAction::Retry},
        {"invalid handle cannot pass", 6, 0, ReadErrorAction::Report},
        {"invalid user buffer cannot pass", 1784, 0, ReadErrorAction::Report},
        {"end of file is no pipe's end", 38, 0, ReadErrorAction::Retry},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassifyReadError(c.error, c.failedBefore), c.action) << c.name;
    }
}

} // namespace
