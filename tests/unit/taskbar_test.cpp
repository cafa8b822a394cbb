// Taskbar progress on the real window: the error state follows a failed launch.
#include <gtest/gtest.h>
#include "launch/taskbar_progress.h"
#include "shell/helper_events.h"
#include "shell/taskbar_calls.h"
#include "window_fixture.h"

namespace {

// The launch state as the real window holds it: the error state lasts while the failure is shown.
class TaskbarWindowTest : public MainWindowTest {};

TEST_F(TaskbarWindowTest, ErrorStateFollowsTheFailedLaunchUntilTheStatusMovesOn) {
    const TaskbarProgress nothing{};
    const TaskbarProgress error{TaskbarMode::Error, kTaskbarTotal};
    // The button message reaches the window as from the shell; with the interface or without it
    // (Wine), the window goes on as before.
    SendMessageW(window_, RegisterWindowMessageW(L"TaskbarButtonCreated"), 0, 0);
    EXPECT_EQ(CurrentTaskbarProgress(), nothing);

    CompleteLaunch(2);
    EXPECT_EQ(CurrentTaskbarProgress(), error);
    SetStatus(L"Ready.");
    EXPECT_EQ(CurrentTaskbarProgress(), nothing) << "attention cleared";

    CompleteLaunch(2);
    OnHelperEnded(
        {HelperKind::SettingsOperation, LoadSettingsOperation, 1, 0}); // a settings helper has run since
    EXPECT_EQ(CurrentTaskbarProgress(), nothing);

    CompleteLaunch(2);
    OnPlay(); // refused: this folder has no interpreter
    EXPECT_EQ(gAttentionFlag, 1);
    EXPECT_EQ(CurrentTaskbarProgress(), nothing) << "a new Play ends the failed launch's error state";
    EXPECT_TRUE(IsWindow(window_));
}

} // namespace
