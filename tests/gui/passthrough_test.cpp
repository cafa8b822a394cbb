// Console pass-through mode through the real executable: started with "--ravelhost" it runs the
// Ravelhost script under the bundled interpreter (the stand-in) with our own standard handles and
// ends with the script's exit code.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "driver.h"
#include "process/command_line.h"
#include "standin_record.h"

namespace {

using driver::Launcher;
using driver::PlayerFolder;

// An anonymous pipe whose child end is inheritable.
struct Pipe {
    HANDLE ours = nullptr;
    HANDLE theirs = nullptr;
    Pipe(bool childWrites) {
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        HANDLE read = nullptr, write = nullptr;
        CreatePipe(&read, &write, &inheritable, 0);
        ours = childWrites ? read : write;
        theirs = childWrites ? write : read;
        SetHandleInformation(ours, HANDLE_FLAG_INHERIT, 0);
    }
    ~Pipe() {
        if (ours != nullptr)
            CloseHandle(ours);
        if (theirs != nullptr)
            CloseHandle(theirs);
    }
    void CloseTheirs() {
        CloseHandle(theirs);
        theirs = nullptr;
    }
};

void ReadAvailable(HANDLE pipe, std::string& into) {
    DWORD waiting = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0) {
        char chunk[4096];
        DWORD read = 0;
        if (!ReadFile(pipe, chunk, std::min<DWORD>(waiting, sizeof chunk), &read, nullptr) || read == 0)
            return;
        into.append(chunk, read);
    }
}

struct Outcome {
    DWORD exitCode = STILL_ACTIVE;
    std::string out;
    std::string err;
};

// Runs the executable with the argument text and the given standard input; collects its standard
// output and error while it runs.
Outcome RunExe(const PlayerFolder& folder, const std::wstring& arguments, const std::string& input = "") {
    Pipe in(false), out(true), err(true);
    const HANDLE saved[] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
                            GetStdHandle(STD_ERROR_HANDLE)};
    SetStdHandle(STD_INPUT_HANDLE, in.theirs);
    SetStdHandle(STD_OUTPUT_HANDLE, out.theirs);
    SetStdHandle(STD_ERROR_HANDLE, err.theirs);
    auto launcher = std::make_unique<Launcher>(folder, arguments, true);
    SetStdHandle(STD_INPUT_HANDLE, saved[0]);
    SetStdHandle(STD_OUTPUT_HANDLE, saved[1]);
    SetStdHandle(STD_ERROR_HANDLE, saved[2]);
    in.CloseTheirs();
    out.CloseTheirs();
    err.CloseTheirs();
    Outcome outcome;
    EXPECT_TRUE(launcher->started());
    if (!launcher->started())
        return outcome;
    DWORD written = 0;
    if (!input.empty())
        WriteFile(in.ours, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
    CloseHandle(in.ours);
    in.ours = nullptr;
    driver::WaitUntil(
        [&] {
            ReadAvailable(out.ours, outcome.out);
            ReadAvailable(err.ours, outcome.err);
            return launcher->HasExited();
        },
        60000);
    outcome.exitCode = launcher->WaitForExit(0);
    ReadAvailable(out.ours, outcome.out);
    ReadAvailable(err.ours, outcome.err);
    return outcome;
}

// The argument text of a command line on which CommandLineToArgvW gives back exactly `arguments`.
std::wstring Quoted(const std::vector<std::wstring>& arguments) {
    auto command = std::make_unique<CommandLine>();
    ClearCommandLine(*command);
    for (const std::wstring& argument : arguments) {
        if (!AppendArgument(*command, argument.c_str()))
            ADD_FAILURE() << "test command too long";
    }
    return std::wstring(command->buffer, command->length);
}

class PassThroughTest : public testing::Test {
  protected:
    void SetUp() override { driver::EnableRecording(folder_); }

    std::wstring Interpreter() const { return folder_.PathOf(L"private\\tools\\python314\\python.exe"); }
    std::wstring Script() const { return folder_.PathOf(L"tools\\ravelhost.py"); }

    PlayerFolder folder_;
};

TEST_F(PassThroughTest, TheScriptsExitCodeBecomesOurs) {
    for (DWORD code : {0ul, 3ul, 0xC0000005ul}) {
        SCOPED_TRACE(testing::Message() << "exit code " << code);
        driver::WriteScenario(folder_, L"ravelhost", "exit " + std::to_string(code) + "\n");
        const Outcome outcome = RunExe(folder_, L"--ravelhost");
        EXPECT_EQ(outcome.exitCode, code);
        EXPECT_EQ(outcome.err, "");
    }
}

