#include "launch/taskbar_progress.h"

TaskbarProgress WantedTaskbarProgress(LaunchPhase phase, const LaunchProgress& progress) {
    switch (phase) {
    case LaunchPhase::Launching:
        if (progress.gameRunning)
            return {};
        if (!progress.progressStarted)
            return {TaskbarMode::Indeterminate, 0};
        return {TaskbarMode::Normal, progress.highestPermille};
    case LaunchPhase::EndedNeedingAttention: return {TaskbarMode::Error, kTaskbarTotal};
    case LaunchPhase::Idle:
    case LaunchPhase::SettingsHelper: return {};
    }
    return {};
}
