// The child runner and the output pump in-process, with the real main window and the real stand-in
// interpreter in a copy of the player folder: what a child receives, what reaches the log, the
// classifier and the capture buffer, and the state every failure leaves. The window's own timer
// drives the pump; the completions are observed instead of run, so the window stays up.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "../unit/window_fixture.h"
#include "driver.h"
#include "process/capture.h"
#include "process/command_line.h"
#include "process/helper_process.h"
#include "process/output_pump.h"
#include "shell/settings_glue.h"
#include "shell/launch_glue.h"
#include "standin_record.h"

namespace {

using driver::PlayerFolder;

enum class Completion { None, Launch, Settings };

struct Delivered {
    std::vector<std::string> lines;
    Completion completion = Completion::None;
    std::uint32_t exitCode = 0;
    size_t linesBeforeCompletion = 0;
    ULONGLONG completedAt = 0;
} gSeen;

// Set by a test that wants the lines to reach the window's classifier (and so the output pane) too.
bool gAlsoClassify = false;

void RecordLine(char* line, long long length) {
    gSeen.lines.emplace_back(line, static_cast<size_t>(length));
    if (gAlsoClassify)
        ClassifyLaunchLine(line, length);
}

void RecordEnd(const ChildEnd& end) {
    gSeen.completion = end.kind == HelperKind::Launch ? Completion::Launch : Completion::Settings;
    gSeen.exitCode = end.exitCode;
    gSeen.linesBeforeCompletion = gSeen.lines.size();
    gSeen.completedAt = GetTickCount64();
}

const wchar_t* const kLaunchVariables[] = {L"PYTHONUTF8", L"PYTHONUNBUFFERED", L"ZEV_GUI_LAUNCHER",
                                           L"ZEV_LAUNCHER_PID"};

class RunnerTest : public MainWindowTest {
  protected:
    void BeforeCreate() override {
        std::swprintf(gBaseDirectory, kPathUnits, L"%ls", player_.Root().c_str());
        std::swprintf(gLogPath, kPathUnits, L"%ls\\private\\launcher\\latest.log", gBaseDirectory);
    }

    void SetUp() override {
        MainWindowTest::SetUp();
        savedTargets_ = gPumpTargets;
        gPumpTargets = {RecordLine, RecordEnd, savedTargets_.outputWaiting}; // the window's own wake-up
        gSeen = Delivered{};
        gAlsoClassify = false;
        driver::EnableRecording(player_);
    }

    void TearDown() override {
        if (HelperRunning())
            WaitForCompletion();
        gPumpTargets = savedTargets_;
        MainWindowTest::TearDown();
        // Each test's window takes the lock in its own player folder; release it so the folder goes.
        if (gSessionLock != INVALID_HANDLE_VALUE)
            CloseHandle(gSessionLock);
        gSessionLock = INVALID_HANDLE_VALUE;
    }

    std::wstring Interpreter() const { return player_.PathOf(L"private\\tools\\python314\\python.exe"); }
    std::wstring Script() const { return player_.PathOf(L"tools\\launcher_locations.py"); }

    // Interpreter, -u, the launcher script, then the arguments.
    CommandLine& Command(const std::vector<std::wstring>& arguments) {
        ClearCommandLine(*command_);
        EXPECT_TRUE(AppendQuotedArgument(*command_, Interpreter().c_str()));
        EXPECT_TRUE(AppendArgument(*command_, L"-u"));
        EXPECT_TRUE(AppendArgument(*command_, Script().c_str()));
        for (const std::wstring& argument : arguments)
            EXPECT_TRUE(AppendArgument(*command_, argument.c_str()));
        return *command_;
    }

    bool Launch(const std::string& scenario, const std::vector<std::wstring>& arguments = {L"--launch"}) {
        driver::WriteScenario(player_, L"launch", scenario);
        gSeen = Delivered{};
        return SpawnLauncher(Interpreter().c_str(), Command(arguments).buffer);
    }

    void StartSettings(const std::wstring& mode, const std::string& scenario,
                       const std::vector<std::wstring>& arguments, int operation) {
        driver::WriteScenario(player_, mode, scenario);
        gSeen = Delivered{};
        StartSettingsHelper(Interpreter().c_str(), Command(arguments).buffer, operation,
                            L"Loading settings...");
    }

