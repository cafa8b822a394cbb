#include "text/utf8.h"
#include <cstdint>
#include <cstring>

namespace {

// Decodes one sequence at bytes[i]; returns its length in bytes and the code point, or 0 when
// invalid (then *consumed says how many bytes form the invalid part: the maximal subpart).
std::size_t DecodeOne(const unsigned char* bytes, std::size_t length, std::size_t i, std::uint32_t* codePoint,
                      std::size_t* consumed) {
    const unsigned char lead = bytes[i];
    *consumed = 1;
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    }
    std::size_t need;
    std::uint32_t value;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        value = lead & 0x0Fu;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        value = lead & 0x07u;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    for (std::size_t k = 1; k <= need; ++k) {
        if (i + k >= length)
            return 0;
        const unsigned char next = bytes[i + k];
        const unsigned char min = k == 1 ? low : 0x80;
        const unsigned char max = k == 1 ? high : 0xBF;
        if (next < min || next > max)
            return 0;
        value = (value << 6) | (next & 0x3Fu);
        *consumed = k + 1;
    }
    *codePoint = value;
    return need + 1;
}

} // namespace

long long Utf8ToWide(const char* text, std::size_t length, wchar_t* out, std::size_t capacity, bool strict) {
    if (capacity == 0)
        return -1;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < length) {
        if (bytes[i] < 0x80) {
            // A run of plain ASCII, the common case: a byte to a unit, if the run and the
            // terminating zero fit.
            std::size_t end = i + 1;
            while (end < length && bytes[end] < 0x80)
                ++end;
            if (written + (end - i) + 1 > capacity) {
                out[0] = L'\0';
                return -1;
            }
            for (; i < end; ++i)
                out[written++] = static_cast<wchar_t>(bytes[i]);
            continue;
        }
        std::uint32_t codePoint = 0;
        std::size_t consumed = 1;
        const std::size_t size = DecodeOne(bytes, length, i, &codePoint, &consumed);
        if (size == 0) {
            if (strict) {
                out[0] = L'\0';
                return -1;
            }
            codePoint = 0xFFFD;
            i += consumed;
        } else {
            i += size;
        }
        const std::size_t units = codePoint >= 0x10000 ? 2 : 1;
        if (written + units + 1 > capacity) {
            out[0] = L'\0';
            return -1;
        }
        if (units == 2) {
            const std::uint32_t v = codePoint - 0x10000;
            out[written++] = static_cast<wchar_t>(0xD800 + (v >> 10));
            out[written++] = static_cast<wchar_t>(0xDC00 + (v & 0x3FF));
        } else {
            out[written++] = static_cast<wchar_t>(codePoint);
        }
    }
    out[written] = L'\0';
    return static_cast<long long>(written);
}

std::size_t Utf8ToWideLength(const char* text, std::size_t length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t units = 0;
    std::size_t i = 0;
    while (i < length) {
        if (bytes[i] < 0x80) {
            ++units;
            ++i;
            continue;
        }
        std::uint32_t codePoint = 0;
        std::size_t consumed = 1;
        const std::size_t size = DecodeOne(bytes, length, i, &codePoint, &consumed);
        if (size == 0) {
            units += 1; // U+FFFD
            i += consumed;
        } else {
            units += codePoint >= 0x10000 ? 2 : 1;
            i += size;
        }
    }
    return units;
}

bool Utf8ToWideStrict(const char* text, wchar_t* out, std::size_t capacity) {
    if (text == nullptr) {
        if (capacity > 0)
            out[0] = L'\0';
        return false;
    }
    return Utf8ToWide(text, std::strlen(text), out, capacity, true) >= 0;
}
