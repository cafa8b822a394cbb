// A launch driven end to end on the real program with the stand-in launcher: what the launcher
// receives, what the window shows while it runs, and how it ends.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "driver.h"
#include "standin_record.h"

namespace {

using driver::Launcher;
using driver::PlayerFolder;
using driver::WaitUntil;
using driver::WindowText;

constexpr int kPlay = 101;
constexpr int kBasicGraphics = 102;
constexpr int kOpenLog = 103;
constexpr int kOutputPane = 104;
constexpr int kLaunchDetails = 105;
constexpr int kSettings = 106;

constexpr wchar_t kChecking[] = L"Checking game files. First-time setup can take several minutes...";
constexpr wchar_t kFailed[] =
    L"The game could not start or exited with an error. Check the launch details below.";
constexpr wchar_t kGameRunning[] = L"Game running. Use F1 for settings and networking.";
constexpr wchar_t kMissing[] = L"Required launcher files are missing. Extract the entire ZIP first.";

constexpr DWORD kLongWait = 60000;

// A player folder whose launcher runs the given scenario and records what it received.
struct LaunchFixture {
    PlayerFolder folder;

    explicit LaunchFixture(const std::string& scenario) {
        standin::EnableRecording(folder);
        SetScenario(scenario);
    }
    void SetScenario(const std::string& scenario) const {
        standin::WriteScenario(folder, L"launch", scenario);
    }
    void Touch(const wchar_t* name) const { folder.WriteFile(std::wstring(L"standin\\") + name, ""); }
    std::vector<standin::Record> Records() const { return standin::ReadRecords(folder); }
};

std::wstring Status(const Launcher& launcher) {
    return WindowText(driver::StatusLine(launcher.window()));
}
std::wstring Pane(const Launcher& launcher) {
    return WindowText(launcher.Control(kOutputPane));
}

bool StatusBecomes(const Launcher& launcher, const std::wstring& text, DWORD timeoutMs = kLongWait) {
    return WaitUntil([&] { return Status(launcher) == text; }, timeoutMs);
}

// The window is up and Play can be pressed: the main window exists and Play is shown and enabled.
bool Ready(Launcher& launcher) {
    if (launcher.WaitForWindow() == nullptr)
        return false;
    return WaitUntil([&] {
        HWND play = launcher.Control(kPlay);
        return play != nullptr && IsWindowVisible(play) && IsWindowEnabled(play);
    });
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The arguments the launcher gets: interpreter, -u, script, --launch, the program's own arguments
// unchanged, then the graphics preset when the toggle was checked at Play.
TEST(Launch, LauncherReceivesTheProgramArgumentsThenTheGraphicsPreset) {
    struct Case {
        bool toggle;
        std::vector<std::wstring> tail;
    };
    const std::wstring first = L"with space \"quoted\"";
    const std::wstring second = L"C:\\games\\folder\\";
    const Case cases[] = {
        {false, {first, second}},
        {true, {first, second, L"--graphics-preset", L"original"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.toggle ? "toggle checked" : "toggle unchecked");
        LaunchFixture fixture("exit 0\n");
        Launcher launcher(fixture.folder, L"\"with space \\\"quoted\\\"\" \"C:\\games\\folder\\\\\"");
        ASSERT_TRUE(Ready(launcher));
        if (c.toggle) {
            launcher.Click(kBasicGraphics);
            ASSERT_TRUE(WaitUntil([&] {
                return SendMessageW(launcher.Control(kBasicGraphics), BM_GETCHECK, 0, 0) == BST_CHECKED;
            }));
        }
        launcher.Click(kPlay);
        ASSERT_EQ(launcher.WaitForExit(kLongWait), 0u);

        const std::vector<standin::Record> records = fixture.Records();
        ASSERT_EQ(records.size(), 1u);
        const standin::Record& record = records[0];
        EXPECT_EQ(record.mode, "launch");
        std::vector<std::wstring> expected = {fixture.folder.PathOf(L"private\\tools\\python314\\python.exe"),
                                              L"-u", fixture.folder.PathOf(L"tools\\launcher_locations.py"),
                                              L"--launch"};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(record.arguments, expected);
        EXPECT_EQ(record.Environment("ZEV_LAUNCHER_PID"), std::to_string(launcher.processId()));
        EXPECT_EQ(record.Environment("ZEV_GUI_LAUNCHER"), "1");
        EXPECT_EQ(record.Environment("PYTHONUTF8"), "1");
        EXPECT_EQ(record.Environment("PYTHONUNBUFFERED"), "1");
    }
}

// One launch through every state: launching with markers and progress, game running (minimised),
// failure (restored, details, exit code), then a second Play that clears the pane and ends with 0.
TEST(Launch, StatesFromPlayThroughGameRunningToFailureAndRelaunch) {
    LaunchFixture fixture("line Starting Tharn of Emberfall\n"
                          "wait-file standin\\go1\n"
                          "line ZEV_SETUP_PROGRESS 3 12 340 250\n"
                          "line ZEV_SETUP_MEMORY 3000 8192\n"
                          "line compiling game.c\n"
                          "wait-file standin\\go2\n"
                          "line [launcher] ZEV_LAUNCHER_GAME_STARTED\n"
                          "wait-file standin\\go3\n"
                          "out last words without line feed\n"
                          "exit 2\n");
    Launcher launcher(fixture.folder);
    ASSERT_TRUE(Ready(launcher));
    HWND window = launcher.window();
    // As from the shell once the taskbar button exists, so that the window drives the button's
    // progress through the states below (Wine has the interface). Nothing here can read the button
    // back: this shows only that driving it leaves every state below as it is; the calls that reach
    // the button in each state are checked in the unit tests, against a recording of them.
    PostMessageW(window, RegisterWindowMessageW(L"TaskbarButtonCreated"), 0, 0);

    launcher.Click(kPlay);
    ASSERT_TRUE(StatusBecomes(launcher, L"Checking your game files..."));
    EXPECT_FALSE(IsWindowEnabled(launcher.Control(kPlay)));
    EXPECT_FALSE(IsWindowEnabled(launcher.Control(kSettings)));
    EXPECT_FALSE(IsWindowEnabled(launcher.Control(kBasicGraphics)));
    EXPECT_TRUE(IsWindowEnabled(launcher.Control(kOpenLog))); // latest.log exists now

    // Play while the launcher runs changes nothing; the command is sent as the dialog manager would.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(kPlay, BN_CLICKED),
                 reinterpret_cast<LPARAM>(launcher.Control(kPlay)));
    EXPECT_EQ(Status(launcher), L"Checking your game files...");

    fixture.Touch(L"go1");
    ASSERT_TRUE(StatusBecomes(launcher, L"Compiling the native game: 12 / 340 files"));
    ASSERT_TRUE(WaitUntil([&] { return EndsWith(Pane(launcher), L"compiling game.c\r\n"); }));
    EXPECT_FALSE(IsIconic(window));

    // A close request while the launcher runs only minimises the window.
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsIconic(window));
    EXPECT_TRUE(IsWindow(window));
    ShowWindow(window, SW_RESTORE);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(window); }));

    fixture.Touch(L"go2");
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, kLongWait));
    EXPECT_EQ(Status(launcher), kGameRunning);

    fixture.Touch(L"go3");
    ASSERT_TRUE(StatusBecomes(launcher, kFailed));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(launcher.Control(kOutputPane)));
    EXPECT_EQ(WindowText(launcher.Control(kLaunchDetails)), L"Hide launch details");
    EXPECT_TRUE(IsWindowEnabled(launcher.Control(kPlay)));
    // The markers' lines and ordinary output are in the pane, the protocol lines are not.
    EXPECT_EQ(Pane(launcher), L"Starting Tharn of Emberfall\r\n"
                              L"compiling game.c\r\n"
                              L"last words without line feed\r\n"
                              L"\r\n"
                              L"Launcher returned exit code 2.\r\n");
    EXPECT_EQ(fixture.Records().size(), 1u);

    // Details hide and show again with the button naming what the next click does.
    launcher.Click(kLaunchDetails);
    ASSERT_TRUE(
        WaitUntil([&] { return WindowText(launcher.Control(kLaunchDetails)) == L"Show launch details"; }));
    EXPECT_FALSE(IsWindowVisible(launcher.Control(kOutputPane)));
    launcher.Click(kLaunchDetails);
    ASSERT_TRUE(
        WaitUntil([&] { return WindowText(launcher.Control(kLaunchDetails)) == L"Hide launch details"; }));
    EXPECT_TRUE(IsWindowVisible(launcher.Control(kOutputPane)));

    // Play again: the details stay, the pane is emptied, and a launcher ending with 0 ends the program.
    fixture.SetScenario("wait-file standin\\go4\nexit 0\n");
    launcher.Click(kPlay);
    ASSERT_TRUE(StatusBecomes(launcher, kChecking));
    EXPECT_EQ(Pane(launcher), L"");
    EXPECT_TRUE(IsWindowVisible(launcher.Control(kOutputPane)));
    fixture.Touch(L"go4");
    EXPECT_EQ(launcher.WaitForExit(kLongWait), 0u);
}

