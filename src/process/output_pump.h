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
    std::uint32_t readError; // the system's error code when reading its output failed for good, else 0
};

// The only way out of the process layer: where it hands the launcher's output lines and the end of a
// child, and how it tells the window's thread that output waits for it. The window installs its
// handlers when it is created; tests point them elsewhere to watch the pump through its interfaces.
// Until then they do nothing (outputWaiting may be null: no wake-up).
struct PumpTargets {
    LineSink launchLine;
    void (*childEnded)(const ChildEnd& end);
    // Called on the pipe reader's thread, so it may only post a message to the window's thread, which
    // then calls ConsumeHelperOutput.
    void (*outputWaiting)();
};
extern PumpTargets gPumpTargets;

// The window's thread consumes what the pipe reader delivered (pipe_reader.h) for one slice of time
// at most per call, in chunks, so it keeps answering its messages however fast the helper writes.
inline constexpr std::size_t kConsumeChunkBytes = 16384;
inline constexpr long long kConsumeSliceMicroseconds = 8000;

// Routes a piece of what the running child wrote, in the order it arrived: a settings helper's to the
// capture buffer, the launcher's, cut into lines, to gPumpTargets.launchLine. (The reader has already
// written the launcher's bytes to the launch log.)
void RouteHelperOutput(const char* bytes, std::size_t count);

// Consumes and routes what the reader delivered, for one slice at most. True when nothing is left.
bool ConsumeHelperOutput();
// Asks for gPumpTargets.outputWaiting once plenty of output waits, after ConsumeHelperOutput has left
// nothing. False when output (or the child's end) came meanwhile: consume again instead of waiting.
bool WaitForHelperOutput();
// True once the child has ended and everything it wrote before its end is routed; FinishHelper is
// then due.
bool HelperOutputComplete();

// Once HelperOutputComplete: the exit code FinishHelper reports (1 when it cannot be read).
std::uint32_t EndedChildExitCode();

// The child has ended and all its output is routed: hands over the unfinished last line, releases the
// child, its reader, its pipe and the launch log, and reports the end to gPumpTargets.childEnded.
void FinishHelper();
