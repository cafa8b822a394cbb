#include "process/line_splitter.h"

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
    for (std::size_t i = 0; i < count; ++i) {
        const char byte = bytes[i];
        if (byte == '\r')
            continue;
        if (byte == '\n') {
            HandOver(sink);
            continue;
        }
        if (gLineLength == kLongestLine)
            HandOver(sink);
        gLineBuffer[gLineLength++] = byte;
    }
}

void FlushUnfinishedLine(LineSink sink) {
    if (gLineLength != 0)
        HandOver(sink);
}
