#include "shell/helper_events.h"
#include "launch/canvas_geometry.h"
#include "launch/launch_commands.h"
#include "launch/launch_progress.h"
#include "shell/accessibility.h"
#include "shell/app_state.h"
#include "shell/launch_glue.h"
#include "shell/output_pane.h"
#include "shell/settings_glue.h"
#include "shell/system_settings.h"
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
        // Without animations the segment stands still: nothing on the strip changes per tick.
        if (gClientAreaAnimation)
            InvalidateStrip(mainWindow, g.progressStrip);
    }
}

// On the pipe reader's thread.
void PostOutputArrived() {
    PostMessageW(gMainWindow, kMessageHelperOutput, kOutputArrived, 0);
}

// The pane's text laid out per tick (or, once the output is complete, per message) at most: no
// tick holds the window for long, and a flood's last 60000 characters reach it soon after its end.
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

// Until the output is complete, wait for the reader when everything is consumed, else come back for
// the rest. True when it waits for the reader.
bool AfterConsuming(HWND mainWindow, bool emptied) {
    if (emptied && WaitForHelperOutput())
        return true;
    ScheduleMore(mainWindow);
    return false;
}

// Once the child's output is complete and consumed, the rest of the pane's text goes in a piece per
// message, without waiting for ticks, and then the child is completed. A launch whose end closes
// the window leaves the pane's text unwritten, its unfinished last line included: nobody sees it
// again. True when it waits for the reader.
bool ContinueOrFinish(HWND mainWindow, bool emptied) {
    if (!(emptied && HelperOutputComplete()))
        return AfterConsuming(mainWindow, emptied);
    const bool closesWindow =
        gHelper.kind == HelperKind::Launch && LaunchEndClosesWindow(EndedChildExitCode());
    if (!closesWindow) {
        if (!WritePaneBatch(kPaneUnitsPerTick)) {
            ScheduleMore(mainWindow);
            return false;
        }
        ClosePaneBatch();
    }
    if (gProgress.progressStarted)
        gProgress.elapsedSeconds = (GetTickCount64() - gProgress.startTick) / 1000;
    FinishHelper();
    if (closesWindow)
        DropPaneBatch();
    return false; // a helper that the completion started has its ticks
}

} // namespace

void InstallHelperTargets() {
    gPumpTargets = {TakeLaunchLine, OnHelperEnded, PostOutputArrived};
}

void OnHelperEnded(const ChildEnd& end) {
    ApplyTakenLaunchEffects(); // the last lines', before the completion's own
    switch (end.kind) {
    case HelperKind::Launch: CompleteLaunch(end.exitCode, end.readError); break;
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
    AnnounceProgressValue(mainWindow); // once per tick, after the tick's lines have had their effect
    // While a flood goes on, what the pane shows is replaced again within a tick or two, and laying
    // it out is the pane's dearest work: lay it out once in a while only, at every tick while the
    // window keeps up with output that only adds to it; once the output is complete, ContinueOrFinish
    // decides.
    const bool complete = emptied && HelperOutputComplete();
    const ULONGLONG now = GetTickCount64();
    bool paneWritten = false;
    if (!complete &&
        ((emptied && !PaneBatchStartsOver()) || now - gPaneWrittenAt >= kPaneIntervalInFloodMs)) {
        paneWritten = WritePaneBatch(kPaneUnitsPerTick);
        gPaneWrittenAt = now;
    }
    const bool waiting = ContinueOrFinish(mainWindow, emptied);
    return waiting && paneWritten;
}

void OnHelperOutput(HWND mainWindow, WPARAM why) {
    if (why == kMoreOutput)
        gMoreScheduled = false;
    if (!HelperRunning())
        return;
    OpenPaneBatch();
    ContinueOrFinish(mainWindow, ConsumeHelperOutput());
}

bool OnHelperTimer(HWND mainWindow, UINT_PTR id) {
    if (id != kTimerMoreOutput)
        return OnHelperTick(mainWindow);
    KillTimer(mainWindow, kTimerMoreOutput);
    OnHelperOutput(mainWindow, kMoreOutput);
    return false;
}
