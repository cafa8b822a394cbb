#include "ui/home_layout.h"
#include <initializer_list>
#include <windows.h>
#include "launch/launch_commands.h"
#include "process/helper_process.h"
#include "settings/settings_model.h"
#include "settings/settings_page.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "ui/home_geometry.h"
#include "ui/scale.h"

namespace {

void Move(HWND control, const Box& box) {
    MoveWindow(control, box.x, box.y, box.width, box.height, TRUE);
}
void Show(HWND control, bool visible) {
    ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

} // namespace

void LayoutHomePage() {
    const ControlSet& c = gControls;
    if (c.play == nullptr)
        return;
    RECT client{};
    GetClientRect(gMainWindow, &client);
    const HomeGeometry g = ComputeHomeGeometry(client.right, client.bottom, gUiScale);
    const bool home = !gSettings.pageVisible;
    for (HWND control : {c.play, c.basicGraphics, c.outputPane, c.launchDetails, c.openLog, c.settings}) {
        if (control != nullptr)
            Show(control, home);
    }
    if (!home) {
        Move(c.statusLine, g.statusLineOnSettingsPage);
    } else {
        Move(c.play, g.play);
        Move(c.statusLine, g.statusLine);
        Move(c.settings, g.settings);
        Show(c.settings, !gLaunchDetailsVisible);
        EnableWindow(c.settings, !HelperRunning());
        Move(c.basicGraphics, g.toggle);
        Show(c.basicGraphics, !gLaunchDetailsVisible);
        Move(c.outputPane, g.outputPane);
        Show(c.outputPane, gLaunchDetailsVisible);
        Move(c.launchDetails, g.launchDetails);
        Move(c.openLog, g.openLog);
    }
    LayoutSettingsPage();
}
