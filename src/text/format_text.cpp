#include "text/format_text.h"
#include <cstdarg>

namespace {

// Appends to the output and remembers whether anything had to be cut.
struct Writer {
    wchar_t* out;
    std::size_t capacity;
    std::size_t length = 0;
    bool cut = false;

    void Put(wchar_t unit) {
        if (length + 1 < capacity)
            out[length++] = unit;
        else
            cut = true;
    }
    void Put(const wchar_t* text) {
        if (text == nullptr)
            return;
        while (*text != L'\0' && !cut)
            Put(*text++);
    }
    // Digits of value in the given base, at least minimumDigits of them (zero-padded).
    void PutNumber(unsigned long long value, unsigned base, int minimumDigits) {
        wchar_t digits[24];
        int count = 0;
        do {
            const unsigned digit = static_cast<unsigned>(value % base);
            digits[count++] = static_cast<wchar_t>(digit < 10 ? L'0' + digit : L'A' + digit - 10);
            value /= base;
        } while (value != 0);
        while (count < minimumDigits && count < static_cast<int>(sizeof digits / sizeof digits[0]))
            digits[count++] = L'0';
        while (count > 0)
            Put(digits[--count]);
    }
};

// The length of a conversion at pattern (just after its '%') that this formatter knows, or 0.
std::size_t KnownConversion(const wchar_t* pattern) {
    if (pattern[0] == L'%' || pattern[0] == L'u' || pattern[0] == L'X')
        return 1;
    if (pattern[0] == L'l' && (pattern[1] == L's' || pattern[1] == L'u'))
        return 2;
    if (pattern[0] == L'0' && pattern[1] == L'8' && pattern[2] == L'X')
        return 3;
    return 0;
}

} // namespace

bool FormatText(wchar_t* out, std::size_t capacity, const wchar_t* pattern, ...) {
    if (capacity == 0)
        return false;
    Writer writer{out, capacity};
    std::va_list arguments;
    va_start(arguments, pattern);
    for (const wchar_t* at = pattern; *at != L'\0' && !writer.cut;) {
        const std::size_t conversion = at[0] == L'%' ? KnownConversion(at + 1) : 0;
        if (conversion == 0) {
            writer.Put(*at++);
            continue;
        }
        switch (at[conversion]) {
        case L'%': writer.Put(L'%'); break;
        case L's': writer.Put(va_arg(arguments, const wchar_t*)); break;
        case L'u':
            if (conversion == 2)
                writer.PutNumber(va_arg(arguments, unsigned long), 10, 1);
            else
                writer.PutNumber(va_arg(arguments, unsigned int), 10, 1);
            break;
        case L'X': writer.PutNumber(va_arg(arguments, unsigned int), 16, conversion == 3 ? 8 : 1); break;
        }
        at += conversion + 1;
    }
    va_end(arguments);
    out[writer.length] = L'\0';
    return !writer.cut;
}

bool JoinBytes(char* out, std::size_t capacity, std::initializer_list<const char*> parts) {
    if (capacity == 0)
        return false;
    std::size_t length = 0;
    bool cut = false;
    for (const char* part : parts) {
        for (; part != nullptr && *part != '\0' && !cut; ++part) {
            if (length + 1 == capacity)
                cut = true;
            else
                out[length++] = *part;
        }
    }
    out[length] = '\0';
    return !cut;
}
