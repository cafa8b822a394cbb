#include "process/capture.h"
#include <cstring>

char gCaptureBuffer[kCaptureBufferBytes];
std::uint64_t gCaptureLength = 0;

void ClearCapture() {
    gCaptureLength = 0;
    gCaptureBuffer[0] = 0;
}

void AppendCapture(const char* bytes, std::size_t count) {
    const std::uint64_t room = kCaptureLimit - gCaptureLength;
    const std::size_t kept = count < room ? count : static_cast<std::size_t>(room);
    std::memcpy(gCaptureBuffer + gCaptureLength, bytes, kept);
    gCaptureLength += kept;
    gCaptureBuffer[gCaptureLength] = 0;
}
