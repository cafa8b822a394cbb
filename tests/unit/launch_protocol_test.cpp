// The launch output classifier as a pure unit: one table of lines with the figures, status text and
// pane outcome each one must give, then the scanner's number rules and the pane text conversion.
#include <gtest/gtest.h>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include "launch/progress_protocol.h"

namespace {

using namespace std::string_view_literals;

constexpr std::uint64_t kNow = 7000;
constexpr std::uint64_t kEarlier = 100;

enum class Before { Fresh, Setup, Game };

// Fresh: right after Play. Setup: progress reported (permille 500, peak 3000 MiB, cap 8192 MiB).
// Game: the same after the game-started line.
LaunchProgress StateOf(Before before) {
    LaunchProgress p{};
    if (before == Before::Fresh)
        return p;
    p.progressStarted = true;
    p.startTick = kEarlier;
    p.highestPermille = 500;
    p.peakCommittedMiB = 3000;
    p.memoryLimitMiB = 8192;
    p.gameRunning = before == Before::Game;
    return p;
}

struct Figures {
    bool started;
    bool game;
    std::uint32_t permille;
    std::uint32_t peak;
    std::uint32_t cap;
    std::uint64_t startTick;

    bool operator==(const Figures&) const = default;
};

Figures FiguresOf(const LaunchProgress& p) {
    return {p.progressStarted,  p.gameRunning,    p.highestPermille,
            p.peakCommittedMiB, p.memoryLimitMiB, p.startTick};
}

void PrintTo(const Figures& f, std::ostream* out) {
    *out << "{started " << f.started << ", game " << f.game << ", permille " << f.permille << ", peak "
         << f.peak << ", cap " << f.cap << ", startTick " << f.startTick << "}";
}

// The figures a state keeps when a line changes nothing.
constexpr Figures kFresh{false, false, 0, 0, 0, 0};
constexpr Figures kSetup{true, false, 500, 3000, 8192, kEarlier};
constexpr Figures kGame{true, true, 500, 3000, 8192, kEarlier};

enum Effect : unsigned { kNone = 0, kPane = 1, kMinimise = 2, kRestore = 4, kInvalidate = 8 };

struct ClassifierCase {
    Before before;
    std::string_view line;
    Figures after;
    const wchar_t* status; // nullptr: the status line is left alone
    unsigned effects;
};

constexpr wchar_t kHdLocally[] =
    L"Building HD textures locally. This can take a long time; completed batches resume.";

const ClassifierCase kClassifierCases[] = {
    // Progress lines: the stage example, its trailing-text variants and the scanf reading of numbers.
    {Before::Fresh,
     "ZEV_SETUP_PROGRESS 3 12 340 250",
     {true, false, 250, 0, 0, kNow},
     L"Compiling the native game: 12 / 340 files",
     kNone},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 3 12 340 250 more", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 3 12 340 250x", kFresh, nullptr, kPane},
    {Before::Fresh,
     "ZEV_SETUP_PROGRESS 3 12 340 250  \t \v\f",
     {true, false, 250, 0, 0, kNow},
     L"Compiling the native game: 12 / 340 files",
     kNone},
    {Before::Fresh,
     "ZEV_SETUP_PROGRESS3\t12 +340 00250",
     {true, false, 250, 0, 0, kNow},
     L"Compiling the native game: 12 / 340 files",
     kNone},
    {Before::Fresh, " ZEV_SETUP_PROGRESS 3 12 340 250", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 3 12 340", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 3 12 x340 250", kFresh, nullptr, kPane},
    // Stage forms and every bound.
    {Before::Fresh,
     "ZEV_SETUP_PROGRESS 5 0 0 400",
     {true, false, 400, 0, 0, kNow},
     L"Rendering English UI...",
     kNone},
    {Before::Fresh,
     "ZEV_SETUP_PROGRESS 0 0 5 0",
     {true, false, 0, 0, 0, kNow},
     L"Checking your original ISO: 0 / 5 steps",
     kNone},
    {Before::Fresh,
     "ZEV_SETUP_PROGRESS 6 7 9 600",
     {true, false, 600, 0, 0, kNow},
     L"Rebuilding and checking English archives: 7 / 9 resources checked",
     kNone},
    {Before::Fresh,
     "ZEV_SETUP_PROGRESS 11 3 4 999",
     {true, false, 999, 0, 0, kNow},
     L"Validating the completed installation: 3 / 4 checks",
     kNone},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 11 3 4 1000", kFresh, nullptr, kPane},
    {Before::Fresh,
     "ZEV_SETUP_PROGRESS 12 1 1 1000",
     {true, false, 1000, 0, 0, kNow},
     L"Setup complete. Opening the game...",
     kNone},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 12 0 1 1000", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 12 1 1 999", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 12 0 0 1000", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 12 2 2 1000", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 13 1 1 1000", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 13 0 0 500", kFresh, nullptr, kPane},
    {Before::Fresh,
     "ZEV_SETUP_PROGRESS 10 1000000 1000000 900",
     {true, false, 900, 0, 0, kNow},
     L"Building HD textures: 1000000 / 1000000 jobs",
     kNone},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 10 1 1000001 900", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 4 6 5 500", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 4 1 5 1001", kFresh, nullptr, kPane},
    // A later, lower estimate changes the text but not the estimate; the clock keeps running.
    {Before::Setup, "ZEV_SETUP_PROGRESS 4 2 5 300", kSetup, L"Linking the Windows executable: 2 / 5 steps",
     kNone},
    {Before::Setup,
     "ZEV_SETUP_PROGRESS 9 2 5 700",
     {true, false, 700, 3000, 8192, kEarlier},
     L"Mapping texture sources: 2 / 5 steps",
     kNone},
    // Memory lines: the peak is kept, the cap replaced, both only within their bounds.
    {Before::Fresh, "ZEV_SETUP_MEMORY 3000 8192", {false, false, 0, 3000, 8192, 0}, nullptr, kInvalidate},
    {Before::Setup, "ZEV_SETUP_MEMORY 1000 0", {true, false, 500, 3000, 0, kEarlier}, nullptr, kInvalidate},
    {Before::Setup,
     "ZEV_SETUP_MEMORY\t4194303\t32768 ",
     {true, false, 500, 4194303, 32768, kEarlier},
     nullptr,
     kInvalidate},
    {Before::Setup, "ZEV_SETUP_MEMORY 4194304 0", kSetup, nullptr, kPane},
    {Before::Setup, "ZEV_SETUP_MEMORY 100 32769", kSetup, nullptr, kPane},
    {Before::Setup, "ZEV_SETUP_MEMORY 100 200 MiB", kSetup, nullptr, kPane},
    {Before::Setup, "ZEV_SETUP_MEMORY 100", kSetup, nullptr, kPane},
    // Numbers that scanf would wrap into small, valid-looking figures never match.
    {Before::Setup, "ZEV_SETUP_MEMORY 4294967297 0", kSetup, nullptr, kPane},
    {Before::Setup, "ZEV_SETUP_MEMORY -4294967295 0", kSetup, nullptr, kPane},
    {Before::Setup, "ZEV_SETUP_MEMORY 10 -0", kSetup, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 3 12 340 18446744073709551866", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS -18446744073709551613 12 340 250", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 3 12 340 -250", kFresh, nullptr, kPane},
    {Before::Fresh, "ZEV_SETUP_PROGRESS 18446744073709551615 1 1 1000", kFresh, nullptr, kPane},
    // Bytes after a NUL are still part of the line: nothing but white space may follow the numbers.
    {Before::Setup, "ZEV_SETUP_MEMORY 10 20\0 trailing"sv, kSetup, nullptr, kPane},
    // Text markers, in order, only before the first progress line and never while the game runs.
    {Before::Fresh, "Starting Tharn of Emberfall 1.0", kFresh, L"Checking your game files...", kPane},
    {Before::Setup, "Starting Tharn of Emberfall 1.0", kSetup, nullptr, kPane},
    {Before::Game, "Starting Tharn of Emberfall 1.0", kGame, nullptr, kPane},
    {Before::Fresh, "Preparing HD textures: 3 / 10 jobs complete", kFresh,
     L"Building HD textures: 3 / 10 jobs (30%). This runs once; completed batches resume after errors.",
     kPane},
    {Before::Fresh, "Preparing HD textures:2/3", kFresh,
     L"Building HD textures: 2 / 3 jobs (66%). This runs once; completed batches resume after errors.",
     kPane},
    {Before::Fresh, "Preparing HD textures: 1000000 / 1000000 jobs complete", kFresh,
     L"Building HD textures: 1000000 / 1000000 jobs (100%). This runs once; completed batches resume after "
     L"errors.",
     kPane},
    {Before::Fresh, "Preparing HD textures: 0 / 0 jobs complete", kFresh, kHdLocally, kPane},
    {Before::Fresh, "Preparing HD textures: 11 / 10 jobs complete", kFresh, kHdLocally, kPane},
    {Before::Fresh, "Preparing HD textures: 1 / 1000001 jobs complete", kFresh, kHdLocally, kPane},
    {Before::Fresh, "Preparing HD textures: -1 / 10 jobs complete", kFresh, kHdLocally, kPane},
    {Before::Fresh, "Preparing HD textures: 4294967299 / 10 jobs complete", kFresh, kHdLocally, kPane},
    {Before::Fresh, "note: Preparing HD textures: 3 / 10 jobs complete", kFresh, kHdLocally, kPane},
    {Before::Fresh, "[hd] Checking HD textures (cache)", kFresh,
     L"Verifying HD textures. The first check may take a little longer.", kPane},
    {Before::Fresh, "Preparing HD tools", kFresh,
     L"Downloading and verifying public texture tools. Your game files stay on this PC.", kPane},
    {Before::Fresh, "generate: running pinned framework 4.2", kFresh,
     L"Generating native game code from your verified ISO...", kPane},
    {Before::Fresh, "build: running pinned framework 4.2", kFresh,
     L"Compiling the native Windows game. This is required once on first setup.", kPane},
    {Before::Fresh, "Preparing native Windows build", kFresh,
     L"Compiling the native game from your ISO. This is required once on first launch.", kPane},
    {Before::Fresh, "Checks complete. Preparing subtitles", kFresh,
     L"Preparing your English game files. Your original ISO stays unchanged.", kPane},
    {Before::Fresh, "Preparing\tsubtitles", kFresh, nullptr, kPane},
    {Before::Fresh, "Checks complete", kFresh, L"Everything is ready. Opening the game...", kPane},
    {Before::Fresh, "Checks  complete", kFresh, nullptr, kPane},
    // The game-started line, also with a prefix and again while the game runs.
    {Before::Setup,
     "ZEV_LAUNCHER_GAME_STARTED",
     {true, true, 500, 3000, 8192, kEarlier},
     L"Game running. Use F1 for settings and networking.",
     kMinimise},
    {Before::Fresh,
     "[12:00:01] launcher: ZEV_LAUNCHER_GAME_STARTED pid 4242",
     {false, true, 0, 0, 0, 0},
     L"Game running. Use F1 for settings and networking.",
     kMinimise},
    {Before::Game, "ZEV_LAUNCHER_GAME_STARTED", kGame, L"Game running. Use F1 for settings and networking.",
     kMinimise},
    {Before::Fresh,
     "ZEV_SETUP_PROGRESS 3 12 340 250 ZEV_LAUNCHER_GAME_STARTED",
     {false, true, 0, 0, 0, 0},
     L"Game running. Use F1 for settings and networking.",
     kMinimise},
    // While the game runs: memory and later stages only reach the pane; stage 0 starts over.
    {Before::Game, "ZEV_SETUP_MEMORY 100 200", kGame, nullptr, kPane},
    {Before::Game, "ZEV_SETUP_PROGRESS 4 1 2 300", kGame, nullptr, kPane},
    {Before::Game, "ZEV_SETUP_PROGRESS 0 6 5 10", kGame, nullptr, kPane},
    {Before::Game,
     "ZEV_SETUP_PROGRESS 0 0 5 10",
     {true, false, 10, 0, 0, kNow},
     L"Checking your original ISO: 0 / 5 steps",
     kRestore},
    // Empty lines change nothing and add nothing.
    {Before::Fresh, "", kFresh, nullptr, kNone},
    {Before::Game, "", kGame, nullptr, kNone},
};

