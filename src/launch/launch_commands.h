#pragma once
#include <cstddef>
#include <cstdint>
#include "launch/exit_status_text.h"
#include "launch/failure_texts.h"

// Play and the launcher's end, as records: the launch logic starts the launcher through the process
// layer and says what the window should show; the shell applies it.

// What the window shows on the status line after a launch step.
struct LaunchStatus {
    const wchar_t* text;
    bool alert; // shown in the attention colour
};

// Play, in a player folder, with the program's own arguments (entry 0 being the program).
struct LaunchRequest {
    const wchar_t* baseDirectory;
    const wchar_t* logPath;
    int argumentCount;
    wchar_t* const* arguments;
    bool basicGraphics; // the troubleshooting toggle is on
};

struct LaunchStart {
    bool started;
    LaunchStatus status;
    bool logWritten = false;           // started, and the launch log is being written
    const wchar_t* paneText = nullptr; // started without a log: the pane's first line says why
};

// Resets what the last launch reported, checks that the bundled files are there, builds the launch
// command and starts the launcher.
LaunchStart StartLaunch(const LaunchRequest& request);
// Starts the launcher with a complete command line in the player folder, its output logged at logPath.
LaunchStart StartLauncher(const wchar_t* interpreterPath, wchar_t* commandLine, const wchar_t* baseDirectory,
                          const wchar_t* logPath);

inline constexpr std::size_t kExitCodeTextUnits = 128;

// The pane lines of a launch that ended with an error.
struct LaunchEndTexts {
    wchar_t outputLost[kFailureTextUnits];
    wchar_t exitCode[kExitCodeTextUnits];
    wchar_t exitStatus[kExitStatusLineUnits];
};

// A launcher that ends with this code has handed over to the game: the window closes.
inline bool LaunchEndClosesWindow(std::uint32_t exitCode) {
    return exitCode == 0;
}

// What follows the launcher's end.
struct LaunchEnd {
    bool closeWindow;          // exit code 0: the game has taken over
    LaunchStatus status;       // otherwise: what went wrong
    const wchar_t* outputLost; // the pane line saying that reading the output failed; or null
    const wchar_t* paneText;   // and the exit code line for the output pane
    const wchar_t* statusText; // the meaning of a Windows status as exit code, for the pane only; or null
};
// readError: the system's error code when reading the launcher's output failed for good, else 0.
LaunchEnd FinishLaunch(std::uint32_t exitCode, std::uint32_t readError, LaunchEndTexts& texts);
