// The settings page inside the real main window, created in-process.
#include <gtest/gtest.h>
#include <windows.h>
#include <cwchar>
#include <string>
#include "process/helper_process.h"
#include "shell/settings_glue.h"
#include "shell/window_refresh.h"
#include "window_fixture.h"

namespace {

std::wstring StatusText() {
    wchar_t text[128];
    GetWindowTextW(gControls.statusLine, text, 128);
    return text;
}

RECT ClientRectOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, gMainWindow, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// With a player folder this deep, the interpreter and script paths alone overflow a command line.
TEST_F(MainWindowTest, CommandsThatDoNotFitAreReportedAndNothingStarts) {
    const std::wstring deep = L"C:\\" + std::wstring(16400, L'd');
    std::swprintf(gBaseDirectory, kPathUnits, L"%ls", deep.c_str());

    OnSettingsCommand(kIdSettings);
    EXPECT_EQ(gSettings.pageVisible, 1);
    EXPECT_EQ(StatusText(), L"The settings command is too long.");
    EXPECT_EQ(gAttentionFlag, 1);
    EXPECT_FALSE(HelperRunning());
    EXPECT_EQ(gHelper.kind, HelperKind::None);

    OnSettingsCommand(kIdFirstTab + int{LocationsTab});
    EXPECT_EQ(StatusText(), L"The location command is too long.");
    OnSettingsCommand(kIdSelectGameFolder);
    EXPECT_EQ(StatusText(), L"The location command is too long.");

    gSettings.loaded = 1;
    SetStatus(L"");
    OnSettingsCommand(kIdFirstTab + int{ControlsTab});
    EXPECT_EQ(StatusText(), L"");
    OnSettingsCommand(kIdEditControllerBindings);
    EXPECT_EQ(StatusText(), L"The controller editor command is too long.");

    gSettings.current[VSync] = 1;
    OnSettingsCommand(kIdSaveSettings);
    EXPECT_EQ(StatusText(), L"The settings command is too long.");
    EXPECT_FALSE(HelperRunning());
    EXPECT_EQ(gHelper.kind, HelperKind::None);
}

TEST_F(MainWindowTest, SettingsControlsFollowTheClientSize) {
    gSettings.pageVisible = 1;
    gSettings.loaded = 1;
    RefreshControls();
    RECT save = ClientRectOf(gControls.saveSettings);
    EXPECT_EQ(save.left, 716);
    EXPECT_EQ(save.top, 490);

    RECT frame{}, client{};
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + 200, frame.bottom - frame.top + 280,
                 SWP_NOMOVE | SWP_NOZORDER); // client 1100 x 840
    save = ClientRectOf(gControls.saveSettings);
    EXPECT_EQ(save.left, 916);
    EXPECT_EQ(save.top, 735);
    const RECT row = ClientRectOf(gControls.rows[InternalResolution]);
    EXPECT_EQ(row.top, 366);
    EXPECT_EQ(row.right - row.left, 708);
    EXPECT_TRUE(IsWindowVisible(gControls.rows[InternalResolution]));
    EXPECT_FALSE(IsWindowVisible(gControls.rows[DisplayMode]));

    gSettings.pageVisible = 0;
    RefreshControls();
    EXPECT_FALSE(IsWindowVisible(gControls.saveSettings));
    EXPECT_FALSE(IsWindowVisible(gControls.rows[InternalResolution]));
}

// The settings page's controls are not placed while hidden (at start-up that saves thirty moves), so
// a control shown after the window was resized must be placed for the size it has then.
TEST_F(MainWindowTest, HiddenControlsArePlacedWhenShown) {
    RECT save = ClientRectOf(gControls.saveSettings);
    EXPECT_EQ(save.right - save.left, 0) << "not placed while hidden";

    RECT frame{};
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + 200, frame.bottom - frame.top + 280,
                 SWP_NOMOVE | SWP_NOZORDER); // client 1100 x 840, on the home page
    gSettings.pageVisible = 1;
    gSettings.loaded = 1;
    RefreshControls();
    save = ClientRectOf(gControls.saveSettings);
    EXPECT_EQ(save.left, 916);
    EXPECT_EQ(save.top, 735);
    EXPECT_TRUE(IsWindowVisible(gControls.saveSettings));
    const RECT row = ClientRectOf(gControls.rows[InternalResolution]);
    EXPECT_EQ(row.top, 366);
    EXPECT_EQ(row.right - row.left, 708);
    gSettings.pageVisible = 0;
    RefreshControls();
}

} // namespace