TEST_F(PassThroughTest, EveryArgumentButTheSwitchReachesTheScriptUnchangedAndInOrder) {
    driver::WriteScenario(folder_, L"ravelhost", "exit 0\n");
    const std::vector<std::wstring> given = {
        L"--ravelhost",     L"first",     LR"(C:\Games\My Folder\)", L"--ravelhost", L"",
        LR"(say "hi" \"x)", L"tab\there", L"\u00e9\u4e2d",           L"--RAVELHOST", L"--ravelhost",
        L"last\\\\"};
    const Outcome outcome = RunExe(folder_, Quoted(given));
    EXPECT_EQ(outcome.exitCode, 0u);
    const auto records = driver::ReadRecords(folder_);
    ASSERT_EQ(records.size(), 1u);
    const std::vector<std::wstring> expected = {Interpreter(),
                                                L"-u",
                                                Script(),
                                                L"first",
                                                LR"(C:\Games\My Folder\)",
                                                L"",
                                                LR"(say "hi" \"x)",
                                                L"tab\there",
                                                L"\u00e9\u4e2d",
                                                L"--RAVELHOST",
                                                L"last\\\\"};
    EXPECT_EQ(records[0].mode, "ravelhost");
    EXPECT_TRUE(records[0].arguments == expected);
    EXPECT_EQ(records[0].cwd, folder_.Root());
    // The launch variables are the window's; this mode sets none of them.
    EXPECT_EQ(records[0].Environment("ZEV_GUI_LAUNCHER"), std::nullopt);
    EXPECT_EQ(records[0].Environment("ZEV_LAUNCHER_PID"), std::nullopt);
    EXPECT_FALSE(folder_.Exists(L"private\\launcher\\latest.log"));
}

TEST_F(PassThroughTest, StandardInputReachesTheScriptAndItsOutputReachesOurs) {
    driver::WriteScenario(folder_, L"ravelhost", "echo-stdin\nerr to stderr\\n\nexit 0\n");
    const std::string input = "hello\r\nworld\n\xc3\xa9 no final line feed";
    const Outcome outcome = RunExe(folder_, L"--ravelhost", input);
    EXPECT_EQ(outcome.exitCode, 0u);
    EXPECT_EQ(outcome.out, input);
    EXPECT_EQ(outcome.err, "to stderr\n");
}

TEST_F(PassThroughTest, AnOverlongCommandLineEndsWith64AndStartsNothing) {
    driver::WriteScenario(folder_, L"ravelhost", "line should not run\nexit 0\n");
    // 12000 one-letter arguments: 24000 units as given, 48000 once each is quoted.
    std::wstring arguments = L"--ravelhost";
    for (int i = 0; i < 12000; ++i)
        arguments += L" a";
    const Outcome outcome = RunExe(folder_, arguments);
    EXPECT_EQ(outcome.exitCode, 64u);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
    EXPECT_TRUE(driver::ReadRecords(folder_).empty());
}

TEST_F(PassThroughTest, AMissingInterpreterIsReportedOnStandardErrorWithExitCode1) {
    folder_.Remove(L"private\\tools\\python314\\python.exe");
    const Outcome outcome = RunExe(folder_, L"--ravelhost");
    EXPECT_EQ(outcome.exitCode, 1u);
    EXPECT_EQ(outcome.err,
              "Cannot start Ravelhost integration. Extract the complete player ZIP, including its "
              "bundled Python and tools.\n");
    EXPECT_EQ(outcome.out, "");
}

// Nested so that the program's path fits the classic 260-unit limit and the interpreter's does not.
TEST(PassThroughLongPath, AnInterpreterPathPastTheLimitIsExplained) {
    PlayerFolder folder(235);
    const Outcome outcome = RunExe(folder, L"--ravelhost");
    EXPECT_EQ(outcome.exitCode, 1u);
    EXPECT_EQ(outcome.err,
              "Cannot start Ravelhost integration: the game folder's path is too long for Windows. "
              "Move the game folder closer to the drive root.\n");
}

TEST_F(PassThroughTest, RunsWhileAWindowOfAnotherInstanceHoldsTheLock) {
    Launcher window(folder_);
    ASSERT_NE(window.WaitForWindow(), nullptr);
    driver::WriteScenario(folder_, L"ravelhost", "exit 3\n");
    const Outcome outcome = RunExe(folder_, L"--ravelhost extra");
    EXPECT_EQ(outcome.exitCode, 3u);
    EXPECT_EQ(outcome.err, "");
    EXPECT_FALSE(window.HasExited());
}

} // namespace