    // Lets the window's timer pump the child until it has been completed.
    bool WaitForCompletion(DWORD timeoutMs = 60000) {
        return driver::WaitUntil(
            [] {
                Pump();
                return gSeen.completion != Completion::None;
            },
            timeoutMs);
    }

    std::wstring Status() const { return driver::WindowText(gControls.statusLine); }
    std::string Log() const { return player_.ReadFile(L"private\\launcher\\latest.log"); }

    PlayerFolder player_;
    std::unique_ptr<CommandLine> command_ = std::make_unique<CommandLine>();
    PumpTargets savedTargets_{};
};

TEST_F(RunnerTest, TheLauncherGetsItsArgumentsEnvironmentAndFolderAndEveryByteReachesTheLog) {
    const std::vector<std::wstring> arguments = {L"--launch", L"plain",       LR"(C:\My Games\Tharn\)",
                                                 L"",         LR"(say "hi")", LR"(\\server\share\\)",
                                                 L"\u00e9"};
    ASSERT_TRUE(Launch("line first\nout second\\r\\n\nout third, unfinished\nexit 0\n", arguments));
    EXPECT_TRUE(HelperRunning());
    ASSERT_TRUE(WaitForCompletion());

    EXPECT_EQ(gSeen.completion, Completion::Launch);
    EXPECT_EQ(gSeen.exitCode, 0u);
    EXPECT_EQ(gSeen.lines, (std::vector<std::string>{"first", "second", "third, unfinished"}));
    EXPECT_EQ(Log(), "first\nsecond\r\nthird, unfinished");
    EXPECT_FALSE(HelperRunning());
    EXPECT_EQ(gHelper.readEnd, nullptr);
    EXPECT_EQ(gHelper.launchLog, INVALID_HANDLE_VALUE);

    const auto records = driver::ReadRecords(player_);
    ASSERT_EQ(records.size(), 1u);
    const driver::Record& record = records[0];
    EXPECT_EQ(record.mode, "launch");
    std::vector<std::wstring> expected = {Interpreter(), L"-u", Script()};
    expected.insert(expected.end(), arguments.begin(), arguments.end());
    EXPECT_TRUE(record.arguments == expected);
    EXPECT_EQ(record.cwd, player_.Root());
    EXPECT_EQ(record.Environment("PYTHONUTF8"), "1");
    EXPECT_EQ(record.Environment("PYTHONUNBUFFERED"), "1");
    EXPECT_EQ(record.Environment("ZEV_GUI_LAUNCHER"), "1");
    EXPECT_EQ(record.Environment("ZEV_LAUNCHER_PID"), std::to_string(GetCurrentProcessId()));
}

TEST_F(RunnerTest, SettingsHelpersInheritTheLaunchVariablesOnlyAfterALaunch) {
    for (const wchar_t* name : kLaunchVariables)
        SetEnvironmentVariableW(name, nullptr);
    const std::vector<std::wstring> read = {L"--settings", L"--read", L"--include-build"};
    StartSettings(L"settings-read", "exit 0\n", read, 1);
    ASSERT_TRUE(WaitForCompletion());
    ASSERT_TRUE(Launch("exit 0\n"));
    ASSERT_TRUE(WaitForCompletion());
    StartSettings(L"settings-read", "exit 0\n", read, 1);
    ASSERT_TRUE(WaitForCompletion());

    const auto records = driver::ReadRecords(player_);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].Environment("ZEV_GUI_LAUNCHER"), std::nullopt);
    EXPECT_EQ(records[0].Environment("ZEV_LAUNCHER_PID"), std::nullopt);
    EXPECT_EQ(records[2].Environment("ZEV_GUI_LAUNCHER"), "1");
    EXPECT_EQ(records[2].Environment("PYTHONUTF8"), "1");
    EXPECT_EQ(records[2].Environment("ZEV_LAUNCHER_PID"), std::to_string(GetCurrentProcessId()));
}

