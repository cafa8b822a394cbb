#pragma once
// Timing helpers shared by the benchmarks that run the stand-in helper: a helper invocation read
// by a loop that does nothing else, as the yardstick the window is held against.
#include <windows.h>
#include <string>
#include <vector>

namespace bench {

inline double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double SecondsSince(LARGE_INTEGER from) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return Seconds(from, now);
}

inline constexpr DWORD kLargestReadBytes = 1 << 20;

// The pipe sizes a tight reader is tried with, each read in reads of the pipe's size: the fastest of
// them is the yardstick.
inline constexpr DWORD kTightReaderPipeBytes[] = {4096, 65536, kLargestReadBytes};

// The interpreter of the player folder run with the launcher script and these arguments, read by
// blocking reads of chunkBytes until end of data and exit, on a pipe of the system's default size or
// of pipeBytes. Negative on failure.
// With a log path, each read is also written to that file, created anew (replacing the last one) once
// the helper has started: the work the window must do with every byte besides reading it.
inline double TimeWithReadLoop(const std::wstring& root, const std::vector<std::wstring>& arguments,
                               unsigned long long* bytes, DWORD pipeBytes = 0, DWORD chunkBytes = 4096,
                               const wchar_t* logPath = nullptr) {
    const std::wstring interpreter = root + L"\\private\\tools\\python314\\python.exe";
    std::wstring commandLine =
        L"\"" + interpreter + L"\" \"-u\" \"" + root + L"\\tools\\launcher_locations.py\"";
    for (const std::wstring& argument : arguments)
        commandLine += L" \"" + argument + L"\"";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, pipeBytes))
        return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    const BOOL created = CreateProcessW(interpreter.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, root.c_str(), &startup, &info);
    CloseHandle(writeEnd);
    if (!created) {
        CloseHandle(readEnd);
        return -1;
    }
    CloseHandle(info.hThread);
    HANDLE log = logPath == nullptr ? INVALID_HANDLE_VALUE
                                    : CreateFileW(logPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    static char chunk[kLargestReadBytes];
    if (chunkBytes > sizeof chunk)
        chunkBytes = sizeof chunk;
    DWORD read = 0;
    *bytes = 0;
    while (ReadFile(readEnd, chunk, chunkBytes, &read, nullptr) && read > 0) {
        *bytes += read;
        DWORD written = 0;
        if (log != INVALID_HANDLE_VALUE)
            WriteFile(log, chunk, read, &written, nullptr);
    }
    if (log != INVALID_HANDLE_VALUE)
        CloseHandle(log);
    WaitForSingleObject(info.hProcess, INFINITE);
    const double seconds = SecondsSince(start);
    CloseHandle(info.hProcess);
    CloseHandle(readEnd);
    return seconds;
}

// Under Wine the first window of a session starts the desktop process, which would keep a copy of
// whatever pipe its starter held open; a window of our own starts it before any pipe exists.
inline void StartDesktop() {
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (window != nullptr)
        DestroyWindow(window);
}

} // namespace bench
