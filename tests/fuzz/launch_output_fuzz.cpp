// Launch output as pipe reads: through the line splitter into the pane line formatting and the
// launch line classifier, with the progress record checked after every line.
// Input: records of one control byte and up to 127 bytes of output; the control byte's low seven
// bits give the length, its high bit repeats the chunk 300 times (so short inputs reach the longest
// line; only for the first such record, to keep runs quick), and the byte after the chunk
// advances the clock by that many seconds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
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
std::uint64_t gFuzzLineBytes; // bytes handed over in lines, to be checked against what was written

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
    if (effects.appendToPane && !AddToPaneBatch(gFuzzBatch, gFuzzPaneLine))
        StartPaneBatch(gFuzzBatch, gFuzzBatch.paneLength, gFuzzBatch.limit);
    Require(gFuzzBatch.pendingLength < kPanePendingUnits &&
            gFuzzBatch.pending[gFuzzBatch.pendingLength] == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gFuzzProgress = LaunchProgress{};
    gFuzzTick = 1000;
    ClearLineBuffer();
    gFuzzLineBytes = 0;
    std::uint64_t written = 0; // bytes other than CR and LF
    StartPaneBatch(gFuzzBatch, 0, 30000 + (size % 4) * 20000);
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
        if (at < size)
            gFuzzTick += 1000u * data[at++];
    }
    FlushUnfinishedLine(ClassifyLine);
    // Nothing is lost or made up: every byte but CR and LF reaches a line.
    Require(gFuzzLineBytes == written);
    return 0;
}
