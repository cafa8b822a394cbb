#pragma once
#include <windows.h>
#include "ui/control_ids.h"

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
    bool hiddenMade; // the controls hidden at start-up were made (or tried: once only)
};
extern ControlSet gControls;

// The procedures that subclassing replaced: one for every owner-drawn button, one for the toggle.
extern WNDPROC gSavedButtonProc;
extern WNDPROC gSavedToggleProc;

// Creates the child controls shown at start-up in creation (= Tab) order, with subclassing, each
// where the layout puts it.
void CreateControls(HWND mainWindow);
// Creates the controls hidden at start-up, with their fonts, in their places in Tab order: the output
// pane and the settings page's controls; once only. The window shows without them and makes them
// right after its first paint, before it takes any input: until one of them is first shown nobody
// sees them, and whatever needs them first makes them then. An edit control and thirty buttons are
// most of what the window's creation costs.
void CreateHiddenControls(HWND mainWindow);

// Creates the fonts at gUiScale and gives every control its own.
void RebuildFonts();

// Installed on every owner-drawn button: Left/Right on setting rows, then hover tracking.
LRESULT CALLBACK ButtonSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Installed on the basic-graphics check box: paints it as a switch and tracks hover.
LRESULT CALLBACK ToggleSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
