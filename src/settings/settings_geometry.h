#pragma once
#include "settings/settings_model.h"
#include "ui/home_geometry.h"

// Where every settings-page control goes for a client size, scale and active tab. Only the rows of
// the active tab have a place; the others keep theirs while hidden.
struct SettingsGeometry {
    Box back, save;
    Box tabs[kTabCount];
    Box rows[kRowCount];
    Box presets[kPresetCount];
    Box selectIso, selectGameFolder, editControllerBindings;
};
SettingsGeometry ComputeSettingsGeometry(int clientWidth, int clientHeight, int uiScale, int activeTab);

inline constexpr int kRowCaptionUnits = 256;
// A row's window text: "<name>: <label of its current value>"; empty if it cannot be formed.
void FormatRowCaption(int row, int value, wchar_t (&out)[kRowCaptionUnits]);
