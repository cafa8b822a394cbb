#include "process/line_splitter.h"

char LineBuffer[kLineBufferBytes];
std::uint64_t LineLength = 0;

namespace {

void HandOver(LineSink sink) {
    LineBuffer[LineLength] = 0;
    const auto length = static_cast<long long>(LineLength);
    LineLength = 0;
    sink(LineBuffer, length);
}

} // namespace

void ClearLineBuffer() {
    LineLength = 0;
    LineBuffer[0] = 0;
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
        if (LineLength == kLongestLine)
            HandOver(sink);
        LineBuffer[LineLength++] = byte;
    }
}

void FlushUnfinishedLine(LineSink sink) {
    if (LineLength != 0)
        HandOver(sink);
}
