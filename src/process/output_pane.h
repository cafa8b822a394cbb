#pragma once

// Appends text (with its own line ends) at the end of the launch output pane.
void AppendOutput(const wchar_t* text);
