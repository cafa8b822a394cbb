#include "process/output_pane.h"
#include <windows.h>
#include "process/pane_batch.h"
#include "shell/controls.h"

namespace {

PaneBatch Batch;

int PaneLength() {
    return GetWindowTextLengthW(Controls.outputPane);
}

void AppendAtEnd(const wchar_t* text) {
    // Always at the end, wherever the user has clicked or selected.
    const int end = PaneLength();
    SendMessageW(Controls.outputPane, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    SendMessageW(Controls.outputPane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

void AppendNow(const wchar_t* text) {
    if (PaneLength() > static_cast<int>(kPaneResetLength))
        SetWindowTextW(Controls.outputPane, kPaneNotice);
    AppendAtEnd(text);
}

void StartBatch() {
    const auto limit = static_cast<std::size_t>(SendMessageW(Controls.outputPane, EM_GETLIMITTEXT, 0, 0));
    StartPaneBatch(Batch, static_cast<std::size_t>(PaneLength()), limit);
}

void WriteBatch() {
    if (Batch.replaceAll)
        SetWindowTextW(Controls.outputPane, kPaneNotice);
    if (Batch.pendingLength != 0)
        AppendAtEnd(Batch.pending);
}

} // namespace

void AppendOutput(const wchar_t* text) {
    if (!Batch.active) {
        AppendNow(text);
        return;
    }
    if (AddToPaneBatch(Batch, text))
        return;
    WriteBatch();
    StartBatch();
    if (AddToPaneBatch(Batch, text))
        return;
    AppendNow(text); // larger than the batch can hold
    StartBatch();
}

void OpenPaneBatch() {
    StartBatch();
}

void ClosePaneBatch() {
    if (!Batch.active)
        return;
    WriteBatch();
    Batch.active = false;
}