TEST_F(RunnerTest, ASettingsHelperRunsWithPlayDisabledAndItsOutputCaptured) {
    const std::vector<std::wstring> arguments = {L"--settings", L"--edit-controls", L"--include-build"};
    StartSettings(L"settings-edit-controls", "line ZEV_SETTINGS 1\nwait-file go-on\nfill 300000 41\nexit 0\n",
                  arguments, 6);
    ASSERT_TRUE(HelperRunning());
    EXPECT_EQ(gHelper.kind, HelperKind::SettingsOperation);
    EXPECT_EQ(gHelper.operation, 6);
    EXPECT_FALSE(IsWindowEnabled(gControls.play));
    EXPECT_FALSE(IsWindowEnabled(gControls.basicGraphics));
    EXPECT_EQ(Status(), L"Loading settings...");
    EXPECT_EQ(gAttentionFlag, 0);
    player_.WriteFile(L"go-on", "");
    ASSERT_TRUE(WaitForCompletion());

    EXPECT_EQ(gSeen.completion, Completion::Settings);
    ASSERT_EQ(gCaptureLength, 262143u);
    const std::string start = "ZEV_SETTINGS 1\n";
    EXPECT_EQ(std::string(gCaptureBuffer, start.size()), start);
    EXPECT_EQ(std::string(gCaptureBuffer + start.size(), 262143 - start.size()),
              std::string(262143 - start.size(), 'A'));
    EXPECT_EQ(gCaptureBuffer[262143], '\0');
    EXPECT_TRUE(gSeen.lines.empty());
}

TEST_F(RunnerTest, ExitCodesArriveUnchanged) {
    for (const char* code : {"0", "7", "0xC0000005", "0xFFFFFFFF"}) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(Launch(std::string("exit ") + code + "\n"));
        ASSERT_TRUE(WaitForCompletion());
        EXPECT_EQ(gSeen.exitCode, std::stoul(code, nullptr, 0));
    }
}

// The launcher writes a large burst and exits at once: whatever it wrote after the pump's last look
// at the pipe must still be read before the pipe is closed. Repeated, as the moment varies.
TEST_F(RunnerTest, AFinalBurstBeforeTheExitReachesTheLogWholeAndInOrder) {
    std::string line(99, '.');
    for (size_t i = 0; i < line.size(); ++i)
        line[i] = static_cast<char>('a' + i % 26);
    const std::string scenario =
        "line start\nrepeat 40000 " + line + "\\n\nout the end without a line feed\nexit 9\n";
    std::string expected = "start\n";
    for (int i = 0; i < 40000; ++i)
        expected += line + "\n";
    expected += "the end without a line feed";
    for (int run = 0; run < 5; ++run) {
        SCOPED_TRACE(testing::Message() << "run " << run);
        ASSERT_TRUE(Launch(scenario));
        ASSERT_TRUE(WaitForCompletion());
        EXPECT_EQ(gSeen.exitCode, 9u);
        const std::string log = Log();
        EXPECT_TRUE(log == expected) << "log of " << log.size() << " bytes, " << expected.size()
                                     << " written";
        ASSERT_EQ(gSeen.lines.size(), 40002u);
        EXPECT_EQ(gSeen.linesBeforeCompletion, 40002u);
        EXPECT_EQ(gSeen.lines.back(), "the end without a line feed");
    }
}

TEST_F(RunnerTest, AGrandchildHoldingThePipeDoesNotDelayTheCompletion) {
    // The grandchild inherits the output pipe and keeps it open for 10 s after the launcher ends.
    ASSERT_TRUE(Launch("grandchild 10000\nline done\nexit 4\n"));
    // A second reference to the read end tells, after the completion, whether a writer still held it.
    HANDLE watch = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), gHelper.readEnd, GetCurrentProcess(), &watch, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    ASSERT_TRUE(WaitForCompletion(30000));
    DWORD waiting = 0;
    EXPECT_TRUE(PeekNamedPipe(watch, nullptr, 0, nullptr, &waiting, nullptr))
        << "completed only once the grandchild had let go of the pipe";
    CloseHandle(watch);
    EXPECT_EQ(gSeen.exitCode, 4u);
    EXPECT_EQ(gSeen.lines, std::vector<std::string>{"done"});
}

