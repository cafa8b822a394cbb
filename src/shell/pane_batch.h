#pragma once
#include <cstddef>
#include <iterator>

// The launch output pane's content rule, and a batch of additions that leaves the pane exactly as
// adding each text on its own would: past kPaneResetLength characters the next addition first
// replaces everything with the batch's notice, and an addition is cut to what the pane's text limit still
// allows. A pump tick's lines are collected this way and written to the pane at once, as one
// edit per line is slow (each may re-lay out and redraw the pane). The pending text may also be
// written in pieces: a replacement resets what was written of it.

inline constexpr std::size_t kPaneResetLength = 60000;
// The notice says where the earlier output went: to the launch log, or, when the launch could not
// write one, nowhere.
inline constexpr wchar_t kPaneNotice[] = L"Earlier output is in the launcher log.\r\n";
inline constexpr wchar_t kPaneNoticeWithoutLog[] =
    L"Earlier output was not kept: the launch log could not be written.\r\n";
inline const wchar_t* PaneNotice(bool logWritten) {
    return logWritten ? kPaneNotice : kPaneNoticeWithoutLog;
}
inline constexpr std::size_t kPanePendingUnits = 98304;

struct PaneBatch {
    bool active;
    bool replaceAll;        // the pane's text is replaced by the notice before the pending text
    const wchar_t* notice;  // the notice a start-over begins with
    std::size_t paneLength; // the length the pane has once the batch is written
    std::size_t limit;      // the pane's text limit
    std::size_t pendingLength;
    std::size_t writtenLength; // the start of the pending text already in the pane
    wchar_t pending[kPanePendingUnits];
};

void StartPaneBatch(PaneBatch& batch, std::size_t paneLength, std::size_t limit,
                    const wchar_t* notice = kPaneNotice);
// Adds text as one addition; false (nothing changed) when the pending text cannot hold it.
bool AddToPaneBatch(PaneBatch& batch, const wchar_t* text);
