// How much the window slows a talkative launcher down: the stand-in writes 20 MB of 100-byte lines,
// drained by a tight blocking read loop that writes the log, then by the real main window's 50 ms
// timer pump twice: with the lines only counted (the pump and the log alone) and with the real line
// classifier filling the output pane. A smaller output is then drained with the launch details shown,
// where every line added to the visible pane is drawn. Measured side by side in one process; the
// ratios to the tight loop are printed.
//   pump_bench [megabytes, 20] [megabytes with the details shown, 1]
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include "launch/launch_progress.h"
#include "process/command_line.h"
#include "process/helper_process.h"
#include "process/output_pump.h"
#include "shell/launch_glue.h"
#include "shell/app_state.h"
#include "shell/startup.h"
#include "shell/window_refresh.h"

namespace {

constexpr size_t kLineBytes = 100;

bool gCompleted = false;
unsigned long long gLinesSeen = 0;

void CountLine(char*, long long) {
    ++gLinesSeen;
}
void ChildEnded(const ChildEnd&) {
    gCompleted = true;
}

std::wstring Folder(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

void WriteText(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// The launch scenario: that many 100-byte lines in large writes, then exit 0.
void WriteLaunchScenario(const std::wstring& root, unsigned long long lines) {
    std::string line(kLineBytes - 1, 'x');
    for (size_t i = 0; i < line.size(); ++i)
        line[i] = static_cast<char>('a' + i % 26);
    WriteText(root + L"\\standin\\launch.txt",
              "repeat " + std::to_string(lines) + " " + line + "\\n\nexit 0\n");
}

// A throw-away player folder holding the stand-in interpreter.
std::wstring MakePlayerFolder() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring build = Folder(Folder(self));
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"pump-bench-" + std::to_wstring(GetCurrentProcessId());
    for (const wchar_t* sub : {L"", L"\\private", L"\\private\\tools", L"\\private\\tools\\python314",
                               L"\\tools", L"\\standin", L"\\private\\launcher"}) {
        CreateDirectoryW((root + sub).c_str(), nullptr);
    }
    CopyFileW((build + L"\\player\\private\\tools\\python314\\python.exe").c_str(),
              (root + L"\\private\\tools\\python314\\python.exe").c_str(), FALSE);
    WriteText(root + L"\\tools\\launcher_locations.py", "# stand-in\n");
    return root;
}

void BuildCommand(CommandLine& command, const std::wstring& root) {
    ClearCommandLine(command);
    AppendQuotedArgument(command, (root + L"\\private\\tools\\python314\\python.exe").c_str());
    AppendArgument(command, L"-u");
    AppendArgument(command, (root + L"\\tools\\launcher_locations.py").c_str());
    AppendArgument(command, L"--launch");
}

CommandLine gCommand;

// The window's own timer pumps the launcher; only its completion is caught, so the window stays.
double PumpedSeconds(const std::wstring& root, LineSink classify) {
    gPumpTargets.launchLine = classify;
    gPumpTargets.childEnded = ChildEnded;
    BuildCommand(gCommand, root);
    gCompleted = false;
    gLinesSeen = 0;
    const ULONGLONG start = GetTickCount64();
    if (!SpawnLauncher((root + L"\\private\\tools\\python314\\python.exe").c_str(), gCommand.buffer))
        return -1;
    MSG message;
    while (!gCompleted && GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return static_cast<double>(GetTickCount64() - start) / 1000.0;
}

// The same child, started the same way, drained by blocking reads into the same log.
double TightLoopSeconds(const std::wstring& root, unsigned long long& bytes) {
    BuildCommand(gCommand, root);
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    const ULONGLONG start = GetTickCount64();
    CreatePipe(&readEnd, &writeEnd, &inheritable, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE log = CreateFileW((root + L"\\private\\launcher\\tight.log").c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE nul = CreateFileW(L"NUL", GENERIC_READ, 3, &inheritable, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.hStdInput = nul;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION created{};
    const BOOL ok =
        CreateProcessW((root + L"\\private\\tools\\python314\\python.exe").c_str(), gCommand.buffer, nullptr,
                       nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, root.c_str(), &startup, &created);
    CloseHandle(writeEnd);
    CloseHandle(nul);
    if (!ok)
        return -1;
    char chunk[4096];
    DWORD read = 0, written = 0;
    bytes = 0;
    while (ReadFile(readEnd, chunk, sizeof chunk, &read, nullptr) && read > 0) {
        WriteFile(log, chunk, read, &written, nullptr);
        bytes += read;
    }
    WaitForSingleObject(created.hProcess, INFINITE);
    const double seconds = static_cast<double>(GetTickCount64() - start) / 1000.0;
    CloseHandle(created.hProcess);
    CloseHandle(created.hThread);
    CloseHandle(readEnd);
    CloseHandle(log);
    return seconds;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const unsigned long long megabytes = argc > 1 ? std::wcstoull(argv[1], nullptr, 10) : 20;
    const unsigned long long shownMegabytes = argc > 2 ? std::wcstoull(argv[2], nullptr, 10) : 1;
    const unsigned long long lines = megabytes * 1000000 / kLineBytes;
    const unsigned long long shownLines = shownMegabytes * 1000000 / kLineBytes;
    const std::wstring root = MakePlayerFolder();
    std::swprintf(gBaseDirectory, kPathUnits, L"%ls", root.c_str());
    std::swprintf(gLogPath, kPathUnits, L"%ls\\private\\launcher\\latest.log", gBaseDirectory);

    RegisterMainWindowClass(GetModuleHandleW(nullptr), nullptr);
    HWND window = CreateMainWindow(GetModuleHandleW(nullptr));
    if (window == nullptr)
        return 1;
    gMainWindow = window;
    ShowWindow(window, SW_SHOW);

    WriteLaunchScenario(root, lines);
    unsigned long long tightBytes = 0;
    const double tight = TightLoopSeconds(root, tightBytes);
    const double counted = PumpedSeconds(root, CountLine);
    const unsigned long long countedLines = gLinesSeen;
    const double classified = PumpedSeconds(root, ClassifyLaunchLine);
    std::printf("output: %llu lines of %zu bytes (%llu bytes)\n", lines, kLineBytes, lines * kLineBytes);
    std::printf("tight read loop:                   %8.2f s (%llu bytes read)\n", tight, tightBytes);
    std::printf("window, lines counted:             %8.2f s (%llu lines)\n", counted, countedLines);
    std::printf("window, lines classified:          %8.2f s\n", classified);
    std::printf("ratio counted / tight loop:        %8.2f\n", tight > 0 ? counted / tight : 0.0);
    std::printf("ratio classified / tight loop:     %8.2f\n", tight > 0 ? classified / tight : 0.0);

    if (shownLines > 0) {
        WriteLaunchScenario(root, shownLines);
        gLaunchDetailsVisible = true;
        RefreshControls();
        const double shownTight = TightLoopSeconds(root, tightBytes);
        const double shown = PumpedSeconds(root, ClassifyLaunchLine);
        std::printf("output with the details shown: %llu lines (%llu bytes)\n", shownLines,
                    shownLines * kLineBytes);
        std::printf("tight read loop:                   %8.2f s\n", shownTight);
        std::printf("window, classified, pane shown:    %8.2f s\n", shown);
        std::printf("ratio pane shown / tight loop:     %8.2f\n", shownTight > 0 ? shown / shownTight : 0.0);
    }
    DestroyWindow(window);
    CloseHandle(gSessionLock);
    for (const wchar_t* file :
         {L"\\private\\launcher\\latest.log", L"\\private\\launcher\\session.lock",
          L"\\private\\launcher\\tight.log", L"\\standin\\launch.txt", L"\\standin\\record.txt",
          L"\\tools\\launcher_locations.py", L"\\private\\tools\\python314\\python.exe"}) {
        DeleteFileW((root + file).c_str());
    }
    for (const wchar_t* sub : {L"\\private\\launcher", L"\\private\\tools\\python314", L"\\private\\tools",
                               L"\\private", L"\\standin", L"\\tools", L""}) {
        RemoveDirectoryW((root + sub).c_str());
    }
    return 0;
}
