#include <windows.h>
#include <cwchar>
#include <iterator>
#include "process/helper_process.h"
#include "settings/settings_geometry.h"
#include "settings/settings_model.h"
#include "settings/settings_page.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "ui/scale.h"

namespace {

void Move(HWND control, const Box& box) {
    MoveWindow(control, box.x, box.y, box.width, box.height, TRUE);
}

void Place(HWND control, const ControlPlacement& placement) {
    Move(control, placement.box);
    EnableWindow(control, placement.enabled);
    ShowWindow(control, placement.visible ? SW_SHOW : SW_HIDE);
}

// Setting a button's text repaints it, so an unchanged caption is left alone.
void SetCaption(HWND control, const wchar_t* caption) {
    wchar_t present[kRowCaptionUnits];
    GetWindowTextW(control, present, static_cast<int>(std::size(present)));
    if (std::wcscmp(present, caption) != 0)
        SetWindowTextW(control, caption);
}

} // namespace

void LayoutSettingsPage() {
    const ControlSet& c = gControls;
    RECT client{};
    GetClientRect(gMainWindow, &client);
    const SettingsGeometry g =
        ComputeSettingsGeometry(client.right, client.bottom, gUiScale, gSettings, HelperRunning());

    Place(c.back, g.back);
    Place(c.saveSettings, g.save);
    SetCaption(c.back, g.backSaysCancel ? L"Cancel" : L"Back");
    for (int tab = 0; tab < kTabCount; ++tab)
        Place(c.tabs[tab], g.tabs[tab]);

    if (gSettings.loaded) {
        for (int row = 0; row < kRowCount; ++row) {
            wchar_t caption[kRowCaptionUnits];
            FormatRowCaption(row, gSettings.current[row], caption);
            SetCaption(c.rows[row], caption);
        }
    }
    // Rows of other tabs are hidden; the rows of the active tab are never hidden in between, so a
    // focused row keeps the keyboard focus while Left and Right step it.
    for (int row = 0; row < kRowCount; ++row) {
        if (g.rows[row].visible) {
            Place(c.rows[row], g.rows[row]);
        } else {
            ShowWindow(c.rows[row], SW_HIDE);
        }
    }

    for (int preset = 0; preset < kPresetCount; ++preset)
        Place(c.presets[preset], g.presets[preset]);
    Place(c.selectIso, g.selectIso);
    Place(c.selectGameFolder, g.selectGameFolder);
    Place(c.editControllerBindings, g.editControllerBindings);
}
