// How much the window slows a chatty launcher down: the stand-in writes about 20 MB of mixed output
// (ordinary lines with a protocol line every 20 lines), once with the real window draining,
// splitting, classifying and showing it (Play to program exit), once drained by a tight read loop.
// Both runs use the same scenario in the same copy of the player folder; prints both times and
// their ratio.
#include <windows.h>
#include <cstdio>
#include <cwchar>
#include <string>
#include "launch/progress_protocol.h"

namespace {

constexpr int kDefaultBlocks = 10000; // 40 lines of about 50 bytes each per block: 20 MB in all
constexpr DWORD kTimeoutMs = 10 * 60 * 1000;

std::wstring BuildDirectory() {
    wchar_t path[MAX_PATH * 4];
    GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    std::wstring text = path;
    text.resize(text.find_last_of(L'\\')); // bench folder
    text.resize(text.find_last_of(L'\\')); // build folder
    return text;
}

void CopyTree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyTree(from + L"\\" + name, to + L"\\" + name);
        } else {
            CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

void WriteText(const std::wstring& path, const std::string& text) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// One block: 38 ordinary lines, a progress line and a memory line (in the scenario's escapes).
std::string Scenario(int blocks) {
    std::string block;
    for (int i = 0; i < 38; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "[build] compiling src/module_%02d.c with flags -O2 -g\\n", i);
        block += line;
        if (i == 18)
            block += "ZEV_SETUP_PROGRESS 3 12 340 250\\n";
    }
    block += "ZEV_SETUP_MEMORY 3000 8192\\n";
    return "repeat " + std::to_string(blocks) + " " + block + "\nexit 0\n";
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    if (owner != search->processId || std::wcscmp(name, L"ZevNativeLauncher") != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

// Play pressed to program exit, with the window doing all its work. Negative on failure.
double TimeWithWindow(const std::wstring& root) {
    const std::wstring exe = root + L"\\TharnOfEmberfall.exe";
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, root.c_str(),
                        &startup, &info)) {
        return -1;
    }
    CloseHandle(info.hThread);
    // The window is ready for Play once the button exists, is shown and is enabled.
    WindowSearch search{info.dwProcessId, nullptr};
    HWND play = nullptr;
    for (int i = 0; i < 3000 && play == nullptr; ++i) {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        HWND button = search.found != nullptr ? GetDlgItem(search.found, 101) : nullptr;
        if (button != nullptr && IsWindowVisible(button) && IsWindowEnabled(button))
            play = button;
        if (play == nullptr)
            Sleep(10);
    }
    double seconds = -1;
    if (play != nullptr) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        // Sent, not posted: a posted click can lose its button-up half to the pointer's moves.
        DWORD_PTR result = 0;
        SendMessageTimeoutW(play, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &result);
        if (WaitForSingleObject(info.hProcess, kTimeoutMs) == WAIT_OBJECT_0) {
            QueryPerformanceCounter(&end);
            DWORD code = 1;
            GetExitCodeProcess(info.hProcess, &code);
            if (code == 0)
                seconds = Seconds(start, end);
        }
    }
    if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 99);
    CloseHandle(info.hProcess);
    return seconds;
}

// The same launcher invocation read by a loop that does nothing else, until end of data and exit.
double TimeWithReadLoop(const std::wstring& root, unsigned long long* bytes) {
    const std::wstring interpreter = root + L"\\private\\tools\\python314\\python.exe";
    std::wstring commandLine =
        L"\"" + interpreter + L"\" \"-u\" \"" + root + L"\\tools\\launcher_locations.py\" \"--launch\"";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    const BOOL created = CreateProcessW(interpreter.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, root.c_str(), &startup, &info);
    CloseHandle(writeEnd);
    if (!created) {
        CloseHandle(readEnd);
        return -1;
    }
    CloseHandle(info.hThread);
    static char chunk[4096];
    DWORD read = 0;
    *bytes = 0;
    while (ReadFile(readEnd, chunk, sizeof chunk, &read, nullptr) && read > 0)
        *bytes += read;
    WaitForSingleObject(info.hProcess, kTimeoutMs);
    QueryPerformanceCounter(&end);
    CloseHandle(info.hProcess);
    CloseHandle(readEnd);
    return Seconds(start, end);
}

// The classifier's own share: the same lines converted and applied in-process, without any window.
double SecondsToClassify(int blocks) {
    static char lines[40][64];
    std::size_t lengths[40];
    for (int i = 0; i < 40; ++i) {
        if (i == 19) {
            lengths[i] =
                static_cast<std::size_t>(std::snprintf(lines[i], 64, "ZEV_SETUP_PROGRESS 3 12 340 250"));
        } else if (i == 39) {
            lengths[i] = static_cast<std::size_t>(std::snprintf(lines[i], 64, "ZEV_SETUP_MEMORY 3000 8192"));
        } else {
            lengths[i] = static_cast<std::size_t>(
                std::snprintf(lines[i], 64, "[build] compiling src/module_%02d.c with flags -O2 -g", i));
        }
    }
    static wchar_t pane[kPaneLineUnits];
    LaunchProgress progress{};
    unsigned long long shown = 0;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int block = 0; block < blocks; ++block) {
        for (int i = 0; i < 40; ++i) {
            const bool hasText = FormatPaneLine(lines[i], lengths[i], pane);
            shown += ApplyLaunchLine(progress, LaunchLine{lines[i], lengths[i], hasText}, 1).appendToPane;
        }
    }
    QueryPerformanceCounter(&end);
    return shown == 0 ? -1 : Seconds(start, end);
}

// Under Wine the first window of a session starts the desktop process, which would keep a copy of
// whatever pipe its starter held open; a window of our own starts it before any pipe exists.
void StartDesktop() {
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (window != nullptr)
        DestroyWindow(window);
}

} // namespace

// The optional argument is the number of blocks, for a quicker look.
int wmain(int argc, wchar_t** argv) {
    const int blocks = argc > 1 ? _wtoi(argv[1]) : kDefaultBlocks;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"launch-bench-" + std::to_wstring(GetCurrentProcessId()) +
                              L"-" + std::to_wstring(GetTickCount64());
    CopyTree(BuildDirectory() + L"\\player", root);
    CreateDirectoryW((root + L"\\standin").c_str(), nullptr);
    WriteText(root + L"\\standin\\launch.txt", Scenario(blocks));

    StartDesktop();
    unsigned long long bytes = 0;
    const double loop = TimeWithReadLoop(root, &bytes);
    const double window = TimeWithWindow(root);
    // The window's launch log holds every byte it drained: the check that both runs saw the same output.
    WIN32_FILE_ATTRIBUTE_DATA log{};
    GetFileAttributesExW((root + L"\\private\\launcher\\latest.log").c_str(), GetFileExInfoStandard, &log);
    const unsigned long long logged =
        (static_cast<unsigned long long>(log.nFileSizeHigh) << 32) | log.nFileSizeLow;
    RemoveTree(root);
    if (loop <= 0 || window <= 0 || logged != bytes) {
        std::fprintf(stderr,
                     "launch bench: a run failed (read loop %.3f s, %llu bytes; window %.3f s, %llu bytes)\n",
                     loop, bytes, window, logged);
        return 1;
    }
    std::printf("launch output: %llu bytes, a protocol line every 20 lines\n", bytes);
    std::printf("tight read loop:   %8.3f s\n", loop);
    std::printf("window (Play to exit): %8.3f s\n", window);
    std::printf("ratio window / loop: %.2f\n", window / loop);
    std::printf("the same lines classified and converted in-process, no window: %.3f s\n",
                SecondsToClassify(blocks));
    return 0;
}
