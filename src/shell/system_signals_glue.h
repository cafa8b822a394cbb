#pragma once
#include <windows.h>

// Keeps the system awake while a launch prepares the game and flashes the taskbar button when a
// launch fails while the window is in the background. Calls the system only when what is wanted
// changes; cheap otherwise (the shell asks after every tick and command).
void UpdateSystemSignals(HWND mainWindow);
