#pragma once
#include <cstddef>
#include <cstdint>
#include "process/helper_process.h"
#include "process/line_splitter.h"

// A child that has ended, with everything it wrote before its end read and routed.
struct ChildEnd {
    HelperKind kind;
    int operation; // the settings operation's code when kind is SettingsOperation
    std::uint32_t exitCode;
};

// The only way out of the process layer: where it hands the launcher's output lines and the end of a
// child. The window installs its handlers when it is created; tests point them elsewhere to watch
// the pump through its interfaces. Until then both do nothing.
struct PumpTargets {
    LineSink launchLine;
    void (*childEnded)(const ChildEnd& end);
};
extern PumpTargets gPumpTargets;

// One pipe read at most.
inline constexpr unsigned long kReadChunkBytes = 4096;

// Routes a piece of what the running child wrote, as it arrived: a settings helper's to the capture
// buffer, the launcher's to the launch log and, cut into lines, to gPumpTargets.launchLine.
void RouteHelperOutput(const char* bytes, std::size_t count);

// Reads what the helper's pipe holds now, in chunks, and routes it. Only reads what a peek reports,
// so it never blocks, not even on a pipe that a grandchild of the helper keeps open. Reads at most
// budget bytes.
void DrainHelperPipe(unsigned long long budget = ~0ull);

// One timer tick's reading: drains the pipe and looks whether the child has ended. True when it has
// and everything it wrote before its end is routed; FinishHelper is then due.
bool PumpHelperOutput();

// The child has ended and all its output is routed: hands over the unfinished last line, releases the
// child, its pipe and the launch log, and reports the end to gPumpTargets.childEnded.
void FinishHelper();
