#include <gtest/gtest.h>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <iterator>
#include <memory>
#include "settings/settings_model.h"

namespace {

using Values = std::array<int, kRowCount>;

// A page that is shown and loaded, with the given values both current and saved.
std::unique_ptr<SettingsModel> LoadedModel(const Values& values) {
    auto model = std::make_unique<SettingsModel>();
    model->pageVisible = 1;
    model->loaded = 1;
    std::copy(values.begin(), values.end(), model->current);
    std::copy(values.begin(), values.end(), model->saved);
    return model;
}

Values Current(const SettingsModel& model) {
    Values values{};
    std::copy(std::begin(model.current), std::end(model.current), values.begin());
    return values;
}

TEST(CycleSetting, ClicksWrapAndKeysStopAtTheEnds) {
    struct Case {
        int row, start, delta;
        bool stored;
        int expected;
    } cases[] = {
        {CompilerJobs, 16, 0, true, 0},    // "16" -> "Auto"
        {CompilerJobs, 16, +1, false, 16}, // Right at the last option
        {CompilerJobs, 0, -1, false, 0},   // Left at "Auto"
        {CompilerJobs, 0, +1, true, 1},      {CompilerJobs, 5, -1, true, 4},
        {InternalResolution, 3, 0, true, 0}, // 4x -> 1x
        {InternalResolution, 1, 0, true, 2}, {ImageScaling, 2, +1, false, 2},
        {GameplayFrameRate, 1, -1, true, 0}, {HdProcessing, 2, 0, true, 0},
        {LanguageVersion, 0, 0, true, 1},
    };
    for (const Case& c : cases) {
        Values values{};
        values[c.row] = c.start;
        auto model = LoadedModel(values);
        EXPECT_EQ(CycleSetting(*model, c.row, c.delta, false), c.stored) << c.row << " from " << c.start;
        EXPECT_EQ(model->current[c.row], c.expected) << c.row << " from " << c.start;
        EXPECT_EQ(model->saved[c.row], c.start);
    }
}

TEST(CycleSetting, DoesNothingWhileHiddenUnloadedOrBusy) {
    struct Case {
        const char* what;
        bool pageVisible, loaded, helperRunning;
    } cases[] = {
        {"page hidden", false, true, false},
        {"not loaded", true, false, false},
        {"helper running", true, true, true},
    };
    for (const Case& c : cases) {
        auto model = LoadedModel(Values{});
        model->pageVisible = c.pageVisible;
        model->loaded = c.loaded;
        for (int delta : {0, -1, +1}) {
            EXPECT_FALSE(CycleSetting(*model, VSync, delta, c.helperRunning)) << c.what;
        }
        EXPECT_EQ(model->current[VSync], 0) << c.what;
    }
}

TEST(CycleSetting, WindowResolutionOnlyInWindowedMode) {
    Values values{};
    values[DisplayMode] = 1;
    values[WindowResolution] = 2;
    auto model = LoadedModel(values);
    for (int delta : {0, -1, +1})
        EXPECT_FALSE(CycleSetting(*model, WindowResolution, delta, false)) << delta;
    EXPECT_EQ(model->current[WindowResolution], 2);

    ASSERT_TRUE(CycleSetting(*model, DisplayMode, 0, false)); // back to "Windowed"
    EXPECT_EQ(model->current[DisplayMode], 0);
    EXPECT_TRUE(CycleSetting(*model, WindowResolution, +1, false));
    EXPECT_EQ(model->current[WindowResolution], 3);
    EXPECT_TRUE(CycleSetting(*model, WindowResolution, 0, false));
    EXPECT_EQ(model->current[WindowResolution], 4);
}

TEST(ApplyPreset, WritesThePresetTable) {
    // Every row away from what any preset writes, so "unchanged" and "reset" can be told apart.
    const Values before = {1, 2, 1, 4, 2, 0, 1, 0, 1, 0, 0, 0, 5, 1, 1, 7, 3, 2};
    struct Case {
        int preset;
        Values expected;
    } cases[] = {
        {OriginalPreset, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 3, 2}},
        {BalancedPreset, {1, 1, 1, 4, 0, 1, 1, 0, 2, 0, 0, 0, 0, 1, 1, 7, 3, 2}},
        {HighQualityPreset, {1, 3, 1, 4, 2, 0, 1, 1, 4, 1, 1, 1, 3, 1, 1, 7, 3, 2}},
    };
    for (const Case& c : cases) {
        auto model = LoadedModel(before);
        ApplyPreset(*model, c.preset);
        EXPECT_EQ(Current(*model), c.expected) << "preset " << c.preset;
        ApplyPreset(*model, c.preset); // applying it again changes nothing further
        EXPECT_EQ(Current(*model), c.expected) << "preset " << c.preset << " twice";
    }
}

TEST(ApplyPreset, HighQualityKeepsScalingAndVSyncWhateverTheyAre) {
    for (int scaling = 0; scaling < 3; ++scaling) {
        for (int vsync = 0; vsync < 2; ++vsync) {
            Values values{};
            values[ImageScaling] = scaling;
            values[VSync] = vsync;
            auto model = LoadedModel(values);
            ApplyPreset(*model, HighQualityPreset);
            EXPECT_EQ(model->current[ImageScaling], scaling);
            EXPECT_EQ(model->current[VSync], vsync);
        }
    }
}

TEST(HasUnsavedChanges, ComparesAllEighteenValuesWhileLoaded) {
    auto model = LoadedModel(Values{});
    EXPECT_FALSE(HasUnsavedChanges(*model));

    for (int row = 0; row < kRowCount; ++row) { // each row alone, then cycled back
        ASSERT_TRUE(CycleSetting(*model, row, +1, false)) << row;
        EXPECT_TRUE(HasUnsavedChanges(*model)) << row;
        ASSERT_TRUE(CycleSetting(*model, row, -1, false)) << row;
        EXPECT_FALSE(HasUnsavedChanges(*model)) << row;
    }

    ASSERT_TRUE(CycleSetting(*model, VSync, 0, false));
    ASSERT_TRUE(CycleSetting(*model, VSync, 0, false)); // a click wraps back to the saved value
    EXPECT_FALSE(HasUnsavedChanges(*model));

    model->current[LanguageVersion] = 1;
    EXPECT_TRUE(HasUnsavedChanges(*model));
    model->loaded = 0;
    EXPECT_FALSE(HasUnsavedChanges(*model)); // nothing to save before a read succeeded
}

TEST(DiscardEdits, RestoresEverySavedValue) {
    const Values saved = {1, 2, 1, 4, 2, 0, 1, 0, 1, 0, 0, 0, 5, 1, 1, 7, 3, 2};
    auto model = LoadedModel(saved);
    ApplyPreset(*model, OriginalPreset);
    model->current[CompilerJobs] = 16;
    DiscardEdits(*model);
    EXPECT_EQ(Current(*model), saved);
    EXPECT_FALSE(HasUnsavedChanges(*model));
}

} // namespace
