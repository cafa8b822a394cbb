#pragma once
#include <cstdint>

// The first-time setup the demo plays: twelve working stages (0 to 11), each with a planned share
// of the run, a work count in its unit and the log line written beside each progress report.
namespace standin {

struct SetupStage {
    std::uint32_t durationMs;
    std::uint32_t total;   // work count of the stage; 0 = no count
    std::uint32_t reports; // progress lines written for the stage
    std::uint32_t peakMiB; // committed memory the stage reaches without a cap
    const char* logText;   // followed by the number of the finished piece of work
};

inline constexpr int kWorkingStageCount = 12;
inline constexpr int kFinalStage = 12;

const SetupStage& StageAt(int stage);

// Overall estimate in thousandths after `elapsedMs` of the planned run: rising, always below 1000.
std::uint32_t PlannedPermille(std::uint64_t elapsedMs);
std::uint64_t StageStartMs(int stage);

// The memory cap in MiB for a "Build memory cap" value (0 = no cap).
std::uint32_t MemoryCapMiB(int buildMemoryCapValue);
// The number of compiler jobs for a "Compiler jobs" value (0 = Auto).
std::uint32_t CompilerJobs(int compilerJobsValue);

// How many times faster than real the demo plays its pauses, from the text of the speed-up
// variable: a whole number from 1 to kMaxSpeedup; anything else (or no variable) plays at 1.
inline constexpr std::uint32_t kMaxSpeedup = 1000;
std::uint32_t ParseSpeedup(const char* text);

} // namespace standin
