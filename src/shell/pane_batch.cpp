#include "shell/pane_batch.h"
#include <cwchar>

void StartPaneBatch(PaneBatch& batch, std::size_t paneLength, std::size_t limit, const wchar_t* notice) {
    batch.active = true;
    batch.replaceAll = false;
    batch.notice = notice;
    batch.paneLength = paneLength;
    batch.limit = limit;
    batch.pendingLength = 0;
    batch.writtenLength = 0;
    batch.pending[0] = 0;
}

bool AddToPaneBatch(PaneBatch& batch, const wchar_t* text) {
    const bool reset = batch.paneLength > kPaneResetLength;
    const std::size_t paneLength = reset ? std::wcslen(batch.notice) : batch.paneLength;
    const std::size_t pendingLength = reset ? 0 : batch.pendingLength;
    // The pane keeps what fits its limit, as an edit control does with an inserted text.
    const std::size_t room = batch.limit > paneLength ? batch.limit - paneLength : 0;
    const std::size_t length = std::wcslen(text);
    const std::size_t kept = length < room ? length : room;
    if (pendingLength + kept >= kPanePendingUnits)
        return false;
    if (reset) {
        batch.replaceAll = true;
        batch.writtenLength = 0;
    }
    std::wmemcpy(batch.pending + pendingLength, text, kept);
    batch.pendingLength = pendingLength + kept;
    batch.pending[batch.pendingLength] = 0;
    batch.paneLength = paneLength + kept;
    return true;
}