struct Outcome {
    LaunchProgress progress;
    LaunchLineEffects effects;
    std::wstring pane;
};

// As the window does it: convert the line for the pane, then apply it.
Outcome Classify(Before before, std::string_view line) {
    Outcome outcome{StateOf(before), {}, {}};
    static wchar_t paneLine[kPaneLineUnits];
    const bool hasText = FormatPaneLine(line.data(), line.size(), paneLine);
    outcome.effects = ApplyLaunchLine(outcome.progress, LaunchLine{line.data(), line.size(), hasText}, kNow);
    if (outcome.effects.appendToPane)
        outcome.pane = paneLine;
    return outcome;
}

unsigned EffectsOf(const LaunchLineEffects& e) {
    return (e.appendToPane ? kPane : 0u) | (e.minimise ? kMinimise : 0u) | (e.restore ? kRestore : 0u) |
           (e.invalidate ? kInvalidate : 0u);
}

TEST(LaunchClassifier, EachLineGivesItsFiguresStatusAndPaneOutcome) {
    for (const ClassifierCase& c : kClassifierCases) {
        SCOPED_TRACE(std::string(c.line.substr(0, 80)));
        const Outcome outcome = Classify(c.before, c.line);
        EXPECT_EQ(FiguresOf(outcome.progress), c.after);
        if (c.status == nullptr) {
            EXPECT_FALSE(outcome.effects.setStatus)
                << "status: " << ::testing::PrintToString(outcome.effects.statusText);
        } else {
            EXPECT_TRUE(outcome.effects.setStatus);
            EXPECT_STREQ(outcome.effects.statusText, c.status);
        }
        EXPECT_EQ(EffectsOf(outcome.effects), c.effects);
    }
}

