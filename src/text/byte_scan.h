#pragma once
// Byte searches over launch output, eight bytes at a time in plain integer arithmetic: the C
// runtime's memchr may go byte by byte, and a flood of output passes through here line after line.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace byte_scan {

inline constexpr std::uint64_t kEachByte = 0x0101010101010101ull;
inline constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Non-zero exactly when one of the word's bytes is zero.
constexpr std::uint64_t ZeroByteMask(std::uint64_t word) {
    return (word - kEachByte) & ~word & kHighBits;
}

// Non-zero exactly when one of the word's bytes equals value.
constexpr std::uint64_t ByteMatchMask(std::uint64_t word, unsigned char value) {
    return ZeroByteMask(word ^ (kEachByte * value));
}

inline std::uint64_t LoadWord(const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

} // namespace byte_scan

// The index of the first line feed or carriage return, or count when there is none.
std::size_t FindLineBreak(const char* bytes, std::size_t count);

// True when no byte has its high bit set: the text is ASCII, one UTF-16 unit per byte.
bool IsAsciiText(const char* bytes, std::size_t count);

// True when one of the bytes equals one of the N values.
template <std::size_t N>
bool ContainsAnyByte(const char* bytes, std::size_t count, const unsigned char (&values)[N]) {
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const std::uint64_t word = byte_scan::LoadWord(bytes + i);
        std::uint64_t found = 0;
        for (unsigned char value : values)
            found |= byte_scan::ByteMatchMask(word, value);
        if (found != 0)
            return true;
    }
    for (; i < count; ++i) {
        for (unsigned char value : values) {
            if (static_cast<unsigned char>(bytes[i]) == value)
                return true;
        }
    }
    return false;
}
