#include "shell/pump_timer.h"
#include "launch/launch_progress.h"
#include "process/helper_process.h"
#include "process/pipe_reader.h"
#include "shell/main_window.h"
#include "shell/painting.h"
#include "shell/pump_timer_logic.h"

namespace {

HWND gPumpTimerWindow = nullptr; // the window whose timer runs, if any
bool gPumpSettled = false;

// Read or not yet consumed output, or the reader's end: the window has work for a tick.
bool ReaderHasSomething() {
    const char* at = nullptr;
    return ReaderFilledSpan(&at) != 0 || ReaderFinished();
}

} // namespace

void NotePumpTick(bool settled) {
    gPumpSettled = settled;
}

void NoteHelperOutputWoke() {
    gPumpSettled = false;
}

void SyncPumpTimer(HWND mainWindow) {
    const bool running = HelperRunning();
    if (!running)
        gPumpSettled = false;
    bool wanted = PumpTickWanted({running, gProgress.gameRunning, gProgress.progressStarted,
                                  IsIconic(mainWindow) != FALSE, gPumpSettled});
    if (running && !wanted) {
        // The reader wakes the window for any output from here on; what came before it knew is seen now.
        WakeOnAnyOutput(true);
        if (ReaderHasSomething()) {
            gPumpSettled = false;
            wanted = true;
        }
    }
    if (wanted)
        WakeOnAnyOutput(false);
    // Setting the timer again would restart its period: it is set only when it is not running.
    if (wanted == (gPumpTimerWindow == mainWindow))
        return;
    if (wanted) {
        SetTimer(mainWindow, kTimerPump, kPumpPeriodMs, nullptr);
        gPumpTimerWindow = mainWindow;
    } else {
        KillTimer(mainWindow, kTimerPump);
        gPumpTimerWindow = nullptr;
        // At rest the back buffer's megabytes go back; the last paint may have come while it ran.
        ReleaseBackBuffer();
    }
}

bool PumpTimerRunning() {
    return gPumpTimerWindow != nullptr;
}
