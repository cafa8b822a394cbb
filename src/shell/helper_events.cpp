#include "shell/helper_events.h"
#include "launch/canvas_geometry.h"
#include "launch/launch_progress.h"
#include "shell/app_state.h"
#include "shell/launch_glue.h"
#include "shell/output_pane.h"
#include "shell/settings_glue.h"
#include "ui/scale.h"

namespace {

void InvalidateStrip(HWND mainWindow, const PixelRect& strip) {
    const RECT area{strip.left, strip.top, strip.right, strip.bottom};
    InvalidateRect(mainWindow, &area, FALSE);
}

// The estimate text changes once a second, the progress bar's indeterminate segment every tick; a
// minimised window draws nothing, so its segment stands still.
void RefreshMovingStrips(HWND mainWindow) {
    RECT client{};
    GetClientRect(mainWindow, &client);
    const CanvasGeometry g = ComputeCanvasGeometry(client.right, client.bottom, gUiScale);
    if (gProgress.progressStarted) {
        const std::uint64_t second = (GetTickCount64() - gProgress.startTick) / 1000;
        if (second != gProgress.lastShownSecond) {
            gProgress.lastShownSecond = second;
            InvalidateStrip(mainWindow, g.estimateBand);
        }
    }
    if (!gProgress.gameRunning && !IsIconic(mainWindow)) {
        gProgress.animationCounter =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(gProgress.animationCounter) + 1u);
        InvalidateStrip(mainWindow, g.progressStrip);
    }
}

// On the pipe reader's thread.
void PostOutputArrived() {
    PostMessageW(gMainWindow, kMessageHelperOutput, kOutputArrived, 0);
}

// The pane's text laid out per tick at most: a flood's last 60000 characters reach it within a few
// ticks, and no tick holds the window for long.
constexpr std::size_t kPaneUnitsPerTick = 8192;
constexpr ULONGLONG kPaneIntervalInFloodMs = 1000;
ULONGLONG gPaneWrittenAt = 0;

bool gMoreScheduled = false; // a continuation of the consumer is on its way

// Output is left after a slice: come back for it at once, unless input, painting or the tick wait;
// then only after them.
void ScheduleMore(HWND mainWindow) {
    if (gMoreScheduled)
        return;
    gMoreScheduled = true;
    if (HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT | QS_TIMER)) != 0) {
        SetTimer(mainWindow, kTimerMoreOutput, USER_TIMER_MINIMUM, nullptr);
    } else {
        PostMessageW(mainWindow, kMessageHelperOutput, kMoreOutput, 0);
    }
}

// Once the output is complete the next tick completes the child; until then wait for the reader when
// everything is consumed, else come back for the rest. True when it waits for the reader.
bool AfterConsuming(HWND mainWindow, bool emptied) {
    if (emptied && HelperOutputComplete())
        return false;
    if (emptied && WaitForHelperOutput())
        return true;
    ScheduleMore(mainWindow);
    return false;
}

} // namespace

void InstallHelperTargets() {
    gPumpTargets = {TakeLaunchLine, OnHelperEnded, PostOutputArrived};
}

void OnHelperEnded(const ChildEnd& end) {
    ApplyTakenLaunchEffects(); // the last lines', before the completion's own
    switch (end.kind) {
    case HelperKind::Launch: CompleteLaunch(end.exitCode); break;
    case HelperKind::SettingsOperation:
        ForgetLaunchError();
        OnSettingsHelperEnded(end.operation, end.exitCode);
        break;
    case HelperKind::None: break;
    }
}

bool OnHelperTick(HWND mainWindow) {
    if (!HelperRunning())
        return true;
    RefreshMovingStrips(mainWindow);
    OpenPaneBatch();
    const bool emptied = ConsumeHelperOutput();
    ApplyTakenLaunchEffects();
    // While a flood goes on, what the pane shows is replaced again within a tick or two: lay it out
    // once in a while only, and fully once the window has caught up.
    const ULONGLONG now = GetTickCount64();
    bool paneWritten = false;
    if (emptied || now - gPaneWrittenAt >= kPaneIntervalInFloodMs) {
        paneWritten = WritePaneBatch(kPaneUnitsPerTick);
        gPaneWrittenAt = now;
    }
    if (!(emptied && paneWritten && HelperOutputComplete())) {
        const bool waiting = AfterConsuming(mainWindow, emptied);
        return waiting && paneWritten;
    }
    ClosePaneBatch();
    if (gProgress.progressStarted)
        gProgress.elapsedSeconds = (GetTickCount64() - gProgress.startTick) / 1000;
    FinishHelper();
    return false; // a helper that the completion started has its ticks
}

void OnHelperOutput(HWND mainWindow, WPARAM why) {
    if (why == kMoreOutput)
        gMoreScheduled = false;
    if (!HelperRunning())
        return;
    OpenPaneBatch();
    AfterConsuming(mainWindow, ConsumeHelperOutput());
}

bool OnHelperTimer(HWND mainWindow, UINT_PTR id) {
    if (id != kTimerMoreOutput)
        return OnHelperTick(mainWindow);
    KillTimer(mainWindow, kTimerMoreOutput);
    OnHelperOutput(mainWindow, kMoreOutput);
    return false;
}
