#include "shell/system_signals_glue.h"
#include "launch/launch_progress.h"
#include "shell/launch_glue.h"
#include "shell/system_signal_calls.h"

namespace {

AppliedSystemSignals gAppliedSignals;

class SystemCalls final : public SystemSignalCalls {
  public:
    explicit SystemCalls(HWND window) : window_(window) {}
    // Never ES_DISPLAY_REQUIRED: the screen may go dark during a long setup, the machine not.
    void KeepAwake(bool awake) override {
        SetThreadExecutionState(awake ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
    }
    // Until the player brings the window back.
    void FlashButton() override {
        FLASHWINFO flash{};
        flash.cbSize = sizeof flash;
        flash.hwnd = window_;
        flash.dwFlags = FLASHW_TRAY | FLASHW_TIMERNOFG;
        FlashWindowEx(&flash);
    }

  private:
    HWND window_;
};

} // namespace

void UpdateSystemSignals(HWND mainWindow) {
    SystemCalls calls(mainWindow);
    ApplySystemSignals(gAppliedSignals, CurrentLaunchPhase(), gProgress, GetForegroundWindow() == mainWindow,
                       calls);
}