TEST(LaunchClassifier, ClockStartsOnceAndElapsedRestartsWithIt) {
    LaunchProgress p{};
    p.elapsedSeconds = 42;
    const char first[] = "ZEV_SETUP_PROGRESS 1 1 4 50";
    const char second[] = "ZEV_SETUP_PROGRESS 2 1 4 80";
    ApplyLaunchLine(p, LaunchLine{first, std::strlen(first), true}, 1000);
    EXPECT_EQ(p.startTick, 1000u);
    EXPECT_EQ(p.elapsedSeconds, 0u);
    p.elapsedSeconds = 5;
    ApplyLaunchLine(p, LaunchLine{second, std::strlen(second), true}, 9000);
    EXPECT_EQ(p.startTick, 1000u);
    EXPECT_EQ(p.elapsedSeconds, 5u);
    EXPECT_EQ(p.highestPermille, 80u);
}

TEST(LaunchClassifier, EveryLineNotConsumedReachesThePaneAsItsTextWithCrLf) {
    const Outcome ordinary = Classify(Before::Setup, "compiling src/game.c");
    EXPECT_EQ(ordinary.pane, L"compiling src/game.c\r\n");
    const Outcome marker = Classify(Before::Fresh, "Starting Tharn \xC3\xA9");
    EXPECT_EQ(marker.pane, L"Starting Tharn \u00E9\r\n");
}

