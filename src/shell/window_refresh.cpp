#include "shell/window_refresh.h"
#include <cwchar>
#include <iterator>
#include "process/helper_process.h"
#include "settings/settings_geometry.h"
#include "settings/settings_model.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "ui/home_geometry.h"
#include "ui/scale.h"

bool gLaunchDetailsVisible = false;
bool gLogAvailable = false;

namespace {

// The moves of one layout, applied together; a control already in its place is not moved.
constexpr int kMostMoves = 48; // every child control but the status line, and room to spare
struct PendingMoves {
    int count = 0;
    HWND controls[kMostMoves];
    Box boxes[kMostMoves];
};

bool InPlace(HWND control, const Box& box) {
    RECT now{};
    GetWindowRect(control, &now);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&now), 2);
    return now.left == box.x && now.top == box.y && now.right - now.left == box.width &&
           now.bottom - now.top == box.height;
}

void Move(PendingMoves& moves, HWND control, const Box& box) {
    if (control == nullptr || InPlace(control, box) || moves.count == kMostMoves)
        return;
    moves.controls[moves.count] = control;
    moves.boxes[moves.count] = box;
    ++moves.count;
}

// One batch, so the window is rearranged at once; should the batch fail, each move on its own.
void ApplyMoves(const PendingMoves& moves) {
    if (moves.count == 0)
        return;
    HDWP batch = BeginDeferWindowPos(moves.count);
    for (int i = 0; i < moves.count && batch != nullptr; ++i) {
        const Box& b = moves.boxes[i];
        batch = DeferWindowPos(batch, moves.controls[i], nullptr, b.x, b.y, b.width, b.height,
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch != nullptr && EndDeferWindowPos(batch))
        return;
    for (int i = 0; i < moves.count; ++i) {
        const Box& b = moves.boxes[i];
        MoveWindow(moves.controls[i], b.x, b.y, b.width, b.height, TRUE);
    }
}

// Only what differs is changed: each change costs the control a message or a repaint.
void Apply(HWND control, const ControlState& state) {
    if (control == nullptr)
        return;
    if ((IsWindowEnabled(control) != FALSE) != state.enabled)
        EnableWindow(control, state.enabled);
    const bool visible = (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible != state.visible)
        ShowWindow(control, state.visible ? SW_SHOW : SW_HIDE);
}

// Setting a button's text repaints it, so an unchanged caption is left alone.
void SetCaption(HWND control, const wchar_t* caption) {
    wchar_t present[kRowCaptionUnits];
    GetWindowTextW(control, present, static_cast<int>(std::size(present)));
    if (std::wcscmp(present, caption) != 0)
        SetWindowTextW(control, caption);
}

void PlaceHomeControls(PendingMoves& m, const ControlSet& c, const HomeGeometry& g, bool home) {
    if (!home) {
        Move(m, c.statusLine, g.statusLineOnSettingsPage);
        return;
    }
    Move(m, c.play, g.play);
    Move(m, c.statusLine, g.statusLine);
    Move(m, c.settings, g.settings);
    Move(m, c.basicGraphics, g.toggle);
    Move(m, c.outputPane, g.outputPane);
    Move(m, c.launchDetails, g.launchDetails);
    Move(m, c.openLog, g.openLog);
}

// The settings page's controls are placed only while shown: hidden, they keep their place, and they
// are placed in the refresh that shows them. At start-up its thirty hidden controls cost nothing.
void MoveIfShown(PendingMoves& m, HWND control, const Box& box, const ControlState& state) {
    if (state.visible)
        Move(m, control, box);
}

void PlaceSettingsControls(PendingMoves& m, const ControlSet& c, const SettingsGeometry& g,
                           const ControlStates& s) {
    MoveIfShown(m, c.back, g.back, s.back);
    MoveIfShown(m, c.saveSettings, g.save, s.save);
    for (int tab = 0; tab < kTabCount; ++tab)
        MoveIfShown(m, c.tabs[tab], g.tabs[tab], s.tabs[tab]);
    for (int row = 0; row < kRowCount; ++row)
        MoveIfShown(m, c.rows[row], g.rows[row], s.rows[row]);
    for (int preset = 0; preset < kPresetCount; ++preset)
        MoveIfShown(m, c.presets[preset], g.presets[preset], s.presets[preset]);
    MoveIfShown(m, c.selectIso, g.selectIso, s.selectIso);
    MoveIfShown(m, c.selectGameFolder, g.selectGameFolder, s.selectGameFolder);
    MoveIfShown(m, c.editControllerBindings, g.editControllerBindings, s.editControllerBindings);
}

void SetSettingsCaptions(const ControlSet& c, const WindowState& state) {
    SetCaption(c.back, state.unsavedChanges ? L"Cancel" : L"Back");
    if (!state.loaded)
        return;
    for (int row = 0; row < kRowCount; ++row) {
        wchar_t caption[kRowCaptionUnits];
        FormatRowCaption(row, gSettings.current[row], caption);
        SetCaption(c.rows[row], caption);
    }
}

// The only place that shows, hides, enables or disables a child control. A row of the active tab
// is never hidden in between, so a focused row keeps the keyboard focus while Left and Right step it.
void ApplyControlStates(const ControlSet& c, const ControlStates& s) {
    Apply(c.play, s.play);
    Apply(c.basicGraphics, s.basicGraphics);
    Apply(c.outputPane, s.outputPane);
    Apply(c.launchDetails, s.launchDetails);
    Apply(c.openLog, s.openLog);
    Apply(c.settings, s.settings);
    Apply(c.back, s.back);
    Apply(c.saveSettings, s.save);
    for (int tab = 0; tab < kTabCount; ++tab)
        Apply(c.tabs[tab], s.tabs[tab]);
    for (int row = 0; row < kRowCount; ++row)
        Apply(c.rows[row], s.rows[row]);
    for (int preset = 0; preset < kPresetCount; ++preset)
        Apply(c.presets[preset], s.presets[preset]);
    Apply(c.selectIso, s.selectIso);
    Apply(c.selectGameFolder, s.selectGameFolder);
    Apply(c.editControllerBindings, s.editControllerBindings);
}

} // namespace

WindowState CurrentWindowState() {
    return {gSettings.pageVisible != 0,
            gSettings.activeTab,
            gHelper.kind,
            gSettings.loaded != 0,
            HasUnsavedChanges(gSettings),
            gSettings.current[DisplayMode] == 0,
            gLaunchDetailsVisible,
            gLogAvailable};
}

void RefreshControls() {
    const ControlSet& c = gControls;
    if (c.play == nullptr)
        return;
    RECT client{};
    GetClientRect(gMainWindow, &client);
    const WindowState state = CurrentWindowState();
    const ControlStates states = ComputeControlStates(state);
    PendingMoves moves;
    PlaceHomeControls(moves, c, ComputeHomeGeometry(client.right, client.bottom, gUiScale),
                      !state.settingsPage);
    PlaceSettingsControls(
        moves, c, ComputeSettingsGeometry(client.right, client.bottom, gUiScale, state.activeTab), states);
    ApplyMoves(moves);
    SetSettingsCaptions(c, state);
    ApplyControlStates(c, states);
}

void RedrawAll() {
    RedrawWindow(gMainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
