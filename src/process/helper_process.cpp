#include "process/helper_process.h"
#include <cwchar>
#include <iterator>
#include "process/capture.h"
#include "process/line_splitter.h"
#include "process/path_limits.h"
#include "process/pipe_reader.h"
#include "text/copy_text.h"
#include "text/format_text.h"
#include "text/path_bounds.h"

HelperProcess gHelper;

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

// The pipe whose write end becomes the child's standard output and error, with its reader prepared.
// Its read end is the helper's and never leaks into the child, or the pipe would never report end
// of data.
bool CreateOutputPipe(ChildHandles& handles) {
    HANDLE readEnd = nullptr;
    if (!CreateHelperPipe(&readEnd, &handles.pipeWriteEnd))
        return false;
    gHelper.readEnd = readEnd;
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

bool CreateChild(const ChildRequest& request, STARTUPINFOW& startup, DWORD creationFlags,
                 PROCESS_INFORMATION& created) {
    return CreateProcessW(request.interpreterPath, request.commandLine, nullptr, nullptr, TRUE, creationFlags,
                          nullptr, request.workingDirectory, &startup, &created) != FALSE;
}

// The child (and whatever it starts) now holds the only writers of the pipe.
void CloseChildEnds(ChildHandles& handles) {
    CloseHandle(handles.pipeWriteEnd);
    handles.pipeWriteEnd = nullptr;
    if (handles.nullDevice != INVALID_HANDLE_VALUE)
        CloseHandle(handles.nullDevice);
    handles.nullDevice = INVALID_HANDLE_VALUE;
}

// The child could not be created: the prepared reader goes with the pipe.
void CloseReadEnd() {
    DropPipeReader();
    CloseHandle(gHelper.readEnd);
    gHelper.readEnd = nullptr;
}

// Creates the folder that holds path, and that folder's parent first.
void CreateLogFolders(const wchar_t* path) {
    static wchar_t folder[kPathUnits];
    CopyText(folder, std::size(folder), path);
    wchar_t* const logCut = std::wcsrchr(folder, L'\\');
    if (logCut == nullptr)
        return;
    *logCut = L'\0';
    wchar_t* const parentCut = std::wcsrchr(folder, L'\\');
    if (parentCut != nullptr) {
        *parentCut = L'\0';
        CreateDirectoryW(folder, nullptr);
        *parentCut = L'\\';
    }
    CreateDirectoryW(folder, nullptr);
}

// The launch log, emptied for this launch; readable by others (Open log) while the launch writes it.
// The system's error code when it cannot be created, else 0.
DWORD OpenLaunchLog(const wchar_t* logPath) {
    CreateLogFolders(logPath);
    gHelper.launchLog = CreateFileW(logPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    return gHelper.launchLog == INVALID_HANDLE_VALUE ? GetLastError() : 0;
}

void CloseLaunchLog() {
    if (gHelper.launchLog != INVALID_HANDLE_VALUE)
        CloseHandle(gHelper.launchLog);
    gHelper.launchLog = INVALID_HANDLE_VALUE;
}

// Set in our own environment, so the launcher and every later helper inherit them.
void SetLaunchEnvironment() {
    SetEnvironmentVariableW(L"PYTHONUTF8", L"1");
    SetEnvironmentVariableW(L"PYTHONUNBUFFERED", L"1");
    SetEnvironmentVariableW(L"ZEV_GUI_LAUNCHER", L"1");
    wchar_t processId[16];
    FormatText(processId, std::size(processId), L"%lu", static_cast<unsigned long>(GetCurrentProcessId()));
    SetEnvironmentVariableW(L"ZEV_LAUNCHER_PID", processId);
}

// Why a child was not created. A start refused for the length of the interpreter's path or of the
// working directory is told apart: the system's own code for it reads as "file not found" and sends
// the player looking for a file that is there.
StartOutcome NotCreated(const ChildRequest& request, DWORD error) {
    if (TooLongToStartProcess(std::wcslen(request.interpreterPath), std::wcslen(request.workingDirectory)))
        return {StartResult::PathTooLong, error};
    return {StartResult::NotCreated, error};
}

void Adopt(const PROCESS_INFORMATION& created, HelperKind kind, int operation) {
    CloseHandle(created.hThread);
    gHelper.kind = kind;
    gHelper.operation = operation;
    gHelper.process = created.hProcess;
    StartPipeReader(gHelper.process, gHelper.readEnd, gHelper.launchLog);
}

} // namespace

StartOutcome StartSettingsChild(const ChildRequest& request, int operation) {
    ChildHandles handles;
    if (!CreateOutputPipe(handles))
        return {StartResult::NoPipe, GetLastError()};
    OpenNullDevice(handles);
    STARTUPINFOW startup = ChildStartup(handles, STARTF_USESTDHANDLES);
    PROCESS_INFORMATION created{};
    const bool started = CreateChild(request, startup, CREATE_NO_WINDOW, created);
    const DWORD error = GetLastError();
    CloseChildEnds(handles);
    if (!started) {
        CloseReadEnd();
        return NotCreated(request, error);
    }
    ClearCapture();
    Adopt(created, HelperKind::SettingsOperation, operation);
    return {StartResult::Started, 0};
}

StartOutcome StartLauncherChild(const ChildRequest& request, const wchar_t* logPath) {
    ChildHandles handles;
    if (!CreateOutputPipe(handles))
        return {StartResult::NoPipe, GetLastError()};
    const DWORD logError = OpenLaunchLog(logPath);
    OpenNullDevice(handles);
    STARTUPINFOW startup = ChildStartup(handles, STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW);
    SetLaunchEnvironment();
    PROCESS_INFORMATION created{};
    // The launcher gets a console of its own, created hidden.
    const bool started = CreateChild(request, startup, CREATE_NEW_CONSOLE, created);
    const DWORD error = GetLastError();
    CloseChildEnds(handles);
    if (!started) {
        CloseReadEnd();
        CloseLaunchLog();
        return NotCreated(request, error);
    }
    ClearLineBuffer();
    Adopt(created, HelperKind::Launch, 0);
    return {StartResult::Started, 0, logError};
}
