#pragma once

// Appends text (with its own line ends) at the end of the launch output pane.
void AppendOutput(const wchar_t* text);

// Between these two, additions are collected and written to the pane at the close, with the same
// result as adding each at once. The shell brackets each pump tick with them.
void OpenPaneBatch();
void ClosePaneBatch();
