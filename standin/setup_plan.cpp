#include "setup_plan.h"
#include <iterator>

namespace standin {

namespace {

constexpr SetupStage kStages[kWorkingStageCount] = {
    {1500, 6, 6, 310, "iso: verified block group"},    {1000, 24, 6, 420, "inputs: prepared input"},
    {1200, 8, 8, 960, "generate: wrote module"},       {2500, 340, 10, 2650, "compile: built object"},
    {600, 3, 3, 1800, "link: finished step"},          {1000, 40, 5, 740, "ui: rendered resource"},
    {1300, 120, 6, 880, "archives: checked resource"}, {900, 60, 5, 520, "subtitles: timed caption"},
    {700, 5, 5, 350, "tools: verified tool"},          {500, 4, 4, 400, "textures: mapped source group"},
    {2500, 48, 8, 3900, "hd: finished texture job"},   {1300, 10, 5, 600, "validate: passed check"},
};

constexpr std::uint32_t kHighestWorkingPermille = 990;
constexpr std::uint32_t kCapsMiB[] = {0, 4096, 6144, 8192, 12288, 16384, 24576, 32768};
constexpr std::uint32_t kAutoCompilerJobs = 4;

std::uint64_t PlannedTotalMs() {
    std::uint64_t total = 0;
    for (const SetupStage& stage : kStages)
        total += stage.durationMs;
    return total;
}

} // namespace

const SetupStage& StageAt(int stage) {
    return kStages[stage < 0 ? 0 : stage >= kWorkingStageCount ? 0 : stage];
}

std::uint64_t StageStartMs(int stage) {
    std::uint64_t start = 0;
    for (int i = 0; i < stage && i < kWorkingStageCount; ++i)
        start += kStages[i].durationMs;
    return start;
}

std::uint32_t PlannedPermille(std::uint64_t elapsedMs) {
    const std::uint64_t total = PlannedTotalMs();
    if (elapsedMs > total)
        elapsedMs = total;
    return static_cast<std::uint32_t>(elapsedMs * kHighestWorkingPermille / total);
}

std::uint32_t MemoryCapMiB(int value) {
    return value >= 0 && value < static_cast<int>(std::size(kCapsMiB)) ? kCapsMiB[value] : 0;
}

std::uint32_t CompilerJobs(int value) {
    return value >= 1 && value <= 16 ? static_cast<std::uint32_t>(value) : kAutoCompilerJobs;
}

std::uint32_t ParseSpeedup(const char* text) {
    if (text == nullptr || *text == '\0')
        return 1;
    std::uint32_t value = 0;
    for (; *text != '\0'; ++text) {
        if (*text < '0' || *text > '9')
            return 1;
        value = value * 10 + static_cast<std::uint32_t>(*text - '0');
        if (value > kMaxSpeedup)
            return 1;
    }
    return value == 0 ? 1 : value;
}

} // namespace standin
