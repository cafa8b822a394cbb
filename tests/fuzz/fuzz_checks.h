#pragma once
// What the fuzz targets share: a failed check ends the run as a finding, and outside input is
// copied to an allocation of its own size, so that AddressSanitizer sees a read past its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>

inline void Require(bool condition) {
    if (!condition)
        std::abort();
}

inline bool Terminated(const wchar_t* text, std::size_t capacity) {
    return std::wmemchr(text, L'\0', capacity) != nullptr;
}

inline std::unique_ptr<char[]> CopyOfInput(const std::uint8_t* data, std::size_t size) {
    auto copy = std::make_unique<char[]>(size);
    if (size != 0)
        std::memcpy(copy.get(), data, size);
    return copy;
}
