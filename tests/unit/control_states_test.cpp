// The one rule for which controls are shown and usable, as a table of window states; no window.
#include <gtest/gtest.h>
#include <vector>
#include "settings/catalogue.h"
#include "shell/control_states.h"

namespace {

constexpr ControlState kHidden{false, false};
constexpr ControlState kShownOff{true, false};
constexpr ControlState kShownOn{true, true};

WindowState Home(HelperKind helper = HelperKind::None) {
    return {false, GraphicsTab, helper, false, false, true, false, true};
}

WindowState Page(int tab, bool loaded, HelperKind helper = HelperKind::None) {
    return {true, tab, helper, loaded, false, true, false, true};
}

TEST(ControlStates, HomePage) {
    struct Case {
        const char* what;
        WindowState state;
        ControlState play, toggle, pane, details, openLog, settings;
    };
    WindowState details = Home();
    details.detailsVisible = true;
    WindowState detailsLaunching = Home(HelperKind::Launch);
    detailsLaunching.detailsVisible = true;
    WindowState noLog = Home();
    noLog.logAvailable = false;
    const Case cases[] = {
        {"idle", Home(), kShownOn, kShownOn, {false, true}, kShownOn, kShownOn, kShownOn},
        {"no log yet", noLog, kShownOn, kShownOn, {false, true}, kShownOn, kShownOff, kShownOn},
        {"launching",
         Home(HelperKind::Launch),
         kShownOff,
         kShownOff,
         {false, true},
         kShownOn,
         kShownOn,
         kShownOff},
        {"settings helper",
         Home(HelperKind::SettingsOperation),
         kShownOff,
         kShownOff,
         {false, true},
         kShownOn,
         kShownOn,
         kShownOff},
        {"details", details, kShownOn, {false, true}, kShownOn, kShownOn, kShownOn, {false, true}},
        {"details while launching", detailsLaunching, kShownOff, kHidden, kShownOn, kShownOn, kShownOn,
         kHidden},
        {"settings page",
         Page(GraphicsTab, true),
         {false, true},
         {false, true},
         {false, true},
         {false, true},
         {false, true},
         {false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ControlStates s = ComputeControlStates(c.state);
        EXPECT_EQ(s.play, c.play);
        EXPECT_EQ(s.basicGraphics, c.toggle);
        EXPECT_EQ(s.outputPane, c.pane);
        EXPECT_EQ(s.launchDetails, c.details);
        EXPECT_EQ(s.openLog, c.openLog);
        EXPECT_EQ(s.settings, c.settings);
    }
}

TEST(ControlStates, SettingsPageShowsTheActiveTabsControls) {
    struct Case {
        int tab;
        std::vector<int> rows;
    } cases[] = {
        {GraphicsTab, {InternalResolution, ImageScaling, FsrUpscaling, TextureFiltering, GameplayFrameRate}},
        {DisplayTab, {DisplayMode, WindowResolution, VSync, PerformanceHud}},
        {AdvancedTab,
         {ReduceTextureShimmer, ReduceColourBanding, Supersampling, TextureSmoothing, LocalHdPack}},
        {LanguageTab, {LanguageVersion}},
        {ControlsTab, {}},
        {BuildTab, {CompilerJobs, BuildMemoryCap, HdProcessing}},
        {LocationsTab, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tab " << c.tab);
        const ControlStates s = ComputeControlStates(Page(c.tab, true));
        int shown = 0;
        for (const ControlState& row : s.rows)
            shown += row.visible;
        EXPECT_EQ(shown, static_cast<int>(c.rows.size()));
        for (int row : c.rows)
            EXPECT_TRUE(s.rows[row].visible) << "row " << row;
        EXPECT_EQ(s.presets[0].visible, c.tab == LanguageTab);
        EXPECT_EQ(s.selectIso.visible, c.tab == LocationsTab);
        EXPECT_EQ(s.selectGameFolder.visible, c.tab == LocationsTab);
        EXPECT_EQ(s.editControllerBindings.visible, c.tab == ControlsTab);
        EXPECT_TRUE(s.back.visible && s.save.visible && s.tabs[c.tab].visible);
    }

    const ControlStates home = ComputeControlStates(Home());
    EXPECT_FALSE(home.back.visible || home.save.visible || home.tabs[0].visible ||
                 home.rows[InternalResolution].visible || home.presets[0].visible || home.selectIso.visible ||
                 home.editControllerBindings.visible);
}

TEST(ControlStates, SettingsPageEnablesByLoadedUnsavedAndHelper) {
    enum State { Unloaded, Ready, Edited, Busy };
    struct Expected {
        bool back, save, otherTab, locationsTab, row, preset, location, controller;
    };
    struct Case {
        State state;
        Expected expected;
    } cases[] = {
        {Unloaded, {true, false, false, true, false, false, true, false}},
        {Ready, {true, false, true, true, true, true, true, true}},
        {Edited, {true, true, true, true, true, true, false, false}},
        {Busy, {false, false, false, false, false, false, false, false}},
    };
    for (const Case& c : cases) {
        // Each control is read on the tab that shows it; the enabled states do not depend on the tab.
        for (int tab : {GraphicsTab, LanguageTab, ControlsTab, LocationsTab}) {
            SCOPED_TRACE(testing::Message() << "state " << c.state << ", tab " << tab);
            WindowState state = Page(tab, c.state != Unloaded,
                                     c.state == Busy ? HelperKind::SettingsOperation : HelperKind::None);
            state.unsavedChanges = c.state == Edited;
            const ControlStates s = ComputeControlStates(state);
            const Expected& e = c.expected;
            EXPECT_EQ(s.back.enabled, e.back);
            EXPECT_EQ(s.save.enabled, e.save);
            EXPECT_EQ(s.tabs[DisplayTab].enabled, e.otherTab);
            EXPECT_EQ(s.tabs[LocationsTab].enabled, e.locationsTab);
            if (tab == GraphicsTab) {
                EXPECT_EQ(s.rows[ImageScaling].enabled, e.row);
            }
            EXPECT_EQ(s.presets[1].enabled, e.preset);
            EXPECT_EQ(s.selectIso.enabled, e.location);
            EXPECT_EQ(s.selectGameFolder.enabled, e.location);
            EXPECT_EQ(s.editControllerBindings.enabled, e.controller);
        }
    }
}

TEST(ControlStates, WindowResolutionOnlyInWindowedMode) {
    WindowState state = Page(DisplayTab, true);
    state.windowedMode = false;
    ControlStates s = ComputeControlStates(state);
    EXPECT_EQ(s.rows[WindowResolution], kShownOff);
    EXPECT_EQ(s.rows[DisplayMode], kShownOn);
    state.windowedMode = true;
    s = ComputeControlStates(state);
    EXPECT_EQ(s.rows[WindowResolution], kShownOn);
}

} // namespace
