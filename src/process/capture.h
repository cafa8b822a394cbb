#pragma once
#include <cstddef>
#include <cstdint>

// Everything a settings helper wrote to standard output and standard error, in arrival order.

inline constexpr std::size_t kCaptureBufferBytes = 262144;
// Bytes kept at most; the rest are dropped without notice. A zero byte always follows the last one.
inline constexpr std::uint64_t kCaptureLimit = kCaptureBufferBytes - 1;

extern char gCaptureBuffer[kCaptureBufferBytes];
extern std::uint64_t gCaptureLength;

void ClearCapture();
void AppendCapture(const char* bytes, std::size_t count);