// A line whose text does not fit the conversion bound is an empty line in the pane and matches no
// marker; the protocol still reads its raw bytes.
TEST(LaunchClassifier, LineTooLongForTheConversionIsAnEmptyPaneLineWithoutMarker) {
    std::string fits = "Starting Tharn ";
    fits.resize(kLineTextMaxUnits, 'x');
    const Outcome shown = Classify(Before::Fresh, fits);
    EXPECT_TRUE(shown.effects.setStatus);
    EXPECT_EQ(shown.pane.size(), kLineTextMaxUnits + 2);

    std::string tooLong = fits + "x";
    const Outcome empty = Classify(Before::Fresh, tooLong);
    EXPECT_FALSE(empty.effects.setStatus);
    EXPECT_EQ(empty.pane, L"\r\n");

    std::string progress = "ZEV_SETUP_PROGRESS 3 12 340 250";
    progress.resize(kLineTextMaxUnits + 3, ' ');
    const Outcome accepted = Classify(Before::Fresh, progress);
    EXPECT_STREQ(accepted.effects.statusText, L"Compiling the native game: 12 / 340 files");
    EXPECT_FALSE(accepted.effects.appendToPane);
}

struct PaneTextCase {
    std::string_view line;
    std::wstring_view text; // before the CR LF
};

