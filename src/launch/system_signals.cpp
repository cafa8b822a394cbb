#include "launch/system_signals.h"

bool KeepSystemAwake(LaunchPhase phase, const LaunchProgress& progress) {
    return phase == LaunchPhase::Launching && !progress.gameRunning;
}

bool FlashTaskbarButton(LaunchPhase before, LaunchPhase now, bool foreground) {
    return now == LaunchPhase::EndedNeedingAttention && before != LaunchPhase::EndedNeedingAttention &&
           !foreground;
}
