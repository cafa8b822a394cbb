#include "launch/progress_protocol.h"
#include <algorithm>
#include <cstring>
#include <iterator>
#include "text/byte_scan.h"
#include "text/copy_text.h"
#include "text/format_text.h"
#include "text/utf8.h"

const SetupStage SetupStages[kSetupStageCount] = {
    {L"Checking your original ISO", L"steps"},
    {L"Preparing verified game inputs", L"inputs"},
    {L"Generating native game code", L"steps"},
    {L"Compiling the native game", L"files"},
    {L"Linking the Windows executable", L"steps"},
    {L"Rendering English UI", L"resources"},
    {L"Rebuilding and checking English archives", L"resources checked"},
    {L"Preparing English subtitles", L"captions"},
    {L"Preparing public texture tools", L"steps"},
    {L"Mapping texture sources", L"steps"},
    {L"Building HD textures", L"jobs"},
    {L"Validating the completed installation", L"checks"},
    {L"Setup complete. Opening the game", L"steps"},
};

namespace {

constexpr char kMemoryPattern[] = "ZEV_SETUP_MEMORY %u %u %c";
constexpr char kProgressPattern[] = "ZEV_SETUP_PROGRESS %llu %llu %llu %llu %c";
constexpr char kHdJobsPattern[] = "Preparing HD textures: %u / %u jobs complete";
constexpr char kGameStarted[] = "ZEV_LAUNCHER_GAME_STARTED";
constexpr int kMaxConversions = 5;

// White space as the C locale's isspace sees it.
bool IsWhiteSpace(unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

struct Input {
    const unsigned char* at;
    const unsigned char* end;

    bool AtEnd() const { return at == end; }
    void SkipWhiteSpace() {
        while (at != end && IsWhiteSpace(*at))
            ++at;
    }
};

// An unsigned decimal number as "%u" and "%llu" read one: leading white space skipped, an optional
// plus sign, then digits. A minus sign, or a value above limit, fails the conversion: scanf would
// wrap such a number and report, for example, -4294967295 or 4294967297 as 1.
bool ReadUnsigned(Input& input, std::uint64_t limit, std::uint64_t* value) {
    input.SkipWhiteSpace();
    if (!input.AtEnd() && *input.at == '+')
        ++input.at;
    if (input.AtEnd() || !IsDigit(*input.at))
        return false;
    std::uint64_t result = 0;
    bool fits = true;
    for (; !input.AtEnd() && IsDigit(*input.at); ++input.at) {
        const auto digit = static_cast<std::uint64_t>(*input.at - '0');
        if (result > (limit - digit) / 10) {
            fits = false;
        } else {
            result = result * 10 + digit;
        }
    }
    *value = result;
    return fits;
}

// Matches the line against a scanf pattern made of literal bytes, blanks (any run of white space,
// also none), "%u", "%llu" and "%c". Returns the number of conversions, as scanf counts them.
// The whole length is input: a NUL byte inside the line is an ordinary, non-blank byte.
int ScanPattern(const char* line, std::size_t length, const char* pattern, std::uint64_t* values) {
    Input input{reinterpret_cast<const unsigned char*>(line),
                reinterpret_cast<const unsigned char*>(line) + length};
    int conversions = 0;
    for (const char* p = pattern; *p != '\0' && conversions < kMaxConversions;) {
        if (IsWhiteSpace(static_cast<unsigned char>(*p))) {
            input.SkipWhiteSpace();
            ++p;
        } else if (std::strncmp(p, "%llu", 4) == 0 || std::strncmp(p, "%u", 2) == 0) {
            const bool wide = p[1] == 'l';
            if (!ReadUnsigned(input, wide ? UINT64_MAX : UINT32_MAX, &values[conversions]))
                return conversions;
            ++conversions;
            p += wide ? 4 : 2;
        } else if (std::strncmp(p, "%c", 2) == 0) {
            if (input.AtEnd())
                return conversions;
            values[conversions++] = *input.at++;
            p += 2;
        } else {
            if (input.AtEnd() || *input.at != static_cast<unsigned char>(*p))
                return conversions;
            ++input.at;
            ++p;
        }
    }
    return conversions;
}

bool Contains(const char* line, std::size_t length, const char* text) {
    const std::size_t textLength = std::strlen(text);
    if (textLength > length)
        return false;
    const char* last = line + (length - textLength);
    for (const char* at = line; at <= last; ++at) {
        at = static_cast<const char*>(std::memchr(at, text[0], static_cast<std::size_t>(last - at) + 1));
        if (at == nullptr)
            return false;
        if (std::memcmp(at, text, textLength) == 0)
            return true;
    }
    return false;
}

struct SubstringMarker {
    const char* text;
    const wchar_t* status;
};

// Markers 2 to 10, searched anywhere in the line, in this order.
constexpr SubstringMarker kSubstringMarkers[] = {
    {"Starting Tharn", L"Checking your game files..."},
    {"Checking HD textures", L"Verifying HD textures. The first check may take a little longer."},
    {"Preparing HD textures",
     L"Building HD textures locally. This can take a long time; completed batches resume."},
    {"Preparing HD tools",
     L"Downloading and verifying public texture tools. Your game files stay on this PC."},
    {"generate: running pinned framework", L"Generating native game code from your verified ISO..."},
    {"build: running pinned framework",
     L"Compiling the native Windows game. This is required once on first setup."},
    {"Preparing native Windows",
     L"Compiling the native game from your ISO. This is required once on first launch."},
    {"Preparing ", L"Preparing your English game files. Your original ISO stays unchanged."},
    {"Checks complete", L"Everything is ready. Opening the game..."},
};

// Every protocol keyword and text marker holds one of these bytes, so a line without any of them
// is ordinary output: it changes nothing and only goes to the pane. Most output is such lines, and
// this one pass over them replaces the dozen searches of the classifier.
constexpr unsigned char kMarkerBytes[] = {'C', 'P', 'S', 'Z', ':'};

constexpr bool HoldsMarkerByte(const char* text) {
    for (; *text != '\0'; ++text) {
        for (unsigned char value : kMarkerBytes) {
            if (static_cast<unsigned char>(*text) == value)
                return true;
        }
    }
    return false;
}

constexpr bool EveryMarkerHoldsAMarkerByte() {
    for (const SubstringMarker& marker : kSubstringMarkers) {
        if (!HoldsMarkerByte(marker.text))
            return false;
    }
    return HoldsMarkerByte(kMemoryPattern) && HoldsMarkerByte(kProgressPattern) &&
           HoldsMarkerByte(kHdJobsPattern) && HoldsMarkerByte(kGameStarted);
}
static_assert(EveryMarkerHoldsAMarkerByte(), "a keyword or marker the ordinary-line test would miss");

} // namespace

bool ParseMemoryLine(const char* line, std::size_t length, MemoryFields* fields) {
    std::uint64_t values[kMaxConversions] = {};
    if (ScanPattern(line, length, kMemoryPattern, values) != 2)
        return false;
    fields->peakMiB = static_cast<std::uint32_t>(values[0]);
    fields->capMiB = static_cast<std::uint32_t>(values[1]);
    return true;
}

bool MemoryFiguresInRange(const MemoryFields& fields) {
    return fields.peakMiB <= kMaxPeakCommittedMiB && fields.capMiB <= kMaxMemoryLimitMiB;
}

bool ParseProgressLine(const char* line, std::size_t length, ProgressFields* fields) {
    std::uint64_t values[kMaxConversions] = {};
    if (ScanPattern(line, length, kProgressPattern, values) != 4)
        return false;
    *fields = ProgressFields{values[0], values[1], values[2], values[3]};
    return true;
}

bool ProgressFiguresInRange(const ProgressFields& f) {
    if (f.stage > kFinalStage || f.total > kMaxProgressTotal || f.current > f.total ||
        f.permille > kFullPermille) {
        return false;
    }
    if (f.stage == kFinalStage)
        return f.permille == kFullPermille && f.current == 1 && f.total == 1;
    return f.permille != kFullPermille;
}

bool ContainsGameStarted(const char* line, std::size_t length) {
    return Contains(line, length, kGameStarted);
}

bool MatchTextMarker(const char* line, std::size_t length, wchar_t* text, std::size_t capacity) {
    std::uint64_t values[kMaxConversions] = {};
    if (ScanPattern(line, length, kHdJobsPattern, values) == 2) {
        const auto done = static_cast<std::uint32_t>(values[0]);
        const auto total = static_cast<std::uint32_t>(values[1]);
        if (total >= 1 && total <= kMaxMarkerJobs && done <= total) {
            FormatText(text, capacity,
                       L"Building HD textures: %u / %u jobs (%u%%). This runs once; completed batches resume "
                       L"after errors.",
                       done, total, done * 100 / total);
            return true;
        }
    }
    for (const SubstringMarker& marker : kSubstringMarkers) {
        if (Contains(line, length, marker.text)) {
            CopyText(text, capacity, marker.status);
            return true;
        }
    }
    return false;
}

void FormatStageStatus(const ProgressFields& fields, wchar_t* text, std::size_t capacity) {
    const SetupStage& stage = SetupStages[std::min<std::uint64_t>(fields.stage, kFinalStage)];
    if (fields.stage < kFinalStage && fields.total != 0) {
        FormatText(text, capacity, L"%ls: %u / %u %ls", stage.name, static_cast<unsigned>(fields.current),
                   static_cast<unsigned>(fields.total), stage.unit);
    } else {
        FormatText(text, capacity, L"%ls...", stage.name);
    }
}

bool IsOrdinaryOutputLine(const char* line, std::size_t length) {
    return !ContainsAnyByte(line, length, kMarkerBytes);
}

std::size_t PaneTextUnits(const char* line, std::size_t length) {
    const std::size_t units = IsAsciiText(line, length) ? length : Utf8ToWideLength(line, length);
    return units <= kLineTextMaxUnits ? units : 0;
}

bool FormatPaneLine(const char* line, std::size_t length, wchar_t (&paneLine)[kPaneLineUnits]) {
    long long units = Utf8ToWide(line, length, paneLine, kLineTextMaxUnits + 1, false);
    if (units < 0)
        units = 0;
    const auto end = static_cast<std::size_t>(units);
    std::replace(paneLine, paneLine + end, L'\0', L'\xFFFD');
    paneLine[end] = L'\r';
    paneLine[end + 1] = L'\n';
    paneLine[end + 2] = L'\0';
    return end != 0;
}

LaunchLineEffects ApplyLaunchLine(LaunchProgress& progress, const LaunchLine& line, std::uint64_t nowTick) {
    LaunchLineEffects effects;
    if (line.length == 0)
        return effects;

    MemoryFields memory{};
    if (!progress.gameRunning && ParseMemoryLine(line.bytes, line.length, &memory) &&
        MemoryFiguresInRange(memory)) {
        progress.peakCommittedMiB = std::max(progress.peakCommittedMiB, memory.peakMiB);
        progress.memoryLimitMiB = memory.capMiB;
        effects.invalidate = true;
        return effects;
    }

    ProgressFields stage{};
    const bool acceptedProgress =
        ParseProgressLine(line.bytes, line.length, &stage) && ProgressFiguresInRange(stage);
    // While the game runs only a stage-0 line counts: the launcher has started over.
    if (acceptedProgress && (!progress.gameRunning || stage.stage == 0)) {
        if (progress.gameRunning) {
            progress.gameRunning = false;
            progress.progressStarted = false;
            progress.memoryLimitMiB = 0;
            progress.peakCommittedMiB = 0;
            progress.highestPermille = 0;
            effects.restore = true;
        }
        if (!progress.progressStarted) {
            progress.startTick = nowTick;
            progress.elapsedSeconds = 0;
            progress.progressStarted = true;
        }
        progress.highestPermille =
            std::max(progress.highestPermille, static_cast<std::uint32_t>(stage.permille));
        FormatStageStatus(stage, effects.statusText, std::size(effects.statusText));
        effects.setStatus = true;
        return effects;
    }

    if (ContainsGameStarted(line.bytes, line.length)) {
        progress.gameRunning = true;
        CopyText(effects.statusText, std::size(effects.statusText), kGameRunningText);
        effects.setStatus = true;
        effects.minimise = true;
        return effects;
    }

    if (!progress.gameRunning && line.hasText && !progress.progressStarted) {
        effects.setStatus = MatchTextMarker(line.bytes, line.length, effects.statusText, kMarkerTextUnits);
    }
    effects.appendToPane = true;
    return effects;
}
