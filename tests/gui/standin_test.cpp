// The stand-in interpreter on its own: started directly with pipes, as the window starts it, it
// must choose its mode, record what it received, play scenarios byte for byte and, without a
// scenario, behave like a real installation.
#include "driver.h"
#include "standin_record.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <functional>

using namespace driver;

namespace {

using EnvironmentChanges = std::map<std::wstring, std::optional<std::wstring>>;

constexpr DWORD kExitTimeoutMs = 120000;
constexpr int kValueCount = 18;
constexpr int kRowCounts[kValueCount] = {2, 4, 2, 6, 3, 2, 2, 2, 5, 2, 2, 2, 6, 2, 2, 17, 8, 3};

bool SameName(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towupper(x) == std::towupper(y);
           });
}

// This process's environment with the changes applied (nullopt removes a variable).
std::vector<wchar_t> EnvironmentBlock(const EnvironmentChanges& changes) {
    std::vector<wchar_t> block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        const std::wstring name = text.substr(0, text.find(L'=', 1));
        const bool changed = std::any_of(changes.begin(), changes.end(),
                                         [&](const auto& change) { return SameName(change.first, name); });
        if (!changed)
            block.insert(block.end(), text.c_str(), text.c_str() + text.size() + 1);
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : changes) {
        if (!value)
            continue;
        const std::wstring text = name + L"=" + *value;
        block.insert(block.end(), text.c_str(), text.c_str() + text.size() + 1);
    }
    block.push_back(L'\0');
    return block;
}

struct PipeEnd {
    HANDLE handle = nullptr;
    std::string bytes;
    HANDLE thread = nullptr;
};

DWORD WINAPI DrainPipe(void* context) {
    auto* end = static_cast<PipeEnd*>(context);
    char chunk[65536];
    DWORD read = 0;
    while (ReadFile(end->handle, chunk, sizeof chunk, &read, nullptr) && read > 0)
        end->bytes.append(chunk, read);
    return 0;
}

DWORD WINAPI FeedPipe(void* context) {
    auto* end = static_cast<PipeEnd*>(context);
    size_t done = 0;
    DWORD written = 0;
    while (done < end->bytes.size() &&
           WriteFile(end->handle, end->bytes.data() + done, static_cast<DWORD>(end->bytes.size() - done),
                     &written, nullptr)) {
        done += written;
    }
    CloseHandle(end->handle);
    end->handle = nullptr;
    return 0;
}

// A pipe whose child end is inheritable and whose own end is not, so only the child holds it.
bool MakePipe(HANDLE& ours, HANDLE& child, bool childReads) {
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &security, 0))
        return false;
    ours = childReads ? write : read;
    child = childReads ? read : write;
    SetHandleInformation(ours, HANDLE_FLAG_INHERIT, 0);
    return true;
}

// python.exe of a player folder started with the interpreter's "-u" form (or any other),
// standard input, output and error on pipes, working directory = the player folder.
class StandinProcess {
  public:
    StandinProcess(const PlayerFolder& folder, const std::vector<std::wstring>& arguments,
                   const std::string& input = {}, const EnvironmentChanges& environment = {},
                   DWORD consoleFlag = CREATE_NO_WINDOW) {
        const std::wstring exe = folder.PathOf(L"private\\tools\\python314\\python.exe");
        std::wstring commandLine = QuoteArgument(exe);
        for (const std::wstring& argument : arguments)
            commandLine += L" " + QuoteArgument(argument);
        HANDLE childIn = nullptr;
        HANDLE childOut = nullptr;
        HANDLE childErr = nullptr;
        if (!MakePipe(in_.handle, childIn, true) || !MakePipe(out_.handle, childOut, false) ||
            !MakePipe(err_.handle, childErr, false)) {
            return;
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childIn;
        startup.hStdOutput = childOut;
        startup.hStdError = childErr;
        std::vector<wchar_t> environmentBlock = EnvironmentBlock(environment);
        PROCESS_INFORMATION info{};
        if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                           consoleFlag | CREATE_UNICODE_ENVIRONMENT, environmentBlock.data(),
                           folder.Root().c_str(), &startup, &info)) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
            processId_ = info.dwProcessId;
        }
        CloseHandle(childIn);
        CloseHandle(childOut);
        CloseHandle(childErr);
        in_.bytes = input;
        in_.thread = CreateThread(nullptr, 0, FeedPipe, &in_, 0, nullptr);
        out_.thread = CreateThread(nullptr, 0, DrainPipe, &out_, 0, nullptr);
        err_.thread = CreateThread(nullptr, 0, DrainPipe, &err_, 0, nullptr);
    }

    ~StandinProcess() {
        if (process_ != nullptr) {
            if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0)
                TerminateProcess(process_, 99);
            CloseHandle(process_);
        }
        for (PipeEnd* end : {&in_, &out_, &err_}) {
            if (end->thread != nullptr) {
                if (WaitForSingleObject(end->thread, 10000) != WAIT_OBJECT_0)
                    CancelSynchronousIo(end->thread);
                WaitForSingleObject(end->thread, 5000);
                CloseHandle(end->thread);
            }
            if (end->handle != nullptr)
                CloseHandle(end->handle);
        }
    }

    StandinProcess(const StandinProcess&) = delete;
    StandinProcess& operator=(const StandinProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD processId() const { return processId_; }

    // The exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeoutMs = kExitTimeoutMs) const {
        if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_, &code);
        return code;
    }

    // True once every holder of the child's output and error pipes has closed them.
    bool OutputEnded(DWORD timeoutMs) const {
        const HANDLE threads[] = {out_.thread, err_.thread};
        return WaitForMultipleObjects(2, threads, TRUE, timeoutMs) == WAIT_OBJECT_0;
    }

    // Read only after OutputEnded.
    const std::string& out() const { return out_.bytes; }
    const std::string& err() const { return err_.bytes; }

  private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    PipeEnd in_;
    PipeEnd out_;
    PipeEnd err_;
};

