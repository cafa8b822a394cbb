#pragma once

// Appends text (with its own line ends) at the end of the launch output pane.
void AppendOutput(const wchar_t* text);

// Between these two, additions are collected and written to the pane at the close, with the same
// result as adding each at once. Opening an open batch keeps it and what it holds: output consumed
// between ticks opens it, and the next pump tick writes it.
void OpenPaneBatch();
void ClosePaneBatch();
