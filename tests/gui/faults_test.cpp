// Faults of a player's machine, played through the real program with the stand-in: an odd folder
// name, files held by other programs, helpers that crash, write garbage or go silent, and long
// sessions of failing launches and settings operations that must leave the window's resources flat.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include "driver.h"
#include "screen_reader.h"
#include "standin_record.h"

namespace {

using driver::Launcher;
using driver::PlayerFolder;
using driver::WaitUntil;
using driver::WindowText;

constexpr int kPlay = 101;
constexpr int kOpenLog = 103;
constexpr int kOutputPane = 104;
constexpr int kSettings = 106;
constexpr int kSave = 108;
constexpr int kGraphicsTab = 120;
constexpr int kControlsTab = 124;
constexpr int kLocationsTab = 126;
constexpr int kInternalResolutionRow = 201;

constexpr wchar_t kFailed[] =
    L"The game could not start or exited with an error. Check the launch details below.";
constexpr wchar_t kLoaded[] = L"Change options with Left / Right or select a row to cycle.";
constexpr wchar_t kSaved[] = L"Settings saved. They will be used the next time you launch.";
constexpr wchar_t kLockRefused[] =
    L"The launcher or an update is already running, or this folder is read-only.";

constexpr DWORD kLongWait = 60000;
const std::wstring kLog = L"private\\launcher\\latest.log";

std::wstring Status(const Launcher& launcher) {
    return WindowText(driver::StatusLine(launcher.window()));
}
std::wstring Pane(const Launcher& launcher) {
    return WindowText(launcher.Control(kOutputPane));
}
bool StatusBecomes(const Launcher& launcher, const std::wstring& text, DWORD timeoutMs = kLongWait) {
    return WaitUntil([&] { return Status(launcher) == text; }, timeoutMs);
}
std::wstring ExitCodeLine(unsigned long code) {
    return L"\r\nLauncher returned exit code " + std::to_wstring(code) + L".\r\n";
}

// The window is up and Play can be pressed.
bool Ready(Launcher& launcher) {
    return launcher.WaitForWindow() != nullptr && WaitUntil([&] {
               HWND play = launcher.Control(kPlay);
               return IsWindowVisible(play) && IsWindowEnabled(play);
           });
}

// A window that answers: no message waits longer than this, far below the probe's own time-out.
constexpr DWORD kAnswerBoundMs = 1000;
// Enough probes, 50 ms apart, to have watched the window for a while.
constexpr int kMinimumProbes = 10;

struct Answers {
    DWORD slowestMs = 0; // ~0 when the window did not answer within 5 s
    int probes = 0;
};

// How the window answered a message every 50 ms until the condition held, for at most the given
// time. The condition is timed with the probe: reading a window text waits for the window too.
Answers AnswersUntil(HWND window, const std::function<bool()>& done, DWORD forMs) {
    Answers answers;
    const ULONGLONG end = GetTickCount64() + forMs;
    for (;;) {
        const ULONGLONG start = GetTickCount64();
        const bool finished = done();
        DWORD_PTR result = 0;
        ++answers.probes;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) {
            answers.slowestMs = ~0u;
            return answers;
        }
        answers.slowestMs = std::max(answers.slowestMs, static_cast<DWORD>(GetTickCount64() - start));
        if (finished || GetTickCount64() >= end)
            return answers;
        Sleep(50);
    }
}

