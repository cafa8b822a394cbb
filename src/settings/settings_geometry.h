#pragma once
#include "settings/settings_model.h"
#include "ui/home_geometry.h"

struct ControlPlacement {
    Box box;
    bool visible;
    bool enabled;
};

// Where every settings-page control goes, whether it is shown and enabled, for a client size,
// scale and model. A row's box and enabled state mean something only while it is visible.
struct SettingsGeometry {
    ControlPlacement back, save;
    bool backSaysCancel;
    ControlPlacement tabs[kTabCount];
    ControlPlacement rows[kRowCount];
    ControlPlacement presets[kPresetCount];
    ControlPlacement selectIso, selectGameFolder, editControllerBindings;
};
SettingsGeometry ComputeSettingsGeometry(int clientWidth, int clientHeight, int uiScale,
                                         const SettingsModel& model, bool helperRunning);

inline constexpr int kRowCaptionUnits = 256;
// A row's window text: "<name>: <label of its current value>"; empty if it cannot be formed.
void FormatRowCaption(int row, int value, wchar_t (&out)[kRowCaptionUnits]);
