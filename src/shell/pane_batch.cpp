#include "shell/pane_batch.h"
#include <cstring>
#include <cwchar>

namespace {

enum class EntryKind : std::uint32_t { Text, Line };

// Stored before each addition the pane keeps something of: the units it adds (its text already cut
// to the pane's limit) and the bytes that follow, UTF-16 units for a text, the raw line for a line.
struct Entry {
    EntryKind kind;
    std::uint32_t units;
    std::uint32_t bytes;
};

Entry EntryAt(const PaneBatch& batch, std::size_t at) {
    Entry entry;
    std::memcpy(&entry, batch.pending + at, sizeof entry);
    return entry;
}

struct Reservation {
    bool fits;
    unsigned char* payload; // where the addition's bytes go; null when the pane keeps none of it
    std::size_t kept;       // its units the pane keeps
};

// Takes an addition of `length` units into the batch's reckoning and makes room for its entry;
// payloadBytes(kept) says how many bytes the entry stores when the pane keeps `kept` of its units.
template <typename PayloadBytes>
Reservation Reserve(PaneBatch& batch, EntryKind kind, std::size_t length, PayloadBytes payloadBytes) {
    const bool reset = batch.paneLength > kPaneResetLength;
    const std::size_t paneLength = reset ? std::wcslen(batch.notice) : batch.paneLength;
    const std::size_t pendingBytes = reset ? 0 : batch.pendingBytes;
    // The pane keeps what fits its limit, as an edit control does with an inserted text.
    const std::size_t room = batch.limit > paneLength ? batch.limit - paneLength : 0;
    const std::size_t kept = length < room ? length : room;
    const std::size_t bytes = kept == 0 ? 0 : payloadBytes(kept);
    const std::size_t stored = kept == 0 ? 0 : sizeof(Entry) + bytes;
    if (pendingBytes + stored > kPanePendingBytes)
        return {false, nullptr, 0};
    if (reset) {
        batch.replaceAll = true;
        ClearPanePending(batch);
    }
    batch.paneLength = paneLength + kept;
    if (kept == 0)
        return {true, nullptr, 0};
    const Entry entry{kind, static_cast<std::uint32_t>(kept), static_cast<std::uint32_t>(bytes)};
    unsigned char* const at = batch.pending + batch.pendingBytes;
    std::memcpy(at, &entry, sizeof entry);
    batch.pendingBytes += stored;
    batch.pendingUnits += kept;
    return {true, at + sizeof entry, kept};
}

} // namespace

void StartPaneBatch(PaneBatch& batch, std::size_t paneLength, std::size_t limit, const wchar_t* notice) {
    batch.active = true;
    batch.replaceAll = false;
    batch.notice = notice;
    batch.paneLength = paneLength;
    batch.limit = limit;
    ClearPanePending(batch);
}

void ClearPanePending(PaneBatch& batch) {
    batch.pendingUnits = batch.pendingBytes = 0;
    batch.writtenUnits = batch.writtenEntry = batch.writtenInEntry = 0;
}

bool AddToPaneBatch(PaneBatch& batch, const wchar_t* text) {
    const Reservation r = Reserve(batch, EntryKind::Text, std::wcslen(text),
                                  [](std::size_t kept) { return kept * sizeof(wchar_t); });
    if (r.payload != nullptr)
        std::memcpy(r.payload, text, r.kept * sizeof(wchar_t));
    return r.fits;
}

bool AddLineToPaneBatch(PaneBatch& batch, const char* line, std::size_t length, std::size_t textUnits) {
    // An empty text (a line too long to show) shows as its line end alone: nothing to keep of it.
    const std::size_t stored = textUnits == 0 ? 0 : length;
    const Reservation r =
        Reserve(batch, EntryKind::Line, textUnits + 2, [stored](std::size_t) { return stored; });
    if (r.payload != nullptr)
        std::memcpy(r.payload, line, stored);
    return r.fits;
}

std::size_t TakePanePiece(PaneBatch& batch, wchar_t* out, std::size_t most) {
    std::size_t count = 0;
    while (count < most && batch.writtenUnits < batch.pendingUnits) {
        const Entry entry = EntryAt(batch, batch.writtenEntry);
        const unsigned char* payload = batch.pending + batch.writtenEntry + sizeof entry;
        std::size_t take = entry.units - batch.writtenInEntry;
        if (take > most - count)
            take = most - count;
        if (entry.kind == EntryKind::Line) {
            // Converted again for each piece it falls into; a line crosses a piece's end rarely.
            FormatPaneLine(reinterpret_cast<const char*>(payload), entry.bytes, batch.lineText);
            std::wmemcpy(out + count, batch.lineText + batch.writtenInEntry, take);
        } else {
            // Copied as bytes: a text's units need not be aligned after a line's bytes.
            std::memcpy(out + count, payload + batch.writtenInEntry * sizeof(wchar_t),
                        take * sizeof(wchar_t));
        }
        count += take;
        batch.writtenUnits += take;
        batch.writtenInEntry += take;
        if (batch.writtenInEntry == entry.units) {
            batch.writtenEntry += sizeof entry + entry.bytes;
            batch.writtenInEntry = 0;
        }
    }
    out[count] = L'\0';
    return count;
}
