// UTF-8 to UTF-16, strict and lenient, at every capacity (for longer texts: the smallest ones, those
// around the needed one and half of it):
// strict accepts exactly the well-formed inputs that fit, lenient agrees with strict wherever strict
// accepts, the output is always terminated and nothing is written past the capacity.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include "fuzz_checks.h"
#include "text/utf8.h"

namespace {

constexpr std::size_t kGuardUnits = 8;
constexpr wchar_t kGuard = static_cast<wchar_t>(0xA5A5);
constexpr std::size_t kEveryCapacityUpTo = 64;

// Well-formed UTF-8 decoded to UTF-16 by the table of well-formed byte sequences; false when the
// input is not well formed.
bool Reference(const std::uint8_t* bytes, std::size_t length, std::u16string* out) {
    std::size_t i = 0;
    while (i < length) {
        const std::uint8_t lead = bytes[i];
        std::size_t need = 0;
        std::uint8_t low = 0x80, high = 0xBF;
        std::uint32_t value = 0;
        if (lead <= 0x7F) {
            value = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            need = 1, value = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            need = 2, value = lead & 0x0Fu;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            need = 3, value = lead & 0x07u;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (need != 0 && i + need >= length)
            return false;
        for (std::size_t k = 1; k <= need; ++k) {
            const std::uint8_t next = bytes[i + k];
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
                return false;
            value = (value << 6) | (next & 0x3Fu);
        }
        i += need + 1;
        if (value >= 0x10000) {
            out->push_back(static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10)));
            out->push_back(static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF)));
        } else {
            out->push_back(static_cast<char16_t>(value));
        }
    }
    return true;
}

bool SameUnits(const wchar_t* text, const std::u16string& expected) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (static_cast<char16_t>(text[i]) != expected[i])
            return false;
    }
    return text[expected.size()] == 0;
}

bool WellFormedUtf16(const wchar_t* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const auto unit = static_cast<std::uint16_t>(text[i]);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 >= length || static_cast<std::uint16_t>(text[i + 1]) < 0xDC00 ||
                static_cast<std::uint16_t>(text[i + 1]) > 0xDFFF)
                return false;
            ++i;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

// One conversion into exactly capacity units plus a guard, each on its own allocation, so that
// ASan catches a write past the guard and the guard catches one into it.
long long Convert(const char* bytes, std::size_t length, std::size_t capacity, bool strict,
                  std::vector<wchar_t>* kept) {
    const auto out = std::make_unique<wchar_t[]>(capacity + kGuardUnits);
    std::fill(out.get(), out.get() + capacity + kGuardUnits, kGuard);
    const long long written = Utf8ToWide(bytes, length, out.get(), capacity, strict);
    for (std::size_t i = capacity; i < capacity + kGuardUnits; ++i)
        Require(out[i] == kGuard);
    if (capacity == 0) {
        Require(written == -1);
        return written;
    }
    Require(written >= -1 && written < static_cast<long long>(capacity));
    Require(out[written < 0 ? 0 : static_cast<std::size_t>(written)] == 0);
    if (written >= 0)
        kept->assign(out.get(), out.get() + written + 1);
    return written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = CopyOfInput(data, size);
    std::u16string expected;
    const bool wellFormed = Reference(data, size, &expected);

    // Lenient with room to spare gives the full text; its length decides which capacities fit.
    std::vector<wchar_t> full;
    const std::size_t roomy = 2 * size + 1;
    const long long lenientLength = Convert(bytes.get(), size, roomy, false, &full);
    Require(lenientLength >= 0 && WellFormedUtf16(full.data(), static_cast<std::size_t>(lenientLength)));
    if (wellFormed)
        Require(SameUnits(full.data(), expected));
    else
        Require(std::find(full.begin(), full.end(), static_cast<wchar_t>(0xFFFD)) != full.end());

    const auto needed = static_cast<std::size_t>(lenientLength) + 1;
    std::vector<std::size_t> capacities;
    if (needed <= kEveryCapacityUpTo) {
        for (std::size_t capacity = 0; capacity <= needed + 1; ++capacity)
            capacities.push_back(capacity);
    } else {
        for (std::size_t capacity = 0; capacity <= 8; ++capacity)
            capacities.push_back(capacity);
        for (std::size_t capacity = needed - 8; capacity <= needed + 1; ++capacity)
            capacities.push_back(capacity);
        capacities.push_back(needed / 2);
    }
    for (const std::size_t capacity : capacities) {
        std::vector<wchar_t> lenient, strict;
        const long long lenientWritten = Convert(bytes.get(), size, capacity, false, &lenient);
        const long long strictWritten = Convert(bytes.get(), size, capacity, true, &strict);
        Require(lenientWritten == (capacity >= needed ? lenientLength : -1));
        Require(strictWritten == (wellFormed && capacity >= needed ? lenientLength : -1));
        if (strictWritten >= 0)
            Require(strict == lenient && SameUnits(strict.data(), expected));
    }

    // The NUL-terminated form converts up to the first zero byte.
    const std::string text(bytes.get(), size);
    const std::size_t untilNul = std::strlen(text.c_str());
    std::u16string prefix;
    const bool prefixWellFormed = Reference(data, untilNul, &prefix);
    std::vector<wchar_t> out(prefix.size() + 1 + kGuardUnits, kGuard);
    Require(Utf8ToWideStrict(text.c_str(), out.data(), prefix.size() + 1) == prefixWellFormed);
    Require(prefixWellFormed ? SameUnits(out.data(), prefix) : out[0] == 0);
    Require(std::all_of(out.begin() + static_cast<std::ptrdiff_t>(prefix.size() + 1), out.end(),
                        [](wchar_t unit) { return unit == kGuard; }));
    return 0;
}
