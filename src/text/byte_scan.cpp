#include "text/byte_scan.h"

std::size_t FindLineBreak(const char* bytes, std::size_t count) {
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const std::uint64_t word = byte_scan::LoadWord(bytes + i);
        if ((byte_scan::ByteMatchMask(word, '\n') | byte_scan::ByteMatchMask(word, '\r')) != 0)
            break;
    }
    for (; i < count; ++i) {
        if (bytes[i] == '\n' || bytes[i] == '\r')
            return i;
    }
    return count;
}

bool IsAsciiText(const char* bytes, std::size_t count) {
    std::uint64_t high = 0;
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8)
        high |= byte_scan::LoadWord(bytes + i);
    for (; i < count; ++i)
        high |= static_cast<unsigned char>(bytes[i]);
    return (high & byte_scan::kHighBits) == 0;
}
