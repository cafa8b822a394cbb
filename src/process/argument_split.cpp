#include "process/argument_split.h"
#include <cstdint>

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// Appends to the text being split; false once it would pass the storage (never for a line of the
// allowed length).
struct TextWriter {
    ArgumentList& list;
    std::size_t used = 0;
    bool Put(wchar_t c) {
        if (used >= kArgumentTextUnits)
            return false;
        list.text[used++] = c;
        return true;
    }
    bool PutRun(wchar_t c, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            if (!Put(c))
                return false;
        return true;
    }
};

// One argument after the program name, starting at a non-blank unit; at is left after it.
bool SplitOne(const wchar_t*& at, TextWriter& out) {
    bool quoted = false;
    while (*at != 0 && (quoted || !IsBlank(*at))) {
        if (*at == L'\\') {
            std::size_t run = 0;
            while (at[run] == L'\\')
                ++run;
            at += run;
            if (*at != L'"') {
                if (!out.PutRun(L'\\', run))
                    return false;
                continue;
            }
            if (!out.PutRun(L'\\', run / 2))
                return false;
            if (run % 2 == 1) {
                if (!out.Put(L'"'))
                    return false;
                ++at;
            }
        } else if (*at == L'"') {
            if (quoted && at[1] == L'"') {
                if (!out.Put(L'"'))
                    return false;
                quoted = false;
                at += 2;
            } else {
                quoted = !quoted;
                ++at;
            }
        } else if (!out.Put(*at++)) {
            return false;
        }
    }
    return out.Put(L'\0');
}

bool Split(const wchar_t* at, ArgumentList& list) {
    TextWriter out{list};
    list.arguments[list.count++] = list.text;
    if (*at == L'"') {
        for (++at; *at != 0 && *at != L'"'; ++at)
            if (!out.Put(*at))
                return false;
        if (*at == L'"')
            ++at;
    } else {
        for (; *at != 0 && !IsBlank(*at); ++at)
            if (!out.Put(*at))
                return false;
    }
    if (!out.Put(L'\0'))
        return false;
    for (;;) {
        while (IsBlank(*at))
            ++at;
        if (*at == 0)
            return true;
        if (static_cast<std::size_t>(list.count) >= kMaxArguments || out.used >= kArgumentTextUnits)
            return false;
        list.arguments[list.count++] = list.text + out.used;
        if (!SplitOne(at, out))
            return false;
    }
}

} // namespace

bool SplitArguments(const wchar_t* commandLine, ArgumentList& list) {
    list.count = 0;
    std::uint64_t length = 0;
    while (commandLine[length] != 0)
        if (++length > kCommandLineMaxLength)
            break;
    const bool split = length <= kCommandLineMaxLength && Split(commandLine, list);
    if (!split)
        list.count = 0;
    list.arguments[list.count] = nullptr;
    return split;
}
