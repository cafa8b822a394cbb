#pragma once
#include <windows.h>
#include "process/helper_kind.h"

// The child process runner. The process layer knows processes only: it starts a child and says
// whether that worked, and reports the child's output and end through the pump's targets; it never
// touches the window.

struct HelperProcess {
    HelperKind kind = HelperKind::None;
    int operation = 0;                       // the settings operation's code while kind is SettingsOperation
    HANDLE process = nullptr;                // non-null exactly while a child runs
    HANDLE readEnd = nullptr;                // read end of the output pipe, not inheritable
    HANDLE launchLog = INVALID_HANDLE_VALUE; // the launch log, open only while a launch runs
};
extern HelperProcess gHelper;

inline bool HelperRunning() {
    return gHelper.process != nullptr;
}

// The program to run, its full command line (the child may write into it) and its working folder.
struct ChildRequest {
    const wchar_t* interpreterPath;
    wchar_t* commandLine;
    const wchar_t* workingDirectory;
};

// Whether a child was started, and what stopped it otherwise.
enum class StartResult {
    Started,
    NoPipe,
    NotCreated,
    PathTooLong, // not created, and the interpreter's path or the working folder is too long to start
};
struct StartOutcome {
    StartResult result;
    unsigned long error;        // the system's error code when the child could not be created
    unsigned long logError = 0; // a launcher's: the system's error code when its log could not be created
};

// Starts a settings helper with no window; its output goes to the capture buffer.
StartOutcome StartSettingsChild(const ChildRequest& request, int operation);
// Starts the launcher in a hidden console of its own, with the launch environment set. Its output goes
// to the log at logPath (emptied; the log's folder and that folder's parent are created when missing)
// and to the launch line targets. A log that cannot be created does not stop the launch; logError
// then says why.
StartOutcome StartLauncherChild(const ChildRequest& request, const wchar_t* logPath);
