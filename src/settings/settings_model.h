#pragma once
#include <cstdint>
#include "settings/catalogue.h"
#include "ui/control_ids.h"

// What a running settings helper does; the process layer keeps it with the child.
enum HelperOperation : int {
    NoHelperOperation = 0,
    LoadSettingsOperation = 1,
    SaveSettingsOperation = 2,
    ReadLocationsOperation = 3,
    SelectIsoOperation = 4,
    SelectGameFolderOperation = 5,
    EditControlsOperation = 6,
};

inline constexpr int kVersionTokenLength = 64;
inline constexpr int kControlsSummaryUnits = 4096;
inline constexpr int kLocationPathUnits = 32768;

// The values being edited and everything the settings helper last reported.
struct SettingsModel {
    std::int32_t current[kRowCount] = {};
    std::int32_t loaded = 0;
    std::int32_t activeTab = 0;
    std::int32_t pageVisible = 0;
    std::int32_t saved[kRowCount] = {};
    char versionToken[kVersionTokenLength + 1] = {};
    wchar_t controlsSummary[kControlsSummaryUnits] = {};
    wchar_t isoPath[kLocationPathUnits] = {};
    wchar_t gameFolderPath[kLocationPathUnits] = {};
};
extern SettingsModel gSettings;

// True when the settings are loaded and any of the 18 current values differs from the saved one.
bool HasUnsavedChanges(const SettingsModel& model);
inline bool HasUnsavedChanges() {
    return HasUnsavedChanges(gSettings);
}

// Steps a row: delta 0 (a click) cycles and wraps, -1 / +1 (Left / Right) stop at the ends.
// Refused while the page is hidden, the settings are not loaded or a helper runs, and for
// Window resolution outside windowed mode. True when a new value was stored.
bool CycleSetting(SettingsModel& model, int row, int delta, bool helperRunning);

// Writes the preset's values into the current values; language and build rows are never touched.
void ApplyPreset(SettingsModel& model, int preset);

// Puts the saved values back into the current ones.
void DiscardEdits(SettingsModel& model);
