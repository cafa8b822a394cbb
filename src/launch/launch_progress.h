#pragma once
#include <cstdint>

// What the launcher has reported about the current launch.
struct LaunchProgress {
    bool progressStarted = false;
    std::uint64_t startTick = 0;
    std::uint64_t elapsedSeconds = 0;
    std::uint64_t lastShownSecond = 0;
    std::uint32_t highestPermille = 0;
    std::uint32_t peakCommittedMiB = 0;
    std::uint32_t memoryLimitMiB = 0;
    bool gameRunning = false;
    std::int32_t animationCounter = 0;
};
extern LaunchProgress gProgress;
