#pragma once
#include "settings/settings_model.h"
#include "settings/settings_report.h"

// What a settings-page command does, once its guard has been checked.
enum class PageAction {
    None,
    OpenPage,
    LeavePage,
    Save,
    SelectTab,
    CycleRow,
    ApplyPreset,
    SelectIso,
    SelectGameFolder,
    EditControllerBindings,
};

// The guard of every settings control: a command whose condition fails does nothing.
// rowVisible says whether the row button of a row id is shown.
PageAction DecidePageAction(const SettingsModel& model, int controlId, bool helperRunning, bool rowVisible);

// The page opens on the Graphics tab with nothing loaded; the settings are read next.
void OpenPage(SettingsModel& model);
// The page closes and unsaved edits are dropped.
SettingsReport LeavePage(SettingsModel& model);
// What the status line says after an edit: whether there is something to save.
SettingsReport EditedReport(const SettingsModel& model);