// Each helper has a pipe, a process and a log: all of them go with the helper. The one reader thread
// and its events are made for the first helper and serve the rest: nothing grows with helpers.
TEST_F(RunnerTest, NoHandleOrThreadGrowsWithHelpers) {
    const std::vector<std::wstring> read = {L"--settings", L"--read", L"--include-build"};
    auto runBoth = [&] {
        ASSERT_TRUE(Launch("line some output\nout unfinished\nexit 2\n"));
        ASSERT_TRUE(WaitForCompletion());
        StartSettings(L"settings-read", "line result\nexit 0\n", read, 1);
        ASSERT_TRUE(WaitForCompletion());
    };
    runBoth(); // whatever the first runs set up for good
    const DWORD handlesBefore = driver::HandleCount();
    const DWORD threadsBefore = driver::ThreadCount();
    for (int run = 0; run < 20; ++run)
        runBoth();
    EXPECT_LE(driver::HandleCount(), handlesBefore);
    EXPECT_LE(driver::ThreadCount(), threadsBefore);
}

TEST_F(RunnerTest, ALauncherThatCannotStartLeavesAnEmptyLogAndPlayEnabled) {
    player_.WriteFile(L"private\\launcher\\latest.log", "the previous launch");
    const std::wstring missing = player_.PathOf(L"private\\tools\\python314\\missing.exe");
    // The code Windows gives for this failure, found the same way.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION unused{};
    wchar_t probe[] = L"missing.exe";
    ASSERT_FALSE(CreateProcessW(missing.c_str(), probe, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &unused));
    const DWORD code = GetLastError();

    for (const wchar_t* name : kLaunchVariables)
        SetEnvironmentVariableW(name, nullptr);
    ClearCommandLine(*command_);
    ASSERT_TRUE(AppendQuotedArgument(*command_, missing.c_str()));
    EXPECT_FALSE(SpawnLauncher(missing.c_str(), command_->buffer));

    EXPECT_EQ(Status(),
              L"Windows could not start the bundled launcher (error " + std::to_wstring(code) + L").");
    EXPECT_EQ(gAttentionFlag, 1);
    EXPECT_TRUE(player_.Exists(L"private\\launcher\\latest.log"));
    EXPECT_EQ(Log(), "");
    EXPECT_TRUE(IsWindowEnabled(gControls.play));
    EXPECT_FALSE(HelperRunning());
    EXPECT_EQ(gHelper.readEnd, nullptr);
    EXPECT_EQ(gHelper.launchLog, INVALID_HANDLE_VALUE);
    wchar_t value[32] = {};
    EXPECT_GT(GetEnvironmentVariableW(L"ZEV_GUI_LAUNCHER", value, 32), 0u) << "the variables stay set";
    // The log is closed again: another program may replace it.
    EXPECT_TRUE(DeleteFileW(gLogPath));
}

TEST_F(RunnerTest, ASettingsHelperThatCannotStartChangesNothingButTheStatus) {
    const std::wstring missing = player_.PathOf(L"private\\tools\\python314\\missing.exe");
    ClearCommandLine(*command_);
    ASSERT_TRUE(AppendQuotedArgument(*command_, missing.c_str()));
    StartSettingsHelper(missing.c_str(), command_->buffer, 3, L"Reading locations...");
    EXPECT_EQ(Status(), L"Could not load settings. Keep all launcher files together.");
    EXPECT_EQ(gAttentionFlag, 1);
    EXPECT_EQ(gHelper.kind, HelperKind::None);
    EXPECT_FALSE(HelperRunning());
    EXPECT_EQ(gHelper.readEnd, nullptr);
    EXPECT_TRUE(IsWindowEnabled(gControls.play));
}

// The launch ends with an error, so the pane is still read afterwards (after exit code 0 the window
// closes and the pane's last text is not written).
TEST_F(RunnerTest, ALogHeldByAnotherProgramLeavesTheLaunchRunningWithoutALog) {
    player_.WriteFile(L"private\\launcher\\latest.log", "held elsewhere");
    HANDLE holder = CreateFileW(gLogPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    SetWindowTextW(gControls.outputPane, L"");
    gAlsoClassify = true;
    ASSERT_TRUE(Launch("line hello from the launcher\nexit 3\n"));
    EXPECT_EQ(gHelper.launchLog, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(WaitForCompletion());
    CloseHandle(holder);
    EXPECT_EQ(gSeen.exitCode, 3u);
    EXPECT_EQ(gSeen.lines, std::vector<std::string>{"hello from the launcher"});
    EXPECT_NE(driver::WindowText(gControls.outputPane).find(L"hello from the launcher"), std::wstring::npos);
    EXPECT_EQ(Log(), "held elsewhere");
}

} // namespace
