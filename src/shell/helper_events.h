#pragma once
#include <windows.h>
#include "process/output_pump.h"

// Points the process layer's targets at the window's handlers: launch lines to the launch line
// classifier, a child's end to the launch or settings completion.
void InstallHelperTargets();

// A child's end, as the process layer reports it.
void OnHelperEnded(const ChildEnd& end);

// The pump timer's tick: repaints the canvas strips that move while a child runs, reads the child's
// output into the pane in one batch and, once the child has ended, completes it.
void OnHelperTick(HWND mainWindow);
