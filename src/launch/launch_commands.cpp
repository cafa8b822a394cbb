#include "launch/launch_commands.h"
#include "launch/launch_progress.h"

bool LaunchDetailsVisible = false;
LaunchProgress Progress;

void OnPlay() {}
void OnOpenLog() {}
void OnToggleLaunchDetails() {}
void ClassifyLaunchLine(char*, long long) {}
void CompleteLaunch(std::uint32_t) {}
