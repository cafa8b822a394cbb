#include "process/helper_process.h"
#include <cwchar>
#include <iterator>
#include "launch/launch_progress.h"
#include "process/capture.h"
#include "process/line_splitter.h"
#include "process/path_limits.h"
#include "settings/settings_model.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "shell/status_line.h"
#include "ui/home_layout.h"

HelperProcess Helper;

namespace {

// The child's standard handles and the pipe they write to, alive from creation to just after the
// process has been created.
struct ChildHandles {
    HANDLE pipeWriteEnd = nullptr;
    HANDLE nullDevice = INVALID_HANDLE_VALUE;
};

SECURITY_ATTRIBUTES InheritableAttributes() {
    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = sizeof attributes;
    attributes.bInheritHandle = TRUE;
    return attributes;
}

// The pipe whose write end becomes the child's standard output and error. Its read end is the
// helper's and must not leak into the child, or the pipe would never report end of data.
bool CreateOutputPipe(ChildHandles& handles) {
    SECURITY_ATTRIBUTES attributes = InheritableAttributes();
    HANDLE readEnd = nullptr;
    if (!CreatePipe(&readEnd, &handles.pipeWriteEnd, &attributes, 0))
        return false;
    Helper.readEnd = readEnd;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    return true;
}

void OpenNullDevice(ChildHandles& handles) {
    SECURITY_ATTRIBUTES attributes = InheritableAttributes();
    handles.nullDevice = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes,
                                     OPEN_EXISTING, 0, nullptr);
}

STARTUPINFOW ChildStartup(const ChildHandles& handles, DWORD flags) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = flags;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = handles.nullDevice;
    startup.hStdOutput = handles.pipeWriteEnd;
    startup.hStdError = handles.pipeWriteEnd;
    return startup;
}

bool CreateChild(const wchar_t* interpreterPath, wchar_t* commandLine, STARTUPINFOW& startup,
                 DWORD creationFlags, PROCESS_INFORMATION& created) {
    return CreateProcessW(interpreterPath, commandLine, nullptr, nullptr, TRUE, creationFlags, nullptr,
                          BaseDirectory, &startup, &created) != FALSE;
}

// The child (and whatever it starts) now holds the only writers of the pipe.
void CloseChildEnds(ChildHandles& handles) {
    CloseHandle(handles.pipeWriteEnd);
    handles.pipeWriteEnd = nullptr;
    if (handles.nullDevice != INVALID_HANDLE_VALUE)
        CloseHandle(handles.nullDevice);
    handles.nullDevice = INVALID_HANDLE_VALUE;
}

void CloseReadEnd() {
    CloseHandle(Helper.readEnd);
    Helper.readEnd = nullptr;
}

// latest.log, emptied for this launch; readable by others (Open log) while the launch writes it.
void OpenLaunchLog() {
    static wchar_t folder[kPathUnits];
    std::swprintf(folder, std::size(folder), L"%ls\\private", BaseDirectory);
    CreateDirectoryW(folder, nullptr);
    std::swprintf(folder, std::size(folder), L"%ls\\private\\launcher", BaseDirectory);
    CreateDirectoryW(folder, nullptr);
    std::swprintf(LogPath, kPathUnits, L"%ls\\latest.log", folder);
    Helper.launchLog = CreateFileW(LogPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Set in our own environment, so the launcher and every later helper inherit them.
void SetLaunchEnvironment() {
    SetEnvironmentVariableW(L"PYTHONUTF8", L"1");
    SetEnvironmentVariableW(L"PYTHONUNBUFFERED", L"1");
    SetEnvironmentVariableW(L"ZEV_GUI_LAUNCHER", L"1");
    wchar_t processId[16];
    std::swprintf(processId, std::size(processId), L"%lu", static_cast<unsigned long>(GetCurrentProcessId()));
    SetEnvironmentVariableW(L"ZEV_LAUNCHER_PID", processId);
}

// A start refused for the length of the interpreter's path or of the working directory: the system's
// own code for it reads as "file not found" and sends the player looking for a file that is there.
bool TooLongToStart(const wchar_t* interpreterPath) {
    return TooLongToStartProcess(std::wcslen(interpreterPath), std::wcslen(BaseDirectory));
}

} // namespace

void StartSettingsHelper(const wchar_t* interpreterPath, wchar_t* commandLine, int operation,
                         const wchar_t* statusText) {
    ChildHandles handles;
    if (!CreateOutputPipe(handles)) {
        SetStatusAlert(L"Could not open the settings helper.");
        return;
    }
    OpenNullDevice(handles);
    STARTUPINFOW startup = ChildStartup(handles, STARTF_USESTDHANDLES);
    PROCESS_INFORMATION created{};
    const bool started = CreateChild(interpreterPath, commandLine, startup, CREATE_NO_WINDOW, created);
    CloseChildEnds(handles);
    if (!started) {
        CloseReadEnd();
        SetStatusAlert(TooLongToStart(interpreterPath)
                           ? kFolderPathTooLongText
                           : L"Could not load settings. Keep all launcher files together.");
        return;
    }
    Helper.process = created.hProcess;
    CloseHandle(created.hThread);
    Settings.operation = operation;
    ClearCapture();
    EnableWindow(Controls.play, FALSE);
    EnableWindow(Controls.basicGraphics, FALSE);
    SetStatus(statusText);
    LayoutHomePage();
}

bool SpawnLauncher(const wchar_t* interpreterPath, wchar_t* commandLine) {
    ChildHandles handles;
    if (!CreateOutputPipe(handles)) {
        SetStatusAlert(L"Cannot create the launcher output pipe.");
        return false;
    }
    OpenLaunchLog();
    OpenNullDevice(handles);
    STARTUPINFOW startup = ChildStartup(handles, STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW);
    SetLaunchEnvironment();
    PROCESS_INFORMATION created{};
    // The launcher gets a console of its own, created hidden.
    const bool started = CreateChild(interpreterPath, commandLine, startup, CREATE_NEW_CONSOLE, created);
    const DWORD error = GetLastError();
    CloseChildEnds(handles);
    if (!started) {
        CloseReadEnd();
        if (Helper.launchLog != INVALID_HANDLE_VALUE)
            CloseHandle(Helper.launchLog);
        Helper.launchLog = INVALID_HANDLE_VALUE;
        if (TooLongToStart(interpreterPath)) {
            SetStatusAlert(kFolderPathTooLongText);
            return false;
        }
        wchar_t message[200];
        std::swprintf(message, std::size(message),
                      L"Windows could not start the bundled launcher (error %lu).",
                      static_cast<unsigned long>(error));
        SetStatusAlert(message);
        return false;
    }
    CloseHandle(created.hThread);
    ClearLineBuffer();
    Progress.gameRunning = false;
    Helper.process = created.hProcess;
    return true;
}
