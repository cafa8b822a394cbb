#pragma once
#include "shell/control_states.h"

// The state that decides the controls, read from the settings model, the running child and the
// window's own flags.
WindowState CurrentWindowState();

// Places every control for the client size and the active tab, sets the captions that follow the
// settings, and shows, hides, enables and disables every control by ComputeControlStates. Called
// after anything that changes the state.
void RefreshControls();

// Repaints the whole window and its controls now.
void RedrawAll();
