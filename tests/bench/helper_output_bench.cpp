// Whether the window slows a helper down and whether it keeps answering while output pours in.
// Three helpers, each run once read by a tight loop and once by the real window in one run:
//   paced:    20,000 lines of 100 bytes, one write each, about 20 us of work before each;
//   flood:    50 MB of 100-byte lines in 64 KiB writes, with the window's longest wait for an answer
//             to a message during the flood;
//   settings: a settings read whose result is about 250 KB, from the press on Settings to the
//             result shown.
// Every time is also given net, less the same helper with no output (an empty launch, a minimal
// settings result) measured the same way, and the ratio is of the net times. A launch's tight loop
// is tried on pipes of 4 KiB, 64 KiB and 1 MiB, each read in reads of its size, and the fastest of
// the three is the yardstick. For a flood, a tight loop that also writes every read to a log file, as
// the window must, shows how much of the window's time the log alone takes.
//   helper_output_bench [paced|flood|settings]...   (all three when none is named)
#include <windows.h>
#include <cstdio>
#include <cwchar>
#include <iterator>
#include <memory>
#include <string>
#include <vector>
#include "driver.h"
#include "helper_timing.h"
#include "standin_record.h"

namespace {

using bench::SecondsSince;

constexpr DWORD kTimeoutMs = 10 * 60 * 1000;
constexpr int kRounds = 3;
// The empty launch is quick and its times scatter as much as the others': more turns for it.
constexpr int kEmptyRounds = 5;
constexpr std::size_t kReaderSizes = std::size(bench::kTightReaderPipeBytes);
constexpr int kPlay = 101;
constexpr int kSettings = 106;
constexpr wchar_t kSettingsLoaded[] = L"Change options with Left / Right or select a row to cycle.";
const std::vector<std::wstring> kLaunchArguments = {L"--launch"};
const std::vector<std::wstring> kSettingsArguments = {L"--settings", L"--read", L"--include-build"};

// 99 bytes and the line feed, in the scenario's escapes.
std::string HundredByteLine() {
    std::string line(99, 'x');
    for (size_t i = 0; i < line.size(); ++i)
        line[i] = static_cast<char>('a' + i % 26);
    return line + "\\n";
}

const char kSettingsHead[] = "line ZEV_SETTINGS 1 missing 0 1 0 1 0 1 0 0 0 0 0 0 0 0 0\n"
                             "line ZEV_BUILD 0 0 0\n"
                             "line Controller: Standard gamepad\n";

struct WindowRun {
    double seconds = -1;
    double longestWait = 0; // seconds
};

// Play pressed to program exit, with the window doing all its work; probed when asked.
WindowRun TimeLaunch(const driver::PlayerFolder& folder, bool probe) {
    WindowRun run;
    driver::Launcher launcher(folder);
    HWND window = launcher.WaitForWindow();
    if (window == nullptr)
        return run;
    HWND play = launcher.Control(kPlay);
    if (!driver::WaitUntil([&] { return IsWindowEnabled(play) != FALSE; }))
        return run;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    launcher.Click(kPlay);
    std::unique_ptr<driver::AnswerProbe> prober;
    if (probe)
        prober = std::make_unique<driver::AnswerProbe>(window);
    const DWORD exitCode = launcher.WaitForExit(kTimeoutMs);
    const double seconds = SecondsSince(start);
    if (prober != nullptr)
        run.longestWait = prober->Stop() / 1000.0;
    if (exitCode == 0)
        run.seconds = seconds;
    return run;
}

// Settings pressed to the loaded settings shown; the window is then closed.
double TimeSettings(const driver::PlayerFolder& folder) {
    driver::Launcher launcher(folder);
    HWND window = launcher.WaitForWindow();
    if (window == nullptr)
        return -1;
    HWND settings = launcher.Control(kSettings);
    if (!driver::WaitUntil([&] { return IsWindowEnabled(settings) != FALSE; }))
        return -1;
    HWND status = driver::StatusLine(window);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    launcher.Click(kSettings);
    bool loaded = false;
    while (!loaded && SecondsSince(start) < kTimeoutMs / 1000.0) {
        loaded = driver::WindowText(status) == kSettingsLoaded;
        if (!loaded)
            Sleep(1);
    }
    const double seconds = SecondsSince(start);
    PostMessageW(window, WM_CLOSE, 0, 0);
    launcher.WaitForExit();
    return loaded ? seconds : -1;
}

unsigned long long LogSize(const driver::PlayerFolder& folder) {
    WIN32_FILE_ATTRIBUTE_DATA log{};
    GetFileAttributesExW(folder.PathOf(L"private\\launcher\\latest.log").c_str(), GetFileExInfoStandard,
                         &log);
    return (static_cast<unsigned long long>(log.nFileSizeHigh) << 32) | log.nFileSizeLow;
}

void PrintPair(const char* what, double loop, double loopEmpty, double window, double windowEmpty) {
    const double loopNet = loop - loopEmpty, windowNet = window - windowEmpty;
    std::printf("%s\n", what);
    std::printf("  tight read loop: %8.3f s, net %8.3f s (empty %.3f s)\n", loop, loopNet, loopEmpty);
    std::printf("  window:          %8.3f s, net %8.3f s (empty %.3f s)\n", window, windowNet, windowEmpty);
    std::printf("  ratio window / tight loop, net: %.2f\n", loopNet > 0 ? windowNet / loopNet : 0.0);
}

void KeepShortest(double& shortest, double seconds) {
    if (seconds > 0 && (shortest < 0 || seconds < shortest))
        shortest = seconds;
}

// The shortest times of each tight reader and of the window.
struct LaunchTimes {
    double loop[kReaderSizes] = {-1, -1, -1};
    double loopWithLog = -1; // on the largest pipe, as the window's
    double window = -1;
};

// The tight loop that writes a log, into a file of its own next to the window's, on the window's pipe
// size.
double TimeWithReadLoopAndLog(const driver::PlayerFolder& folder, unsigned long long* bytes) {
    const std::wstring log = folder.PathOf(L"private\\launcher\\tight-loop.log");
    return bench::TimeWithReadLoop(folder.Root(), kLaunchArguments, bytes, bench::kLargestReadBytes,
                                   bench::kLargestReadBytes, log.c_str());
}

// The same helper with nothing to say, measured the same way: the cost of starting it.
LaunchTimes EmptyLaunch(const driver::PlayerFolder& folder) {
    driver::WriteScenario(folder, L"launch", "exit 0\n");
    LaunchTimes empty;
    unsigned long long bytes = 0;
    for (int i = 0; i < kEmptyRounds; ++i) {
        for (std::size_t k = 0; k < kReaderSizes; ++k) {
            const DWORD size = bench::kTightReaderPipeBytes[k];
            KeepShortest(empty.loop[k],
                         bench::TimeWithReadLoop(folder.Root(), kLaunchArguments, &bytes, size, size));
        }
        KeepShortest(empty.loopWithLog, TimeWithReadLoopAndLog(folder, &bytes));
        KeepShortest(empty.window, TimeLaunch(folder, false).seconds);
    }
    return empty;
}

// The machine may be shared and busy: the two sides take turns, kRounds times, and the shortest
// time of each side counts.
bool RunLaunch(const driver::PlayerFolder& folder, const LaunchTimes& empty, const char* what,
               const std::string& scenario, bool probe) {
    driver::WriteScenario(folder, L"launch", scenario);
    LaunchTimes best;
    double longestWait = 0;
    unsigned long long bytes = 0;
    for (int round = 0; round < kRounds; ++round) {
        std::printf("  round %d: tight read loop on a pipe of", round + 1);
        for (std::size_t k = 0; k < kReaderSizes; ++k) {
            const DWORD size = bench::kTightReaderPipeBytes[k];
            const double loop = bench::TimeWithReadLoop(folder.Root(), kLaunchArguments, &bytes, size, size);
            if (loop <= 0) {
                std::fprintf(stderr, "%s: the tight read loop failed\n", what);
                return false;
            }
            KeepShortest(best.loop[k], loop);
            std::printf(" %lu KiB %.3f s,", static_cast<unsigned long>(size / 1024), loop);
        }
        if (probe) { // the flood
            const double withLog = TimeWithReadLoopAndLog(folder, &bytes);
            KeepShortest(best.loopWithLog, withLog);
            std::printf(" 1024 KiB with a log %.3f s,", withLog);
        }
        const WindowRun windowRound = TimeLaunch(folder, probe);
        const unsigned long long logged = LogSize(folder);
        if (windowRound.seconds <= 0 || logged != bytes) {
            std::fprintf(stderr, "%s: the window's run failed (%.3f s, %llu bytes logged of %llu)\n", what,
                         windowRound.seconds, logged, bytes);
            return false;
        }
        std::printf(" window %.3f s\n", windowRound.seconds);
        KeepShortest(best.window, windowRound.seconds);
        if (windowRound.longestWait > longestWait)
            longestWait = windowRound.longestWait;
    }
    std::printf("%s: %llu bytes, shortest of %d rounds, net of an empty launch\n", what, bytes, kRounds);
    std::size_t fastest = 0;
    for (std::size_t k = 0; k < kReaderSizes; ++k) {
        const double net = best.loop[k] - empty.loop[k];
        std::printf("  tight read loop, %4lu KiB pipe: %8.3f s, net %8.3f s (empty %.3f s)\n",
                    static_cast<unsigned long>(bench::kTightReaderPipeBytes[k] / 1024), best.loop[k], net,
                    empty.loop[k]);
        if (net < best.loop[fastest] - empty.loop[fastest])
            fastest = k;
    }
    const double loopNet = best.loop[fastest] - empty.loop[fastest];
    const double windowNet = best.window - empty.window;
    std::printf("  window:                        %8.3f s, net %8.3f s (empty %.3f s)\n", best.window,
                windowNet, empty.window);
    std::printf("  ratio window / fastest tight read loop (%lu KiB), net: %.2f\n",
                static_cast<unsigned long>(bench::kTightReaderPipeBytes[fastest] / 1024),
                loopNet > 0 ? windowNet / loopNet : 0.0);
    if (probe) {
        const double withLogNet = best.loopWithLog - empty.loopWithLog;
        std::printf("  tight read loop writing a log, 1024 KiB pipe: %8.3f s, net %8.3f s (empty %.3f s); "
                    "ratio window / it, net: %.2f\n",
                    best.loopWithLog, withLogNet, empty.loopWithLog,
                    withLogNet > 0 ? windowNet / withLogNet : 0.0);
        std::printf("  the window's longest wait to answer a message, any round: %.3f s\n", longestWait);
    }
    return true;
}

// The empty and the full result take turns with each other as well, as the two are close.
bool RunSettings(const driver::PlayerFolder& folder) {
    const std::string empty = kSettingsHead;
    // About 250 KB: the result's two lines, then a long controls summary.
    const std::string full = std::string(kSettingsHead) + "repeat 2500 " + HundredByteLine() + "\n";
    double emptyLoop = -1, emptyWindow = -1, loop = -1, window = -1;
    unsigned long long bytes = 0;
    auto keepShortest = [](double& shortest, double seconds) {
        if (seconds > 0 && (shortest < 0 || seconds < shortest))
            shortest = seconds;
        return seconds > 0;
    };
    for (int round = 0; round < kRounds; ++round) {
        driver::WriteScenario(folder, L"settings-read", empty);
        bool ok = keepShortest(emptyLoop, bench::TimeWithReadLoop(folder.Root(), kSettingsArguments, &bytes));
        ok &= keepShortest(emptyWindow, TimeSettings(folder));
        driver::WriteScenario(folder, L"settings-read", full);
        const double loopRound = bench::TimeWithReadLoop(folder.Root(), kSettingsArguments, &bytes);
        const double windowRound = TimeSettings(folder);
        ok &= keepShortest(loop, loopRound) && keepShortest(window, windowRound);
        std::printf("  round %d: tight read loop %.3f s, window %.3f s\n", round + 1, loopRound, windowRound);
        if (!ok) {
            std::fprintf(stderr, "settings: a run failed\n");
            return false;
        }
    }
    std::printf("settings result: %llu bytes, press on Settings to the result shown, shortest of %d rounds\n",
                bytes, kRounds);
    PrintPair("", loop, emptyLoop, window, emptyWindow);
    return true;
}

bool Wanted(int argc, wchar_t** argv, const wchar_t* part) {
    if (argc < 2)
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], part) == 0)
            return true;
    }
    return false;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const driver::PlayerFolder folder;
    bench::StartDesktop();
    bool ok = true;
    if (Wanted(argc, argv, L"paced") || Wanted(argc, argv, L"flood")) {
        const LaunchTimes empty = EmptyLaunch(folder);
        if (empty.loop[0] <= 0 || empty.loop[1] <= 0 || empty.loop[2] <= 0 || empty.window <= 0) {
            std::fprintf(stderr, "empty launch failed\n");
            return 1;
        }
        if (Wanted(argc, argv, L"paced")) {
            ok &= RunLaunch(folder, empty,
                            "paced: 20000 lines of 100 bytes, one write each, 20 us of work before each",
                            "paced 20000 20 " + HundredByteLine() + "\nexit 0\n", false);
        }
        if (Wanted(argc, argv, L"flood")) {
            ok &= RunLaunch(folder, empty, "flood: 50 MB of 100-byte lines in 64 KiB writes",
                            "repeat 500000 " + HundredByteLine() + "\nexit 0\n", true);
        }
    }
    if (Wanted(argc, argv, L"settings"))
        ok &= RunSettings(folder);
    return ok ? 0 : 1;
}
