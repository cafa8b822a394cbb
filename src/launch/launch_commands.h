#pragma once
#include <cstdint>
#include "launch/taskbar_progress.h"

// True while the launch output pane replaces Settings and the toggle on the home page.
extern bool gLaunchDetailsVisible;

void OnPlay();
// Starts the launcher with a complete command line; true when it runs (the caller then applies the
// launch effects), false with the reason on the status line.
bool SpawnLauncher(const wchar_t* interpreterPath, wchar_t* commandLine);
// Starts the launcher with a complete command line; true when it runs (the caller then applies the
// launch effects), false with the reason on the status line.
bool SpawnLauncher(const wchar_t* interpreterPath, wchar_t* commandLine);
void OnOpenLog();
void OnToggleLaunchDetails();

// One complete launch output line (zero-terminated, no CR or LF); length may be 0.
void ClassifyLaunchLine(char* line, long long length);
// The launcher has ended with this exit code.
void CompleteLaunch(std::uint32_t exitCode);

// A settings helper has ended since the last launch: the launch's error state is over.
void ForgetLaunchError();
// What the taskbar button should show for the current launch state.
TaskbarProgress CurrentTaskbarProgress();
