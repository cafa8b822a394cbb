// Launch output as pipe reads: through the line splitter into the pane line formatting and the
// launch line classifier, with the progress record checked after every line, and into a pane batch
// written in pieces, which must give the pane that adding each converted line at once gives.
// Input: records of one control byte and up to 127 bytes of output; the control byte's low seven
// bits give the length, its high bit repeats the chunk 300 times (so short inputs reach the longest
// line; only for the first such record, to keep runs quick), and the byte after the chunk
// advances the clock by that many seconds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <string>
#include "fuzz_checks.h"
#include "launch/launch_progress.h"
#include "launch/progress_protocol.h"
#include "process/line_splitter.h"
#include "shell/pane_batch.h"

namespace {

constexpr int kRepeats = 300;
constexpr int kMaxRepeatedChunks = 1;

LaunchProgress gFuzzProgress;
std::uint64_t gFuzzTick;
wchar_t gFuzzPaneLine[kPaneLineUnits];
PaneBatch gFuzzBatch;
std::uint64_t gFuzzLineBytes;   // bytes handed over in lines, to be checked against what was written
std::wstring gFuzzExpectedPane; // the pane as adding each line's text at once leaves it
std::wstring gFuzzWrittenPane;  // the pane as the batch's pieces leave it
constexpr std::size_t kMaxPiece = 9000;
wchar_t gFuzzPiece[kMaxPiece + 1];

void AddAtOnce(const wchar_t* text) {
    if (gFuzzExpectedPane.size() > kPaneResetLength)
        gFuzzExpectedPane = kPaneNotice;
    const std::size_t room =
        gFuzzBatch.limit > gFuzzExpectedPane.size() ? gFuzzBatch.limit - gFuzzExpectedPane.size() : 0;
    gFuzzExpectedPane.append(text, std::min(std::wcslen(text), room));
}

// As the window writes a batch: the replacement first, then pieces of the pending text.
void WritePiece(std::size_t most) {
    if (gFuzzBatch.replaceAll) {
        gFuzzWrittenPane = kPaneNotice;
        gFuzzBatch.replaceAll = false;
    }
    const std::size_t count = TakePanePiece(gFuzzBatch, gFuzzPiece, most);
    Require(count <= most && gFuzzPiece[count] == 0 && (count != 0 || PaneBatchWritten(gFuzzBatch)));
    gFuzzWrittenPane.append(gFuzzPiece, count);
    if (PaneBatchWritten(gFuzzBatch))
        ClearPanePending(gFuzzBatch);
}

void WriteAll() {
    do {
        WritePiece(kMaxPiece);
    } while (!PaneBatchWritten(gFuzzBatch));
}

bool SameProgress(const LaunchProgress& a, const LaunchProgress& b) {
    return a.progressStarted == b.progressStarted && a.startTick == b.startTick &&
           a.elapsedSeconds == b.elapsedSeconds && a.lastShownSecond == b.lastShownSecond &&
           a.highestPermille == b.highestPermille && a.peakCommittedMiB == b.peakCommittedMiB &&
           a.memoryLimitMiB == b.memoryLimitMiB && a.gameRunning == b.gameRunning &&
           a.animationCounter == b.animationCounter;
}

void ClassifyLine(char* line, long long length) {
    Require(length >= 0 && static_cast<std::uint64_t>(length) <= kLongestLine && line[length] == 0);
    for (long long i = 0; i < length; ++i)
        Require(line[i] != '\n' && line[i] != '\r');
    gFuzzLineBytes += static_cast<std::uint64_t>(length);
    if (length == 0)
        return;
    const auto size = static_cast<std::size_t>(length);
    const bool hasText = FormatPaneLine(line, size, gFuzzPaneLine);
    Require(Terminated(gFuzzPaneLine, kPaneLineUnits));
    const std::size_t paneLength = std::wcslen(gFuzzPaneLine);
    Require(paneLength >= 2 && paneLength <= kLineTextMaxUnits + 2);
    Require(gFuzzPaneLine[paneLength - 2] == L'\r' && gFuzzPaneLine[paneLength - 1] == L'\n');
    Require(hasText == (paneLength > 2));
    const std::size_t textUnits = PaneTextUnits(line, size);
    Require(textUnits == paneLength - 2 || (textUnits == 0 && !hasText));

    const LaunchProgress before = gFuzzProgress;
    const LaunchLineEffects effects =
        ApplyLaunchLine(gFuzzProgress, LaunchLine{line, size, hasText}, gFuzzTick);
    Require(Terminated(effects.statusText, kStatusTextUnits));
    // The overall figure only goes back when the launcher starts over after the game ran.
    if (!effects.restore)
        Require(gFuzzProgress.highestPermille >= before.highestPermille);
    Require(gFuzzProgress.highestPermille <= kFullPermille);
    Require(gFuzzProgress.peakCommittedMiB <= kMaxPeakCommittedMiB);
    Require(gFuzzProgress.memoryLimitMiB <= kMaxMemoryLimitMiB);
    if (!effects.restore)
        Require(gFuzzProgress.peakCommittedMiB >= before.peakCommittedMiB);
    Require(!(effects.minimise && effects.restore));
    // The window skips the classifier for an ordinary line: it must be one that changes nothing.
    if (IsOrdinaryOutputLine(line, size)) {
        Require(effects.appendToPane && !effects.setStatus && !effects.minimise && !effects.restore &&
                !effects.invalidate);
        Require(SameProgress(before, gFuzzProgress));
    }
    if (!effects.appendToPane)
        return;
    AddAtOnce(gFuzzPaneLine);
    if (!AddLineToPaneBatch(gFuzzBatch, line, size, textUnits)) {
        WriteAll();
        StartPaneBatch(gFuzzBatch, gFuzzWrittenPane.size(), gFuzzBatch.limit);
        Require(AddLineToPaneBatch(gFuzzBatch, line, size, textUnits));
    }
    Require(gFuzzBatch.pendingBytes <= kPanePendingBytes && gFuzzBatch.pendingUnits <= gFuzzBatch.limit);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gFuzzProgress = LaunchProgress{};
    gFuzzTick = 1000;
    ClearLineBuffer();
    gFuzzLineBytes = 0;
    std::uint64_t written = 0; // bytes other than CR and LF
    StartPaneBatch(gFuzzBatch, 0, 30000 + (size % 4) * 20000);
    gFuzzExpectedPane.clear();
    gFuzzWrittenPane.clear();
    std::size_t at = 0;
    int repeatedChunks = 0;
    while (at < size) {
        const std::uint8_t control = data[at++];
        const std::size_t length = std::min<std::size_t>(control & 0x7Fu, size - at);
        const bool repeat = (control & 0x80u) != 0 && repeatedChunks < kMaxRepeatedChunks;
        repeatedChunks += repeat ? 1 : 0;
        const int repeats = repeat ? kRepeats : 1;
        const auto lineBytes = static_cast<std::uint64_t>(std::count_if(
            data + at, data + at + length, [](std::uint8_t b) { return b != '\r' && b != '\n'; }));
        for (int i = 0; i < repeats; ++i) {
            SplitLaunchOutput(reinterpret_cast<const char*>(data + at), length, ClassifyLine);
            written += lineBytes;
        }
        at += length;
        WritePiece(1 + (control * 131u) % kMaxPiece); // the window writes the pane now and then
        if (at < size)
            gFuzzTick += 1000u * data[at++];
    }
    FlushUnfinishedLine(ClassifyLine);
    WriteAll();
    Require(gFuzzWrittenPane == gFuzzExpectedPane);
    // Nothing is lost or made up: every byte but CR and LF reaches a line.
    Require(gFuzzLineBytes == written);
    return 0;
}
