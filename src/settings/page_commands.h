#pragma once
#include "settings/settings_model.h"

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
