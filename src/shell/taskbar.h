#pragma once
#include <windows.h>

// Launch progress on the taskbar button, from the moment the shell reports that the button exists.
// Where the taskbar interface is missing (older Windows, Wine) nothing is shown and nothing else
// changes.
void RegisterTaskbarButtonMessage();
bool IsTaskbarButtonCreated(UINT message);
void OnTaskbarButtonCreated(HWND window);
// Brings the button up to date with the launch; cheap when nothing changed.
void UpdateTaskbarProgress();
void ReleaseTaskbar();
