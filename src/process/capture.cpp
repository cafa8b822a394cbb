#include "process/capture.h"
#include <cstring>

char CaptureBuffer[kCaptureBufferBytes];
std::uint64_t CaptureLength = 0;

void ClearCapture() {
    CaptureLength = 0;
    CaptureBuffer[0] = 0;
}

void AppendCapture(const char* bytes, std::size_t count) {
    const std::uint64_t room = kCaptureLimit - CaptureLength;
    const std::size_t kept = count < room ? count : static_cast<std::size_t>(room);
    std::memcpy(CaptureBuffer + CaptureLength, bytes, kept);
    CaptureLength += kept;
    CaptureBuffer[CaptureLength] = 0;
}
