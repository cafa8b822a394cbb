#pragma once
#include <cstdint>
#include "launch/taskbar_progress.h"

// Play: starts the launcher with the program's arguments and the toggle's preset.
void OnPlay();
void OnOpenLog();
void OnToggleLaunchDetails();

// Starts the launcher with a complete command line and shows what happened; true when it runs.
bool SpawnLauncher(const wchar_t* interpreterPath, wchar_t* commandLine);

// One complete launch output line (zero-terminated, no CR or LF); length may be 0.
void ClassifyLaunchLine(char* line, long long length);
// The launcher has ended with this exit code.
void CompleteLaunch(std::uint32_t exitCode);

// A settings helper has ended since the last launch: the launch's error state is over.
void ForgetLaunchError();
// What the taskbar button should show for the current launch state.
TaskbarProgress CurrentTaskbarProgress();
