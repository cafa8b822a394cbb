// The element lists of the home and settings pages: what a screen reader is told and what the
// painter draws, as tables of names, roles, values, states and rectangles.
#include <gtest/gtest.h>
#include <cstdint>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>
#include "launch/canvas_geometry.h"
#include "launch/home_elements.h"
#include "settings/settings_elements.h"
#include "ui/screen_elements.h"

namespace {

struct Expected {
    ElementRole role;
    std::wstring name;
    PixelRect rect;
    std::wstring value = L"";
    unsigned state = 0;
    std::wstring description = L"";
};

std::wstring Print(const ScreenElement& e) {
    const PixelRect& r = e.rect;
    return std::to_wstring(static_cast<int>(e.role)) + L" '" + e.name + L"' value '" + e.value + L"' '" +
           e.description + L"' state " + std::to_wstring(e.state) + L" {" + std::to_wstring(r.left) + L"," +
           std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom) + L"}";
}

// The list from index `from` on is exactly the expected elements.
void ExpectElements(const ScreenElements& list, int from, const std::vector<Expected>& expected) {
    ASSERT_EQ(list.count - from, static_cast<int>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ScreenElement& e = list.items[from + static_cast<int>(i)];
        const Expected& x = expected[i];
        const bool same = e.role == x.role && e.name == x.name && e.value == x.value &&
                          e.description == x.description && e.state == x.state && e.rect == x.rect;
        EXPECT_TRUE(same) << "element " << i << ": " << testing::PrintToString(Print(e));
    }
}

constexpr ElementRole kText = ElementRole::Text;
constexpr ElementRole kBar = ElementRole::ProgressBar;
constexpr ElementRole kTab = ElementRole::PageTab;
constexpr int kFrameCount = 6;

// ---- the frame both pages show --------------------------------------------------------------------

