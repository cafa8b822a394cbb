#pragma once
// What the pipe reader does with a failed read. Includes no platform header.
#include <cstdint>

enum class ReadErrorAction {
    End,    // the pipe's real end: every writer has let go of it
    Retry,  // try again after a short pause
    Report, // give up: say so, stop reading and let go of the pipe
};

// Failed reads of one kind in a row before the reader gives up.
inline constexpr unsigned kReadRetries = 5;
inline constexpr unsigned kReadRetryPauseMs = 20;

// The action for a read that failed with the system's error code after `failedBefore` failed reads
// in a row. Only a broken or disconnected pipe is the end; an invalid handle or buffer cannot get
// better; anything else may be passing (short of memory or quota) and is tried again a few times.
ReadErrorAction ClassifyReadError(std::uint32_t error, unsigned failedBefore);
