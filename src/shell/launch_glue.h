#pragma once
#include <cstdint>
#include "launch/taskbar_progress.h"

// Play: starts the launcher with the program's arguments and the toggle's preset.
void OnPlay();
void OnOpenLog();
// A launch log lies at its place: a file, not a folder of that name.
bool LaunchLogExists();
void OnToggleLaunchDetails();

// Starts the launcher with a complete command line and shows what happened; true when it runs.
bool SpawnLauncher(const wchar_t* interpreterPath, wchar_t* commandLine);

// One complete launch output line (zero-terminated, no CR or LF); length may be 0. Classifies it and
// applies what it asks of the window at once.
void ClassifyLaunchLine(char* line, long long length);
// The same for a line of a running launch, except that what it asks of the window (status, restore or
// minimise, repaint) is kept for ApplyTakenLaunchEffects: lines may come many times per tick, the
// window changes once. Its pane text goes to the pane (or the pane's open batch) at once.
void TakeLaunchLine(char* line, long long length);
void ApplyTakenLaunchEffects();
// The launcher has ended with this exit code; readError is the system's error code when reading its
// output failed for good (0: it did not).
void CompleteLaunch(std::uint32_t exitCode, std::uint32_t readError = 0);

// A settings helper has ended since the last launch: the launch's error state is over.
void ForgetLaunchError();
// Which helper runs, or how the last launch ended.
LaunchPhase CurrentLaunchPhase();
// What the taskbar button should show for the current launch state.
TaskbarProgress CurrentTaskbarProgress();
