#include "shell/status_line.h"
#include "shell/accessibility.h"
#include "shell/app_state.h"
#include "shell/controls.h"

int gAttentionFlag = 0;

namespace {

void ShowStatus(const wchar_t* text) {
    // The flag is set before the text, so the static repaints in the new colour.
    SetWindowTextW(gControls.statusLine, text);
    InvalidateRect(gMainWindow, nullptr, FALSE);
    AnnounceStatus(gControls.statusLine, text, gAttentionFlag != 0);
}

} // namespace

void SetStatus(const wchar_t* text) {
    gAttentionFlag = 0;
    ShowStatus(text);
}

void SetStatusAlert(const wchar_t* text) {
    gAttentionFlag = 1;
    ShowStatus(text);
}

void ShowStatusReport(const wchar_t* text, bool alert) {
    if (text == nullptr)
        return;
    if (alert) {
        SetStatusAlert(text);
    } else {
        SetStatus(text);
    }
}