// The player folder named with blanks, letters outside ASCII and a character outside the BMP:
// every path the helper gets, the log, the lock, the settings and pass-through mode work there.
TEST(Faults, AFolderNamedWithBlanksAndLettersBeyondTheBmpWorksThroughout) {
    const std::wstring name = L"Spiele\\Th\u00e4rn \U0001D508mberfall";
    PlayerFolder folder(name);
    ASSERT_NE(folder.Root().find(L"\\Th\u00e4rn \U0001D508mberfall"), std::wstring::npos);
    ASSERT_TRUE(folder.Exists(L"TharnOfEmberfall.exe"));
    standin::WriteScenario(folder, L"launch",
                           "line Gr\xC3\xBC\xC3\x9F"
                           "e \xF0\x9D\x94\x88\nexit 3\n");
    standin::WriteScenario(folder, L"ravelhost", "exit 7\n");
    const std::wstring argument = L"\u00e4 \U0001D508 \\\"";
    const std::wstring interpreter = folder.PathOf(L"private\\tools\\python314\\python.exe");

    Launcher launcher(folder, L"\"\u00e4 \U0001D508 \\\\\\\"\"");
    ASSERT_TRUE(Ready(launcher));
    // The lock is held: no other program may open it.
    HANDLE lock = CreateFileW(folder.PathOf(L"private\\launcher\\session.lock").c_str(), GENERIC_READ, 0,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(lock, INVALID_HANDLE_VALUE);
    if (lock != INVALID_HANDLE_VALUE)
        CloseHandle(lock);

    launcher.Click(kPlay);
    ASSERT_TRUE(StatusBecomes(launcher, kFailed));
    EXPECT_EQ(Pane(launcher), L"Gr\u00fc\u00dfe \U0001D508\r\n" + ExitCodeLine(3));
    EXPECT_EQ(folder.ReadFile(kLog), "Gr\xC3\xBC\xC3\x9F"
                                     "e \xF0\x9D\x94\x88\n");
    EXPECT_TRUE(IsWindowEnabled(launcher.Control(kOpenLog)));

    // Settings are read and saved by the demo script, which keeps them inside the folder.
    launcher.Click(kSettings);
    ASSERT_TRUE(StatusBecomes(launcher, kLoaded));
    launcher.Click(kInternalResolutionRow);
    launcher.Click(kSave);
    ASSERT_TRUE(StatusBecomes(launcher, kSaved));
    EXPECT_NE(folder.ReadFile(L"private\\standin\\settings.txt").find("values 0 2 "), std::string::npos);
    // The locations come back with the folder's own path in them, and are taken as valid UTF-8.
    launcher.Click(kLocationsTab);
    ASSERT_TRUE(StatusBecomes(launcher, L"Choose the original ISO or an existing game installation folder."));
    EXPECT_TRUE(folder.Exists(L"game"));
    PostMessageW(launcher.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(), 0u);

    Launcher passThrough(folder, L"--ravelhost \"\u00e4 \U0001D508 \\\\\\\"\"");
    EXPECT_EQ(passThrough.WaitForExit(kLongWait), 7u);

    const std::vector<standin::Record> records = standin::ReadRecords(folder);
    const std::vector<std::string> modes = {"launch", "settings-read", "settings-save", "locations-read",
                                            "ravelhost"};
    ASSERT_EQ(records.size(), modes.size());
    for (size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(modes[i]);
        EXPECT_EQ(records[i].mode, modes[i]);
        EXPECT_EQ(records[i].cwd, folder.Root());
        ASSERT_GE(records[i].arguments.size(), 3u);
        EXPECT_EQ(records[i].arguments[0], interpreter);
    }
    EXPECT_EQ(records[0].arguments,
              (std::vector<std::wstring>{interpreter, L"-u", folder.PathOf(L"tools\\launcher_locations.py"),
                                         L"--launch", argument}));
    EXPECT_EQ(
        records[4].arguments,
        (std::vector<std::wstring>{interpreter, L"-u", folder.PathOf(L"tools\\ravelhost.py"), argument}));
}

// A launch log that cannot be written, because another program holds it without sharing or a folder
// stands in its place: the launch runs to its end without a log, and nothing pretends otherwise. The
// pane's first line says so, its start-over line after 90 KB of output does not point to a log, Open
// log stays disabled rather than showing an older launch, and the other program's file is left as it
// was. Once the log can be written again, the next launch writes it and Open log comes back.
TEST(Faults, ALogThatCannotBeWrittenIsSaidAndNoOlderLogStandsInForIt) {
    const std::wstring noLogNotice = L"Earlier output was not kept: the launch log could not be written.\r\n";
    struct Case {
        const char* name;
        std::function<HANDLE(const PlayerFolder&)> arrange; // returns a handle to hold, or null
        std::wstring firstLine;
    } cases[] = {
        {"held without sharing",
         [](const PlayerFolder& folder) {
             folder.MakeDirectory(L"private\\launcher");
             folder.WriteFile(kLog, "the previous session\n");
             return CreateFileW(folder.PathOf(kLog).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                nullptr);
         },
         L"The launch log could not be written (error 32: another program is using the file), so this "
         L"launch's output is shown only here.\r\n"},
        {"latest.log is a folder",
         [](const PlayerFolder& folder) {
             folder.MakeDirectory(kLog);
             folder.WriteFile(kLog + L"\\kept.txt", "kept");
             return static_cast<HANDLE>(nullptr);
         },
         L"The launch log could not be written (error 5: access is denied), so this launch's output is "
         L"shown only here.\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerFolder folder;
        const HANDLE held = c.arrange(folder);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        // 3000 lines of 30 bytes after the first: the pane starts over on the way.
        standin::WriteScenario(
            folder, L"launch",
            "line hello\nwait-file standin\\go\nrepeat 3000 twenty-nine bytes of output.\\n\n"
            "exit 4\n");
        Launcher launcher(folder);
        ASSERT_TRUE(Ready(launcher));
        EXPECT_EQ(IsWindowEnabled(launcher.Control(kOpenLog)) != FALSE, held != nullptr)
            << "a log file lying there at start-up can be opened";
        launcher.Click(kPlay);
        ASSERT_TRUE(WaitUntil([&] { return Pane(launcher) == c.firstLine + L"hello\r\n"; }))
            << driver::Narrow(Pane(launcher));
        EXPECT_FALSE(IsWindowEnabled(launcher.Control(kOpenLog)));

        folder.WriteFile(L"standin\\go", "");
        ASSERT_TRUE(StatusBecomes(launcher, kFailed));
        const std::wstring pane = Pane(launcher);
        EXPECT_EQ(pane.substr(0, noLogNotice.size()), noLogNotice);
        EXPECT_EQ(pane.substr(pane.size() - ExitCodeLine(4).size()), ExitCodeLine(4));
        EXPECT_FALSE(IsWindowEnabled(launcher.Control(kOpenLog)));
        EXPECT_TRUE(IsWindowEnabled(launcher.Control(kPlay)));
        if (held != nullptr) {
            CloseHandle(held);
            EXPECT_EQ(folder.ReadFile(kLog), "the previous session\n");
        } else {
            EXPECT_EQ(folder.ReadFile(kLog + L"\\kept.txt"), "kept");
            folder.Remove(kLog);
        }

        // Once the log can be written, the next launch writes it and its pane says nothing of it.
        standin::WriteScenario(folder, L"launch", "line again\nexit 3\n");
        launcher.Click(kPlay);
        ASSERT_TRUE(WaitUntil([&] { return Pane(launcher) == L"again\r\n" + ExitCodeLine(3); }, kLongWait))
            << driver::Narrow(Pane(launcher));
        EXPECT_EQ(folder.ReadFile(kLog), "again\n");
        EXPECT_TRUE(IsWindowEnabled(launcher.Control(kOpenLog)));
    }
}

// Open log when the shell cannot open the log: the status line says why, in the attention colour's
// sentence form, and nothing else changes.
TEST(Faults, AnOpenLogThatFailsSaysWhy) {
    struct Case {
        const char* name;
        bool removeLog;
        std::wstring status;
    } cases[] = {
        {"the log was removed after the launch", true,
         L"Windows could not open the launch log: the file is not there any more (error 2)."},
        {"no program is set to open .log files", false,
         L"Windows could not open the launch log: no program is set to open .log files (error 31)."},
    };
    PlayerFolder folder;
    standin::WriteScenario(folder, L"launch", "line logged\nexit 2\n");
    Launcher launcher(folder);
    ASSERT_TRUE(Ready(launcher));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        launcher.Click(kPlay);
        ASSERT_TRUE(StatusBecomes(launcher, kFailed));
        ASSERT_EQ(folder.ReadFile(kLog), "logged\n");
        if (c.removeLog)
            folder.Remove(kLog);
        const std::wstring pane = Pane(launcher);
        launcher.Click(kOpenLog);
        EXPECT_TRUE(StatusBecomes(launcher, c.status, 20000)) << driver::Narrow(Status(launcher));
        EXPECT_TRUE(IsWindowEnabled(launcher.Control(kOpenLog)));
        EXPECT_TRUE(IsWindowEnabled(launcher.Control(kPlay)));
        EXPECT_EQ(Pane(launcher), pane);
    }
}

// What start-up does with the folder it keeps its lock in: missing, it is created; when the lock
// cannot be had (another program holds it, or the folder cannot be made) or an update was broken
// off, start-up is refused with the design's message and nothing in the folder is changed.
TEST(Faults, TheLockFolderIsCreatedOrStartUpRefusedAndNothingIsLost) {
    {
        SCOPED_TRACE("private\\launcher missing");
        PlayerFolder folder;
        folder.Remove(L"private\\launcher");
        standin::WriteScenario(folder, L"launch", "line made\nexit 2\n");
        Launcher launcher(folder);
        ASSERT_TRUE(Ready(launcher));
        EXPECT_TRUE(folder.Exists(L"private\\launcher\\session.lock"));
        launcher.Click(kPlay);
        ASSERT_TRUE(StatusBecomes(launcher, kFailed));
        EXPECT_EQ(folder.ReadFile(kLog), "made\n");
    }
    struct Case {
        const char* name;
        std::function<HANDLE(const PlayerFolder&)> arrange; // returns a handle to hold, or null
        const wchar_t* left;                                // the file that must stay as it was
        std::string content;
        const wchar_t* refusal;
    } cases[] = {
        {"session.lock held by another program",
         [](const PlayerFolder& folder) {
             folder.MakeDirectory(L"private\\launcher");
             folder.WriteFile(L"private\\launcher\\session.lock", "installer");
             return CreateFileW(folder.PathOf(L"private\\launcher\\session.lock").c_str(),
                                GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         },
         L"private\\launcher\\session.lock", "installer", kLockRefused},
        {"private\\launcher is a file",
         [](const PlayerFolder& folder) {
             folder.WriteFile(L"private\\launcher", "not a folder");
             return static_cast<HANDLE>(nullptr);
         },
         L"private\\launcher", "not a folder", kLockRefused},
        {"update marker present",
         [](const PlayerFolder& folder) {
             folder.MakeDirectory(L"private\\launcher");
             folder.WriteFile(L"private\\launcher\\update-in-progress.json", "{\"step\": 3}");
             return static_cast<HANDLE>(nullptr);
         },
         L"private\\launcher\\update-in-progress.json", "{\"step\": 3}",
         L"An update was interrupted. Run the same Setup.exe with --update and this installation path to "
         L"recover."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerFolder folder;
        const HANDLE held = c.arrange(folder);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        Launcher launcher(folder);
        HWND box = launcher.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(driver::MessageBoxText(box), c.refusal);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(launcher.WaitForExit(), 1u);
        if (held != nullptr)
            CloseHandle(held);
        EXPECT_EQ(folder.ReadFile(c.left), c.content);
        EXPECT_FALSE(folder.Exists(kLog));
    }
}

// Launch output as a broken helper writes it: every byte reaches the log unchanged, and the pane
// shows each line readably, with its line break, followed by the exit code.
TEST(Faults, BrokenLaunchOutputReachesTheLogUnchangedAndThePaneReadably) {
    struct Case {
        const char* name;
        std::string scenario;
        std::string log;
        std::wstring pane;
    } cases[] = {
        {"crash in the middle of a line", "line first\nout half a li\nexit 0xC0000005\n", "first\nhalf a li",
         L"first\r\nhalf a li\r\n" + ExitCodeLine(3221225477ul) +
             L"That is Windows status 0xC0000005: a crash (access violation).\r\n"},
        {"invalid UTF-8", "line bad \\xFF\\xC3( end\\xE2\\x82\nexit 2\n", "bad \xFF\xC3( end\xE2\x82\n",
         L"bad \uFFFD\uFFFD( end\uFFFD\r\n" + ExitCodeLine(2)},
        {"NUL inside a line", "line before\\x00after\nline next\nexit 2\n",
         std::string("before\0after\nnext\n", 18), L"before\uFFFDafter\r\nnext\r\n" + ExitCodeLine(2)},
    };
    PlayerFolder folder;
    Launcher launcher(folder);
    ASSERT_TRUE(Ready(launcher));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        standin::WriteScenario(folder, L"launch", c.scenario);
        SetWindowTextW(driver::StatusLine(launcher.window()), L"");
        launcher.Click(kPlay);
        ASSERT_TRUE(StatusBecomes(launcher, kFailed));
        EXPECT_EQ(Pane(launcher), c.pane);
        EXPECT_EQ(folder.ReadFile(kLog), c.log);
    }
}

// A megabyte without a line feed: the window keeps answering, the log holds every byte and the pane
// stays bounded, ending with the last piece of the line and the exit code. The helper stays a
// moment after the flood, so that the probes watch the whole of it.
TEST(Faults, AMegabyteLineWithoutLineFeedKeepsTheWindowAnswering) {
    constexpr size_t kBytes = 1 << 20;
    PlayerFolder folder;
    standin::WriteScenario(folder, L"launch", "fill " + std::to_string(kBytes) + " 41\nsleep 2000\nexit 3\n");
    Launcher launcher(folder);
    ASSERT_TRUE(Ready(launcher));
    launcher.Click(kPlay);
    const Answers answers = AnswersUntil(
        launcher.window(), [&] { return Status(launcher) == kFailed; }, kLongWait);
    ASSERT_EQ(Status(launcher), kFailed);
    std::printf("slowest answer during a 1 MiB line: %lu ms of %d probes\n", answers.slowestMs,
                answers.probes);
    EXPECT_GE(answers.probes, kMinimumProbes);
    EXPECT_LT(answers.slowestMs, kAnswerBoundMs);
    EXPECT_EQ(folder.ReadFile(kLog), std::string(kBytes, 'A'));
    const std::wstring pane = Pane(launcher);
    EXPECT_LE(pane.size(), 65536u);
    // The line is handed over in pieces of 32767 bytes; the last one holds the remaining 32.
    EXPECT_EQ(pane.substr(pane.size() - 32 - 2 - ExitCodeLine(3).size()),
              std::wstring(32, L'A') + L"\r\n" + ExitCodeLine(3));
}

// A helper that goes silent for a long time, with its output still open or already closed: the
// window keeps answering, a close request only minimises it, and the end is seen when it comes.
// (Under Wine the host of the helper's new console holds an inherited copy of the pipe until the
// helper ends, so there the second case reads like the first; on Windows the pipe breaks early.)
TEST(Faults, ASilentHelperLeavesTheWindowAnsweringAndClosingOnlyMinimises) {
    struct Case {
        const char* name;
        const char* scenario;
        std::wstring pane;
    } cases[] = {
        {"output open", "line waiting\nwait-file standin\\go 600000\nexit 5\n",
         L"waiting\r\n" + ExitCodeLine(5)},
        {"output closed", "line closing\nclose-output\nline lost\nwait-file standin\\go 600000\nexit 5\n",
         L"closing\r\n" + ExitCodeLine(5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerFolder folder;
        standin::WriteScenario(folder, L"launch", c.scenario);
        Launcher launcher(folder);
        ASSERT_TRUE(Ready(launcher));
        HWND window = launcher.window();
        launcher.Click(kPlay);
        ASSERT_TRUE(WaitUntil([&] { return Pane(launcher).size() > 2; }));

        const Answers answers = AnswersUntil(
            window, [] { return false; }, 6000);
        std::printf("%s: slowest answer over 6 s of silence: %lu ms of %d probes\n", c.name,
                    answers.slowestMs, answers.probes);
        EXPECT_GE(answers.probes, kMinimumProbes);
        EXPECT_LT(answers.slowestMs, kAnswerBoundMs);
        EXPECT_FALSE(IsWindowEnabled(launcher.Control(kPlay)));

        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsIconic(window));
        EXPECT_FALSE(launcher.HasExited());

        folder.WriteFile(L"standin\\go", "");
        ASSERT_TRUE(StatusBecomes(launcher, kFailed));
        EXPECT_FALSE(IsIconic(window));
        EXPECT_EQ(Pane(launcher), c.pane);
    }
}

// A settings helper that breaks off or writes garbage: its own output is the alert, readable.
TEST(Faults, BrokenSettingsOutputIsShownAsTheHelperWroteIt) {
    struct Case {
        const char* name;
        const char* scenario;
        std::wstring status;
    } cases[] = {
        {"crash in the middle of the result", "out ZEV_SETTINGS 1 missing 0 1\nexit 0xC0000005\n",
         L"ZEV_SETTINGS 1 missing 0 1"},
        {"invalid UTF-8", "line Store \\xFF damaged\nexit 1\n", L"Store \uFFFD damaged\n"},
        {"closes its output and fails later", "line Store locked\nclose-output\nsleep 1500\nexit 1\n",
         L"Store locked\n"},
        {"a zero byte in its output", "line Store\\x00locked\nexit 1\n", L"Store\uFFFDlocked\n"},
    };
    PlayerFolder folder;
    Launcher launcher(folder);
    ASSERT_TRUE(Ready(launcher));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        standin::WriteScenario(folder, L"settings-read", c.scenario);
        launcher.Click(kSettings);
        ASSERT_TRUE(StatusBecomes(launcher, c.status)) << driver::Narrow(Status(launcher));
        launcher.Click(107); // Back
    }
}

// A helper's own message with an ampersand shows as written, not as a mnemonic.
TEST(Faults, AnAmpersandInAHelperMessageIsShownAsWritten) {
    PlayerFolder folder;
    standin::WriteScenario(
        folder, L"locations-read",
        "out " + driver::EscapeScenarioText("ZEV_LOCATIONS 1\nC:\\Games\nD:\\a.iso\nGraphics & sound\n") +
            "\n");
    Launcher launcher(folder);
    ASSERT_TRUE(Ready(launcher));
    launcher.Click(kSettings);
    ASSERT_TRUE(StatusBecomes(launcher, kLoaded));
    launcher.Click(kLocationsTab);
    ASSERT_TRUE(StatusBecomes(launcher, L"Graphics & sound"));
    const LONG_PTR style = GetWindowLongPtrW(driver::StatusLine(launcher.window()), GWL_STYLE);
    EXPECT_EQ(style & SS_NOPREFIX, SS_NOPREFIX);
}

// The pixels of the window's client area as the screen shows them.
std::vector<DWORD> ClientPixels(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = client.right;
    header.biHeight = -client.bottom;
    header.biPlanes = 1;
    header.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(client.right) * static_cast<size_t>(client.bottom));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(client.bottom), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// A controls summary written with CR LF looks exactly like the same summary written with LF; a
// summary of other lines looks different, so the captures show the summary at all.
TEST(Faults, AControlsSummaryWithCrLfPaintsLikeOneWithLf) {
    const std::string result = "ZEV_SETTINGS 1 missing 0 1 0 1 0 1 0 0 0 0 0 0 0 0 0\nZEV_BUILD 0 0 0\n";
    const std::string summary = "Controller: Standard gamepad\nJump  A\nAttack  X\n";
    std::string crlf;
    for (char c : summary)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string summaries[] = {summary, crlf, "Controller: Arcade stick\nBlock  B\n"};
    PlayerFolder folder;
    Launcher launcher(folder);
    ASSERT_TRUE(Ready(launcher));
    SetForegroundWindow(launcher.window());
    std::vector<DWORD> shown[3];
    for (int i = 0; i < 3; ++i) {
        standin::WriteScenario(folder, L"settings-read",
                               "out " + driver::EscapeScenarioText(result + summaries[i]) + "\n");
        launcher.Click(kSettings);
        ASSERT_TRUE(StatusBecomes(launcher, kLoaded));
        launcher.Click(kControlsTab);
        shown[i] = ClientPixels(launcher.window());
        launcher.Click(107); // Back
    }
    EXPECT_TRUE(shown[0] == shown[1]) << "CR LF paints like LF";
    EXPECT_FALSE(shown[0] == shown[2]) << "the capture shows the summary";
}

// What the window holds, read from its process handle.
struct Resources {
    DWORD handles = 0;
    DWORD threads = 0;
    SIZE_T residentKiB = 0;
    SIZE_T committedKiB = 0;
};

Resources ResourcesOf(const Launcher& launcher) {
    Resources r;
    r.handles = driver::HandleCountOf(launcher.process(), launcher.processId());
    r.threads = driver::ThreadCountOf(launcher.processId());
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(launcher.process(), &memory, sizeof memory);
    r.residentKiB = memory.WorkingSetSize / 1024;
    r.committedKiB = memory.PagefileUsage / 1024; // the private commit charge
    return r;
}

void Print(const char* what, int done, const Resources& r) {
    std::printf("%s after %3d: handles %lu, threads %lu, resident %zu KiB, committed %zu KiB\n", what, done,
                r.handles, r.threads, static_cast<size_t>(r.residentKiB),
                static_cast<size_t>(r.committedKiB));
}

// The command of a button, sent to the window as the button's press sends it; the loops below
// count the window's resources, not the button's mouse handling.
void Press(const Launcher& launcher, int id) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(launcher.window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(launcher.Control(id)), SMTO_NORMAL, 10000, &result);
}

// Runs the operation 200 times in one window; after a warm-up the figures stay where they were.
void ExpectFlatOver200(const char* what, Launcher& launcher, const std::function<void(int)>& operation) {
    constexpr int kRuns = 200;
    constexpr int kWarmUp = 20;
    Resources warm;
    for (int run = 1; run <= kRuns; ++run) {
        operation(run);
        if (testing::Test::HasFatalFailure())
            return;
        if (run == kWarmUp) {
            warm = ResourcesOf(launcher);
            Print(what, run, warm);
        }
    }
    // A thread or handle the last operation used may take a moment to go after its completion.
    Resources last;
    WaitUntil(
        [&] {
            last = ResourcesOf(launcher);
            return last.handles <= warm.handles + 4 && last.threads <= warm.threads;
        },
        5000);
    Print(what, kRuns, last);
    EXPECT_LE(last.handles, warm.handles + 4);
    EXPECT_LE(last.threads, warm.threads);
    EXPECT_GT(warm.handles, 0u);
    EXPECT_LE(last.committedKiB, warm.committedKiB + 1024);
    EXPECT_LE(last.residentKiB, warm.residentKiB + 2048);
}

TEST(Faults, TwoHundredFailingLaunchesLeaveTheWindowsResourcesFlat) {
    PlayerFolder folder;
    Launcher launcher(folder);
    ASSERT_TRUE(Ready(launcher));
    ExpectFlatOver200("launches", launcher, [&](int run) {
        standin::WriteScenario(folder, L"launch",
                               "line run " + std::to_string(run) + "\nexit " + std::to_string(run) + "\n");
        Press(launcher, kPlay);
        ASSERT_TRUE(WaitUntil(
            [&] {
                return Pane(launcher) == L"run " + std::to_wstring(run) + L"\r\n" +
                                             ExitCodeLine(static_cast<unsigned long>(run));
            },
            kLongWait))
            << run << ": " << driver::Narrow(Status(launcher)) << " | " << driver::Narrow(Pane(launcher));
        ASSERT_TRUE(IsWindowEnabled(launcher.Control(kPlay)));
    });
}

TEST(Faults, TwoHundredSettingsOperationsLeaveTheWindowsResourcesFlat) {
    PlayerFolder folder;
    standin::WriteScenario(
        folder, L"settings-save",
        "out " +
            driver::EscapeScenarioText(
                "ZEV_SETTINGS 1 missing 0 1 0 1 0 1 0 0 0 0 0 0 0 0 0\nZEV_BUILD 0 0 0\n") +
            "\n");
    standin::WriteScenario(folder, L"locations-read",
                           "out " + driver::EscapeScenarioText("ZEV_LOCATIONS 1\nC:\\Games\n\nRead.\n") +
                               "\n");
    Launcher launcher(folder);
    ASSERT_TRUE(Ready(launcher));
    Press(launcher, kSettings);
    ASSERT_TRUE(StatusBecomes(launcher, kLoaded));
    // Saves of a changed value and reads of the locations, in turn.
    ExpectFlatOver200("settings operations", launcher, [&](int run) {
        if (run % 2 == 0) {
            Press(launcher, kGraphicsTab);
            Press(launcher, kInternalResolutionRow);
            Press(launcher, kSave);
            ASSERT_TRUE(StatusBecomes(launcher, kSaved)) << run << ": " << driver::Narrow(Status(launcher));
        } else {
            Press(launcher, kLocationsTab);
            ASSERT_TRUE(StatusBecomes(launcher, L"Read.")) << run << ": " << driver::Narrow(Status(launcher));
        }
    });
}

} // namespace
