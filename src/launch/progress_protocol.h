#pragma once
// The launcher's output protocol: setup memory, setup progress and game-started lines, the text
// markers of the early setup, and the state changes they cause. Works on the raw UTF-8 bytes of one
// line; includes no platform header, so it can be tested and fuzzed anywhere.
#include <cstddef>
#include <cstdint>
#include "launch/launch_progress.h"

// One setup stage as the status line names it; the unit follows the counters.
struct SetupStage {
    const wchar_t* name;
    const wchar_t* unit;
};
inline constexpr std::size_t kSetupStageCount = 13;
inline constexpr std::uint64_t kFinalStage = 12; // always shown without counters
extern const SetupStage SetupStages[kSetupStageCount];

inline constexpr std::uint32_t kMaxPeakCommittedMiB = 4194303;
inline constexpr std::uint32_t kMaxMemoryLimitMiB = 32768;
inline constexpr std::uint64_t kMaxProgressTotal = 1000000;
inline constexpr std::uint64_t kFullPermille = 1000; // reserved for the final stage
inline constexpr std::uint32_t kMaxMarkerJobs = 1000000;

// A line's wide text holds at most this many characters; a longer one is shown as an empty line.
inline constexpr std::size_t kLineTextMaxUnits = 32764;
// The pane text of one line: the wide text, CR LF and the terminator.
inline constexpr std::size_t kPaneLineUnits = kLineTextMaxUnits + 3;
inline constexpr std::size_t kStatusTextUnits = 240;
inline constexpr std::size_t kMarkerTextUnits = 220;

inline constexpr wchar_t kGameRunningText[] = L"Game running. Use F1 for settings and networking.";

struct MemoryFields {
    std::uint32_t peakMiB;
    std::uint32_t capMiB;
};

struct ProgressFields {
    std::uint64_t stage;
    std::uint64_t current;
    std::uint64_t total;
    std::uint64_t permille;
};

// Matches "ZEV_SETUP_MEMORY %u %u %c" with exactly two conversions; the figures may still be out
// of range. A number with a minus sign or too large for 32 bits does not match.
bool ParseMemoryLine(const char* line, std::size_t length, MemoryFields* fields);
bool MemoryFiguresInRange(const MemoryFields& fields);

// Matches "ZEV_SETUP_PROGRESS %llu %llu %llu %llu %c" with exactly four conversions; a number with
// a minus sign or too large for 64 bits does not match.
bool ParseProgressLine(const char* line, std::size_t length, ProgressFields* fields);
bool ProgressFiguresInRange(const ProgressFields& fields);

bool ContainsGameStarted(const char* line, std::size_t length);

// The first text marker the line matches, writing its status text (at most kMarkerTextUnits
// units with the terminator) into text; false when no marker matches.
bool MatchTextMarker(const char* line, std::size_t length, wchar_t* text, std::size_t capacity);

// "<stage>: <current> / <total> <unit>", or "<stage>..." for the final stage and a total of 0.
void FormatStageStatus(const ProgressFields& fields, wchar_t* text, std::size_t capacity);

// True when the line can be no protocol, game-started or marker line whatever the launch's state:
// applying it would change nothing and only add it to the pane. Cheap; false does not mean that
// the line is one of them.
bool IsOrdinaryOutputLine(const char* line, std::size_t length);

// The length in UTF-16 units of the text FormatPaneLine gives for the line, without converting it:
// 0 when the text is empty, CR LF not counted.
std::size_t PaneTextUnits(const char* line, std::size_t length);

// Converts the line (leniently: an invalid sequence becomes U+FFFD) and appends CR LF. A line whose
// text needs more than kLineTextMaxUnits units becomes just CR LF. A NUL byte inside the line becomes
// U+FFFD, so the pane keeps the rest of the line and its line break. True when the text is not empty.
bool FormatPaneLine(const char* line, std::size_t length, wchar_t (&paneLine)[kPaneLineUnits]);

struct LaunchLine {
    const char* bytes;
    std::size_t length;
    bool hasText; // the converted text is not empty
};

// What the window does after a line, in this order: restore, status, minimise, invalidate, pane.
struct LaunchLineEffects {
    bool restore = false;
    bool setStatus = false;
    wchar_t statusText[kStatusTextUnits] = {};
    bool minimise = false;
    bool invalidate = false; // the whole window, for the memory figures
    bool appendToPane = false;
};

// Applies one launch output line to the progress record; nowTick is the millisecond tick that
// starts the elapsed clock.
LaunchLineEffects ApplyLaunchLine(LaunchProgress& progress, const LaunchLine& line, std::uint64_t nowTick);
