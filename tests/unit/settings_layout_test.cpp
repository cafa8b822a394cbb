#include <gtest/gtest.h>
#include <array>
#include <initializer_list>
#include <memory>
#include <vector>
#include <string>
#include "settings/page_texts.h"
#include "settings/settings_geometry.h"

namespace {

// x, y, width, height: comparable and printable.
std::array<int, 4> Of(const Box& b) {
    return {b.x, b.y, b.width, b.height};
}

TEST(SettingsGeometry, PlacesEveryControlAt96And144) {
    struct Case {
        int width, height, scale;
        Box back, save, firstTab, lastTab, rowSlot0, rowSlot4, firstPreset, lastPreset, iso, folder,
            controller;
        int tabStep;
    } cases[] = {
        {900,
         560,
         96,
         {356, 490, 90, 34},
         {716, 490, 148, 34},
         {356, 198, 69, 34},
         {794, 198, 69, 34},
         {356, 244, 508, 38},
         {356, 416, 508, 38},
         {356, 317, 164, 38},
         {700, 317, 164, 38},
         {356, 298, 508, 36},
         {356, 404, 508, 36},
         {356, 429, 508, 32},
         73},
        {1350,
         840,
         144,
         {534, 735, 135, 51},
         {1074, 735, 222, 51},
         {534, 297, 103, 51},
         {1188, 297, 103, 51},
         {534, 366, 762, 57},
         {534, 624, 762, 57},
         {534, 476, 246, 57},
         {1050, 476, 246, 57},
         {534, 447, 762, 54},
         {534, 606, 762, 54},
         {534, 644, 762, 48},
         109},
    };
    for (const Case& c : cases) {
        const SettingsGeometry g = ComputeSettingsGeometry(c.width, c.height, c.scale, GraphicsTab);
        EXPECT_EQ(Of(g.back), Of(c.back)) << c.scale;
        EXPECT_EQ(Of(g.save), Of(c.save)) << c.scale;
        EXPECT_EQ(Of(g.tabs[0]), Of(c.firstTab)) << c.scale;
        EXPECT_EQ(Of(g.tabs[6]), Of(c.lastTab)) << c.scale;
        EXPECT_EQ(g.tabs[1].x - g.tabs[0].x, c.tabStep) << c.scale;
        EXPECT_EQ(Of(g.rows[InternalResolution]), Of(c.rowSlot0)) << c.scale;
        EXPECT_EQ(Of(g.rows[GameplayFrameRate]), Of(c.rowSlot4)) << c.scale;
        EXPECT_EQ(Of(g.presets[0]), Of(c.firstPreset)) << c.scale;
        EXPECT_EQ(Of(g.presets[2]), Of(c.lastPreset)) << c.scale;
        EXPECT_EQ(Of(g.selectIso), Of(c.iso)) << c.scale;
        EXPECT_EQ(Of(g.selectGameFolder), Of(c.folder)) << c.scale;
        EXPECT_EQ(Of(g.editControllerBindings), Of(c.controller)) << c.scale;
    }
}

// Which rows a tab shows is the catalogue's (and the control states' table); here, where they go.
TEST(SettingsGeometry, PlacesTheRowsOfTheActiveTabInSlotOrder) {
    for (int tab = 0; tab < kTabCount; ++tab) {
        const int* rows = nullptr;
        const int count = TabRows(tab, &rows);
        const SettingsGeometry g = ComputeSettingsGeometry(900, 560, 96, tab);
        int placed = 0;
        for (int row = 0; row < kRowCount; ++row)
            placed += g.rows[row].height != 0;
        EXPECT_EQ(placed, count) << "tab " << tab;
        for (int slot = 0; slot < count; ++slot)
            EXPECT_EQ(g.rows[rows[slot]].y, 244 + 43 * slot) << "tab " << tab;
    }
}

TEST(FormatRowCaption, NameAndLabel) {
    struct Case {
        int row, value;
        const wchar_t* expected;
    } cases[] = {
        {VSync, 1, L"VSync: On"},
        {CompilerJobs, 0, L"Compiler jobs: Auto"},
        {CompilerJobs, 16, L"Compiler jobs: 16"},
        {GameplayFrameRate, 1, L"Gameplay frame rate: Upgraded 60 FPS (experimental)"},
        {VSync, 2, L""}, // no such option
    };
    for (const Case& c : cases) {
        wchar_t caption[kRowCaptionUnits];
        FormatRowCaption(c.row, c.value, caption);
        EXPECT_STREQ(caption, c.expected);
    }
}

struct PlannedItem {
    std::wstring text;
    int top, bottom;
    SummaryColumn column;
    FontRole role;
    TextColour colour;
    bool operator==(const PlannedItem&) const = default;
};
std::ostream& operator<<(std::ostream& out, const PlannedItem& item) {
    return out << std::string(item.text.begin(), item.text.end()) << " " << item.top << "-" << item.bottom
               << " col " << static_cast<int>(item.column) << " role " << item.role << " colour "
               << static_cast<int>(item.colour);
}

std::vector<PlannedItem> Plan(const std::wstring& summary) {
    std::vector<wchar_t> work(summary.begin(), summary.end());
    work.push_back(L'\0');
    SummaryItem items[kSummaryMaxItems];
    const int count = PlanControlsSummary(work.data(), items);
    std::vector<PlannedItem> planned;
    for (int i = 0; i < count; ++i) {
        const SummaryItem& it = items[i];
        EXPECT_EQ(it.preset, it.column == SummaryColumn::Value ? TextRight : TextLeft);
        planned.push_back({it.text, it.top, it.bottom, it.column, it.role, it.colour});
    }
    return planned;
}

TEST(PlanControlsSummary, HeadingPairsAndLines) {
    using C = SummaryColumn;
    constexpr auto kGold = TextColour::Gold, kMuted = TextColour::Muted, kBright = TextColour::Bright;
    struct Case {
        const char* what;
        std::wstring summary;
        std::vector<PlannedItem> expected;
    } cases[] = {
        {"empty", L"", {}},
        {"heading, pairs, a note",
         L"Xbox controller\nJump    A\nRun  B\n\nHold to sprint",
         {{L"Xbox controller", 247, 265, C::Full, CaptionFont, kGold},
          {L"Jump", 270, 295, C::Name, BodyFont, kMuted},
          {L"A", 270, 295, C::Value, BodyFont, kBright},
          {L"Run", 295, 320, C::Name, BodyFont, kMuted},
          {L"B", 295, 320, C::Value, BodyFont, kBright},
          {L"Hold to sprint", 326, 344, C::Full, CaptionFont, kMuted}}},
        {"a first pair draws no heading; later single lines are muted",
         L"Jump  A\nnote\nnote two",
         {{L"Jump", 247, 272, C::Name, BodyFont, kMuted},
          {L"A", 247, 272, C::Value, BodyFont, kBright},
          {L"note", 272, 290, C::Full, CaptionFont, kMuted},
          {L"note two", 288, 306, C::Full, CaptionFont, kMuted}}},
        {"single blanks are one line",
         L"Jump A button",
         {{L"Jump A button", 247, 265, C::Full, CaptionFont, kGold}}},
        {"split at the first double blank, value's blanks skipped",
         L"Left stick  Move   fast",
         {{L"Left stick", 247, 272, C::Name, BodyFont, kMuted},
          {L"Move   fast", 247, 272, C::Value, BodyFont, kBright}}},
        {"empty lines count toward seven",
         L"Pad\n\n\n\n\n\nseventh\neighth",
         {{L"Pad", 247, 265, C::Full, CaptionFont, kGold},
          {L"seventh", 300, 318, C::Full, CaptionFont, kMuted}}},
        {"an empty first line is no heading", L"\nline", {{L"line", 253, 271, C::Full, CaptionFont, kMuted}}},
        {"CR stays in the text",
         L"a  b\r",
         {{L"a", 247, 272, C::Name, BodyFont, kMuted}, {L"b\r", 247, 272, C::Value, BodyFont, kBright}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Plan(c.summary), c.expected) << c.what;

    EXPECT_EQ(Plan(L"1\n2\n3\n4\n5\n6\n7\n8\n9").size(), 7u);
}

TEST(PageTexts, HintsChangeOnEveryTabAndFootersOnLocationsAndBuild) {
    for (int tab = 0; tab < kTabCount; ++tab) {
        for (int other = tab + 1; other < kTabCount; ++other)
            EXPECT_STRNE(TabHint(tab), TabHint(other));
    }
    const std::wstring common = L"Graphics and language are also available in the in-game F1 menu.";
    for (int tab : {GraphicsTab, DisplayTab, AdvancedTab, LanguageTab, ControlsTab})
        EXPECT_EQ(TabFooter(tab), common);
    EXPECT_STREQ(TabFooter(LocationsTab), L"The selected game's saves and settings will be used.");
    EXPECT_STREQ(TabFooter(BuildTab), L"Build choices apply when setup next runs.");
}

} // namespace
