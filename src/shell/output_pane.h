#pragma once
#include <cstddef>

// Appends text (with its own line ends) at the end of the launch output pane.
void AppendOutput(const wchar_t* text);
// Whether the launch whose output the pane shows writes a log: a pane that starts over says where
// the earlier output went only when it went somewhere.
void SetPaneLogWritten(bool logWritten);

// Appends a launch output line's pane text (FormatPaneLine; textUnits is its PaneTextUnits). In a
// batch the line is converted only if the pane still shows it when the batch is written.
void AppendOutputLine(const char* line, std::size_t length, std::size_t textUnits);

// Between these two, additions are collected and written to the pane at the close, with the same
// result as adding each at once. Opening an open batch keeps it and what it holds: output consumed
// between ticks opens it, and the next pump tick writes it.
void OpenPaneBatch();
void ClosePaneBatch();
// Closes the open batch without writing it: the pane is not going to be seen again.
void DropPaneBatch();
// Writes at most mostUnits of an open batch's text to the pane (its replacement first), keeping the
// batch open; true when the pane holds all of it. A large batch laid out in one edit would hold the
// window's thread for long: the pump tick writes it in pieces.
bool WritePaneBatch(std::size_t mostUnits);
// True when the open batch, once written, replaces all the pane shows now: the output since the last
// write has outgrown the pane.
bool PaneBatchStartsOver();
