// The searchable line that follows a launcher exit code in the pane.
#include <gtest/gtest.h>
#include <iterator>
#include "launch/exit_status_text.h"

namespace {

TEST(ExitStatusLine, WindowsStatusesInHexadecimalWithTheMeaningsPlayersMeet) {
    const struct {
        std::uint32_t code;
        const wchar_t* line; // nullptr: no extra line
    } cases[] = {
        {0, nullptr},
        {1, nullptr},
        {3221225471u, nullptr}, // 0xBFFFFFFF, just below the statuses
        {0x80000003u, nullptr}, // a warning-class status is below the error range
        {0xC0000000u, L"That is Windows status 0xC0000000.\r\n"},
        {0xC0000005u, L"That is Windows status 0xC0000005: a crash (access violation).\r\n"},
        {0xC0000409u, L"That is Windows status 0xC0000409: a fail-fast stop.\r\n"},
        {0xC000001Du, L"That is Windows status 0xC000001D: an instruction this processor lacks.\r\n"},
        {0xC0000135u, L"That is Windows status 0xC0000135: a missing DLL.\r\n"},
        {0xC0000017u, L"That is Windows status 0xC0000017: out of memory.\r\n"},
        {0xC000013Au, L"That is Windows status 0xC000013A: closed with Ctrl+C or its console window.\r\n"},
        {0xC0000142u, L"That is Windows status 0xC0000142.\r\n"},
        {0xFFFFFFFFu, L"That is Windows status 0xFFFFFFFF.\r\n"},
    };
    for (const auto& c : cases) {
        wchar_t text[kExitStatusLineUnits] = L"stale";
        const bool written = FormatExitStatusLine(c.code, text, std::size(text));
        EXPECT_EQ(written, c.line != nullptr) << c.code;
        EXPECT_STREQ(text, c.line != nullptr ? c.line : L"") << c.code;
    }
}

} // namespace
