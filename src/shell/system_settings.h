#pragma once
#include "ui/colour_scheme.h"

// The system settings the window follows: high contrast with its colours, and whether animations
// inside windows are wanted.
struct SystemSettings {
    bool highContrast;
    SystemColours colours;
    bool clientAreaAnimation;
};

// Reads them from the system; animations are assumed wanted when the system cannot say.
SystemSettings ReadSystemSettings();

// False when the system asks for no animations inside windows: the indeterminate segment stands
// still. Set by the shell from the system settings.
extern bool gClientAreaAnimation;
