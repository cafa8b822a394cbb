#include "process/line_splitter.h"
#include <cstring>
#include "text/byte_scan.h"

char gLineBuffer[kLineBufferBytes];
std::uint64_t gLineLength = 0;

namespace {

void HandOver(LineSink sink) {
    gLineBuffer[gLineLength] = 0;
    const auto length = static_cast<long long>(gLineLength);
    gLineLength = 0;
    sink(gLineBuffer, length);
}

} // namespace

void ClearLineBuffer() {
    gLineLength = 0;
    gLineBuffer[0] = 0;
}

void SplitLaunchOutput(const char* bytes, std::size_t count, LineSink sink) {
    std::size_t i = 0;
    while (i < count) {
        // The run of ordinary bytes up to the next CR or LF goes into the line in one copy, in pieces
        // where it reaches the longest line.
        const std::size_t end = i + FindLineBreak(bytes + i, count - i);
        while (i < end) {
            if (gLineLength == kLongestLine)
                HandOver(sink);
            const std::size_t room = static_cast<std::size_t>(kLongestLine - gLineLength);
            const std::size_t piece = end - i < room ? end - i : room;
            std::memcpy(gLineBuffer + gLineLength, bytes + i, piece);
            gLineLength += piece;
            i += piece;
        }
        if (i == count)
            break;
        if (bytes[i] == '\n')
            HandOver(sink);
        ++i; // a CR is dropped wherever it stands
    }
}

void FlushUnfinishedLine(LineSink sink) {
    if (gLineLength != 0)
        HandOver(sink);
}
