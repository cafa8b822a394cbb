// The launch of the demo installation: a first launch plays the setup stages with the progress,
// memory and marker lines of the launch protocol; later launches start the game at once.
// STANDIN_DEMO_SPEEDUP=N plays every pause N times faster, so tests need not wait out the setup.
#include "demo_store.h"
#include "demo_windows.h"
#include "platform.h"
#include "setup_plan.h"
#include <windows.h>
#include <cstdio>
#include <iterator>

namespace standin {

namespace {

constexpr size_t kLineBytes = 1024;
constexpr DWORD kMarkerPauseMs = 500;
constexpr DWORD kQuickPauseMs = 250;
constexpr std::uint32_t kStartupPeakMiB = 180;
constexpr int kCompilerJobsRow = 15;
constexpr int kMemoryCapRow = 16;
constexpr int kCompileStage = 3;

char line[kLineBytes];

void Pause(DWORD realMs) {
    static const std::uint32_t speedup = [] {
        char text[16];
        const DWORD length =
            GetEnvironmentVariableA("STANDIN_DEMO_SPEEDUP", text, static_cast<DWORD>(std::size(text)));
        return ParseSpeedup(length > 0 && length < std::size(text) ? text : nullptr);
    }();
    Sleep(realMs / speedup);
}

// One write per line, as a line-buffered script would flush it.
void Say(std::string_view text) {
    std::string withEnd(text);
    withEnd += '\n';
    WriteStdout(withEnd);
}

// The peak committed memory of the whole setup so far: it never goes down.
std::uint32_t peakSoFarMiB = 0;

void SayMemory(std::uint32_t committedMiB, std::uint32_t capMiB) {
    // Under a cap the build stays below it, as a capped job pool would.
    if (capMiB != 0 && committedMiB > capMiB * 9 / 10)
        committedMiB = capMiB * 9 / 10;
    if (committedMiB > peakSoFarMiB)
        peakSoFarMiB = committedMiB;
    std::snprintf(line, std::size(line), "ZEV_SETUP_MEMORY %u %u", peakSoFarMiB, capMiB);
    Say(line);
}

void SayProgress(int stage, std::uint32_t current, std::uint32_t total, std::uint32_t permille) {
    std::snprintf(line, std::size(line), "ZEV_SETUP_PROGRESS %d %u %u %u", stage, current, total, permille);
    Say(line);
}

void SayArguments(const Context& context) {
    std::string text = "Launcher arguments:";
    bool basicGraphics = false;
    for (size_t i = 4; i < context.arguments.size(); ++i) {
        text += " \"" + context.arguments[i] + "\"";
        if (context.arguments[i] == "--graphics-preset" && i + 1 < context.arguments.size() &&
            context.arguments[i + 1] == "original") {
            basicGraphics = true;
        }
    }
    if (context.arguments.size() <= 4)
        text += " none";
    Say(text);
    if (basicGraphics)
        Say("Graphics preset: original (basic graphics for troubleshooting)");
    wchar_t pid[32];
    const DWORD length =
        GetEnvironmentVariableW(L"ZEV_LAUNCHER_PID", pid, static_cast<DWORD>(std::size(pid)));
    Say(length > 0 && length < std::size(pid) ? "Started from the launcher window, process " + ToUtf8(pid)
                                              : std::string("Started without the launcher window"));
}

void PlayStage(int stage, std::uint32_t capMiB) {
    const SetupStage& plan = StageAt(stage);
    const std::uint64_t start = StageStartMs(stage);
    std::snprintf(line, std::size(line), "stage %d: starting (%u to do)", stage, plan.total);
    Say(line);
    SayMemory(plan.peakMiB * 2 / 3, capMiB);
    for (std::uint32_t report = 0; report < plan.reports; ++report) {
        const std::uint32_t current = plan.total * report / plan.reports;
        SayProgress(stage, current, plan.total,
                    PlannedPermille(start + plan.durationMs * report / plan.reports));
        Pause(plan.durationMs / plan.reports);
        std::snprintf(line, std::size(line), "%s %u of %u", plan.logText,
                      plan.total * (report + 1) / plan.reports, plan.total);
        Say(line);
        if (report == plan.reports / 2)
            SayMemory(plan.peakMiB, capMiB);
    }
    SayProgress(stage, plan.total, plan.total, PlannedPermille(start + plan.durationMs));
}

// The setup works from the disc image chosen on the Locations page; with none chosen the demo uses
// a built-in sample and says so, rather than claiming an ISO the player never gave it.
void PlaySetup(const Context& context, const DemoSettings& settings) {
    const std::uint32_t capMiB = MemoryCapMiB(settings.values[kMemoryCapRow]);
    const DemoLocations locations = LoadLocations(context);
    if (locations.isoPath.empty()) {
        Say("No ISO is selected: this demo sets up from its built-in sample disc image.");
        Say("Preparing your English game files from the built-in sample.");
        Pause(kMarkerPauseMs);
        Say("Preparing native Windows game from the built-in sample");
    } else {
        std::snprintf(line, std::size(line), "Using the ISO %s", locations.isoPath.c_str());
        Say(line);
        Say("Preparing your English game files. The original ISO stays unchanged.");
        Pause(kMarkerPauseMs);
        Say("Preparing native Windows game from your ISO");
    }
    Pause(kMarkerPauseMs);
    SayMemory(kStartupPeakMiB, capMiB);
    for (int stage = 0; stage < kWorkingStageCount; ++stage) {
        if (stage == kCompileStage) {
            std::snprintf(line, std::size(line), "build: running %u compiler jobs",
                          CompilerJobs(settings.values[kCompilerJobsRow]));
            Say(line);
        }
        PlayStage(stage, capMiB);
    }
    MarkInstalled(context);
    Say("Setup finished; later launches skip it.");
    SayProgress(kFinalStage, 1, 1, 1000);
}

} // namespace

std::uint32_t RunLaunchDemo(const Context& context) {
    const bool firstLaunch = !IsInstalled(context);
    Say(firstLaunch ? "Starting Tharn of Emberfall setup" : "Starting Tharn of Emberfall");
    SayArguments(context);
    Pause(kMarkerPauseMs);
    if (firstLaunch) {
        PlaySetup(context, LoadSettings(context));
    } else {
        Say("Installation found; checking game files");
        Pause(kQuickPauseMs);
        Say("Checks complete");
        Pause(kQuickPauseMs);
    }
    Say("Opening the game window");
    Say("ZEV_LAUNCHER_GAME_STARTED");
    RunGameWindow();
    Say("The game has ended.");
    return 0;
}

} // namespace standin
