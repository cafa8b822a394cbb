#pragma once
// What the taskbar button shows about a launch, derived from the launch state; the shell applies it.
// Includes no platform header.
#include <cstdint>
#include "launch/launch_progress.h"

enum class TaskbarMode { None, Indeterminate, Normal, Error };

struct TaskbarProgress {
    TaskbarMode mode = TaskbarMode::None;
    std::uint32_t permille = 0; // of kTaskbarTotal, for Normal and Error
    bool operator==(const TaskbarProgress&) const = default;
};
inline constexpr std::uint32_t kTaskbarTotal = 1000;

// Which helper runs, or how the last launch ended.
enum class LaunchPhase {
    Idle,                  // nothing runs, or what ran needs no attention any more
    SettingsHelper,        // a settings helper runs: not a launch
    Launching,             // the launcher runs
    EndedNeedingAttention, // the launcher ended with an error and the status still shows it
};

// Nothing while idle; indeterminate from Play until the first overall figure, then that figure as
// it grows; nothing while the game runs; the error state, full, when the launch ended needing
// attention.
TaskbarProgress WantedTaskbarProgress(LaunchPhase phase, const LaunchProgress& progress);
