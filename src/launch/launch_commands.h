#pragma once
#include <cstdint>
#include "launch/taskbar_progress.h"

// True while the launch output pane replaces Settings and the toggle on the home page.
extern bool LaunchDetailsVisible;

void OnPlay();
void OnOpenLog();
void OnToggleLaunchDetails();

// One complete launch output line (zero-terminated, no CR or LF); length may be 0.
void ClassifyLaunchLine(char* line, long long length);
// The launcher has ended with this exit code.
void CompleteLaunch(std::uint32_t exitCode);

// What the taskbar button should show for the current launch state.
TaskbarProgress CurrentTaskbarProgress();
