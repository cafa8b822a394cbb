// The sentences about a log that could not be written or opened and output that could not be read:
// one sentence each, with the error code, and the code's meaning where it has a plain one.
#include <gtest/gtest.h>
#include <cwchar>
#include <string>
#include "launch/failure_texts.h"

namespace {

TEST(FailureTexts, TheLogThatCouldNotBeWrittenOrReadGivesItsCode) {
    struct Case {
        void (*format)(std::uint32_t, wchar_t*, std::size_t);
        std::uint32_t error;
        const wchar_t* text;
    } cases[] = {
        {FormatLogNotWrittenLine, 32,
         L"The launch log could not be written (error 32: another program is using the file), so this "
         L"launch's output is shown only here.\r\n"},
        {FormatLogNotWrittenLine, 5,
         L"The launch log could not be written (error 5: access is denied), so this launch's output is "
         L"shown only here.\r\n"},
        {FormatLogNotWrittenLine, 4294967295u,
         L"The launch log could not be written (error 4294967295), so this launch's output is shown only "
         L"here.\r\n"},
        {FormatOutputLostLine, 1816,
         L"The launcher's output could not be read any further (error 1816: not enough quota), so the rest "
         L"of it is missing here and in the log.\r\n"},
        {FormatOutputLostLine, 6,
         L"The launcher's output could not be read any further (error 6), so the rest of it is missing "
         L"here and in the log.\r\n"},
    };
    for (const Case& c : cases) {
        wchar_t text[kFailureTextUnits];
        c.format(c.error, text, std::size(text));
        EXPECT_EQ(std::wstring(text), c.text);
    }
}

TEST(FailureTexts, AFailedOpenOfTheLogSaysWhyInWords) {
    struct Case {
        std::intptr_t result;
        const wchar_t* text;
    } cases[] = {
        {31, L"Windows could not open the launch log: no program is set to open .log files (error 31)."},
        {2, L"Windows could not open the launch log: the file is not there any more (error 2)."},
        {3, L"Windows could not open the launch log: its folder is not there any more (error 3)."},
        {5, L"Windows could not open the launch log: access is denied (error 5)."},
        {0, L"Windows could not open the launch log: not enough memory (error 0)."},
        {27, L"Windows could not open the launch log: the program set to open .log files is not set up "
             L"completely (error 27)."},
        {30,
         L"Windows could not open the launch log: the program set to open .log files is busy (error 30)."},
        {17, L"Windows could not open the launch log (error 17)."},
    };
    for (const Case& c : cases) {
        wchar_t text[kFailureTextUnits];
        FormatOpenLogFailure(c.result, text, std::size(text));
        EXPECT_EQ(std::wstring(text), c.text);
        EXPECT_LT(std::wcslen(text), kFailureTextUnits - 1);
    }
}

} // namespace
