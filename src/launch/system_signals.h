#pragma once
// What the window asks of the system around a long setup: that it does not go to sleep while the
// game is being prepared, and that the taskbar button flashes when a launch has failed while the
// player was elsewhere. Derived from the launch state; the shell makes the calls. Includes no
// platform header.
#include "launch/launch_progress.h"
#include "launch/taskbar_progress.h"

// True while a launch runs and the game has not started (again): the setup must not be interrupted
// by sleep. The display may still turn off.
bool KeepSystemAwake(LaunchPhase phase, const LaunchProgress& progress);

// True when the taskbar button should start flashing: the phase has just become a launch that ended
// needing attention, and the window is not in the foreground (the player is elsewhere).
bool FlashTaskbarButton(LaunchPhase before, LaunchPhase now, bool foreground);
