#include "shell/output_pane.h"
#include <windows.h>
#include <cstdint>
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

// One piece of the batch's text as written to the pane: a whole pane's worth at most.
constexpr std::size_t kPieceUnits = 65536;
wchar_t gPiece[kPieceUnits + 1];
// A launch line converted for a pane that takes it at once.
wchar_t gLineText[kPaneLineUnits];

// Writes the replacement, if due, and at most `most` units of the pending text not yet in the pane;
// true when all of it is in the pane (the pending text then starts again empty).
bool WriteBatch(std::size_t most = SIZE_MAX) {
    if (gBatch.replaceAll) {
        SetWindowTextW(gControls.outputPane, gBatch.notice);
        gBatch.replaceAll = false;
    }
    while (most != 0 && !PaneBatchWritten(gBatch)) {
        const std::size_t count = TakePanePiece(gBatch, gPiece, most < kPieceUnits ? most : kPieceUnits);
        AppendAtEnd(gPiece);
        most -= count;
    }
    if (!PaneBatchWritten(gBatch))
        return false;
    ClearPanePending(gBatch);
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

void AppendOutputLine(const char* line, std::size_t length, std::size_t textUnits) {
    if (gBatch.active) {
        if (AddLineToPaneBatch(gBatch, line, length, textUnits))
            return;
        WriteBatch();
        StartBatch();
        if (AddLineToPaneBatch(gBatch, line, length, textUnits))
            return;
    }
    FormatPaneLine(line, length, gLineText);
    AppendNow(gLineText);
    if (gBatch.active)
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

bool PaneBatchStartsOver() {
    return gBatch.active && gBatch.replaceAll;
}

void DropPaneBatch() {
    gBatch.active = false;
}

void ClosePaneBatch() {
    if (!gBatch.active)
        return;
    WriteBatch();
    gBatch.active = false;
}
