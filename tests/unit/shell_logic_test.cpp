#include <gtest/gtest.h>
#include <string>
#include "shell/startup_logic.h"
#include "text/utf8.h"
#include "ui/home_geometry.h"
#include "ui/scale.h"

namespace {

TEST(ComputeUiScale, FitsTheWindowIntoTheWorkArea) {
    struct Case {
        int width, height, cap, expected;
    } cases[] = {
        {1920, 1040, 96, 96},   // a = 198, b = 159: the system DPI caps it
        {1280, 680, 120, 101},  // a = 131, b = 101
        {800, 560, 96, 80},     // a = 80, b = 82
        {640, 480, 96, 72},     // a = 64, b = 69: the floor of 72
        {1920, 1080, 144, 144}, // the 144-DPI test display
        {640, 480, 60, 60},     // the floor comes before the cap
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComputeUiScale(c.width, c.height, c.cap), c.expected)
            << c.width << "x" << c.height << "/" << c.cap;
    }
}

TEST(Scale, RoundsHalvesAwayFromZeroLikeMulDiv) {
    struct Case {
        int n, scale, expected;
    } scaled[] = {{3, 144, 5},     {14, 120, 18}, {9, 144, 14}, {900, 96, 900},
                  {356, 144, 534}, {-3, 144, -5}, {0, 144, 0}};
    for (const Case& c : scaled)
        EXPECT_EQ(ScaledAt(c.n, c.scale), c.expected) << c.n << " at " << c.scale;

    struct YCase {
        int n, height, expected;
    } canvas[] = {{0, 560, 0}, {560, 560, 560}, {208, 840, 312}, {315, 560, 315}, {150, 0, 0}, {1, 280, 1}};
    for (const YCase& c : canvas)
        EXPECT_EQ(CanvasYFor(c.n, c.height), c.expected) << c.n << " of " << c.height;

    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    EXPECT_EQ(MulDivRound(0x7FFFFFFF, 2, 1), -1); // does not fit 32 bits
    EXPECT_EQ(MulDivRound(-5, 1, 2), -3);         // -2.5 rounds away from zero
}

TEST(HomeGeometry, PlacesEveryControlAt96And144) {
    struct Case {
        int width, height, scale;
        HomeGeometry expected;
    } cases[] = {
        {900,
         560,
         96,
         {356,
          508,
          {356, 208, 508, 64},
          {394, 306, 456, 53},
          {356, 382, 508, 40},
          {356, 433, 508, 32},
          {368, 391, 484, 77},
          {356, 490, 226, 34},
          {752, 490, 112, 34},
          {356, 150, 508, 35}}},
        {1350,
         840,
         144,
         {534,
          762,
          {534, 312, 762, 96},
          {591, 459, 684, 80},
          {534, 573, 762, 60},
          {534, 650, 762, 48},
          {552, 587, 726, 116},
          {534, 735, 339, 51},
          {1128, 735, 168, 51},
          {534, 225, 762, 53}}},
    };
    auto same = [](const Box& a, const Box& b) {
        return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
    };
    for (const Case& c : cases) {
        const HomeGeometry g = ComputeHomeGeometry(c.width, c.height, c.scale);
        const HomeGeometry& e = c.expected;
        SCOPED_TRACE(c.scale);
        EXPECT_EQ(g.contentLeft, e.contentLeft);
        EXPECT_EQ(g.contentWidth, e.contentWidth);
        EXPECT_TRUE(same(g.play, e.play));
        EXPECT_TRUE(same(g.statusLine, e.statusLine));
        EXPECT_TRUE(same(g.settings, e.settings));
        EXPECT_TRUE(same(g.toggle, e.toggle));
        EXPECT_TRUE(same(g.outputPane, e.outputPane));
        EXPECT_TRUE(same(g.launchDetails, e.launchDetails));
        EXPECT_TRUE(same(g.openLog, e.openLog));
        EXPECT_TRUE(same(g.statusLineOnSettingsPage, e.statusLineOnSettingsPage));
    }
}

TEST(HomeGeometry, AShorterClientMovesBlocksUpAndKeepsWidths) {
    const HomeGeometry full = ComputeHomeGeometry(900, 560, 96);
    const HomeGeometry shorter = ComputeHomeGeometry(900, 280, 96);
    EXPECT_EQ(shorter.play.y, 104);
    EXPECT_EQ(shorter.play.height, 32);
    EXPECT_EQ(shorter.play.width, full.play.width);
}

