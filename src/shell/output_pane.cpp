#include "shell/output_pane.h"
#include <windows.h>
#include "shell/pane_batch.h"
#include "shell/controls.h"

namespace {

PaneBatch gBatch;
const wchar_t* gNotice = kPaneNotice;

int PaneLength() {
    return GetWindowTextLengthW(gControls.outputPane);
}

void AppendAtEnd(const wchar_t* text) {
    // Always at the end, wherever the user has clicked or selected.
    const int end = PaneLength();
    SendMessageW(gControls.outputPane, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    SendMessageW(gControls.outputPane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

void AppendNow(const wchar_t* text) {
    if (PaneLength() > static_cast<int>(kPaneResetLength))
        SetWindowTextW(gControls.outputPane, gNotice);
    AppendAtEnd(text);
}

void StartBatch() {
    const auto limit = static_cast<std::size_t>(SendMessageW(gControls.outputPane, EM_GETLIMITTEXT, 0, 0));
    StartPaneBatch(gBatch, static_cast<std::size_t>(PaneLength()), limit, gNotice);
}

// Writes the replacement, if due, and at most `most` units of the pending text not yet in the pane;
// true when all of it is in the pane (the pending text then starts again empty).
bool WriteBatch(std::size_t most = kPanePendingUnits) {
    if (gBatch.replaceAll) {
        SetWindowTextW(gControls.outputPane, gBatch.notice);
        gBatch.replaceAll = false;
    }
    std::size_t count = gBatch.pendingLength - gBatch.writtenLength;
    if (count > most)
        count = most;
    if (count != 0) {
        wchar_t* const piece = gBatch.pending + gBatch.writtenLength;
        const wchar_t following = piece[count];
        piece[count] = L'\0';
        AppendAtEnd(piece);
        piece[count] = following;
        gBatch.writtenLength += count;
    }
    if (gBatch.writtenLength != gBatch.pendingLength)
        return false;
    gBatch.pendingLength = gBatch.writtenLength = 0;
    gBatch.pending[0] = L'\0';
    return true;
}

} // namespace

void AppendOutput(const wchar_t* text) {
    if (!gBatch.active) {
        AppendNow(text);
        return;
    }
    if (AddToPaneBatch(gBatch, text))
        return;
    WriteBatch();
    StartBatch();
    if (AddToPaneBatch(gBatch, text))
        return;
    AppendNow(text); // larger than the batch can hold
    StartBatch();
}

void SetPaneLogWritten(bool logWritten) {
    gNotice = PaneNotice(logWritten);
    if (gBatch.active)
        gBatch.notice = gNotice;
}

void OpenPaneBatch() {
    if (!gBatch.active)
        StartBatch();
}

bool WritePaneBatch(std::size_t mostUnits) {
    return !gBatch.active || WriteBatch(mostUnits);
}

void ClosePaneBatch() {
    if (!gBatch.active)
        return;
    WriteBatch();
    gBatch.active = false;
}