struct Result {
    DWORD exitCode = STILL_ACTIVE;
    std::string out;
    std::string err;
};

Result RunStandin(const PlayerFolder& folder, const std::vector<std::wstring>& arguments,
                  const std::string& input = {}, const EnvironmentChanges& environment = {}) {
    StandinProcess process(folder, arguments, input, environment);
    EXPECT_TRUE(process.started());
    Result result;
    result.exitCode = process.WaitForExit();
    EXPECT_TRUE(process.OutputEnded(kExitTimeoutMs));
    result.out = process.out();
    result.err = process.err();
    return result;
}

std::wstring LauncherScript(const PlayerFolder& folder) {
    return folder.PathOf(L"tools\\launcher_locations.py");
}
std::wstring RavelhostScript(const PlayerFolder& folder) {
    return folder.PathOf(L"tools\\ravelhost.py");
}

std::vector<std::wstring> LauncherArguments(const PlayerFolder& folder,
                                            std::vector<std::wstring> scriptArguments) {
    scriptArguments.insert(scriptArguments.begin(), {L"-u", LauncherScript(folder)});
    return scriptArguments;
}

std::vector<std::wstring> SaveArguments(const PlayerFolder& folder, const std::vector<std::wstring>& values,
                                        const std::wstring& token) {
    std::vector<std::wstring> arguments = {L"--settings", L"--save"};
    arguments.insert(arguments.end(), values.begin(), values.begin() + 15);
    arguments.insert(arguments.end(), {L"--expected", token, L"--build-codes"});
    arguments.insert(arguments.end(), values.begin() + 15, values.end());
    arguments.push_back(L"--include-build");
    return LauncherArguments(folder, arguments);
}

std::vector<std::wstring> AsArguments(const std::vector<int>& values) {
    std::vector<std::wstring> texts;
    for (const int value : values)
        texts.push_back(std::to_wstring(value));
    return texts;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The settings result read with the window's own scanf patterns and token rule.
struct SettingsResult {
    bool valid = false;
    std::string token;
    std::vector<int> values;
    std::vector<std::string> summary;
};

SettingsResult ParseSettingsResult(const std::string& text) {
    SettingsResult result;
    char token[65] = {};
    int v[kValueCount] = {};
    int consumed = 0;
    const int fields =
        std::sscanf(text.c_str(), "ZEV_SETTINGS 1 %64s %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d%n", token,
                    &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11],
                    &v[12], &v[13], &v[14], &consumed);
    if (fields != 16 || text.compare(0, 13, "ZEV_SETTINGS ") != 0)
        return result;
    const size_t buildStart = text.find('\n', static_cast<size_t>(consumed));
    if (buildStart == std::string::npos)
        return result;
    if (std::sscanf(text.c_str() + buildStart + 1, "ZEV_BUILD %d %d %d", &v[15], &v[16], &v[17]) != 3)
        return result;
    result.token = token;
    const bool hexToken =
        result.token.size() == 64 && result.token.find_first_not_of("0123456789abcdef") == std::string::npos;
    result.valid = result.token == "missing" || hexToken;
    result.values.assign(v, v + kValueCount);
    for (int row = 0; row < kValueCount; ++row)
        result.valid = result.valid && v[row] >= 0 && v[row] < kRowCounts[row];
    const size_t summaryStart = text.find('\n', buildStart + 1);
    if (summaryStart != std::string::npos)
        result.summary = SplitLines(text.substr(summaryStart + 1));
    return result;
}

