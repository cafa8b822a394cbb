#include "shell/main_window.h"
#include <cwchar>
#include <initializer_list>
#include "process/argument_split.h"
#include "process/helper_process.h"
#include "settings/settings_model.h"
#include "shell/accessibility.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "shell/helper_events.h"
#include "shell/launch_glue.h"
#include "shell/painting.h"
#include "shell/pump_timer.h"
#include "shell/session_lock.h"
#include "shell/settings_glue.h"
#include "shell/status_line.h"
#include "shell/system_settings.h"
#include "shell/system_signals_glue.h"
#include "shell/taskbar.h"
#include "shell/window_frame.h"
#include "shell/window_refresh.h"
#include "ui/drawing.h"
#include "ui/scale.h"

int gArgumentCount = 0;
wchar_t** gArgumentArray = nullptr;

namespace {

ArgumentList gArguments;

// Posted at creation: the controls hidden at start-up are made once the window has been shown.
constexpr UINT kMessageCreateHiddenControls = WM_APP + 2;

// The grounds of the static controls, in the colour scheme's colours: the status line on the home
// page's card and on the settings page, the output pane.
HBRUSH gCardBrush = nullptr;
HBRUSH gPaneBrush = nullptr;
HBRUSH gPageBrush = nullptr;

void CreateSchemeBrushes() {
    gCardBrush = CreateSolidBrush(gColourScheme.cardFill);
    gPaneBrush = CreateSolidBrush(gColourScheme.paneFill);
    gPageBrush = CreateSolidBrush(gColourScheme.background);
}

void DeleteSchemeBrushes() {
    for (HBRUSH* brush : {&gCardBrush, &gPaneBrush, &gPageBrush}) {
        DeleteObject(*brush);
        *brush = nullptr;
    }
}

LRESULT OnCreate(HWND window) {
    // Start-up has split the command line already; a window made without it splits it here.
    if (gArgumentArray == nullptr && SplitArguments(GetCommandLineW(), gArguments)) {
        gArgumentCount = gArguments.count;
        gArgumentArray = gArguments.arguments;
    }
    gMainWindow = window;
    if (!TakeSessionLock(window))
        return -1;
    InstallHelperTargets();

    ApplySystemSettings(window, ReadSystemSettings());
    if (gCardBrush == nullptr)
        CreateSchemeBrushes();
    CreateControls(window);
    RebuildFonts();
    gLogAvailable = LaunchLogExists();
    RefreshControls();
    SyncPumpTimer(window);
    RegisterTaskbarButtonMessage();
    // The first message the window takes from its queue, before any input.
    PostMessageW(window, kMessageCreateHiddenControls, 0, 0);
    return 0;
}

void OnDestroy() {
    ReleaseTaskbar();
    StopAccessibility();
    gArgumentArray = nullptr;
    gArgumentCount = 0;
    DeleteFonts();
    ReleaseBackBuffer();
    DeleteSchemeBrushes();
    gControls = ControlSet{}; // the children go with the window
    PostQuitMessage(0);
}

// A minimised window has a 0 x 0 client area: nothing is laid out for it.
void OnSize(HWND window, UINT type) {
    SyncPumpTimer(window); // nothing moves on a minimised window
    if (type == SIZE_MINIMIZED)
        return;
    RefreshControls();
    InvalidateRect(window, nullptr, FALSE);
}

void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    PaintDamaged(screen, paint.rcPaint, client.right, client.bottom);
    // The back buffer is kept while paints come often; at rest its megabytes go back.
    if (!PumpTimerRunning())
        ReleaseBackBuffer();
    EndPaint(window, &paint);
}

void OnClose(HWND window) {
    // A running child is never killed: while one runs, closing only minimises.
    if (HelperRunning()) {
        ShowWindow(window, SW_MINIMIZE);
    } else {
        DestroyWindow(window);
    }
}

LRESULT OnCtlColorStatic(HDC dc, HWND control) {
    const ColourScheme& scheme = gColourScheme;
    if (control == gControls.outputPane) {
        SetTextColor(dc, scheme.paneText);
        SetBkColor(dc, scheme.paneFill);
        return reinterpret_cast<LRESULT>(gPaneBrush);
    }
    SetTextColor(dc, gAttentionFlag ? scheme.statusAttentionText : scheme.statusText);
    if (gSettings.pageVisible) {
        SetBkColor(dc, scheme.background);
        return reinterpret_cast<LRESULT>(gPageBrush);
    }
    SetBkColor(dc, scheme.cardFill);
    return reinterpret_cast<LRESULT>(gCardBrush);
}

