// The launch output pane of the real main window: additions always go to the end, and a pane that
// has grown past 60000 characters starts over with a pointer to the launch log.
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <vector>
#include "launch/progress_protocol.h"
#include "shell/output_pane.h"
#include "window_fixture.h"

namespace {

std::wstring PaneText() {
    HWND pane = gControls.outputPane;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(pane)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(pane, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Text of the given length made of numbered lines, so any change in the middle shows.
std::wstring Filler(size_t length) {
    std::wstring text;
    for (int line = 0; text.size() < length; ++line)
        text += L"line " + std::to_wstring(line) + L"\r\n";
    text.resize(length);
    return text;
}

using OutputPaneTest = MainWindowTest;

TEST_F(OutputPaneTest, AdditionsGoToTheEndAndALongPaneStartsOver) {
    const std::wstring notice = L"Earlier output is in the launcher log.\r\n";
    struct Case {
        const char* name;
        size_t before;
        int selectionStart, selectionEnd; // what the user has selected; -1: nothing touched
        bool reset;
    };
    const Case cases[] = {
        {"empty pane", 0, -1, -1, false},
        {"exactly 60000 characters", 60000, -1, -1, false},
        {"60001 characters", 60001, -1, -1, true},
        {"text selected in the middle", 500, 100, 200, false},
        {"caret at the start", 500, 0, 0, false},
        {"everything selected", 500, 0, -1, false},
        {"selection in a long pane", 60001, 10, 20, true},
    };
    SetWindowTextW(gControls.outputPane, Filler(60000).c_str());
    AppendOutput(L"grows past the mark\r\n");
    AppendOutput(L"starts over\r\n");
    EXPECT_TRUE(PaneText() == notice + L"starts over\r\n");

    // The length test comes before the addition: a pane of 60000 characters grows past the mark,
    // and only the next addition starts over.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring before = Filler(c.before);
        SetWindowTextW(gControls.outputPane, before.c_str());
        ASSERT_EQ(static_cast<size_t>(GetWindowTextLengthW(gControls.outputPane)), before.size());
        if (c.selectionStart >= 0)
            SendMessageW(gControls.outputPane, EM_SETSEL, c.selectionStart, c.selectionEnd);
        AppendOutput(L"new line\r\n");
        const std::wstring expected = (c.reset ? notice : before) + L"new line\r\n";
        EXPECT_TRUE(PaneText() == expected)
            << PaneText().size() << " characters, expected " << expected.size();
    }
}

// The start-over line says where the earlier output went: to the log, or nowhere when the launch
// could not write one; added at once or in a batch.
TEST_F(OutputPaneTest, AStartOverPointsToTheLogOnlyWhenThereIsOne) {
    struct Case {
        bool logWritten;
        bool batched;
        const wchar_t* notice;
    } cases[] = {
        {true, false, L"Earlier output is in the launcher log.\r\n"},
        {true, true, L"Earlier output is in the launcher log.\r\n"},
        {false, false, L"Earlier output was not kept: the launch log could not be written.\r\n"},
        {false, true, L"Earlier output was not kept: the launch log could not be written.\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "log written " << c.logWritten << ", batched " << c.batched);
        SetPaneLogWritten(c.logWritten);
        SetWindowTextW(gControls.outputPane, Filler(60001).c_str());
        if (c.batched)
            OpenPaneBatch();
        AppendOutput(L"next\r\n");
        if (c.batched)
            ClosePaneBatch();
        EXPECT_EQ(PaneText(), std::wstring(c.notice) + L"next\r\n");
    }
    SetPaneLogWritten(true);
}

// The pump writes a tick's lines in one batch; the pane must end up exactly as with one addition
// per line, including the start-over and the pane's own text limit.
TEST_F(OutputPaneTest, ABatchOfAdditionsLeavesThePaneAsAddingEachAtOnce) {
    std::mt19937 random(4711);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        std::wstring before = Filler(std::uniform_int_distribution<size_t>(0, 62000)(random));
        std::vector<std::wstring> additions(std::uniform_int_distribution<size_t>(0, 120)(random));
        if (round == 0) { // an addition that passes the pane's limit of 65536 characters
            before = Filler(59000);
            additions = {std::wstring(10000, L'k')};
        }
        for (std::wstring& text : additions) {
            if (round == 0)
                break;
            const int kind = std::uniform_int_distribution<int>(0, 19)(random);
            const size_t length = kind == 0   ? std::uniform_int_distribution<size_t>(5000, 12000)(random)
                                  : kind == 1 ? 0
                                              : std::uniform_int_distribution<size_t>(1, 300)(random);
            text = std::wstring(length, static_cast<wchar_t>(L'a' + kind)) + L"\r\n";
        }
        SetWindowTextW(gControls.outputPane, before.c_str());
        for (const std::wstring& text : additions)
            AppendOutput(text.c_str());
        const std::wstring oneByOne = PaneText();
        if (round == 0) {
            EXPECT_EQ(oneByOne.size(), 65536u);
        }

        SetWindowTextW(gControls.outputPane, before.c_str());
        OpenPaneBatch();
        for (const std::wstring& text : additions)
            AppendOutput(text.c_str());
        EXPECT_TRUE(PaneText() == before) << "nothing is written before the batch closes";
        ClosePaneBatch();
        EXPECT_TRUE(PaneText() == oneByOne)
            << PaneText().size() << " characters, one by one " << oneByOne.size();

        // The same additions, with the batch written in pieces while more are added, as the pump
        // ticks do while output keeps coming.
        SetWindowTextW(gControls.outputPane, before.c_str());
        OpenPaneBatch();
        const size_t piece = std::uniform_int_distribution<size_t>(1, 9000)(random);
        for (size_t i = 0; i < additions.size(); ++i) {
            AppendOutput(additions[i].c_str());
            if (i % 7 == 0)
                WritePaneBatch(piece);
        }
        while (!WritePaneBatch(piece)) {
        }
        EXPECT_TRUE(PaneText() == oneByOne)
            << PaneText().size() << " characters in pieces, one by one " << oneByOne.size();
        ClosePaneBatch();
    }
}

// Launch lines are kept raw and converted when the batch is written: the pane must read as if each
// line's converted text had been added at once, whatever the line holds and however long it is.
TEST_F(OutputPaneTest, LaunchLinesInABatchAreShownAsTheirConvertedText) {
    std::mt19937 random(1913);
    const std::string samples[] = {
        "plain ASCII output",
        "caf\xC3\xA9 \xE2\x82\xAC and \xF0\x9F\x8E\xAE",
        "bad \xFF byte, cut \xE2\x82",
        std::string("nul\0inside", 10),
        std::string(kLineTextMaxUnits + 1, 'L'), // too long to show: an empty line
        std::string(9000, 'w'),
    };
    static wchar_t converted[kPaneLineUnits];
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        const std::wstring before = Filler(std::uniform_int_distribution<size_t>(0, 62000)(random));
        std::vector<std::string> lines(std::uniform_int_distribution<size_t>(1, 400)(random));
        for (std::string& line : lines)
            line = samples[std::uniform_int_distribution<size_t>(0, std::size(samples) - 1)(random)];

        SetWindowTextW(gControls.outputPane, before.c_str());
        for (const std::string& line : lines) {
            FormatPaneLine(line.data(), line.size(), converted);
            AppendOutput(converted);
        }
        const std::wstring oneByOne = PaneText();

        SetWindowTextW(gControls.outputPane, before.c_str());
        OpenPaneBatch();
        const size_t piece = std::uniform_int_distribution<size_t>(1, 9000)(random);
        for (size_t i = 0; i < lines.size(); ++i) {
            AppendOutputLine(lines[i].data(), lines[i].size(),
                             PaneTextUnits(lines[i].data(), lines[i].size()));
            if (i % 11 == 0)
                WritePaneBatch(piece);
        }
        ClosePaneBatch();
        EXPECT_TRUE(PaneText() == oneByOne)
            << PaneText().size() << " characters from the batch, one by one " << oneByOne.size();
    }
}

} // namespace
