#pragma once
#include <cstdint>
#include "process/line_splitter.h"

// Where the output pump delivers launch lines and the end of a child: the window's own handlers,
// unless a test points them elsewhere to watch the pump through its interfaces.
struct PumpTargets {
    LineSink classifyLaunchLine;
    void (*completeLaunch)(std::uint32_t exitCode);
    void (*completeSettingsOperation)(std::uint32_t exitCode);
};
extern PumpTargets HelperPumpTargets;

// One pipe read at most.
inline constexpr unsigned long kReadChunkBytes = 4096;

// Reads what the helper's pipe holds now, in chunks, and routes it to the capture buffer (settings
// helper) or to the launch log and the line splitter (launcher). Only reads what a peek reports, so
// it never blocks, not even on a pipe that a grandchild of the helper keeps open. Reads at most
// budget bytes.
void DrainHelperPipe(unsigned long long budget = ~0ull);