// The game-started line as the launcher's unfinished last output is still classified, and the
// completion in the same tick ends the program with 0.
TEST(Launch, UnterminatedGameStartedLineThenExitZeroEndsTheProgram) {
    LaunchFixture fixture("line setup done\nout ZEV_LAUNCHER_GAME_STARTED\nexit 0\n");
    Launcher launcher(fixture.folder);
    ASSERT_TRUE(Ready(launcher));
    launcher.Click(kPlay);
    EXPECT_EQ(launcher.WaitForExit(kLongWait), 0u);
    // The launch log holds the raw output, the game-started line included.
    EXPECT_EQ(fixture.folder.ReadFile(L"private\\launcher\\latest.log"),
              "setup done\nZEV_LAUNCHER_GAME_STARTED");
}

// The code in unsigned decimal, then the searchable status line; the log stays the launcher's own output.
TEST(Launch, ExitCodeWithTheHighBitSetIsShownUnsignedAndAsAStatus) {
    LaunchFixture fixture("line fatal error\nexit 0xC0000005\n");
    Launcher launcher(fixture.folder);
    ASSERT_TRUE(Ready(launcher));
    launcher.Click(kPlay);
    ASSERT_TRUE(StatusBecomes(launcher, kFailed));
    EXPECT_EQ(Pane(launcher), L"fatal error\r\n\r\nLauncher returned exit code 3221225477.\r\n"
                              L"That is Windows status 0xC0000005: a crash (access violation).\r\n");
    EXPECT_EQ(fixture.folder.ReadFile(L"private\\launcher\\latest.log"), "fatal error\n");
}

// Missing launcher files stop Play before anything is started or the previous log is touched.
TEST(Launch, MissingInterpreterOrScriptLeavesThePreviousLog) {
    const wchar_t* const missing[] = {L"private\\tools\\python314\\python.exe",
                                      L"tools\\launcher_locations.py"};
    for (const wchar_t* file : missing) {
        SCOPED_TRACE(driver::Narrow(file));
        LaunchFixture fixture("exit 0\n");
        fixture.folder.MakeDirectory(L"private\\launcher");
        fixture.folder.WriteFile(L"private\\launcher\\latest.log", "previous launch\n");
        fixture.folder.Remove(file);
        Launcher launcher(fixture.folder);
        ASSERT_TRUE(Ready(launcher));
        launcher.Click(kPlay);
        ASSERT_TRUE(StatusBecomes(launcher, kMissing));
        EXPECT_TRUE(IsWindowEnabled(launcher.Control(kPlay)));
        EXPECT_EQ(fixture.folder.ReadFile(L"private\\launcher\\latest.log"), "previous launch\n");
        EXPECT_TRUE(fixture.Records().empty());
    }
}

} // namespace
