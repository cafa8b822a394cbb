#pragma once
// A host implementation of the platform's command-line splitting (CommandLineToArgvW), from its
// documented rules, so that command lines can be checked where that function does not exist:
// - the program name runs to the first space or tab; when it starts with a quotation mark, it runs to
//   the next one, and nothing inside it is escaped;
// - the other arguments are separated by spaces and tabs outside quotation marks;
// - 2n backslashes before a quotation mark give n backslashes and the mark opens or closes a quoted
//   part; 2n+1 backslashes before one give n backslashes and a literal mark; backslashes anywhere
//   else are literal;
// - inside a quoted part, two quotation marks in a row give one literal mark and end the quoted part.
// argv_split_cases.h holds the table that the Windows tests check against the real function.
#include <string>
#include <vector>

inline std::vector<std::wstring> SplitCommandLine(const wchar_t* line) {
    std::vector<std::wstring> arguments;
    const wchar_t* at = line;
    const auto isBlank = [](wchar_t c) { return c == L' ' || c == L'\t'; };

    std::wstring program;
    if (*at == L'"') {
        for (++at; *at != 0 && *at != L'"'; ++at)
            program += *at;
        if (*at == L'"')
            ++at;
    } else {
        for (; *at != 0 && !isBlank(*at); ++at)
            program += *at;
    }
    arguments.push_back(program);

    for (;;) {
        while (isBlank(*at))
            ++at;
        if (*at == 0)
            break;
        std::wstring argument;
        bool quoted = false;
        while (*at != 0 && (quoted || !isBlank(*at))) {
            if (*at == L'\\') {
                std::size_t run = 0;
                while (at[run] == L'\\')
                    ++run;
                if (at[run] == L'"') {
                    argument.append(run / 2, L'\\');
                    at += run;
                    if (run % 2 == 1) {
                        argument += L'"';
                        ++at;
                    }
                } else {
                    argument.append(run, L'\\');
                    at += run;
                }
            } else if (*at == L'"') {
                if (quoted && at[1] == L'"') {
                    argument += L'"';
                    quoted = false;
                    at += 2;
                } else {
                    quoted = !quoted;
                    ++at;
                }
            } else {
                argument += *at++;
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}
