// The C library's wide-string functions for a host build with 2-byte wchar_t (-fshort-wchar).
// The host C library is built for 4-byte units, so every wide function that the pure units, the
// tests, the C++ library's inline code or GoogleTest call is defined here with UTF-16 units, exactly
// as on Windows. Definitions in the executable take the place of the C library's (and of the
// sanitizer runtime's weak interceptors), and being compiled with the sanitizers they are checked too.
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <iterator>

static_assert(sizeof(wchar_t) == 2, "the host build must use 2-byte wchar_t, as Windows does");

extern "C" {

std::size_t wcslen(const wchar_t* text) {
    std::size_t length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}

std::size_t wcsnlen(const wchar_t* text, std::size_t limit) {
    std::size_t length = 0;
    while (length < limit && text[length] != 0)
        ++length;
    return length;
}

int wmemcmp(const wchar_t* left, const wchar_t* right, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (left[i] != right[i])
            return left[i] < right[i] ? -1 : 1;
    }
    return 0;
}

int wcsncmp(const wchar_t* left, const wchar_t* right, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (left[i] != right[i])
            return left[i] < right[i] ? -1 : 1;
        if (left[i] == 0)
            return 0;
    }
    return 0;
}

int wcscmp(const wchar_t* left, const wchar_t* right) {
    return wcsncmp(left, right, static_cast<std::size_t>(-1));
}

int wcscasecmp(const wchar_t* left, const wchar_t* right) {
    for (;; ++left, ++right) {
        const auto a = static_cast<wint_t>(towlower(static_cast<wint_t>(*left)));
        const auto b = static_cast<wint_t>(towlower(static_cast<wint_t>(*right)));
        if (a != b)
            return a < b ? -1 : 1;
        if (a == 0)
            return 0;
    }
}

wchar_t* wmemchr(const wchar_t* text, wchar_t unit, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (text[i] == unit)
            return const_cast<wchar_t*>(text + i);
    }
    return nullptr;
}

wchar_t* wcschr(const wchar_t* text, wchar_t unit) {
    for (;; ++text) {
        if (*text == unit)
            return const_cast<wchar_t*>(text);
        if (*text == 0)
            return nullptr;
    }
}

wchar_t* wcsrchr(const wchar_t* text, wchar_t unit) {
    const wchar_t* last = nullptr;
    for (;; ++text) {
        if (*text == unit)
            last = text;
        if (*text == 0)
            return const_cast<wchar_t*>(last);
    }
}

wchar_t* wcsstr(const wchar_t* text, const wchar_t* part) {
    const std::size_t partLength = wcslen(part);
    for (; *text != 0 || partLength == 0; ++text) {
        if (wcsncmp(text, part, partLength) == 0)
            return const_cast<wchar_t*>(text);
    }
    return nullptr;
}

wchar_t* wmemcpy(wchar_t* target, const wchar_t* source, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        target[i] = source[i];
    return target;
}

wchar_t* wmemmove(wchar_t* target, const wchar_t* source, std::size_t count) {
    if (target < source) {
        for (std::size_t i = 0; i < count; ++i)
            target[i] = source[i];
    } else {
        for (std::size_t i = count; i > 0; --i)
            target[i - 1] = source[i - 1];
    }
    return target;
}

wchar_t* wmemset(wchar_t* target, wchar_t unit, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        target[i] = unit;
    return target;
}

wchar_t* wcscpy(wchar_t* target, const wchar_t* source) {
    return wmemcpy(target, source, wcslen(source) + 1);
}

wchar_t* wcsncpy(wchar_t* target, const wchar_t* source, std::size_t count) {
    const std::size_t length = wcsnlen(source, count);
    wmemcpy(target, source, length);
    wmemset(target + length, 0, count - length);
    return target;
}

wchar_t* wcscat(wchar_t* target, const wchar_t* source) {
    wcscpy(target + wcslen(target), source);
    return target;
}

wchar_t* wcsncat(wchar_t* target, const wchar_t* source, std::size_t count) {
    wchar_t* end = target + wcslen(target);
    const std::size_t length = wcsnlen(source, count);
    wmemcpy(end, source, length);
    end[length] = 0;
    return target;
}

// Formats as the C library does for everything but "%ls" and "%lc", whose arguments are UTF-16
// here: each conversion other than those is handed to vsnprintf on its own and widened (the format
// texts in use are ASCII). Like the C library, it returns -1 when the text does not fit, and the
// output is cut there and terminated.
int vswprintf(wchar_t* out, std::size_t capacity, const wchar_t* format, va_list arguments) {
    std::size_t at = 0;
    bool cut = false;
    const auto put = [&](wchar_t unit) {
        if (at + 1 < capacity)
            out[at] = unit;
        else
            cut = true;
        ++at;
    };
    while (*format != 0) {
        if (*format != L'%') {
            put(*format++);
            continue;
        }
        char spec[32];
        std::size_t specLength = 0;
        spec[specLength++] = '%';
        ++format;
        // Flags, width, precision and length modifiers, then the conversion character.
        while (*format != 0 && specLength + 2 < std::size(spec)) {
            const wchar_t c = *format++;
            spec[specLength++] = static_cast<char>(c);
            if ((c >= L'a' && c <= L'z' && c != L'l' && c != L'h' && c != L'j' && c != L'z' && c != L't') ||
                (c >= L'A' && c <= L'Z' && c != L'L') || c == L'%')
                break;
        }
        spec[specLength] = 0;
        const char conversion = spec[specLength - 1];
        const bool longModifier = specLength >= 3 && spec[specLength - 2] == 'l';
        if (conversion == '%') {
            put(L'%');
        } else if (longModifier && conversion == 's') {
            for (const wchar_t* text = va_arg(arguments, const wchar_t*); *text != 0; ++text)
                put(*text);
        } else if (longModifier && conversion == 'c') {
            put(static_cast<wchar_t>(va_arg(arguments, wint_t)));
        } else {
            char narrow[128];
            va_list one;
            va_copy(one, arguments);
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wformat-nonliteral"
            const int written = std::vsnprintf(narrow, sizeof narrow, spec, one);
#pragma clang diagnostic pop
            va_end(one);
            // Step past the argument that the conversion consumed.
            if (conversion == 's' || conversion == 'p' || conversion == 'n')
                (void)va_arg(arguments, void*);
            else if (conversion == 'f' || conversion == 'F' || conversion == 'e' || conversion == 'E' ||
                     conversion == 'g' || conversion == 'G' || conversion == 'a' || conversion == 'A')
                (void)va_arg(arguments, double);
            else if (specLength >= 4 && spec[specLength - 2] == 'l' && spec[specLength - 3] == 'l')
                (void)va_arg(arguments, long long);
            else if (longModifier || spec[specLength - 2] == 'z' || spec[specLength - 2] == 'j' ||
                     spec[specLength - 2] == 't')
                (void)va_arg(arguments, long);
            else
                (void)va_arg(arguments, int);
            if (written < 0)
                return -1;
            for (int i = 0; i < written && i + 1 < static_cast<int>(sizeof narrow); ++i)
                put(static_cast<wchar_t>(static_cast<unsigned char>(narrow[i])));
        }
    }
    if (capacity > 0)
        out[at < capacity ? at : capacity - 1] = 0;
    return cut ? -1 : static_cast<int>(at);
}

int swprintf(wchar_t* out, std::size_t capacity, const wchar_t* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int written = vswprintf(out, capacity, format, arguments);
    va_end(arguments);
    return written;
}

} // extern "C"
