// The window against a bare Win32 window (bare_window.cpp), side by side in one run: the time from
// process start to a visible window, resident memory at rest after start-up and after a launch, and
// the host's context switches at rest over 5 s. Under Wine the host process of each is read from
// /proc through drive Z:. Prints figures; it is not a test.
#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "driver.h"
#include "helper_timing.h"
#include "standin_record.h"

namespace {

using driver::PlayerFolder;

struct Started {
    HANDLE process = nullptr;
    DWORD id = 0;
    HWND window = nullptr;
    double seconds = -1; // from CreateProcess to a visible window
};

HWND VisibleWindowOf(DWORD processId, const wchar_t* className) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

Started Start(const std::wstring& exe, const std::wstring& folder, const wchar_t* className) {
    Started s;
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info))
        return s;
    CloseHandle(info.hThread);
    s.process = info.hProcess;
    s.id = info.dwProcessId;
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while ((s.window = VisibleWindowOf(s.id, className)) == nullptr && GetTickCount64() < deadline)
        Sleep(0);
    if (s.window != nullptr)
        s.seconds = bench::SecondsSince(start);
    return s;
}

void Stop(Started& s) {
    if (s.window != nullptr && IsWindow(s.window))
        PostMessageW(s.window, WM_CLOSE, 0, 0);
    if (s.process != nullptr) {
        WaitForSingleObject(s.process, 30000);
        CloseHandle(s.process);
    }
    s = Started{};
}

std::string ReadWhole(const std::wstring& path) {
    std::string text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
        text.append(chunk, read);
    CloseHandle(file);
    return text;
}

// The host process whose command line names the executable's folder (unique to each copy): Wine
// runs every Windows process as a host process of its own.
std::wstring HostProcessDirectory(const std::wstring& folderTail) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return L"";
    const std::string tail = driver::Narrow(folderTail);
    std::wstring result;
    do {
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9')
            continue;
        const std::wstring directory = std::wstring(L"Z:\\proc\\") + found.cFileName;
        std::string commandLine = ReadWhole(directory + L"\\cmdline");
        std::replace(commandLine.begin(), commandLine.end(), '/', '\\');
        if (commandLine.find(tail) != std::string::npos) {
            result = directory;
            break;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return result;
}

unsigned long long Field(const std::string& status, const char* name) {
    const size_t at = status.find(name);
    return at == std::string::npos ? 0 : std::strtoull(status.c_str() + at + std::strlen(name), nullptr, 10);
}

// Voluntary and involuntary context switches of every thread of a host process.
unsigned long long ContextSwitches(const std::wstring& hostDirectory) {
    unsigned long long total = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((hostDirectory + L"\\task\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9')
            continue;
        const std::string status = ReadWhole(hostDirectory + L"\\task\\" + found.cFileName + L"\\status");
        total += Field(status, "voluntary_ctxt_switches:") + Field(status, "nonvoluntary_ctxt_switches:");
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return total;
}

double ResidentMiB(const std::wstring& hostDirectory) {
    return static_cast<double>(Field(ReadWhole(hostDirectory + L"\\status"), "VmRSS:")) / 1024.0;
}

std::wstring Tail(const std::wstring& folder) {
    return folder.substr(folder.find_last_of(L'\\') + 1);
}

} // namespace

int wmain() {
    bench::StartDesktop();
    // The pointer away from both windows: a button under it tracks hover, which under Wine polls the
    // pointer (a system timer of the hover time, 2.5 wake-ups a second); at rest nobody points at the
    // window. Wine moves the pointer only when the position differs from the one it knows, and before
    // any pointer motion it knows (0, 0) although the display's pointer is elsewhere: hence two moves.
    SetCursorPos(1, 1);
    SetCursorPos(0, 0);
    PlayerFolder launcherFolder;
    // The program waits for the Play press to fail: the launcher prints a line and exits with 1.
    driver::WriteScenario(launcherFolder, L"launch", "line launch output\nexit 1\n");
    PlayerFolder bareFolder;
    CopyFileW((driver::BuildDirectory() + L"\\bench\\bare_window.exe").c_str(),
              bareFolder.PathOf(L"bare_window.exe").c_str(), FALSE);
    const std::wstring launcherExe = launcherFolder.PathOf(L"TharnOfEmberfall.exe");
    const std::wstring bareExe = bareFolder.PathOf(L"bare_window.exe");

    // Start-up, best of five starts each, alternating.
    double bestLauncher = 1e9, bestBare = 1e9;
    for (int round = 0; round < 5; ++round) {
        Started bare = Start(bareExe, bareFolder.Root(), L"BareWindow");
        bestBare = std::min(bestBare, bare.seconds < 0 ? 1e9 : bare.seconds);
        Stop(bare);
        Started launcher = Start(launcherExe, launcherFolder.Root(), L"ZevNativeLauncher");
        bestLauncher = std::min(bestLauncher, launcher.seconds < 0 ? 1e9 : launcher.seconds);
        Stop(launcher);
    }
    std::printf("start-up to a visible window: window %.3f s, bare window %.3f s, ratio %.2f\n", bestLauncher,
                bestBare, bestLauncher / bestBare);

    // At rest: both shown side by side.
    Started bare = Start(bareExe, bareFolder.Root(), L"BareWindow");
    Started launcher = Start(launcherExe, launcherFolder.Root(), L"ZevNativeLauncher");
    const std::wstring bareHost = HostProcessDirectory(Tail(bareFolder.Root()));
    const std::wstring launcherHost = HostProcessDirectory(Tail(launcherFolder.Root()));
    if (bare.window == nullptr || launcher.window == nullptr || bareHost.empty() || launcherHost.empty()) {
        std::printf("FAILED: a window or its host process was not found\n");
        return 1;
    }
    Sleep(2000); // let both settle after start-up
    const auto restFigures = [&](const char* when) {
        std::printf(
            "resident memory at rest %s: window %.1f MiB, bare window %.1f MiB, difference %+.1f MiB\n", when,
            ResidentMiB(launcherHost), ResidentMiB(bareHost),
            ResidentMiB(launcherHost) - ResidentMiB(bareHost));
        const unsigned long long launcherBefore = ContextSwitches(launcherHost);
        const unsigned long long bareBefore = ContextSwitches(bareHost);
        Sleep(5000);
        const double launcherRate = static_cast<double>(ContextSwitches(launcherHost) - launcherBefore) / 5.0;
        const double bareRate = static_cast<double>(ContextSwitches(bareHost) - bareBefore) / 5.0;
        std::printf(
            "host context switches at rest %s: window %.1f/s, bare window %.1f/s, difference %+.1f/s\n", when,
            launcherRate, bareRate, launcherRate - bareRate);
    };
    restFigures("after start-up");
    restFigures("5 s later");

    // A launch that fails: the window shows its output and the attention state, then rests again.
    const auto launch = [&] {
        SendMessageW(launcher.window, WM_COMMAND, MAKEWPARAM(101, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(launcher.window, 101)));
        const ULONGLONG deadline = GetTickCount64() + 30000;
        while (!IsWindowVisible(GetDlgItem(launcher.window, 104)) && GetTickCount64() < deadline)
            Sleep(10);
        Sleep(2000);
    };
    launch();
    restFigures("after a launch");
    // Output that filled the window's buffers passed through: at rest it must not stay resident.
    std::string line(99, 'x');
    driver::WriteScenario(launcherFolder, L"launch", "repeat 80000 " + line + "\\n\nexit 1\n");
    launch();
    restFigures("after a launch printing 8 MB");
    Stop(launcher);
    Stop(bare);
    return 0;
}
