// The output pump on real pipes: a test thread writes a child's output into an anonymous pipe and
// then ends a stand-in child process with a chosen exit code, while the test ticks the window's pump
// timer handler. The launch lines and the child's end are observed through the pump's targets.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include "launch/canvas_geometry.h"
#include "launch/launch_progress.h"
#include "process/capture.h"
#include "process/helper_process.h"
#include "process/line_splitter.h"
#include "process/output_pump.h"
#include "process/pipe_reader.h"
#include "shell/helper_events.h"
#include "shell/output_pane.h"
#include "ui/drawing.h"
#include "ui/scale.h"

namespace {

enum class Completion { None, Launch, Settings };

// What the pump handed over, in order.
struct Delivered {
    std::vector<std::string> lines;
    Completion completion = Completion::None;
    std::uint32_t exitCode = 0;
    std::uint32_t readError = 0;
    int operation = 0;
    size_t linesBeforeCompletion = 0;
    bool helperIdleAtCompletion = false;
} gSeen;

void RecordLine(char* line, long long length) {
    EXPECT_EQ(line[length], '\0') << "a line is handed over zero-terminated";
    gSeen.lines.emplace_back(line, static_cast<size_t>(length));
}

void RecordEnd(const ChildEnd& end) {
    EXPECT_EQ(gSeen.completion, Completion::None) << "one completion per child";
    gSeen.completion = end.kind == HelperKind::Launch              ? Completion::Launch
                       : end.kind == HelperKind::SettingsOperation ? Completion::Settings
                                                                   : Completion::None;
    gSeen.exitCode = end.exitCode;
    gSeen.readError = end.readError;
    gSeen.operation = end.operation;
    gSeen.linesBeforeCompletion = gSeen.lines.size();
    gSeen.helperIdleAtCompletion = gHelper.process == nullptr && gHelper.readEnd == nullptr &&
                                   gHelper.launchLog == INVALID_HANDLE_VALUE &&
                                   gHelper.kind == HelperKind::None;
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// Writes a child's output into the pipe from its own thread (the writer blocks when the pipe and the
// reader's ring are full), then ends the child with its exit code.
struct Writer {
    HANDLE writeEnd;
    const std::string* bytes;
    HANDLE child;
    DWORD exitCode;
    bool closeWriteEnd; // false: the pipe stays open, as when a grandchild inherited it

    static DWORD WINAPI Run(void* context) {
        auto* self = static_cast<Writer*>(context);
        constexpr size_t kPiece = 7919; // crosses the consumer's chunks at varying places
        for (size_t at = 0; at < self->bytes->size(); at += kPiece) {
            const DWORD count = static_cast<DWORD>(std::min(kPiece, self->bytes->size() - at));
            DWORD written = 0;
            if (!WriteFile(self->writeEnd, self->bytes->data() + at, count, &written, nullptr))
                break; // nobody reads any more: the child ends as a helper whose writes fail would
        }
        TerminateProcess(self->child, self->exitCode);
        if (self->closeWriteEnd)
            CloseHandle(self->writeEnd);
        return 0;
    }
};

class OutputPumpTest : public testing::Test {
  protected:
    void SetUp() override {
        savedTargets_ = gPumpTargets;
        gPumpTargets = {RecordLine, RecordEnd, nullptr}; // the test ticks the pump itself
        gSeen = Delivered{};
        gProgress = LaunchProgress{};
        gProgress.gameRunning = true; // no progress strip unless a test asks for it
        ClearLineBuffer();
        ClearCapture();
        gUiScale = 96;
        // One window for the whole suite: showing and destroying windows is slow under Wine.
        static HWND window = CreateTestWindow();
        window_ = window;
        ASSERT_NE(window_, nullptr);
        if (IsIconic(window_))
            ShowWindow(window_, SW_SHOWNOACTIVATE);
    }

    void TearDown() override {
        if (gHelper.process != nullptr) {
            TerminateProcess(gHelper.process, 0); // never leave a suspended child behind
            EndPipeReader();                      // which then ends with it
            CloseHandle(gHelper.process);
        }
        // Closing the read end breaks a writer still blocked on a full pipe.
        if (gHelper.readEnd != nullptr)
            CloseHandle(gHelper.readEnd);
        if (thread_ != nullptr) {
            WaitForSingleObject(thread_, 30000);
            CloseHandle(thread_);
        }
        if (gHelper.launchLog != INVALID_HANDLE_VALUE)
            CloseHandle(gHelper.launchLog);
        gHelper = HelperProcess{};
        if (writerChild_ != nullptr)
            CloseHandle(writerChild_);
        if (writer_.writeEnd != nullptr && !writer_.closeWriteEnd)
            CloseHandle(writer_.writeEnd);
        thread_ = writerChild_ = nullptr;
        writer_ = Writer{};
        if (!logPath_.empty())
            DeleteFileW(logPath_.c_str());
        logPath_.clear();
        gPumpTargets = savedTargets_;
        SetPipeReadCall(nullptr);
        gProgress = LaunchProgress{};
        ClosePaneBatch(); // a tick leaves it open while a child runs
    }

    static HWND CreateTestWindow() {
        static const ATOM atom = [] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = PlainWindowProc;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"OutputPumpTestWindow";
            return RegisterClassW(&windowClass);
        }();
        if (atom == 0)
            return nullptr;
        HWND window = CreateWindowExW(0, L"OutputPumpTestWindow", L"pump", WS_OVERLAPPEDWINDOW, 0, 0, 916,
                                      600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(window, SW_SHOWNOACTIVATE);
        return window;
    }

    // A child process that never runs: started suspended, ended by the writer with the exit code.
    static HANDLE SuspendedChild() {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        wchar_t commandLine[] = L"unit_tests.exe --gtest_list_tests";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION created{};
        if (!CreateProcessW(self, commandLine, nullptr, nullptr, FALSE, CREATE_SUSPENDED | CREATE_NO_WINDOW,
                            nullptr, nullptr, &startup, &created)) {
            return nullptr;
        }
        CloseHandle(created.hThread);
        return created.hProcess;
    }

    // A launch (operation 0, with a launch log) or a settings helper whose output is `bytes`.
    void StartChild(int operation, const std::string& bytes, DWORD exitCode, bool closeWriteEnd = true) {
        bytes_ = bytes;
        gHelper.kind = operation == 0 ? HelperKind::Launch : HelperKind::SettingsOperation;
        gHelper.operation = operation;
        HANDLE readEnd = nullptr, writeEnd = nullptr;
        ASSERT_TRUE(CreateHelperPipe(&readEnd, &writeEnd));
        HANDLE child = SuspendedChild();
        ASSERT_NE(child, nullptr);
        gHelper.process = child;
        gHelper.readEnd = readEnd;
        if (operation == 0) {
            wchar_t temp[MAX_PATH], name[MAX_PATH];
            GetTempPathW(MAX_PATH, temp);
            GetTempFileNameW(temp, L"log", 0, name);
            logPath_ = name;
            gHelper.launchLog = CreateFileW(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(gHelper.launchLog, INVALID_HANDLE_VALUE);
        }
        // The writer ends the child through its own handle: the pump closes gHelper.process.
        HANDLE writerChild = nullptr;
        DuplicateHandle(GetCurrentProcess(), child, GetCurrentProcess(), &writerChild, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        writerChild_ = writerChild;
        writer_ = Writer{writeEnd, &bytes_, writerChild, exitCode, closeWriteEnd};
        StartPipeReader(child, readEnd, gHelper.launchLog);
        thread_ = CreateThread(nullptr, 0, Writer::Run, &writer_, 0, nullptr);
        ASSERT_NE(thread_, nullptr);
    }

    // Ticks the pump every millisecond until the child has been completed.
    bool TickUntilCompleted(DWORD timeoutMs = 20000) {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (gSeen.completion == Completion::None) {
            if (GetTickCount64() > deadline)
                return false;
            OnHelperTick(window_);
            Sleep(1);
        }
        return true;
    }

    std::string LogContent() const {
        std::string content;
        HANDLE file = CreateFileW(logPath_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return content;
        char chunk[65536];
        DWORD read = 0;
        while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
            content.append(chunk, read);
        CloseHandle(file);
        return content;
    }

    HWND window_ = nullptr;
    HANDLE thread_ = nullptr;
    HANDLE writerChild_ = nullptr;
    Writer writer_{};
    std::string bytes_;
    std::wstring logPath_;
    PumpTargets savedTargets_{};
};

// The lines a launch output must give, cut the way the pump cuts them: CR dropped, LF ends a line,
// 32767 bytes at most per line, an unfinished last line handed over at the end.
std::vector<std::string> ExpectedLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (char byte : bytes) {
        if (byte == '\r')
            continue;
        if (byte == '\n') {
            lines.push_back(line);
            line.clear();
            continue;
        }
        if (line.size() == 32767) {
            lines.push_back(line);
            line.clear();
        }
        line += byte;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

TEST_F(OutputPumpTest, LaunchOutputIsCutIntoLinesAndLoggedByteForByte) {
    const std::string x32767(32767, 'x');
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"LF", "alpha\nbeta\n", {"alpha", "beta"}},
        {"CR LF", "alpha\r\nbeta\r\n", {"alpha", "beta"}},
        {"CR inside a line", "al\rpha\r\r\nbe\rta\n", {"alpha", "beta"}},
        {"empty lines", "\n\r\nz\n", {"", "", "z"}},
        {"32767-byte line", x32767 + "\n", {x32767}},
        {"32768-byte line", x32767 + "y\n", {x32767, "y"}},
        {"65534 bytes then LF", x32767 + x32767 + "\n", {x32767, x32767}},
        {"unterminated last line", "one\ntwo", {"one", "two"}},
        {"lone CR at the end", "one\r", {"one"}},
        {"raw bytes", std::string("a\0b\xff\xfe\n", 6), {std::string("a\0b\xff\xfe", 5)}},
        {"nothing", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        StartChild(0, c.bytes, 0);
        ASSERT_TRUE(TickUntilCompleted());
        EXPECT_EQ(gSeen.lines, c.lines);
        EXPECT_EQ(gSeen.completion, Completion::Launch);
        EXPECT_EQ(gSeen.linesBeforeCompletion, c.lines.size())
            << "every line is classified before the completion";
        EXPECT_TRUE(gSeen.helperIdleAtCompletion);
        EXPECT_EQ(LogContent(), c.bytes);
    }
}

TEST_F(OutputPumpTest, ABigMixedOutputArrivesWholeAndInOrder) {
    std::mt19937 random(7);
    std::string bytes;
    while (bytes.size() < 3000000) {
        const int kind = std::uniform_int_distribution<int>(0, 9)(random);
        const size_t length = kind == 0 ? std::uniform_int_distribution<size_t>(30000, 70000)(random)
                                        : std::uniform_int_distribution<size_t>(0, 300)(random);
        for (size_t i = 0; i < length; ++i)
            bytes += static_cast<char>('a' + i % 26);
        bytes += kind == 1 ? "\r\n" : "\n";
    }
    bytes += "final line without a line feed";
    StartChild(0, bytes, 0);
    ASSERT_TRUE(TickUntilCompleted(60000));
    EXPECT_TRUE(gSeen.lines == ExpectedLines(bytes)) << gSeen.lines.size() << " lines";
    EXPECT_TRUE(LogContent() == bytes)
        << "log of " << LogContent().size() << " bytes, " << bytes.size() << " written";
}

TEST_F(OutputPumpTest, ExitCodesReachTheMatchingCompletionUnchanged) {
    struct Case {
        int operation;
        DWORD exitCode;
        Completion completion;
    };
    const Case cases[] = {
        {0, 0, Completion::Launch},          {0, 3, Completion::Launch},
        {0, 0xC0000005, Completion::Launch}, {0, 0xFFFFFFFF, Completion::Launch},
        {1, 0, Completion::Settings},        {6, 0x80000000, Completion::Settings},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "operation " << c.operation << ", exit code " << c.exitCode);
        TearDown();
        SetUp();
        StartChild(c.operation, "output\n", c.exitCode);
        ASSERT_TRUE(TickUntilCompleted());
        EXPECT_EQ(gSeen.completion, c.completion);
        EXPECT_EQ(gSeen.exitCode, c.exitCode);
        EXPECT_EQ(gSeen.operation, c.operation);
        EXPECT_TRUE(gSeen.helperIdleAtCompletion);
    }
}

TEST_F(OutputPumpTest, AnExitCodeThatCannotBeReadIsOne) {
    // Something that is signalled but has no exit code: the pump can only read 1.
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(CreateHelperPipe(&readEnd, &writeEnd));
    CloseHandle(writeEnd);
    gHelper.kind = HelperKind::Launch;
    gHelper.process = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    gHelper.readEnd = readEnd;
    StartPipeReader(gHelper.process, readEnd, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(TickUntilCompleted());
    EXPECT_EQ(gSeen.completion, Completion::Launch);
    EXPECT_EQ(gSeen.exitCode, 1u);
}

TEST_F(OutputPumpTest, ASettingsHelperFillsTheCaptureBufferUpToItsLimit) {
    struct Case {
        size_t written;
        size_t kept;
    };
    const Case cases[] = {{0, 0}, {100, 100}, {262143, 262143}, {262144, 262143}, {300000, 262143}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.written << " bytes written");
        TearDown();
        SetUp();
        std::string bytes(c.written, '\0');
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i % 251 + 1);
        if (!bytes.empty())
            bytes[0] = '\n';
        StartChild(2, bytes, 0);
        ASSERT_TRUE(TickUntilCompleted());
        EXPECT_EQ(gSeen.completion, Completion::Settings);
        ASSERT_EQ(gCaptureLength, c.kept);
        EXPECT_EQ(std::memcmp(gCaptureBuffer, bytes.data(), c.kept), 0);
        EXPECT_EQ(gCaptureBuffer[c.kept], '\0');
        EXPECT_TRUE(gSeen.lines.empty()) << "a settings helper's output is no launch output";
    }
}

TEST_F(OutputPumpTest, APipeKeptOpenByAGrandchildDoesNotHoldUpTheCompletion) {
    // The writer ends the child but keeps its write end, as a grandchild that inherited it would.
    StartChild(0, "last words without a line feed", 5, false);
    ASSERT_TRUE(TickUntilCompleted());
    EXPECT_EQ(gSeen.exitCode, 5u);
    EXPECT_EQ(gSeen.lines, std::vector<std::string>{"last words without a line feed"});
    EXPECT_EQ(LogContent(), "last words without a line feed");
}

TEST_F(OutputPumpTest, ElapsedSecondsAreTakenAtTheEndOfEveryChild) {
    for (int operation : {0, 1}) {
        TearDown();
        SetUp();
        gProgress.progressStarted = true;
        gProgress.startTick = GetTickCount64() - 5500;
        StartChild(operation, "", 0);
        ASSERT_TRUE(TickUntilCompleted());
        EXPECT_GE(gProgress.elapsedSeconds, 5u) << "operation " << operation;
        EXPECT_LE(gProgress.elapsedSeconds, 30u) << "operation " << operation;
    }
}

// The reader's read call, failing as told: after a number of good reads, a number of failures with
// one error code, then good reads again.
struct InjectedFailure {
    int goodReads;
    int failures;
    DWORD error;
} gInjected;

BOOL WINAPI FailingRead(HANDLE pipe, LPVOID at, DWORD wanted, LPDWORD count, LPOVERLAPPED overlapped) {
    if (gInjected.goodReads > 0) {
        --gInjected.goodReads;
    } else if (gInjected.failures > 0) {
        --gInjected.failures;
        SetLastError(gInjected.error);
        return FALSE;
    }
    return ReadFile(pipe, at, wanted, count, overlapped);
}

// A read error other than the pipe's end never becomes a hang: a passing one costs nothing, a
// persisting one is reported, the reader lets go of the pipe so that the writes of a helper that
// goes on writing fail, and the launch ends with the helper's own exit code.
TEST_F(OutputPumpTest, AReadErrorIsRetriedThenReportedAndTheLaunchEndsWithTheExitCode) {
    const std::string megabyte(1 << 20, 'm');
    // More than the pipe and two reads hold: the helper is still writing when reading fails for good.
    const std::string eightMegabytes(8 << 20, 'm');
    const std::string lines = "one\ntwo\nthree\n";
    struct Case {
        const char* name;
        InjectedFailure failure;
        const std::string* bytes;
        bool whole;             // every byte reaches the lines and the log
        std::uint32_t reported; // the error in the child's end
    } cases[] = {
        {"a few passing failures", {1, 3, ERROR_NOT_ENOUGH_QUOTA}, &megabyte, true, 0},
        {"quota short for good, eight megabytes to write",
         {2, 1000000, ERROR_NOT_ENOUGH_QUOTA},
         &eightMegabytes,
         false,
         ERROR_NOT_ENOUGH_QUOTA},
        {"invalid handle from the first read",
         {0, 1000000, ERROR_INVALID_HANDLE},
         &eightMegabytes,
         false,
         ERROR_INVALID_HANDLE},
        {"the pipe's end reported by the read", {0, 1, ERROR_BROKEN_PIPE}, &lines, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        gInjected = c.failure;
        SetPipeReadCall(FailingRead);
        StartChild(0, *c.bytes, 7);
        ASSERT_TRUE(TickUntilCompleted(60000)) << "the launch never ended";
        EXPECT_EQ(gSeen.completion, Completion::Launch);
        EXPECT_EQ(gSeen.exitCode, 7u);
        EXPECT_EQ(gSeen.readError, c.reported);
        EXPECT_TRUE(gSeen.helperIdleAtCompletion);
        if (c.whole) {
            EXPECT_TRUE(LogContent() == *c.bytes) << LogContent().size() << " bytes logged";
            EXPECT_EQ(gSeen.lines, ExpectedLines(*c.bytes));
        } else {
            EXPECT_LT(LogContent().size(), c.bytes->size());
        }
    }
}

// The canvas geometry for the test window's client area at 96 DPI.
CanvasGeometry GeometryOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return ComputeCanvasGeometry(client.right, client.bottom, 96);
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(OutputPumpTest, TicksRepaintTheProgressStripAndTheEstimateOncePerSecond) {
    // A child that runs on and has written nothing.
    HANDLE readEnd = nullptr;
    ASSERT_TRUE(CreateHelperPipe(&readEnd, &writer_.writeEnd));
    gHelper.readEnd = readEnd;
    gHelper.process = SuspendedChild();
    ASSERT_NE(gHelper.process, nullptr);
    StartPipeReader(gHelper.process, readEnd, INVALID_HANDLE_VALUE);

    struct Tick {
        const char* name;
        bool gameRunning;
        bool minimised;
        bool progressStarted;
        std::uint64_t secondsSinceStart;
        bool progressStrip;
        bool estimateStrip;
    };
    const Tick ticks[] = {
        {"setup running", false, false, false, 0, true, false},
        {"first second shown", true, false, true, 3, false, true},
        {"same second again", true, false, true, 3, false, false},
        {"both", false, false, true, 4, true, true},
        {"minimised", false, true, true, 4, false, false},
        {"minimised, next second", false, true, true, 5, false, true},
    };
    for (const Tick& t : ticks) {
        SCOPED_TRACE(t.name);
        ShowWindow(window_, t.minimised ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
        ValidateRect(window_, nullptr);
        gProgress.gameRunning = t.gameRunning;
        gProgress.progressStarted = t.progressStarted;
        gProgress.startTick = GetTickCount64() - t.secondsSinceStart * 1000 - 200;
        const std::int32_t counterBefore = gProgress.animationCounter;
        OnHelperTick(window_);
        EXPECT_EQ(gProgress.animationCounter, counterBefore + (t.progressStrip ? 1 : 0));
        if (t.progressStarted) {
            EXPECT_EQ(gProgress.lastShownSecond, t.secondsSinceStart);
        }
        if (t.minimised)
            continue; // a minimised window has no client area to compare
        RECT updated{};
        const bool any = GetUpdateRect(window_, &updated, FALSE) != FALSE;
        EXPECT_EQ(any, t.progressStrip || t.estimateStrip);
        const CanvasGeometry g = GeometryOf(window_);
        const RECT progress = ToRect(g.progressStrip);
        const RECT estimate = ToRect(g.estimateBand);
        RECT expected = t.progressStrip ? progress : estimate;
        if (t.progressStrip && t.estimateStrip)
            UnionRect(&expected, &progress, &estimate);
        if (any) {
            EXPECT_TRUE(SameRect(updated, expected));
        }
    }
}

TEST_F(OutputPumpTest, BetweenChildrenATickDoesNothing) {
    gProgress.gameRunning = false;
    gProgress.progressStarted = true;
    gProgress.startTick = GetTickCount64() - 9000;
    ValidateRect(window_, nullptr);
    OnHelperTick(window_);
    EXPECT_EQ(gProgress.animationCounter, 0);
    EXPECT_EQ(gProgress.lastShownSecond, 0u);
    RECT updated{};
    EXPECT_FALSE(GetUpdateRect(window_, &updated, FALSE));
}

} // namespace