TEST(ScreenElements, FrameTextsAt96And144) {
    struct Case {
        int width, height, scale;
        std::vector<Expected> frame;
    } cases[] = {
        {900,
         560,
         96,
         {{kText, L"OSTRAVIC", {36, 32, 284, 53}},
          {kText, L"THARN OF", {24, 320, 296, 352}},
          {kText, L"EMBERFALL", {12, 354, 308, 397}},
          {kText, L"A JOURNEY BEYOND THE EMBERS", {36, 501, 296, 526}},
          {kText, L"GAME LAUNCHER", {356, 35, 864, 59}},
          {kText, L"V1.0.0", {773, 33, 864, 58}}}},
        {1350,
         840,
         144,
         {{kText, L"OSTRAVIC", {54, 48, 426, 80}},
          {kText, L"THARN OF", {36, 480, 444, 528}},
          {kText, L"EMBERFALL", {18, 531, 462, 596}},
          {kText, L"A JOURNEY BEYOND THE EMBERS", {54, 752, 444, 789}},
          {kText, L"GAME LAUNCHER", {534, 53, 1296, 89}},
          {kText, L"V1.0.0", {1159, 50, 1296, 87}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        static ScreenElements list;
        ClearScreenElements(list);
        DescribeCanvasFrame(ComputeCanvasGeometry(c.width, c.height, c.scale), L"V1.0.0", list);
        ExpectElements(list, 0, c.frame);
        // The letter-spaced captions are spoken as words and painted spaced.
        const bool spaced[kFrameCount] = {true, true, false, false, true, false};
        for (int i = 0; i < kFrameCount; ++i)
            EXPECT_EQ(list.items[i].letterSpaced, spaced[i]) << i;
    }
}

TEST(ScreenElements, SpacedFormOfACaption) {
    const struct {
        const wchar_t* words;
        std::size_t capacity;
        const wchar_t* painted;
    } cases[] = {
        {L"OSTRAVIC", 64, L"O S T R A V I C"},
        {L"THARN OF", 64, L"T H A R N   O F"},
        {L"GAME LAUNCHER", 64, L"G A M E   L A U N C H E R"},
        {L"AB", 3, L"A "}, // cut to the capacity, always terminated
        {L"", 8, L""},
    };
    for (const auto& c : cases) {
        wchar_t out[64];
        SpaceLetters(c.words, out, c.capacity);
        EXPECT_EQ(std::wstring(out), c.painted) << testing::PrintToString(std::wstring(c.words));
    }
}

TEST(ScreenElements, StoreAndListAreBounded) {
    static ScreenElements list;
    ClearScreenElements(list);
    std::wstring longText(kElementStoreUnits + 100, L'x');
    const wchar_t* first = StoreText(list, longText.c_str());
    EXPECT_EQ(std::wstring(first).size(), kElementStoreUnits - 1) << "cut to the room there is";
    EXPECT_EQ(std::wstring(StoreText(list, L"more")), L"") << "a full store gives the empty text";
    EXPECT_EQ(std::wstring(StoreText(list, L"abcdef", 3)), L"");
    ClearScreenElements(list);
    EXPECT_EQ(std::wstring(StoreText(list, L"abcdef", 3)), L"abc");
    for (int i = 0; i < kMaxScreenElements; ++i)
        ASSERT_NE(AppendElement(list, kText, L"t", {}), nullptr);
    EXPECT_EQ(AppendElement(list, kText, L"one too many", {}), nullptr);
    EXPECT_EQ(list.count, kMaxScreenElements);
}

// ---- the home page ----------------------------------------------------------------------------------

LaunchProgress Figures(bool started, std::uint32_t permille, std::uint64_t elapsed, std::uint32_t peak,
                       std::uint32_t limit) {
    LaunchProgress p{};
    p.progressStarted = started;
    p.startTick = 1000;
    p.elapsedSeconds = elapsed;
    p.highestPermille = permille;
    p.peakCommittedMiB = peak;
    p.memoryLimitMiB = limit;
    return p;
}

TEST(ScreenElements, HomePageInEveryLaunchState) {
    const std::wstring welcome = L"Pick up where you left off. Your settings stay with you.";
    const Expected hint{kText, L"Use this if the game has trouble starting.", {403, 465, 864, 483}};
    const Expected footer{kText, L"F1 in game  /  Graphics, controls & networking", {356, 534, 864, 554}};
    const PixelRect band{356, 150, 864, 184}, track{356, 278, 864, 280};
    struct Case {
        const char* what;
        HomeView view;
        LaunchProgress progress;
        std::uint64_t nowTick;
        std::vector<Expected> page;
    } cases[] = {
        {"idle",
         {false, false, false},
         Figures(false, 0, 0, 0, 0),
         5000,
         {{kText, L"Ready to play", {356, 94, 864, 141}}, {kText, welcome, band}, hint, footer}},
        {"launching before any figure",
         {false, true, false},
         Figures(false, 0, 0, 0, 0),
         5000,
         {{kText, L"Preparing your game", {356, 94, 864, 141}},
          {kText, welcome, band},
          {kBar, L"Overall progress", track, L"", kElementIndeterminate, L"Indeterminate"},
          hint,
          footer}},
        {"launching with a figure: a running clock, the percentage as the bar's value",
         {false, true, false},
         Figures(true, 273, 0, 0, 0),
         5500,
         {{kText, L"Preparing your game", {356, 94, 864, 141}},
          {kText, L"Estimated overall: 27%  |  Elapsed: 0h 0m 4s", band},
          {kBar, L"Overall progress", track, L"27%"},
          hint,
          footer}},
        {"launching with memory figures: two lines, the second where the first ends",
         {false, true, true},
         Figures(true, 999, 0, 5120, 16384),
         3725000,
         {{kText, L"Preparing your game", {356, 94, 864, 141}},
          {kText, L"Estimated overall: 99%  |  Elapsed: 1h 2m 4s", {356, 150, 864, 169}},
          {kText, L"Peak committed: 5120 / 16384 MiB", {356, 169, 864, 184}},
          {kBar, L"Overall progress", track, L"99%"},
          footer}},
        {"after a failed launch: the frozen clock, no bar",
         {true, false, true},
         Figures(true, 600, 61, 3000, 2048),
         999999,
         {{kText, L"Launch needs attention", {356, 94, 864, 141}},
          {kText, L"Estimated overall: 60%  |  Elapsed: 0h 1m 1s", {356, 150, 864, 169}},
          {kText, L"Memory limit reached (2048 MiB)", {356, 169, 864, 184}},
          footer}},
        {"after a Play that failed before starting",
         {true, false, false},
         Figures(false, 0, 0, 0, 0),
         5000,
         {{kText, L"Launch needs attention", {356, 94, 864, 141}}, {kText, welcome, band}, hint, footer}},
    };
    const CanvasGeometry g = ComputeCanvasGeometry(900, 560, 96);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        static ScreenElements list;
        ClearScreenElements(list);
        DescribeCanvasFrame(g, L"V1.0.0", list);
        DescribeHomePage(g, c.view, c.progress, c.nowTick, 19, list);
        ExpectElements(list, kFrameCount, c.page);
        for (int i = kFrameCount; i < list.count; ++i) {
            const bool memoryLine = std::wstring(list.items[i].name).find(L"MiB") != std::wstring::npos;
            EXPECT_EQ(list.items[i].followsPrevious, memoryLine) << i;
        }
    }
}

TEST(ScreenElements, HomeTextsKeepTheirLook) {
    static ScreenElements list;
    ClearScreenElements(list);
    const CanvasGeometry g = ComputeCanvasGeometry(900, 560, 96);
    DescribeHomePage(g, {false, true, false}, Figures(true, 100, 0, 1, 0), 1000, 19, list);
    const struct {
        FontRole font;
        TextColour colour;
        TextPreset preset;
    } looks[] = {
        {HeadlineFont, TextColour::Bright, TextLeft}, // headline
        {BodyFont, TextColour::Muted, TextWrap},      // estimate
        {BodyFont, TextColour::Muted, TextWrap},      // memory
        {BodyFont, TextColour::Bright, TextLeft},     // bar (not painted as text)
        {CaptionFont, TextColour::Muted, TextWrap},   // toggle hint
        {CaptionFont, TextColour::Muted, TextLeft},   // footer
    };
    ASSERT_EQ(list.count, 6);
    for (int i = 0; i < 6; ++i) {
        if (list.items[i].role != kText)
            continue;
        EXPECT_EQ(list.items[i].font, looks[i].font) << i;
        EXPECT_EQ(list.items[i].colour, looks[i].colour) << i;
        EXPECT_EQ(list.items[i].preset, looks[i].preset) << i;
    }
}

// ---- the settings page ------------------------------------------------------------------------------

std::vector<Expected> Tabs(int active, int unavailable) {
    const wchar_t* captions[] = {L"Graphics", L"Display", L"Advanced", L"Language",
                                 L"Controls", L"Build",   L"Locations"};
    std::vector<Expected> tabs;
    for (int i = 0; i < kTabCount; ++i) {
        const unsigned state =
            (i == active ? kElementSelected : 0u) | (i == unavailable ? kElementUnavailable : 0u);
        tabs.push_back({kTab, captions[i], {356 + 73 * i, 198, 425 + 73 * i, 232}, L"", state});
    }
    return tabs;
}

TEST(ScreenElements, SettingsPageOnEveryTab) {
    const std::wstring games = L"Graphics and language are also available in the in-game F1 menu.";
    const PixelRect hintRect{356, 465, 864, 483}, footerRect{356, 534, 864, 554};
    struct Case {
        int tab;
        std::vector<Expected> content; // between the tabs and the hint
        std::wstring hint, footer;
    } cases[] = {
        {GraphicsTab, {}, L"Movies keep their original timing. FPS changes apply on launch.", games},
        {DisplayTab, {}, L"Window resolution is used in windowed mode.", games},
        {AdvancedTab, {}, L"The optional HD pack builds on Play and may take hours.", games},
        {LanguageTab,
         {{kText,
           L"Versions keep separate saves.\nJapanese voices and music stay unchanged.",
           {356, 374, 864, 447}}},
         L"Presets keep the selected language.",
         games},
        {ControlsTab,
         {{kText, L"Controller", {360, 247, 860, 265}},
          {kText, L"Jump", {360, 270, 610, 295}},
          {kText, L"A", {610, 270, 860, 295}},
          {kText, L"Single line", {360, 295, 860, 313}},
          {kText, L"Menu", {360, 317, 610, 342}},
          {kText, L"B", {610, 317, 860, 342}}},
         L"Edit and save your controller's primary and secondary inputs.",
         games},
        {BuildTab,
         {{kText,
           L"Compiler jobs are a maximum. The memory cap applies to Windows build processes. HD processing "
           L"also uses GPU memory.",
           {356, 382, 864, 447}}},
         L"Setup reports peak committed memory in the launch log.",
         L"Build choices apply when setup next runs."},
        {LocationsTab,
         {{kText, L"Original Japanese ISO", {356, 244, 864, 264}},
          {kText, L"D:\\Images\\disc.iso", {356, 267, 864, 292}},
          {kText, L"Existing game installation", {356, 350, 864, 370}},
          {kText, L"Not selected", {356, 373, 864, 398}}},
         L"Select existing files. Nothing is moved or copied.",
         L"The selected game's saves and settings will be used."},
    };
    static SettingsModel model;
    std::wcscpy(model.controlsSummary, L"Controller\nJump    A\nSingle line\n\nMenu  B");
    std::wcscpy(model.isoPath, L"D:\\Images\\disc.iso");
    model.gameFolderPath[0] = L'\0';
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab);
        model.activeTab = c.tab;
        SettingsPageView view{900, 560, 96, {true, true, true, true, true, true, true}};
        const int unavailable = (c.tab + 3) % kTabCount;
        view.tabEnabled[unavailable] = false;
        static ScreenElements list;
        ClearScreenElements(list);
        DescribeSettingsPage(model, view, list);
        std::vector<Expected> page{{kText, L"Settings", {356, 94, 864, 141}}};
        for (const Expected& tab : Tabs(c.tab, unavailable))
            page.push_back(tab);
        page.insert(page.end(), c.content.begin(), c.content.end());
        page.push_back({kText, c.hint, hintRect});
        page.push_back({kText, c.footer, footerRect});
        ExpectElements(list, 0, page);
        for (int i = 1; i <= kTabCount; ++i)
            EXPECT_EQ(list.items[i].controlId, 120 + i - 1);
    }
    EXPECT_STREQ(model.controlsSummary, L"Controller\nJump    A\nSingle line\n\nMenu  B")
        << "the summary is cut in the list's copy, never in the model";
}

TEST(ScreenElements, SettingsPageAt144) {
    static SettingsModel model;
    model.activeTab = LocationsTab;
    model.isoPath[0] = L'\0';
    SettingsPageView view{1350, 840, 144, {true, true, true, true, true, true, true}};
    static ScreenElements list;
    ClearScreenElements(list);
    DescribeSettingsPage(model, view, list);
    ASSERT_EQ(list.count, 1 + kTabCount + 4 + 2);
    EXPECT_EQ(list.items[0].rect, (PixelRect{534, 141, 1296, 212}));
    EXPECT_EQ(list.items[1].rect, (PixelRect{534, 297, 637, 348}));
    EXPECT_EQ(list.items[7].state, kElementSelected);
    EXPECT_EQ(list.items[9].rect, (PixelRect{534, 401, 1296, 438})) << "the path under its title";
}

} // namespace
