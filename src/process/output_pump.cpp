#include "process/output_pump.h"
#include <windows.h>
#include "launch/launch_commands.h"
#include "launch/launch_progress.h"
#include "process/capture.h"
#include "process/helper_process.h"
#include "process/output_pane.h"
#include "settings/settings_model.h"
#include "settings/settings_page.h"
#include "ui/scale.h"

PumpTargets HelperPumpTargets = {ClassifyLaunchLine, CompleteLaunch, CompleteSettingsOperation};

namespace {

// The two moving strips of the home canvas, in logical units of the 560-high design canvas.
constexpr int kEstimateStripTop = 150;
constexpr int kEstimateStripBottom = 184;
constexpr int kProgressStripTop = 276;
constexpr int kProgressStripBottom = 282;
constexpr int kContentLeft = 356;
constexpr int kContentRightMargin = 36;

void InvalidateStrip(HWND mainWindow, int top, int bottom) {
    RECT client{};
    GetClientRect(mainWindow, &client);
    const RECT strip{Scaled(kContentLeft), CanvasYFor(top, client.bottom),
                     client.right - Scaled(kContentRightMargin), CanvasYFor(bottom, client.bottom)};
    InvalidateRect(mainWindow, &strip, FALSE);
}

void RefreshMovingStrips(HWND mainWindow) {
    if (Progress.progressStarted) {
        const std::uint64_t second = (GetTickCount64() - Progress.startTick) / 1000;
        if (second != Progress.lastShownSecond) {
            Progress.lastShownSecond = second;
            InvalidateStrip(mainWindow, kEstimateStripTop, kEstimateStripBottom);
        }
    }
    if (!Progress.gameRunning && !IsIconic(mainWindow)) {
        Progress.animationCounter =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(Progress.animationCounter) + 1u);
        InvalidateStrip(mainWindow, kProgressStripTop, kProgressStripBottom);
    }
}

void RouteOutput(const char* bytes, DWORD count) {
    if (Settings.operation != 0) {
        AppendCapture(bytes, count);
        return;
    }
    if (Helper.launchLog != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(Helper.launchLog, bytes, count, &written, nullptr); // a failed write only costs the log
    }
    SplitLaunchOutput(bytes, count, HelperPumpTargets.classifyLaunchLine);
}

// The child has ended and its output is read: release it and hand its exit code to the completion.
void FinishHelper() {
    DWORD exitCode = 1;
    if (!GetExitCodeProcess(Helper.process, &exitCode))
        exitCode = 1;
    CloseHandle(Helper.process);
    Helper.process = nullptr;
    if (Progress.progressStarted)
        Progress.elapsedSeconds = (GetTickCount64() - Progress.startTick) / 1000;
    CloseHandle(Helper.readEnd);
    Helper.readEnd = nullptr;
    if (Helper.launchLog != INVALID_HANDLE_VALUE) {
        CloseHandle(Helper.launchLog);
        Helper.launchLog = INVALID_HANDLE_VALUE;
    }
    if (Settings.operation != 0) {
        HelperPumpTargets.completeSettingsOperation(exitCode);
    } else {
        HelperPumpTargets.completeLaunch(exitCode);
    }
}

} // namespace

void DrainHelperPipe(unsigned long long budget) {
    char chunk[kReadChunkBytes];
    while (budget > 0) {
        DWORD waiting = 0;
        if (!PeekNamedPipe(Helper.readEnd, nullptr, 0, nullptr, &waiting, nullptr) || waiting == 0)
            return;
        DWORD wanted = waiting < kReadChunkBytes ? waiting : kReadChunkBytes;
        if (wanted > budget)
            wanted = static_cast<DWORD>(budget);
        DWORD read = 0;
        if (!ReadFile(Helper.readEnd, chunk, wanted, &read, nullptr) || read == 0)
            return;
        budget -= read;
        RouteOutput(chunk, read);
    }
}

void PumpHelperOutput(HWND mainWindow) {
    if (!HelperRunning())
        return;
    RefreshMovingStrips(mainWindow);
    OpenPaneBatch();
    DrainHelperPipe();
    const bool ended = WaitForSingleObject(Helper.process, 0) == WAIT_OBJECT_0;
    if (ended) {
        // Whatever the child wrote after the last peek is in the pipe now that it has ended; read it
        // before the unfinished line is handed over and the pipe closed, or the end of its output is
        // lost. A grandchild may still hold the pipe open and keep writing: the drain reads only what
        // was there when the end was seen, and the rest of the grandchild's output is not ours to wait for.
        DWORD waiting = 0;
        if (PeekNamedPipe(Helper.readEnd, nullptr, 0, nullptr, &waiting, nullptr))
            DrainHelperPipe(waiting);
        FlushUnfinishedLine(HelperPumpTargets.classifyLaunchLine);
    }
    ClosePaneBatch();
    if (ended)
        FinishHelper();
}
