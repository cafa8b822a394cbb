#pragma once
#include <cstddef>
#include <cstdint>
#include <iterator>
#include "launch/progress_protocol.h"

// The launch output pane's content rule, and a batch of additions that leaves the pane exactly as
// adding each text on its own would: past kPaneResetLength characters the next addition first
// replaces everything with the batch's notice, and an addition is cut to what the pane's text limit still
// allows. A pump tick's lines are collected this way and written to the pane at once, as one
// edit per line is slow (each may re-lay out and redraw the pane). The pending text may also be
// written in pieces: a replacement resets what was written of it.
//
// Launch output lines are kept as their raw bytes and converted only when they are written: in a
// flood the pane starts over many times between two writes, and what it drops then costs no
// conversion at all. Only their length in units is needed on the way in.

inline constexpr std::size_t kPaneResetLength = 60000;
// The notice says where the earlier output went: to the launch log, or, when the launch could not
// write one, nowhere.
inline constexpr wchar_t kPaneNotice[] = L"Earlier output is in the launcher log.\r\n";
inline constexpr wchar_t kPaneNoticeWithoutLog[] =
    L"Earlier output was not kept: the launch log could not be written.\r\n";
inline const wchar_t* PaneNotice(bool logWritten) {
    return logWritten ? kPaneNotice : kPaneNoticeWithoutLog;
}
inline constexpr std::size_t kPaneNoticeLength = std::size(kPaneNotice) - 1;
// The pending additions, each with a small header: room for the pane's 65536 characters at three
// bytes of UTF-8 each. An addition that does not fit has the batch written first (AppendOutput).
inline constexpr std::size_t kPanePendingBytes = 262144;

struct PaneBatch {
    bool active;
    bool replaceAll;        // the pane's text is replaced by the notice before the pending text
    const wchar_t* notice;  // the notice a start-over begins with
    std::size_t paneLength; // the length the pane has once the batch is written
    std::size_t limit;      // the pane's text limit
    std::size_t pendingUnits;
    std::size_t pendingBytes;
    std::size_t writtenUnits;   // the start of the pending text already in the pane
    std::size_t writtenEntry;   // where the first addition not wholly written starts
    std::size_t writtenInEntry; // its units already written
    unsigned char pending[kPanePendingBytes];
    wchar_t lineText[kPaneLineUnits]; // one launch line converted while it is written
};

void StartPaneBatch(PaneBatch& batch, std::size_t paneLength, std::size_t limit,
                    const wchar_t* notice = kPaneNotice);
// Adds text as one addition; false (nothing changed) when the pending text cannot hold it.
bool AddToPaneBatch(PaneBatch& batch, const wchar_t* text);
// Adds a launch output line as the addition of its pane text (FormatPaneLine), whose length without
// the line end is textUnits (PaneTextUnits); false (nothing changed) when the batch cannot hold it.
bool AddLineToPaneBatch(PaneBatch& batch, const char* line, std::size_t length, std::size_t textUnits);

// Copies at most `most` units of the pending text not yet written to out (which holds most + 1) and
// terminates it; returns the number of units. A due replacement is the caller's, before the first.
std::size_t TakePanePiece(PaneBatch& batch, wchar_t* out, std::size_t most);
inline bool PaneBatchWritten(const PaneBatch& batch) {
    return batch.writtenUnits == batch.pendingUnits;
}
// All of the pending text is in the pane: the batch goes on empty.
void ClearPanePending(PaneBatch& batch);
