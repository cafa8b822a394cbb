#pragma once
#include <windows.h>
#include "shell/control_ids.h"

// Handles of the main window's child controls, created at WM_CREATE in Tab order.
struct ControlSet {
    HWND statusLine;
    HWND play;
    HWND basicGraphics;
    HWND outputPane;
    HWND launchDetails;
    HWND openLog;
    HWND settings;
    HWND back;
    HWND saveSettings;
    HWND tabs[kTabCount];
    HWND rows[kRowCount];
    HWND presets[kPresetCount];
    HWND selectIso;
    HWND selectGameFolder;
    HWND editControllerBindings;
};
extern ControlSet gControls;

// The procedures that subclassing replaced: one for every owner-drawn button, one for the toggle.
extern WNDPROC gSavedButtonProc;
extern WNDPROC gSavedToggleProc;

// Creates every child control of the main window in creation (= Tab) order, with subclassing.
void CreateControls(HWND mainWindow);
