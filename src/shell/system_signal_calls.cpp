#include "shell/system_signal_calls.h"
#include "launch/system_signals.h"

void ApplySystemSignals(AppliedSystemSignals& applied, LaunchPhase phase, const LaunchProgress& progress,
                        bool foreground, SystemSignalCalls& calls) {
    const bool awake = KeepSystemAwake(phase, progress);
    if (awake != applied.keptAwake)
        calls.KeepAwake(awake);
    if (FlashTaskbarButton(applied.phase, phase, foreground))
        calls.FlashButton();
    applied = {awake, phase};
}
