#include "process/read_errors.h"

namespace {

// The system's codes, spelled out so that this stays free of platform headers.
constexpr std::uint32_t kInvalidHandle = 6;        // ERROR_INVALID_HANDLE
constexpr std::uint32_t kBrokenPipe = 109;         // ERROR_BROKEN_PIPE
constexpr std::uint32_t kPipeNotConnected = 233;   // ERROR_PIPE_NOT_CONNECTED
constexpr std::uint32_t kInvalidUserBuffer = 1784; // ERROR_INVALID_USER_BUFFER

} // namespace

ReadErrorAction ClassifyReadError(std::uint32_t error, unsigned failedBefore) {
    if (error == kBrokenPipe || error == kPipeNotConnected)
        return ReadErrorAction::End;
    if (error == kInvalidHandle || error == kInvalidUserBuffer)
        return ReadErrorAction::Report;
    return failedBefore < kReadRetries ? ReadErrorAction::Retry : ReadErrorAction::Report;
}