// A top-level window of the process, matched by class and/or title (nullptr matches any).
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
    struct Search {
        DWORD processId;
        const wchar_t* className;
        const wchar_t* title;
        HWND found;
    } search{processId, className, title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->processId || !IsWindowVisible(window))
                return TRUE;
            if (s->className != nullptr && ClassName(window) != s->className)
                return TRUE;
            if (s->title != nullptr && WindowText(window) != s->title)
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Runs an invocation that opens a window, lets `act` work the window (it must end with closing
// it) and returns the result. The process must still run while its window is open.
Result RunWithWindow(const PlayerFolder& folder, const std::vector<std::wstring>& arguments,
                     const wchar_t* className, const wchar_t* title, const std::function<void(HWND)>& act) {
    StandinProcess process(folder, arguments);
    EXPECT_TRUE(process.started());
    HWND window = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] { return (window = FindProcessWindow(process.processId(), className, title)) != nullptr; },
        kExitTimeoutMs));
    EXPECT_EQ(process.WaitForExit(0), STILL_ACTIVE) << "the invocation ended while its window was open";
    if (window != nullptr)
        act(window);
    Result result;
    result.exitCode = process.WaitForExit(30000);
    EXPECT_TRUE(process.OutputEnded(30000));
    result.out = process.out();
    result.err = process.err();
    return result;
}

void ClickChild(HWND parent, const wchar_t* caption) {
    HWND button = FindWindowExW(parent, nullptr, L"Button", caption);
    ASSERT_NE(button, nullptr) << Narrow(caption);
    PostMessageW(button, BM_CLICK, 0, 0);
}

const char* const kModes[] = {"launch",         "settings-read", "settings-save",  "settings-edit-controls",
                              "locations-read", "locations-iso", "locations-game", "ravelhost",
                              "unknown"};

TEST(StandinTest, ModeFollowsScriptNameAndLeadingArguments) {
    PlayerFolder folder;
    for (const char* mode : kModes)
        WriteScenario(folder, Widen(mode), std::string("line ") + mode + "\n");
    const std::wstring script = LauncherScript(folder);
    const std::wstring ravelhost = RavelhostScript(folder);
    const std::vector<std::wstring> save =
        SaveArguments(folder, AsArguments(std::vector<int>(18, 0)), L"missing");
    const struct {
        std::vector<std::wstring> arguments;
        const char* mode;
    } cases[] = {
        {{L"-u", script, L"--launch"}, "launch"},
        {{L"-u", script, L"--launch", L"--windowed", L"--graphics-preset", L"original"}, "launch"},
        {{L"-u", script, L"--settings", L"--read", L"--include-build"}, "settings-read"},
        {save, "settings-save"},
        {{L"-u", script, L"--settings", L"--edit-controls", L"--include-build"}, "settings-edit-controls"},
        {{L"-u", script, L"read"}, "locations-read"},
        {{L"-u", script, L"iso"}, "locations-iso"},
        {{L"-u", script, L"game"}, "locations-game"},
        {{L"-u", L"C:\\elsewhere\\LAUNCHER_LOCATIONS.PY", L"read"}, "locations-read"},
        {{L"-u", ravelhost, L"--port", L"7"}, "ravelhost"},
        {{L"-u", ravelhost}, "ravelhost"},
        {{L"-u", script}, "unknown"},
        {{script, L"read"}, "unknown"},
        {{L"-u", script, L"read", L"extra"}, "unknown"},
        {{L"-u", script, L"--settings", L"--list"}, "unknown"},
        {{L"-u", folder.PathOf(L"tools\\other.py"), L"read"}, "unknown"},
        {{}, "unknown"},
    };
    size_t recorded = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode + (" " + Narrow(c.arguments.empty() ? L"" : c.arguments.back())));
        const Result result = RunStandin(folder, c.arguments);
        EXPECT_EQ(result.exitCode, 0u);
        EXPECT_EQ(result.out, std::string(c.mode) + "\n");
        const std::vector<Record> record = ReadRecords(folder);
        ASSERT_EQ(record.size(), ++recorded);
        EXPECT_EQ(record.back().mode, c.mode);
    }
}