// High contrast, its colours or the animation setting may have changed.
void OnSystemSettingsChange(HWND window) {
    ApplySystemSettings(window, ReadSystemSettings());
}

void OnDpiChanged(HWND window, WPARAM wParam, const RECT& suggested) {
    const int newDpi = HIWORD(wParam);
    MONITORINFO monitorInfo{};
    monitorInfo.cbSize = sizeof monitorInfo;
    GetMonitorInfoW(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST), &monitorInfo);
    const RECT& work = monitorInfo.rcWork;
    gUiScale = ComputeUiScale(work.right - work.left, work.bottom - work.top, newDpi);
    RebuildFonts();
    constexpr UINT kNoZOrderNoActivate = SWP_NOZORDER | SWP_NOACTIVATE;
    if (newDpi == gUiScale) {
        SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, kNoZOrderNoActivate);
    } else {
        // The frame the system draws at the new DPI; the fixed allowances where it cannot say.
        const OuterSize outer = MainWindowSizeAt(Scaled(900), Scaled(560), newDpi, gUiScale,
                                                 {Scaled(900) + Scaled(16), Scaled(560) + Scaled(40)});
        SetWindowPos(window, nullptr, suggested.left, suggested.top, outer.width, outer.height,
                     kNoZOrderNoActivate);
    }
    RefreshControls();
}

// Only presses: the dialog manager's Enter and a button's click both come as BN_CLICKED, and the
// output pane's EN_ notifications (one or more per line added) do nothing.
void OnCommand(HWND window, int id, int code) {
    if (code != BN_CLICKED)
        return;
    CreateHiddenControls(window); // a command sent before the posted creation came
    if (id == kIdSettings) {
        OnSettingsCommand(id);
    } else if (id == kIdOpenLog) {
        OnOpenLog();
    } else if (id == kIdLaunchDetails) {
        OnToggleLaunchDetails();
    } else if (!gSettings.pageVisible) {
        if (id == kIdPlay)
            OnPlay();
    } else if (id != kIdPlay) {
        OnSettingsCommand(id);
    }
    UpdateTaskbarProgress();
    UpdateSystemSignals(window);
    SyncPumpTimer(window); // a command may have started a helper
}

// The pump's tick, or the continuation of the helper output's consumer.
void OnTimer(HWND window, UINT_PTR id) {
    const bool settled = OnHelperTimer(window, id);
    if (id == kTimerPump) {
        NotePumpTick(settled);
        UpdateTaskbarProgress();
        UpdateSystemSignals(window);
    }
    SyncPumpTimer(window);
}

// Output woke the window: the child may also have been completed here rather than on a tick, so the
// taskbar button and the system's signals follow.
void OnHelperOutputMessage(HWND window, WPARAM why) {
    NoteHelperOutputWoke();
    OnHelperOutput(window, why);
    UpdateTaskbarProgress();
    UpdateSystemSignals(window);
    SyncPumpTimer(window);
}

// Messages without a fixed number: the taskbar's, registered at run time.
LRESULT OnOtherMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsTaskbarButtonCreated(message)) {
        OnTaskbarButtonCreated(window);
        return 0;
    }
    if (IsLiveObjectQuery(message))
        return AnswerLiveObjectQuery();
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

bool ApplySystemSettings(HWND window, const SystemSettings& settings) {
    const ColourScheme scheme = ChooseColourScheme(settings.highContrast, settings.colours);
    if (scheme == gColourScheme && settings.clientAreaAnimation == gClientAreaAnimation)
        return false;
    gColourScheme = scheme;
    gClientAreaAnimation = settings.clientAreaAnimation;
    if (gCardBrush != nullptr) {
        DeleteSchemeBrushes();
        CreateSchemeBrushes();
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    return true;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_SIZE: OnSize(window, static_cast<UINT>(wParam)); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PRINTCLIENT: PaintCanvas(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DPICHANGED: OnDpiChanged(window, wParam, *reinterpret_cast<const RECT*>(lParam)); return 0;
    case DM_GETDEFID: return MAKELRESULT(gSettings.pageVisible ? kIdSaveSettings : kIdPlay, DC_HASDEFID);
    case WM_COMMAND: OnCommand(window, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_TIMER: OnTimer(window, wParam); return 0;
    case kMessageHelperOutput: OnHelperOutputMessage(window, wParam); return 0;
    case kMessageCreateHiddenControls: CreateHiddenControls(window); return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: OnSystemSettingsChange(window); return 0;
    case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_GETOBJECT: return AnswerClientObject(window, wParam, lParam);
    default: return OnOtherMessage(window, message, wParam, lParam);
    }
}
