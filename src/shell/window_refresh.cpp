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

void Move(HWND control, const Box& box) {
    MoveWindow(control, box.x, box.y, box.width, box.height, TRUE);
}

void Apply(HWND control, const ControlState& state) {
    EnableWindow(control, state.enabled);
    ShowWindow(control, state.visible ? SW_SHOW : SW_HIDE);
}

// Setting a button's text repaints it, so an unchanged caption is left alone.
void SetCaption(HWND control, const wchar_t* caption) {
    wchar_t present[kRowCaptionUnits];
    GetWindowTextW(control, present, static_cast<int>(std::size(present)));
    if (std::wcscmp(present, caption) != 0)
        SetWindowTextW(control, caption);
}

void PlaceHomeControls(const ControlSet& c, const HomeGeometry& g, bool home) {
    if (!home) {
        Move(c.statusLine, g.statusLineOnSettingsPage);
        return;
    }
    Move(c.play, g.play);
    Move(c.statusLine, g.statusLine);
    Move(c.settings, g.settings);
    Move(c.basicGraphics, g.toggle);
    Move(c.outputPane, g.outputPane);
    Move(c.launchDetails, g.launchDetails);
    Move(c.openLog, g.openLog);
}

// The rows of the active tab are placed; the others keep their place while hidden.
void PlaceSettingsControls(const ControlSet& c, const SettingsGeometry& g, const ControlStates& states) {
    Move(c.back, g.back);
    Move(c.saveSettings, g.save);
    for (int tab = 0; tab < kTabCount; ++tab)
        Move(c.tabs[tab], g.tabs[tab]);
    for (int row = 0; row < kRowCount; ++row) {
        if (states.rows[row].visible)
            Move(c.rows[row], g.rows[row]);
    }
    for (int preset = 0; preset < kPresetCount; ++preset)
        Move(c.presets[preset], g.presets[preset]);
    Move(c.selectIso, g.selectIso);
    Move(c.selectGameFolder, g.selectGameFolder);
    Move(c.editControllerBindings, g.editControllerBindings);
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
    PlaceHomeControls(c, ComputeHomeGeometry(client.right, client.bottom, gUiScale), !state.settingsPage);
    PlaceSettingsControls(c, ComputeSettingsGeometry(client.right, client.bottom, gUiScale, state.activeTab),
                          states);
    SetSettingsCaptions(c, state);
    ApplyControlStates(c, states);
}

void RedrawAll() {
    RedrawWindow(gMainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
