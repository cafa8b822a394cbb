#include "process/output_pane.h"
#include <windows.h>
#include "shell/controls.h"

namespace {

// Past this length the next addition first replaces the pane's text; the launch log keeps it all.
constexpr int kPaneResetLength = 60000;

} // namespace

void AppendOutput(const wchar_t* text) {
    HWND pane = Controls.outputPane;
    if (GetWindowTextLengthW(pane) > kPaneResetLength) {
        SetWindowTextW(pane, L"Earlier output is in the launcher log.\r\n");
    }
    // Always at the end, wherever the user has clicked or selected.
    const int end = GetWindowTextLengthW(pane);
    SendMessageW(pane, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    SendMessageW(pane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}
