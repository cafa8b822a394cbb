#include "shell/system_signals_glue.h"
#include "launch/launch_progress.h"
#include "launch/system_signals.h"
#include "shell/launch_glue.h"

namespace {

bool gKeptAwake = false;
LaunchPhase gPhaseSeen = LaunchPhase::Idle;

} // namespace

void UpdateSystemSignals(HWND mainWindow) {
    const LaunchPhase phase = CurrentLaunchPhase();
    const bool awake = KeepSystemAwake(phase, gProgress);
    if (awake != gKeptAwake) {
        // Never ES_DISPLAY_REQUIRED: the screen may go dark during a long setup, the machine not.
        SetThreadExecutionState(awake ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
        gKeptAwake = awake;
    }
    if (FlashTaskbarButton(gPhaseSeen, phase, GetForegroundWindow() == mainWindow)) {
        FLASHWINFO flash{};
        flash.cbSize = sizeof flash;
        flash.hwnd = mainWindow;
        flash.dwFlags = FLASHW_TRAY | FLASHW_TIMERNOFG; // until the player brings the window back
        FlashWindowEx(&flash);
    }
    gPhaseSeen = phase;
}
