#include "shell/helper_events.h"
#include "launch/canvas_geometry.h"
#include "launch/launch_progress.h"
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

} // namespace

void InstallHelperTargets() {
    gPumpTargets = {ClassifyLaunchLine, OnHelperEnded};
}

void OnHelperEnded(const ChildEnd& end) {
    switch (end.kind) {
    case HelperKind::Launch: CompleteLaunch(end.exitCode); break;
    case HelperKind::SettingsOperation:
        ForgetLaunchError();
        OnSettingsHelperEnded(end.operation, end.exitCode);
        break;
    case HelperKind::None: break;
    }
}

void OnHelperTick(HWND mainWindow) {
    if (!HelperRunning())
        return;
    RefreshMovingStrips(mainWindow);
    OpenPaneBatch();
    const bool ended = PumpHelperOutput();
    ClosePaneBatch();
    if (!ended)
        return;
    if (gProgress.progressStarted)
        gProgress.elapsedSeconds = (GetTickCount64() - gProgress.startTick) / 1000;
    FinishHelper();
}