TEST(StartupLogic, BaseDirectoryIsCutAtTheLastBackslashWithinItsBound) {
    struct Case {
        size_t directoryLength;
        bool accepted;
    } cases[] = {{32000, true}, {32001, false}, {3, true}};
    for (const Case& c : cases) {
        std::wstring path = L"C:" + std::wstring(c.directoryLength - 2, L'd') + L"\\TharnOfEmberfall.exe";
        EXPECT_EQ(CutToDirectory(path.data(), 32000), c.accepted) << c.directoryLength;
        if (c.accepted) {
            EXPECT_EQ(std::wcslen(path.c_str()), c.directoryLength);
        }
    }
    std::wstring noBackslash = L"TharnOfEmberfall.exe";
    EXPECT_FALSE(CutToDirectory(noBackslash.data(), 32000));
    std::wstring nested = L"C:\\Games\\Tharn\\TharnOfEmberfall.exe";
    ASSERT_TRUE(CutToDirectory(nested.data(), 32000));
    EXPECT_STREQ(nested.c_str(), L"C:\\Games\\Tharn");
}

TEST(StartupLogic, RavelhostSwitchIsExactAndAfterTheProgramName) {
    struct Case {
        std::initializer_list<const wchar_t*> arguments;
        bool passThrough;
    } cases[] = {
        {{L"launcher.exe", L"--ravelhost"}, true},
        {{L"launcher.exe", L"a", L"b c", L"--ravelhost"}, true},
        {{L"launcher.exe", L"--ravelhost", L"--ravelhost"}, true},
        {{L"launcher.exe", L"--Ravelhost"}, false},
        {{L"launcher.exe", L"--ravelhostx"}, false},
        {{L"launcher.exe", L" --ravelhost"}, false},
        {{L"--ravelhost"}, false}, // the program name is never looked at
        {{L"--ravelhost", L"play"}, false},
        {{L"launcher.exe"}, false},
    };
    for (const Case& c : cases) {
        std::vector<const wchar_t*> argv(c.arguments);
        EXPECT_EQ(HasRavelhostSwitch(static_cast<int>(argv.size()), argv.data()), c.passThrough)
            << (argv.size() > 1 ? argv[1] : argv[0]);
    }
}

TEST(StartupLogic, WindowIsCentredAndOnlyItsHeightClamped) {
    // 916 x 599 frame (900 x 560 client) on a 1920 x 1040 work area.
    WindowPlacement p = PlaceMainWindow(0, 0, 1920, 1040, 916, 599, 20);
    EXPECT_EQ(p.x, 502);
    EXPECT_EQ(p.y, 220);
    EXPECT_EQ(p.width, 916);
    EXPECT_EQ(p.height, 599);
    // Too tall: shortened to the work height less the margin and centred; too wide: width kept.
    p = PlaceMainWindow(100, 50, 800, 560, 916, 599, 20);
    EXPECT_EQ(p.height, 540);
    EXPECT_EQ(p.y, 60);
    EXPECT_EQ(p.width, 916);
    EXPECT_EQ(p.x, 42); // 100 + (800 - 916) / 2, truncated toward zero
}

TEST(Utf8, StrictAndLenientConversion) {
    struct Case {
        std::string bytes;
        std::wstring strict; // L"!" marks a strict failure
        std::wstring lenient;
    } cases[] = {
        {"", L"", L""},
        {"Play", L"Play", L"Play"},
        {"\xC3\xA9t\xC3\xA9", L"\u00e9t\u00e9", L"\u00e9t\u00e9"},
        {"\xF0\x9F\x8E\xAE", L"\xD83C\xDFAE", L"\xD83C\xDFAE"}, // outside the basic plane: a surrogate pair
        {"a\xFF"
         "b",
         L"!",
         L"a\xFFFD"
         L"b"},
        {"\xC0\xAF", L"!", L"\xFFFD\xFFFD"},                     // overlong
        {"\xED\xA0\x80", L"!", L"\xFFFD\xFFFD\xFFFD"},           // an encoded surrogate
        {"\xE2\x82", L"!", L"\xFFFD"},                           // truncated sequence
        {"\xF4\x90\x80\x80", L"!", L"\xFFFD\xFFFD\xFFFD\xFFFD"}, // above U+10FFFF
    };
    for (const Case& c : cases) {
        wchar_t out[16];
        const long long strict = Utf8ToWide(c.bytes.data(), c.bytes.size(), out, 16, true);
        if (c.strict == L"!") {
            EXPECT_EQ(strict, -1);
        } else {
            EXPECT_EQ(std::wstring(out), c.strict);
        }
        ASSERT_GE(Utf8ToWide(c.bytes.data(), c.bytes.size(), out, 16, false), 0);
        EXPECT_EQ(std::wstring(out), c.lenient);
    }
}

TEST(Utf8, CapacityCountsTheTerminator) {
    wchar_t out[4];
    EXPECT_EQ(Utf8ToWide("abc", 3, out, 4, true), 3);
    EXPECT_EQ(Utf8ToWide("abcd", 4, out, 4, true), -1);
    EXPECT_EQ(Utf8ToWide("abcd", 4, out, 4, false), -1);
    EXPECT_EQ(Utf8ToWide("\xF0\x9F\x8E\xAE", 4, out, 2, true), -1); // a pair needs two units
}

} // namespace