TEST(LaunchPaneLine, ConvertsLenientlyAndKeepsTheLineBreak) {
    const PaneTextCase cases[] = {
        {"plain", L"plain"},
        {"caf\xC3\xA9 \xE2\x82\xAC", L"caf\u00E9 \u20AC"},
        {"\xF0\x9F\x8E\xAE game", L"\xD83C\xDFAE game"},
        {"bad \xFF byte", L"bad \uFFFD byte"},
        {"cut \xE2\x82", L"cut \uFFFD"},
        {"nul\0inside"sv, L"nul\uFFFDinside"},
    };
    static wchar_t pane[kPaneLineUnits];
    for (const PaneTextCase& c : cases) {
        SCOPED_TRACE(std::string(c.line));
        EXPECT_TRUE(FormatPaneLine(c.line.data(), c.line.size(), pane));
        EXPECT_EQ(std::wstring(pane), std::wstring(c.text) + L"\r\n");
    }
}

TEST(LaunchPaneLine, BoundCountsUnitsNotBytes) {
    static wchar_t pane[kPaneLineUnits];
    // Two-unit characters: 8191 of them take 32764 bytes and 16382 units and fit.
    std::string emoji;
    for (int i = 0; i < 8191; ++i)
        emoji += "\xF0\x9F\x8E\xAE";
    EXPECT_TRUE(FormatPaneLine(emoji.data(), emoji.size(), pane));
    EXPECT_EQ(std::wcslen(pane), 16382u + 2);
    // 32763 single units and one pair need 32765 units: one too many, though only 32767 bytes.
    std::string units(kLineTextMaxUnits - 1, 'a');
    units += "\xF0\x9F\x8E\xAE";
    EXPECT_FALSE(FormatPaneLine(units.data(), units.size(), pane));
    EXPECT_STREQ(pane, L"\r\n");
}

struct ScanCase {
    std::string_view line;
    bool matches;
    MemoryFields fields;
};

// The memory pattern directly, for the field limits on both sides of 32 bits.
TEST(LaunchScanner, MemoryNumbersFitTheirFieldOrTheLineDoesNotMatch) {
    const ScanCase cases[] = {
        {"ZEV_SETUP_MEMORY 4294967295 0", true, {4294967295u, 0}},
        {"ZEV_SETUP_MEMORY 4294967296 0", false, {}},
        {"ZEV_SETUP_MEMORY 0000000000004294967295 +7", true, {4294967295u, 7}},
        {"ZEV_SETUP_MEMORY 99999999999999999999999 1", false, {}},
        {"ZEV_SETUP_MEMORY + 5 1", false, {}},
        {"ZEV_SETUP_MEMORY -0 1", false, {}},
        {"ZEV_SETUP_MEMORY 1 2 ", true, {1, 2}},
        {"ZEV_SETUP_MEMORY1 2", true, {1, 2}},
        {"ZEV_SETUP_MEMORY", false, {}},
        {"ZEV_SETUP_MEMOR 1 2", false, {}},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(std::string(c.line));
        MemoryFields fields{};
        EXPECT_EQ(ParseMemoryLine(c.line.data(), c.line.size(), &fields), c.matches);
        if (c.matches) {
            EXPECT_EQ(fields.peakMiB, c.fields.peakMiB);
            EXPECT_EQ(fields.capMiB, c.fields.capMiB);
        }
    }
}

TEST(LaunchScanner, ProgressNumbersUseAllSixtyFourBits) {
    ProgressFields fields{};
    const std::string_view max = "ZEV_SETUP_PROGRESS 18446744073709551615 0 0 0";
    ASSERT_TRUE(ParseProgressLine(max.data(), max.size(), &fields));
    EXPECT_EQ(fields.stage, UINT64_MAX);
    EXPECT_FALSE(ProgressFiguresInRange(fields));
    const std::string_view over = "ZEV_SETUP_PROGRESS 18446744073709551616 0 0 0";
    EXPECT_FALSE(ParseProgressLine(over.data(), over.size(), &fields));
    // Beyond 32 bits but within 64: read whole, then out of range rather than wrapped into range.
    const std::string_view wide = "ZEV_SETUP_PROGRESS 4294967299 0 0 0";
    ASSERT_TRUE(ParseProgressLine(wide.data(), wide.size(), &fields));
    EXPECT_EQ(fields.stage, 4294967299u);
    EXPECT_FALSE(ProgressFiguresInRange(fields));
}

