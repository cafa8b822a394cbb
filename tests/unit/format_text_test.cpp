// The bounded formatter that stands in for swprintf: each conversion the program's texts use, and
// what happens at the end of the buffer.
#include <gtest/gtest.h>
#include <algorithm>
#include <iterator>
#include <string>
#include "text/format_text.h"

namespace {

struct Formatted {
    std::wstring text;
    bool fitted;
};

// Formats into a buffer of `capacity` units inside a larger one, so that a write past the capacity
// shows as a changed guard unit.
template <typename... Arguments>
Formatted Format(std::size_t capacity, const wchar_t* pattern, Arguments... arguments) {
    wchar_t buffer[80];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    const bool fitted = FormatText(buffer, capacity, pattern, arguments...);
    for (std::size_t i = capacity; i < std::size(buffer); ++i)
        EXPECT_EQ(buffer[i], L'#') << "written past the capacity at " << i;
    return {capacity == 0 ? std::wstring() : std::wstring(buffer), fitted};
}

TEST(FormatText, WritesEachConversionAsSwprintfWould) {
    const struct {
        Formatted got;
        const wchar_t* expected;
    } cases[] = {
        {Format(64, L"%ls: %u / %u %ls", L"Copying", 3u, 12u, L"files"), L"Copying: 3 / 12 files"},
        {Format(64, L"(error %lu)", 4294967295ul), L"(error 4294967295)"},
        {Format(64, L"%u%%", 0u), L"0%"},
        {Format(64, L"0x%08X|%08X|%X", 0xC0000005u, 0x1Fu, 0u), L"0xC0000005|0000001F|0"},
        {Format(64, L"[%ls][%ls]", static_cast<const wchar_t*>(nullptr), L""), L"[][]"},
        // Sequences it does not know stand as they are and take no argument.
        {Format(64, L"%d %s %5u %l %u", 7u), L"%d %s %5u %l 7"},
        {Format(64, L"ends in %"), L"ends in %"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.got.text, c.expected);
        EXPECT_TRUE(c.got.fitted) << testing::PrintToString(std::wstring(c.expected));
    }
}

TEST(FormatText, CutsAtTheCapacityAndSaysSo) {
    const struct {
        Formatted got;
        const wchar_t* expected;
        bool fitted;
    } cases[] = {
        {Format(11, L"%ls", L"0123456789"), L"0123456789", true}, // exactly fills, with its terminator
        {Format(10, L"%ls", L"0123456789"), L"012345678", false},
        {Format(6, L"err %lu", 123456ul), L"err 1", false}, // a number is cut like text
        {Format(5, L"%%%%%%%%%%"), L"%%%%", false},
        {Format(1, L"x"), L"", false},
        {Format(1, L""), L"", true},
        {Format(0, L"x"), L"", false}, // nothing written at all
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.got.text, c.expected);
        EXPECT_EQ(c.got.fitted, c.fitted) << testing::PrintToString(std::wstring(c.expected));
    }
}

TEST(JoinBytes, JoinsThePartsAndCutsAtTheCapacity) {
    char out[8];
    EXPECT_TRUE(JoinBytes(out, sizeof out, {"Vs", ": ", nullptr, "On"}));
    EXPECT_STREQ(out, "Vs: On");
    EXPECT_TRUE(JoinBytes(out, sizeof out, {"1234", "567"}));
    EXPECT_STREQ(out, "1234567");
    EXPECT_FALSE(JoinBytes(out, sizeof out, {"1234", "5678"}));
    EXPECT_STREQ(out, "1234567");
    EXPECT_TRUE(JoinBytes(out, sizeof out, {}));
    EXPECT_STREQ(out, "");
}

} // namespace
