#pragma once
#include <windows.h>

// The one child process the window may run at a time.
struct HelperProcess {
    HANDLE process = nullptr;                  // non-null exactly while a child runs
    HANDLE readEnd = nullptr;                  // read end of the output pipe, not inheritable
    HANDLE launchLog = INVALID_HANDLE_VALUE;   // latest.log, open only while a launch runs
};
extern HelperProcess Helper;

inline bool HelperRunning() { return Helper.process != nullptr; }

void StartSettingsHelper(const wchar_t* interpreterPath, wchar_t* commandLine, int operation,
                         const wchar_t* statusText);
// Starts the launcher; true when the process was created (the caller then applies the launch effects).
bool SpawnLauncher(const wchar_t* interpreterPath, wchar_t* commandLine);

// Called for every timer tick: drains the child's output and completes it when it has ended.
void PumpHelperOutput(HWND mainWindow);
