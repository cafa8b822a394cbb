#include "shell/control_states.h"
#include "settings/catalogue.h"

ControlStates ComputeControlStates(const WindowState& s) {
    const bool home = !s.settingsPage;
    const bool page = s.settingsPage;
    const bool idle = s.helper == HelperKind::None;
    const int tab = s.activeTab;
    ControlStates c{};

    c.play = {home, idle};
    c.basicGraphics = {home && !s.detailsVisible, idle};
    c.outputPane = {home && s.detailsVisible, true};
    c.launchDetails = {home, true};
    c.openLog = {home, s.logAvailable};
    c.settings = {home && !s.detailsVisible, idle};

    c.back = {page, idle};
    c.save = {page, idle && s.unsavedChanges};
    for (int i = 0; i < kTabCount; ++i)
        c.tabs[i] = {page, idle && (s.loaded || i == LocationsTab)};
    const int* rows = nullptr;
    const int rowCount = page ? TabRows(tab, &rows) : 0;
    for (int slot = 0; slot < rowCount; ++slot) {
        const int row = rows[slot];
        const bool editable = row != WindowResolution || s.windowedMode;
        c.rows[row] = {true, idle && s.loaded && editable};
    }
    for (ControlState& preset : c.presets)
        preset = {page && tab == LanguageTab, idle && s.loaded};
    const bool onLocations = page && tab == LocationsTab;
    c.selectIso = {onLocations, idle && !s.unsavedChanges};
    c.selectGameFolder = {onLocations, idle && !s.unsavedChanges};
    c.editControllerBindings = {page && tab == ControlsTab, idle && s.loaded && !s.unsavedChanges};
    return c;
}