TEST(StandinTest, RecordKeepsArgumentsWorkingDirectoryAndEnvironment) {
    PlayerFolder folder;
    WriteScenario(folder, L"ravelhost", "exit 0\n");
    const std::vector<std::wstring> tricky = {
        L"two words", L"quote\"inside",       L"trailing\\",  L"space and slashes \\\\",
        L"",          L"tab\there",           L"new\nline",   L"\u00c6r\u00f8 \u6771\u4eac \U0001F600",
        L"-",         L"\\\\server\\share\\", L"back\\slash", L"\"\"",
    };
    std::vector<std::wstring> arguments = {L"-u", RavelhostScript(folder)};
    arguments.insert(arguments.end(), tricky.begin(), tricky.end());
    const EnvironmentChanges environment = {
        {L"PYTHONUTF8", L"1"},
        {L"PYTHONUNBUFFERED", std::nullopt},
        {L"ZEV_GUI_LAUNCHER", L"-"},
        {L"ZEV_LAUNCHER_PID", L"12 34\\ \u00e9"},
    };
    ASSERT_EQ(RunStandin(folder, arguments, {}, environment).exitCode, 0u);
    ASSERT_EQ(RunStandin(folder, {L"-u", RavelhostScript(folder)}).exitCode, 0u);

    const std::vector<Record> record = ReadRecords(folder);
    ASSERT_EQ(record.size(), 2u);
    const Record& first = record[0];
    EXPECT_EQ(first.mode, "ravelhost");
    EXPECT_TRUE(SameName(first.cwd, folder.Root())) << Narrow(first.cwd);
    ASSERT_EQ(first.arguments.size(), arguments.size() + 1);
    EXPECT_TRUE(SameName(first.arguments[0], folder.PathOf(L"private\\tools\\python314\\python.exe")));
    for (size_t i = 0; i < arguments.size(); ++i)
        EXPECT_EQ(first.arguments[i + 1], arguments[i]) << "argument " << i + 1;
    for (const auto& [name, value] : environment) {
        ASSERT_EQ(first.environment.count(Narrow(name)), 1u) << Narrow(name);
        EXPECT_EQ(first.Environment(Narrow(name)), value ? std::optional(Narrow(*value)) : std::nullopt)
            << Narrow(name);
    }
    EXPECT_EQ(record[1].arguments.size(), 3u);

    // The file itself: one escaped item per line, non-ASCII text as plain UTF-8.
    const std::string text = folder.ReadFile(L"standin\\record.txt");
    for (const char* line : {"arg trailing\\\\\n", "arg new\\nline\n", "arg tab\\there\n", "arg \n",
                             "arg \xC3\x86r\xC3\xB8 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80\n",
                             "env PYTHONUNBUFFERED -\n", "begin ravelhost\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST(StandinTest, ScenarioLinesWriteTheirBytesAndEndWithTheirCode) {
    PlayerFolder folder;
    const struct {
        const char* scenario;
        std::string out;
        const char* errContains; // nullptr: standard error stays empty
        DWORD exitCode;
    } cases[] = {
        {"out a\\tb\\x00c\\\\d\\x7F\n", std::string("a\tb\0c\\d\x7f", 8), nullptr, 0},
        {"line h\xC3\xA9llo\r\nline\r\nout \\r\\n\n", "h\xC3\xA9llo\n\n\r\n", nullptr, 0},
        {"out  two leading blanks \n", " two leading blanks ", nullptr, 0},
        {"out \\q \\x4 \\xZZ \\\n", "\\q \\x4 \\xZZ \\", nullptr, 0},
        {"err oops\\n\nexit 3\n", "", "oops\n", 3},
        {"# comment\n\n   \n  out x\nexit 0xC0000005\nout never\n", "x", nullptr, 0xC0000005},
        {"exit 4294967295\n", "", nullptr, 0xFFFFFFFF},
        {"out a\nsleep 10\nout b\n", "ab", nullptr, 0},
        {"repeat 3 ab\\n\nrepeat 0 never\n", "ab\nab\nab\n", nullptr, 0},
        {"fill 5 7f\nfill 2 0A\n", "\x7f\x7f\x7f\x7f\x7f\n\n", nullptr, 0},
        {"paced 3 50 a b\\n\npaced 0 0 never\n", "a b\na b\na b\n", nullptr, 0},
        {"paced 3 x y\n", "", "not understood", 97},
        {"touch standin/made\nwait-file standin\\made 5000\nline seen\n", "seen\n", nullptr, 0},
        {"line before\nwait-file standin/absent 100\nline never\n", "before\n", nullptr, 98},
        {"line before\nrepeat x y\nline never\n", "before\n", "line 2", 97},
        {"bogus\n", "", "not understood", 97},
        {"exit 4294967296\n", "", "not understood", 97},
        {"fill 3 ABC\n", "", "not understood", 97},
        {"touch no-such-folder/file\n", "", "cannot create", 97},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        WriteScenario(folder, L"locations-read", c.scenario);
        const Result result = RunStandin(folder, LauncherArguments(folder, {L"read"}));
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.out, c.out);
        if (c.errContains == nullptr) {
            EXPECT_EQ(result.err, "");
        } else {
            EXPECT_NE(result.err.find(c.errContains), std::string::npos) << result.err;
        }
    }
}

TEST(StandinTest, LargeOutputArrivesComplete) {
    PlayerFolder folder;
    constexpr size_t kRepeats = 1000000;
    constexpr size_t kFillBytes = 30000000;
    const std::string unit = "0123456789abcde\n";
    WriteScenario(folder, L"launch",
                  "repeat " + std::to_string(kRepeats) + " 0123456789abcde\\n\nfill " +
                      std::to_string(kFillBytes) + " 5a\nout end\n");
    const ULONGLONG start = GetTickCount64();
    const Result result = RunStandin(folder, LauncherArguments(folder, {L"--launch"}));
    std::printf("%zu bytes in %llu ms\n", result.out.size(), GetTickCount64() - start);
    EXPECT_EQ(result.exitCode, 0u);
    ASSERT_EQ(result.out.size(), kRepeats * unit.size() + kFillBytes + 3);
    for (size_t i = 0; i < kRepeats * unit.size(); i += unit.size()) {
        ASSERT_EQ(result.out.compare(i, unit.size(), unit), 0) << "at " << i;
    }
    const size_t fillStart = kRepeats * unit.size();
    EXPECT_EQ(result.out.find_first_not_of('Z', fillStart), fillStart + kFillBytes);
    EXPECT_EQ(result.out.substr(fillStart + kFillBytes), "end");
}

TEST(StandinTest, EchoStdinCopiesEveryByteUntilInputEnds) {
    PlayerFolder folder;
    WriteScenario(folder, L"ravelhost", "out [\necho-stdin\nout ]\n");
    std::string input;
    for (int round = 0; round < 2000; ++round) {
        for (int byte = 0; byte < 256; ++byte)
            input += static_cast<char>(byte);
    }
    const Result result = RunStandin(folder, {L"-u", RavelhostScript(folder)}, input);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(result.out == "[" + input + "]") << "got " << result.out.size() << " bytes";
}

TEST(StandinTest, GrandchildHoldsTheOutputPipeAfterTheProcessEnds) {
    PlayerFolder folder;
    WriteScenario(folder, L"launch", "line parent\ngrandchild 4000\nexit 5\n");
    StandinProcess process(folder, LauncherArguments(folder, {L"--launch"}));
    ASSERT_TRUE(process.started());
    EXPECT_EQ(process.WaitForExit(), 5u);
    EXPECT_FALSE(process.OutputEnded(0)) << "the output pipe closed with the process";
    EXPECT_TRUE(process.OutputEnded(30000));
    EXPECT_EQ(process.out(), "parent\n");
    // The sleeping copy records nothing: only the invocation itself is in the record.
    EXPECT_EQ(ReadRecords(folder).size(), 1u);

    // A grandchild given a text writes it while it lives, after its parent has ended.
    WriteScenario(folder, L"launch", "line parent\ngrandchild 1000 late \\x22\\n\nexit 0\n");
    StandinProcess writer(folder, LauncherArguments(folder, {L"--launch"}));
    ASSERT_TRUE(writer.started());
    EXPECT_EQ(writer.WaitForExit(), 0u);
    EXPECT_TRUE(writer.OutputEnded(30000));
    const std::string out = writer.out();
    ASSERT_EQ(out.rfind("parent\nlate \"\n", 0), 0u) << out;
    EXPECT_GE(out.size(), std::string("parent\n").size() + 3 * std::string("late \"\n").size()) << out;
}

TEST(StandinTest, CloseOutputEndsTheOutputWhileTheProcessGoesOn) {
    PlayerFolder folder;
    WriteScenario(folder, L"launch",
                  "line before\nclose-output\nline after\nerr after\nwait-file standin\\go\nexit 6\n");
    // Without a console: under Wine the host of a new console keeps an inherited copy of the
    // pipes until the process ends, which would hide whether the stand-in closed its own.
    StandinProcess process(folder, LauncherArguments(folder, {L"--launch"}), {}, {}, DETACHED_PROCESS);
    ASSERT_TRUE(process.started());
    EXPECT_TRUE(process.OutputEnded(30000));
    EXPECT_EQ(process.WaitForExit(0), STILL_ACTIVE);
    folder.WriteFile(L"standin\\go", "");
    EXPECT_EQ(process.WaitForExit(), 6u);
    EXPECT_EQ(process.out(), "before\n");
    EXPECT_EQ(process.err(), "");
}

SettingsResult ReadSettings(const PlayerFolder& folder) {
    const Result result =
        RunStandin(folder, LauncherArguments(folder, {L"--settings", L"--read", L"--include-build"}));
    EXPECT_EQ(result.exitCode, 0u) << result.out << result.err;
    return ParseSettingsResult(result.out);
}

TEST(StandinTest, DemoSettingsAreReadSavedAndReportedBack) {
    PlayerFolder folder;
    const SettingsResult initial = ReadSettings(folder);
    ASSERT_TRUE(initial.valid);
    EXPECT_EQ(initial.token, "missing");
    EXPECT_EQ(initial.values, (std::vector<int>{0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_FALSE(initial.summary.empty());
    EXPECT_LE(initial.summary.size(), 7u);
    for (size_t i = 1; i < initial.summary.size(); ++i) {
        const std::string& line = initial.summary[i];
        const size_t gap = line.find("  ");
        ASSERT_NE(gap, std::string::npos) << line;
        EXPECT_GT(gap, 0u);
        EXPECT_LT(line.find_first_not_of(' ', gap), line.size()) << line;
    }

    const std::vector<int> wanted = {1, 3, 1, 5, 2, 0, 1, 1, 4, 1, 1, 1, 5, 1, 1, 16, 7, 2};
    const Result saved = RunStandin(folder, SaveArguments(folder, AsArguments(wanted), L"missing"));
    EXPECT_EQ(saved.exitCode, 0u) << saved.out;
    const SettingsResult afterSave = ParseSettingsResult(saved.out);
    ASSERT_TRUE(afterSave.valid) << saved.out;
    EXPECT_EQ(afterSave.values, wanted);
    EXPECT_EQ(afterSave.token.size(), 64u);

    const SettingsResult reread = ReadSettings(folder);
    EXPECT_EQ(reread.values, wanted);
    EXPECT_EQ(reread.token, afterSave.token);

    // The same values saved again still give a new token.
    const Result again =
        RunStandin(folder, SaveArguments(folder, AsArguments(wanted), Widen(afterSave.token)));
    EXPECT_EQ(again.exitCode, 0u) << again.out;
    const SettingsResult afterAgain = ParseSettingsResult(again.out);
    EXPECT_TRUE(afterAgain.valid);
    EXPECT_NE(afterAgain.token, afterSave.token);
    EXPECT_EQ(ReadSettings(folder).token, afterAgain.token);
}

TEST(StandinTest, RejectedDemoSaveChangesNothing) {
    PlayerFolder folder;
    const std::vector<std::wstring> stored =
        AsArguments({0, 2, 1, 3, 1, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 4, 2, 1});
    ASSERT_EQ(RunStandin(folder, SaveArguments(folder, stored, L"missing")).exitCode, 0u);
    const SettingsResult before = ReadSettings(folder);
    ASSERT_TRUE(before.valid);
    const std::wstring token = Widen(before.token);

    const struct {
        int row; // -1: values as stored
        const wchar_t* value;
        std::wstring token;
        const char* message;
    } cases[] = {
        {-1, L"", L"missing", "Settings changed elsewhere"},
        {-1, L"", std::wstring(64, L'0'), "Settings changed elsewhere"},
        {2, L"2", token, "Display mode"},
        {15, L"17", token, "Compiler jobs"},
        {17, L"3", token, "HD processing"},
        {0, L"-1", token, "Language / version"},
        {4, L"x", token, "Image scaling"},
        {16, L"1.0", token, "Build memory cap"},
        {8, L"", token, "Texture filtering"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.message) + " " + Narrow(c.value));
        std::vector<std::wstring> values = stored;
        if (c.row >= 0)
            values[static_cast<size_t>(c.row)] = c.value;
        const Result result = RunStandin(folder, SaveArguments(folder, values, c.token));
        EXPECT_EQ(result.exitCode, 1u);
        EXPECT_NE(result.out.find(c.message), std::string::npos) << result.out;
        EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1) << result.out;
        const SettingsResult after = ReadSettings(folder);
        EXPECT_EQ(after.values, before.values);
        EXPECT_EQ(after.token, before.token);
    }
}

TEST(StandinTest, DemoLocationsReadGivesFourLines) {
    PlayerFolder folder;
    for (int run = 0; run < 2; ++run) {
        const Result result = RunStandin(folder, LauncherArguments(folder, {L"read"}));
        EXPECT_EQ(result.exitCode, 0u);
        const std::vector<std::string> lines = SplitLines(result.out);
        ASSERT_EQ(lines.size(), 4u) << result.out;
        EXPECT_EQ(result.out.back(), '\n');
        EXPECT_EQ(lines[0], "ZEV_LOCATIONS 1");
        EXPECT_TRUE(SameName(Widen(lines[1]), folder.PathOf(L"game"))) << lines[1];
        EXPECT_TRUE(folder.Exists(L"game"));
        EXPECT_EQ(lines[2], "");
        EXPECT_EQ(lines[3], "Choose the original ISO or an existing game installation folder.");
    }
}

TEST(StandinTest, DemoConsoleScriptAndUnknownInvocations) {
    PlayerFolder folder;
    const Result ravelhost = RunStandin(folder, {L"-u", RavelhostScript(folder), L"--port", L"two words"});
    EXPECT_EQ(ravelhost.exitCode, 0u);
    EXPECT_NE(ravelhost.out.find("\"--port\" \"two words\""), std::string::npos) << ravelhost.out;
    const struct {
        std::vector<std::wstring> arguments;
        DWORD exitCode;
        const char* err;
    } failures[] = {
        {{L"-u", folder.PathOf(L"tools\\other.py")}, 2, "unknown invocation\n"},
        {LauncherArguments(folder, {L"--settings", L"--read"}), 2, "usage: "},
    };
    for (const auto& c : failures) {
        const Result result = RunStandin(folder, c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind(c.err, 0), 0u) << result.err;
    }
}

// Launch output as the window reads it: progress lines in order and in range, memory lines, a
// text marker first and the game-started line last of the protocol lines.
void ExpectLaunchProtocol(const std::string& out, bool firstLaunch) {
    int lastStage = -1;
    unsigned long long lastPermille = 0;
    bool sawFinal = false;
    bool sawGameStarted = false;
    size_t memoryLines = 0;
    unsigned lastPeak = 0;
    size_t progressLines = 0;
    for (const std::string& line : SplitLines(out)) {
        SCOPED_TRACE(line);
        unsigned long long stage = 0, current = 0, total = 0, permille = 0;
        unsigned peak = 0, cap = 0;
        char extra = 0;
        if (line.rfind("ZEV_SETUP_PROGRESS", 0) == 0) {
            ASSERT_EQ(std::sscanf(line.c_str(), "ZEV_SETUP_PROGRESS %llu %llu %llu %llu %c", &stage, &current,
                                  &total, &permille, &extra),
                      4);
            EXPECT_FALSE(sawFinal || sawGameStarted);
            EXPECT_LE(current, total);
            EXPECT_GE(static_cast<int>(stage), lastStage);
            EXPECT_GE(permille, lastPermille);
            if (stage == 12) {
                EXPECT_TRUE(current == 1 && total == 1 && permille == 1000);
                sawFinal = true;
            } else {
                EXPECT_LT(permille, 1000u);
            }
            lastStage = static_cast<int>(stage);
            lastPermille = permille;
            ++progressLines;
        } else if (line.rfind("ZEV_SETUP_MEMORY", 0) == 0) {
            ASSERT_EQ(std::sscanf(line.c_str(), "ZEV_SETUP_MEMORY %u %u %c", &peak, &cap, &extra), 2);
            EXPECT_LE(cap, 32768u);
            EXPECT_GE(peak, lastPeak) << "the peak so far went down";
            lastPeak = peak;
            ++memoryLines;
        } else if (line.find("ZEV_LAUNCHER_GAME_STARTED") != std::string::npos) {
            EXPECT_FALSE(sawGameStarted);
            sawGameStarted = true;
        } else if (progressLines == 0 && !sawGameStarted) {
            EXPECT_EQ(line.find("ZEV_"), std::string::npos);
        }
    }
    EXPECT_TRUE(sawGameStarted);
    EXPECT_EQ(out.rfind("Starting Tharn", 0), 0u);
    if (firstLaunch) {
        EXPECT_TRUE(sawFinal);
        EXPECT_EQ(lastStage, 12);
        EXPECT_GE(progressLines, 24u);
        EXPECT_GE(memoryLines, 12u);
    } else {
        EXPECT_EQ(progressLines, 0u);
        EXPECT_EQ(memoryLines, 0u);
    }
}

// Runs a demo launch until its game window opens, then closes that window.
Result LaunchAndQuitGame(const PlayerFolder& folder, const std::vector<std::wstring>& programArguments) {
    std::vector<std::wstring> arguments = {L"--launch"};
    arguments.insert(arguments.end(), programArguments.begin(), programArguments.end());
    return RunWithWindow(folder, LauncherArguments(folder, arguments), nullptr, L"Tharn of Emberfall (game)",
                         [](HWND game) { ClickChild(game, L"Quit"); });
}

// The demo's pauses, played fast for the test's own invocations and restored afterwards.
class FastDemo {
  public:
    FastDemo() { SetEnvironmentVariableW(kName, L"50"); }
    ~FastDemo() { SetEnvironmentVariableW(kName, nullptr); }

  private:
    static constexpr const wchar_t* kName = L"STANDIN_DEMO_SPEEDUP";
};

TEST(StandinTest, DemoLaunchSetsUpOnceThenStartsTheGameDirectly) {
    FastDemo fast;
    PlayerFolder folder;
    const Result first = LaunchAndQuitGame(folder, {});
    EXPECT_EQ(first.exitCode, 0u) << first.out;
    ExpectLaunchProtocol(first.out, true);
    EXPECT_TRUE(folder.Exists(L"private\\standin\\installed"));

    const Result later = LaunchAndQuitGame(folder, {L"--windowed", L"--graphics-preset", L"original"});
    EXPECT_EQ(later.exitCode, 0u) << later.out;
    ExpectLaunchProtocol(later.out, false);
    EXPECT_NE(later.out.find("\"--windowed\""), std::string::npos) << later.out;
    EXPECT_NE(later.out.find("Graphics preset: original"), std::string::npos) << later.out;
}

// A first launch sets up from the disc image chosen on the Locations page, or says that it uses its
// built-in sample; it never claims an ISO that was not chosen.
TEST(StandinTest, DemoFirstLaunchSaysWhatItSetsUpFrom) {
    struct Case {
        const char* locations; // private\standin\locations.txt, or null for none
        const char* said;
        const char* notSaid;
    };
    const Case cases[] = {
        {nullptr, "No ISO is selected: this demo sets up from its built-in sample disc image.",
         "from your ISO"},
        {"game C:\\Games\\Tharn\niso \n", "from the built-in sample", "ISO stays unchanged"},
        {"game C:\\Games\\Tharn\niso D:\\Discs\\tharn.iso\n", "Using the ISO D:\\Discs\\tharn.iso\n",
         "sample"},
    };
    FastDemo fast;
    for (const Case& c : cases) {
        PlayerFolder folder;
        if (c.locations != nullptr) {
            folder.MakeDirectory(L"private\\standin");
            folder.WriteFile(L"private\\standin\\locations.txt", c.locations);
        }
        const Result first = LaunchAndQuitGame(folder, {});
        EXPECT_EQ(first.exitCode, 0u) << first.out;
        EXPECT_NE(first.out.find(c.said), std::string::npos) << first.out;
        EXPECT_EQ(first.out.find(c.notSaid), std::string::npos) << first.out;
    }
}

TEST(StandinTest, DemoFileDialogsStoreTheChoiceOrKeepThePreviousOne) {
    PlayerFolder folder;
    folder.WriteFile(L"disc image.iso", "not really a disc");
    const std::wstring iso = folder.PathOf(L"disc image.iso");
    constexpr int kFileNameBox = 0x47C; // the file name field of the open dialog
    const auto choose = [&](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, kFileNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(iso.c_str()));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
    const auto cancel = [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); };
    const std::string gameFolder = Narrow(folder.PathOf(L"game"));
    const struct {
        const wchar_t* kind;
        std::function<void(HWND)> act;
        std::string gameLine;
        std::string isoLine;
        const char* message;
    } steps[] = {
        {L"iso", choose, gameFolder, Narrow(iso), "ISO selected. It will be checked before the next launch."},
        {L"read", nullptr, gameFolder, Narrow(iso), ""},
        {L"iso", cancel, gameFolder, Narrow(iso), "No file was selected."},
        {L"game", cancel, gameFolder, Narrow(iso), "No folder was selected."},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(Narrow(step.kind) + " " + step.message);
        const std::vector<std::wstring> arguments = LauncherArguments(folder, {step.kind});
        const Result result = step.act ? RunWithWindow(folder, arguments, L"#32770", nullptr, step.act)
                                       : RunStandin(folder, arguments);
        EXPECT_EQ(result.exitCode, 0u);
        const std::vector<std::string> lines = SplitLines(result.out);
        ASSERT_EQ(lines.size(), 4u) << result.out;
        EXPECT_EQ(lines[0], "ZEV_LOCATIONS 1");
        EXPECT_TRUE(SameName(Widen(lines[1]), Widen(step.gameLine))) << lines[1];
        EXPECT_TRUE(SameName(Widen(lines[2]), Widen(step.isoLine))) << lines[2];
        EXPECT_EQ(lines[3], step.message);
    }
}

TEST(StandinTest, DemoControllerEditorReportsTheLayoutChosenInItsWindow) {
    PlayerFolder folder;
    const std::vector<std::wstring> edit =
        LauncherArguments(folder, {L"--settings", L"--edit-controls", L"--include-build"});
    const Result unchanged = RunWithWindow(folder, edit, nullptr, L"Controller bindings",
                                           [](HWND editor) { PostMessageW(editor, WM_CLOSE, 0, 0); });
    EXPECT_EQ(unchanged.exitCode, 0u);
    const SettingsResult before = ParseSettingsResult(unchanged.out);
    ASSERT_TRUE(before.valid) << unchanged.out;
    ASSERT_FALSE(before.summary.empty());
    EXPECT_EQ(before.summary[0], "Controller: Standard gamepad");

    const Result switched = RunWithWindow(folder, edit, nullptr, L"Controller bindings", [](HWND editor) {
        ClickChild(editor, L"Switch layout");
        ClickChild(editor, L"Close");
    });
    EXPECT_EQ(switched.exitCode, 0u);
    const SettingsResult after = ParseSettingsResult(switched.out);
    ASSERT_TRUE(after.valid) << switched.out;
    ASSERT_FALSE(after.summary.empty());
    EXPECT_EQ(after.summary[0], "Controller: Swapped face buttons");
    EXPECT_NE(after.summary, before.summary);
    EXPECT_EQ(after.values, before.values);

    const SettingsResult reread = ReadSettings(folder);
    EXPECT_EQ(reread.summary, after.summary);
    EXPECT_EQ(reread.token, before.token);
}

} // namespace
