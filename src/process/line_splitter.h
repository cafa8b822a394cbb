#pragma once
#include <cstddef>
#include <cstdint>

// The launcher's output cut into lines for the launch line classifier.

inline constexpr std::size_t kLineBufferBytes = 32768;
// The longest line handed over at once; the last byte of the buffer is kept for the zero byte.
inline constexpr std::uint64_t kLongestLine = kLineBufferBytes - 1;

// The unfinished line of launch output; it keeps its content from one pipe read to the next.
extern char gLineBuffer[kLineBufferBytes];
extern std::uint64_t gLineLength;

// Receives one complete line: zero-terminated, without carriage returns or line feed, maybe empty.
using LineSink = void (*)(char* line, long long length);

void ClearLineBuffer();
// Carriage returns are dropped wherever they stand; a line feed ends a line; a line that reaches
// kLongestLine bytes is handed over as it is and the next byte starts a new one.
void SplitLaunchOutput(const char* bytes, std::size_t count, LineSink sink);
// Hands over the unfinished line, if there is one (the launcher has ended without a final line feed).
void FlushUnfinishedLine(LineSink sink);