TEST(LaunchStages, EveryStageFormatsWithinTheStatusBound) {
    wchar_t text[kStatusTextUnits];
    for (std::uint64_t stage = 0; stage < kSetupStageCount; ++stage) {
        FormatStageStatus({stage, kMaxProgressTotal, kMaxProgressTotal, 0}, text, std::size(text));
        const std::wstring expected =
            stage == kFinalStage
                ? std::wstring(SetupStages[stage].name) + L"..."
                : std::wstring(SetupStages[stage].name) + L": 1000000 / 1000000 " + SetupStages[stage].unit;
        EXPECT_EQ(std::wstring(text), expected);
    }
}

// The window's fast path: a line the test calls ordinary skips the classifier, so it must be one that
// changes nothing in any state and only goes to the pane; every keyword and marker, wherever it
// stands in the line, must fail the test.
TEST(LaunchOrdinaryLine, OnlyLinesThatChangeNothingAreOrdinary) {
    const std::string padding(93, 'x'); // puts what follows past the first words of the line
    struct Case {
        std::string line;
        bool ordinary;
    };
    const Case cases[] = {
        {"[build] compiling src/module_00.c with flags -O2 -g", true},
        {"abcdefghijklmnopqrstuvwxyz0123456789 (x86_64) [ok] 100%", true},
        {"caf\xC3\xA9 \xFF\xFE with raw bytes", true},
        {std::string("nul\0inside", 10), true},
        {"ZEV_SETUP_MEMORY 3000 8192", false},
        {"ZEV_SETUP_PROGRESS 3 12 340 250", false},
        {"tool: ZEV_LAUNCHER_GAME_STARTED", false},
        {"Preparing HD textures: 3 / 10 jobs complete", false},
        {"at Starting Tharn now", false},
        {padding + "Checking HD textures", false},
        {"Preparing HD tools", false},
        {"generate: running pinned framework", false},
        {"build: running pinned framework", false},
        {"Preparing native Windows", false},
        {padding + "Preparing ", false},
        {"all Checks complete", false},
        {padding + "Z", false},
        {padding + "::", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(IsOrdinaryOutputLine(c.line.data(), c.line.size()), c.ordinary);
        if (!c.ordinary)
            continue;
        for (Before before : {Before::Fresh, Before::Setup, Before::Game}) {
            const Outcome outcome = Classify(before, c.line);
            EXPECT_EQ(FiguresOf(outcome.progress), FiguresOf(StateOf(before)));
            EXPECT_EQ(EffectsOf(outcome.effects), kPane);
            EXPECT_FALSE(outcome.effects.setStatus);
        }
    }
}

TEST(LaunchPaneLine, TextUnitsAreCountedWithoutConverting) {
    const PaneTextCase cases[] = {
        {"plain", L"plain"},
        {"caf\xC3\xA9 \xE2\x82\xAC", L"caf\u00E9 \u20AC"},
        {"\xF0\x9F\x8E\xAE game", L"\xD83C\xDFAE game"},
        {"bad \xFF\xC0\xAF byte", L"bad \uFFFD\uFFFD\uFFFD byte"},
        {"cut \xF0\x9F\x8E", L"cut \uFFFD"},
        {"nul\0inside"sv, L"nul\uFFFDinside"},
    };
    for (const PaneTextCase& c : cases) {
        SCOPED_TRACE(std::string(c.line));
        EXPECT_EQ(PaneTextUnits(c.line.data(), c.line.size()), c.text.size());
    }
    // The conversion's bound: the longest text that shows, and one unit more, which shows empty.
    const std::string longest(kLineTextMaxUnits, 'a');
    EXPECT_EQ(PaneTextUnits(longest.data(), longest.size()), kLineTextMaxUnits);
    const std::string tooLong = longest + "\xC3\xA9";
    EXPECT_EQ(PaneTextUnits(tooLong.data(), tooLong.size()), 0u);
}

} // namespace
