#include "launch/failure_texts.h"
#include <iterator>
#include "text/format_text.h"

namespace {

struct Meaning {
    std::uint32_t code;
    const wchar_t* words;
};

// The system's error codes a player meets when a file cannot be created or read.
constexpr Meaning kFileErrors[] = {
    {2, L"the file is not there"},
    {3, L"its folder is not there"},
    {5, L"access is denied"},
    {8, L"not enough memory"},
    {19, L"the disk is write-protected"},
    {32, L"another program is using the file"},
    {33, L"another program has locked a part of the file"},
    {112, L"the disk is full"},
    {1816, L"not enough quota"},
};

// The shell's own results of a failed open, which share their low numbers with the system's codes.
constexpr Meaning kShellErrors[] = {
    {0, L"not enough memory"},
    {2, L"the file is not there any more"},
    {3, L"its folder is not there any more"},
    {5, L"access is denied"},
    {8, L"not enough memory"},
    {11, L"the program set to open it is damaged"},
    {26, L"another program is using the file"},
    {27, L"the program set to open .log files is not set up completely"},
    {28, L"the program set to open .log files did not answer in time"},
    {29, L"the program set to open .log files reported a failure"},
    {30, L"the program set to open .log files is busy"},
    {31, L"no program is set to open .log files"},
    {32, L"a part of the program set to open .log files is missing"},
};

template <std::size_t N> const wchar_t* WordsFor(const Meaning (&table)[N], std::uint32_t code) {
    for (const Meaning& meaning : table) {
        if (meaning.code == code)
            return meaning.words;
    }
    return nullptr;
}

// "(error 32: another program is using the file)", or "(error 1234)" for a code without words.
void FormatCode(const wchar_t* words, std::uint32_t code, wchar_t* text, std::size_t capacity) {
    if (words != nullptr) {
        FormatText(text, capacity, L"(error %lu: %ls)", static_cast<unsigned long>(code), words);
    } else {
        FormatText(text, capacity, L"(error %lu)", static_cast<unsigned long>(code));
    }
}

} // namespace

void FormatLogNotWrittenLine(std::uint32_t error, wchar_t* text, std::size_t capacity) {
    wchar_t code[96];
    FormatCode(WordsFor(kFileErrors, error), error, code, std::size(code));
    FormatText(text, capacity,
               L"The launch log could not be written %ls, so this launch's output is shown only here.\r\n",
               code);
}

void FormatOutputLostLine(std::uint32_t error, wchar_t* text, std::size_t capacity) {
    wchar_t code[96];
    FormatCode(WordsFor(kFileErrors, error), error, code, std::size(code));
    FormatText(text, capacity,
               L"The launcher's output could not be read any further %ls, so the rest of it is missing here "
               L"and in the log.\r\n",
               code);
}

void FormatOpenLogFailure(std::intptr_t shellResult, wchar_t* text, std::size_t capacity) {
    const auto code = static_cast<std::uint32_t>(shellResult);
    const wchar_t* words = WordsFor(kShellErrors, code);
    if (words != nullptr) {
        FormatText(text, capacity, L"Windows could not open the launch log: %ls (error %lu).", words,
                   static_cast<unsigned long>(code));
    } else {
        FormatText(text, capacity, L"Windows could not open the launch log (error %lu).",
                   static_cast<unsigned long>(code));
    }
}
