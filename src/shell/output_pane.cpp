#include "shell/output_pane.h"
#include <windows.h>
#include "shell/pane_batch.h"
#include "shell/controls.h"

namespace {

PaneBatch gBatch;

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
        SetWindowTextW(gControls.outputPane, kPaneNotice);
    AppendAtEnd(text);
}

void StartBatch() {
    const auto limit = static_cast<std::size_t>(SendMessageW(gControls.outputPane, EM_GETLIMITTEXT, 0, 0));
    StartPaneBatch(gBatch, static_cast<std::size_t>(PaneLength()), limit);
}

void WriteBatch() {
    if (gBatch.replaceAll)
        SetWindowTextW(gControls.outputPane, kPaneNotice);
    if (gBatch.pendingLength != 0)
        AppendAtEnd(gBatch.pending);
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

void OpenPaneBatch() {
    if (!gBatch.active)
        StartBatch();
}

void ClosePaneBatch() {
    if (!gBatch.active)
        return;
    WriteBatch();
    gBatch.active = false;
}
