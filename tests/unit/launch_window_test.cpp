// The launch glue on the real main window, in-process: what the classifier, the completion, the
// details toggle and Play's early refusals do to the window's controls.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include "shell/launch_glue.h"
#include "launch/launch_progress.h"
#include "process/command_line.h"
#include "process/helper_process.h"
#include "window_fixture.h"

namespace {

std::wstring TextOf(HWND control) {
    wchar_t text[512];
    GetWindowTextW(control, text, static_cast<int>(std::size(text)));
    return text;
}

std::wstring PaneText() {
    const int length = GetWindowTextLengthW(gControls.outputPane);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(gControls.outputPane, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void Classify(const char* line) {
    static char buffer[256];
    const std::size_t length = std::strlen(line);
    std::memcpy(buffer, line, length + 1);
    ClassifyLaunchLine(buffer, static_cast<long long>(length));
}

class LaunchWindowTest : public MainWindowTest {};

TEST_F(LaunchWindowTest, LinesReachStatusLinePaneAndWindowState) {
    SetWindowTextW(gControls.outputPane, L"");
    Classify("Starting Tharn of Emberfall");
    EXPECT_EQ(TextOf(gControls.statusLine), L"Checking your game files...");
    Classify("ZEV_SETUP_PROGRESS 3 12 340 250");
    EXPECT_EQ(TextOf(gControls.statusLine), L"Compiling the native game: 12 / 340 files");
    Classify("ZEV_SETUP_MEMORY 3000 8192");
    Classify("");
    Classify("cc -c game.c");
    EXPECT_EQ(gProgress.highestPermille, 250u);
    EXPECT_EQ(gProgress.peakCommittedMiB, 3000u);

    Classify("ZEV_LAUNCHER_GAME_STARTED");
    EXPECT_TRUE(IsIconic(window_));
    EXPECT_EQ(TextOf(gControls.statusLine), L"Game running. Use F1 for settings and networking.");
    Classify("ZEV_SETUP_PROGRESS 0 0 5 10");
    EXPECT_FALSE(IsIconic(window_));
    EXPECT_FALSE(gProgress.gameRunning);
    EXPECT_EQ(gProgress.peakCommittedMiB, 0u);
    EXPECT_EQ(TextOf(gControls.statusLine), L"Checking your original ISO: 0 / 5 steps");

    EXPECT_EQ(PaneText(), L"Starting Tharn of Emberfall\r\ncc -c game.c\r\n");
}

TEST_F(LaunchWindowTest, FailedLaunchShowsDetailsAndTheExitCodeLine) {
    SetWindowTextW(gControls.outputPane, L"error: no ISO\r\n");
    EnableWindow(gControls.play, FALSE);
    EnableWindow(gControls.openLog, FALSE);
    ShowWindow(window_, SW_MINIMIZE);
    CompleteLaunch(4294967295u);
    EXPECT_FALSE(IsIconic(window_));
    EXPECT_EQ(gAttentionFlag, 1);
    EXPECT_EQ(TextOf(gControls.statusLine),
              L"The game could not start or exited with an error. Check the launch details below.");
    EXPECT_TRUE(gLaunchDetailsVisible);
    EXPECT_EQ(TextOf(gControls.launchDetails), L"Hide launch details");
    EXPECT_TRUE(IsWindowVisible(gControls.outputPane));
    EXPECT_FALSE(IsWindowVisible(gControls.settings));
    EXPECT_TRUE(IsWindowEnabled(gControls.play));
    // Open log follows the launch's own log, and no launch has written one in this window.
    EXPECT_FALSE(IsWindowEnabled(gControls.openLog));
    EXPECT_EQ(PaneText(), L"error: no ISO\r\n\r\nLauncher returned exit code 4294967295.\r\n"
                          L"That is Windows status 0xFFFFFFFF.\r\n");

    // Already visible details stay visible; the next code line goes below.
    CompleteLaunch(1);
    EXPECT_TRUE(gLaunchDetailsVisible);
    EXPECT_EQ(PaneText(), L"error: no ISO\r\n\r\nLauncher returned exit code 4294967295.\r\n"
                          L"That is Windows status 0xFFFFFFFF.\r\n\r\nLauncher returned exit code 1.\r\n");
}

TEST_F(LaunchWindowTest, OutputThatCouldNotBeReadIsSaidBeforeTheExitCode) {
    SetWindowTextW(gControls.outputPane, L"first\r\n");
    CompleteLaunch(3, 1816);
    EXPECT_EQ(PaneText(),
              L"first\r\nThe launcher's output could not be read any further (error 1816: not enough "
              L"quota), so the rest of it is missing here and in the log.\r\n\r\nLauncher returned "
              L"exit code 3.\r\n");
}

TEST_F(LaunchWindowTest, SuccessfulLaunchDestroysTheWindow) {
    CompleteLaunch(0);
    EXPECT_FALSE(IsWindow(window_));
}

TEST_F(LaunchWindowTest, DetailsToggleNamesTheNextClick) {
    const struct {
        bool visible;
        const wchar_t* caption;
    } steps[] = {
        {true, L"Hide launch details"}, {false, L"Show launch details"}, {true, L"Hide launch details"}};
    for (const auto& step : steps) {
        OnToggleLaunchDetails();
        EXPECT_EQ(gLaunchDetailsVisible, step.visible);
        EXPECT_EQ(TextOf(gControls.launchDetails), step.caption);
        EXPECT_EQ(IsWindowVisible(gControls.outputPane) != FALSE, step.visible);
        EXPECT_EQ(IsWindowVisible(gControls.basicGraphics) != FALSE, !step.visible);
    }
}

// Play's refusals before any child is started: missing files, then a command that does not fit,
// which depends on the toggle because the preset is appended after the program's arguments.
class PlayRefusalTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        savedCount_ = gArgumentCount;
        savedArray_ = gArgumentArray;
    }
    void TearDown() override {
        // The window frees the argument array it made; give it back before it is destroyed.
        gArgumentCount = savedCount_;
        gArgumentArray = savedArray_;
        DeleteFileW(PathIn(L"private\\tools\\python314\\python.exe").c_str());
        DeleteFileW(PathIn(L"tools\\launcher_locations.py").c_str());
        MainWindowTest::TearDown();
    }
    void CreateLauncherFiles() {
        for (const wchar_t* folder :
             {L"private", L"private\\tools", L"private\\tools\\python314", L"tools"}) {
            CreateDirectoryW(PathIn(folder).c_str(), nullptr);
        }
        for (const wchar_t* file :
             {L"private\\tools\\python314\\python.exe", L"tools\\launcher_locations.py"}) {
            CloseHandle(
                CreateFileW(PathIn(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    }
    void PressPlayWith(const std::wstring& argument, bool toggle) {
        argument_ = argument;
        arguments_[0] = program_;
        arguments_[1] = argument_.data();
        gArgumentArray = arguments_;
        gArgumentCount = 2;
        SendMessageW(gControls.basicGraphics, BM_SETCHECK, toggle ? BST_CHECKED : BST_UNCHECKED, 0);
        gProgress.highestPermille = 700;
        gProgress.peakCommittedMiB = 5;
        OnPlay();
    }

    int savedCount_ = 0;
    wchar_t** savedArray_ = nullptr;
    wchar_t program_[16] = L"Tharn.exe";
    std::wstring argument_;
    wchar_t* arguments_[2] = {};
};

TEST_F(PlayRefusalTest, MissingFilesAreReportedAfterTheResets) {
    PressPlayWith(L"x", false);
    EXPECT_EQ(TextOf(gControls.statusLine),
              L"Required launcher files are missing. Extract the entire ZIP first.");
    EXPECT_EQ(gAttentionFlag, 1);
    EXPECT_EQ(gProgress.highestPermille, 0u);
    EXPECT_EQ(gProgress.peakCommittedMiB, 0u);
    EXPECT_EQ(gHelper.kind, HelperKind::None);
    EXPECT_FALSE(HelperRunning());
}

TEST_F(PlayRefusalTest, CommandTooLongOnlyWhenItsArgumentsDoNotFit) {
    CreateLauncherFiles();
    static CommandLine base;
    ClearCommandLine(base);
    ASSERT_TRUE(AppendQuotedArgument(base, PathIn(L"private\\tools\\python314\\python.exe").c_str()));
    ASSERT_TRUE(AppendArgument(base, L"-u"));
    ASSERT_TRUE(AppendArgument(base, PathIn(L"tools\\launcher_locations.py").c_str()));
    ASSERT_TRUE(AppendArgument(base, L"--launch"));
    // A separating space and two quotation marks around the program's argument; the builder keeps
    // room for an escaping backslash before an argument's last character, so a plain argument ends
    // one unit short of the bound.
    const std::size_t longestFitting = kCommandLineMaxLength - 1 - base.length - 3;

    const struct {
        std::size_t length;
        bool toggle;
        bool tooLong;
    } cases[] = {
        {longestFitting, false, false},     {longestFitting + 1, false, true}, {longestFitting, true, true},
        {longestFitting - 31, true, false}, {longestFitting - 30, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "length " << c.length << ", toggle " << c.toggle);
        DeleteFileW(gLogPath);
        PressPlayWith(std::wstring(c.length, L'a'), c.toggle);
        const std::wstring status = TextOf(gControls.statusLine);
        if (c.tooLong) {
            EXPECT_EQ(status, L"The launch command is too long.");
            EXPECT_EQ(GetFileAttributesW(gLogPath), INVALID_FILE_ATTRIBUTES);
        } else {
            // The command fits: the (empty, not runnable) interpreter file is tried and refused.
            EXPECT_EQ(status.rfind(L"Windows could not start the bundled launcher (error ", 0), 0u)
                << testing::PrintToString(status);
        }
        EXPECT_EQ(gProgress.highestPermille, 0u);
        EXPECT_EQ(gHelper.kind, HelperKind::None);
        EXPECT_FALSE(HelperRunning());
    }
    DeleteFileW(gLogPath);
}

} // namespace
