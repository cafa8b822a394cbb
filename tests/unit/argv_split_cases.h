#pragma once
// Command lines and the arguments that the platform's splitting gives for them: checked against
// CommandLineToArgvW on Windows and against SplitCommandLine (argv_split.h) on every host.
#include <cstddef>
#include <iterator>

struct ArgvSplitCase {
    const wchar_t* commandLine;
    const wchar_t* arguments[6]; // ends at the first null
};

inline constexpr ArgvSplitCase kArgvSplitCases[] = {
    {L"p", {L"p"}},
    {L"p a b", {L"p", L"a", L"b"}},
    {L"p  \t a\t\tb  ", {L"p", L"a", L"b"}},
    {L"\"C:\\Program Files\\p.exe\" -u", {L"C:\\Program Files\\p.exe", L"-u"}},
    {L"\"C:\\dir\\\" a", {L"C:\\dir\\", L"a"}}, // no escapes in the program name
    {L"C:\\a\\\"b c", {L"C:\\a\\\"b", L"c"}},
    {L"\"p\"a b", {L"p", L"a", L"b"}}, // the next argument starts right after the closing mark
    {L"p \"\"", {L"p", L""}},
    {L"p \"\" \"\"", {L"p", L"", L""}},
    {L"p \"a b\" c", {L"p", L"a b", L"c"}},
    {L"p a\"b c\"d", {L"p", L"ab cd"}},
    {L"p a\\b\\\\c", {L"p", L"a\\b\\\\c"}},
    {L"p a\\\"b", {L"p", L"a\"b"}},
    {L"p a\\\\\"b c\"", {L"p", L"a\\b c"}},
    {L"p a\\\\\\\"b", {L"p", L"a\\\"b"}},
    {L"p \"a\\\\\"", {L"p", L"a\\"}},
    {L"p \"\\\\\\\\\"", {L"p", L"\\\\"}},
    {L"p \"\\\"\"", {L"p", L"\""}},
    {L"p \"a\"\"b\"", {L"p", L"a\"b"}},
    {L"p \"a\"\"b c\"", {L"p", L"a\"b", L"c"}}, // a doubled mark ends the quoted part
    {L"p \"\"\"\"", {L"p", L"\""}},
    {L"p \"\"\"a\"", {L"p", L"\"a"}},
    {L"p \"a b", {L"p", L"a b"}}, // an unclosed part runs to the end
    {L"p \"\u00e9 \U0001F600\"", {L"p", L"\u00e9 \U0001F600"}},
};

inline std::size_t ArgvSplitCaseCount(const ArgvSplitCase& c) {
    std::size_t count = 0;
    while (count < std::size(c.arguments) && c.arguments[count] != nullptr)
        ++count;
    return count;
}
