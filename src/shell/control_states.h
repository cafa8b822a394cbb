#pragma once
#include "process/helper_kind.h"
#include "ui/control_ids.h"

// What decides which controls are shown and which can be used.
struct WindowState {
    bool settingsPage;   // the settings page replaces the home page
    int activeTab;       // a SettingsTab
    HelperKind helper;   // the child that runs, if any
    bool loaded;         // the settings have been read
    bool unsavedChanges; // loaded, and a current value differs from the saved one
    bool windowedMode;   // Display mode is windowed: Window resolution can be changed
    bool detailsVisible; // the launch output pane replaces Settings and the toggle
    bool logAvailable;   // there is a launch log to open
};

struct ControlState {
    bool visible;
    bool enabled;
    bool operator==(const ControlState&) const = default;
};

// Every child control but the status line, which is always shown.
struct ControlStates {
    ControlState play, basicGraphics, outputPane, launchDetails, openLog, settings;
    ControlState back, save;
    ControlState tabs[kTabCount];
    ControlState rows[kRowCount];
    ControlState presets[kPresetCount];
    ControlState selectIso, selectGameFolder, editControllerBindings;
};

// The one rule for every control's visibility and enabled state; the shell applies the result and
// is the only place that shows, hides, enables or disables a control.
ControlStates ComputeControlStates(const WindowState& state);
