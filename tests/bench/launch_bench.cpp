// How much the window slows a chatty launcher down: the stand-in writes about 20 MB of mixed output
// (ordinary lines with a protocol line every 20 lines), once with the real window draining,
// splitting, classifying and showing it (Play to program exit), once drained by a tight read loop on
// pipes of 4 KiB, 64 KiB and 1 MiB, read in reads of their size; the fastest of these counts.
// Both runs use the same scenario in the same copy of the player folder; prints both times and
// their ratio.
#include <windows.h>
#include <cstdio>
#include <cwchar>
#include <string>
#include "driver.h"
#include "helper_timing.h"
#include "launch/progress_protocol.h"
#include "standin_record.h"

namespace {

using bench::Seconds;

constexpr int kDefaultBlocks = 10000; // 40 lines of about 50 bytes each per block: 20 MB in all
constexpr DWORD kTimeoutMs = 10 * 60 * 1000;

// One block: 38 ordinary lines, a progress line and a memory line (in the scenario's escapes).
std::string Scenario(int blocks) {
    std::string block;
    for (int i = 0; i < 38; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "[build] compiling src/module_%02d.c with flags -O2 -g\\n", i);
        block += line;
        if (i == 18)
            block += "ZEV_SETUP_PROGRESS 3 12 340 250\\n";
    }
    block += "ZEV_SETUP_MEMORY 3000 8192\\n";
    return "repeat " + std::to_string(blocks) + " " + block + "\nexit 0\n";
}

// Play pressed to program exit, with the window doing all its work. Negative on failure.
double TimeWithWindow(const driver::PlayerFolder& folder) {
    driver::Launcher launcher(folder);
    if (launcher.WaitForWindow() == nullptr)
        return -1;
    HWND play = launcher.Control(101);
    if (!driver::WaitUntil([&] { return IsWindowEnabled(play) != FALSE; }))
        return -1;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    launcher.Click(101);
    if (launcher.WaitForExit(kTimeoutMs) != 0)
        return -1;
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// The classifier's own share: the same lines converted and applied in-process, without any window.
double SecondsToClassify(int blocks) {
    static char lines[40][64];
    std::size_t lengths[40];
    for (int i = 0; i < 40; ++i) {
        if (i == 19) {
            lengths[i] =
                static_cast<std::size_t>(std::snprintf(lines[i], 64, "ZEV_SETUP_PROGRESS 3 12 340 250"));
        } else if (i == 39) {
            lengths[i] = static_cast<std::size_t>(std::snprintf(lines[i], 64, "ZEV_SETUP_MEMORY 3000 8192"));
        } else {
            lengths[i] = static_cast<std::size_t>(
                std::snprintf(lines[i], 64, "[build] compiling src/module_%02d.c with flags -O2 -g", i));
        }
    }
    static wchar_t pane[kPaneLineUnits];
    LaunchProgress progress{};
    unsigned long long shown = 0;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int block = 0; block < blocks; ++block) {
        for (int i = 0; i < 40; ++i) {
            const bool hasText = FormatPaneLine(lines[i], lengths[i], pane);
            shown += ApplyLaunchLine(progress, LaunchLine{lines[i], lengths[i], hasText}, 1).appendToPane;
        }
    }
    QueryPerformanceCounter(&end);
    return shown == 0 ? -1 : Seconds(start, end);
}

} // namespace

// The optional argument is the number of blocks, for a quicker look.
int wmain(int argc, wchar_t** argv) {
    const int blocks = argc > 1 ? _wtoi(argv[1]) : kDefaultBlocks;
    const driver::PlayerFolder folder;
    const std::wstring& root = folder.Root();
    driver::WriteScenario(folder, L"launch", Scenario(blocks));

    bench::StartDesktop();
    unsigned long long bytes = 0;
    double loop = -1;
    for (const DWORD size : bench::kTightReaderPipeBytes) {
        const double seconds = bench::TimeWithReadLoop(root, {L"--launch"}, &bytes, size, size);
        std::printf("tight read loop on a %lu KiB pipe: %.3f s\n", static_cast<unsigned long>(size / 1024),
                    seconds);
        if (seconds > 0 && (loop < 0 || seconds < loop))
            loop = seconds;
    }
    const double window = TimeWithWindow(folder);
    // The window's launch log holds every byte it drained: the check that both runs saw the same output.
    WIN32_FILE_ATTRIBUTE_DATA log{};
    GetFileAttributesExW((root + L"\\private\\launcher\\latest.log").c_str(), GetFileExInfoStandard, &log);
    const unsigned long long logged =
        (static_cast<unsigned long long>(log.nFileSizeHigh) << 32) | log.nFileSizeLow;
    if (loop <= 0 || window <= 0 || logged != bytes) {
        std::fprintf(stderr,
                     "launch bench: a run failed (read loop %.3f s, %llu bytes; window %.3f s, %llu bytes)\n",
                     loop, bytes, window, logged);
        return 1;
    }
    std::printf("launch output: %llu bytes, a protocol line every 20 lines\n", bytes);
    std::printf("fastest tight read loop:   %8.3f s\n", loop);
    std::printf("window (Play to exit): %8.3f s\n", window);
    std::printf("ratio window / loop: %.2f\n", window / loop);
    std::printf("the same lines classified and converted in-process, no window: %.3f s\n",
                SecondsToClassify(blocks));
    return 0;
}
