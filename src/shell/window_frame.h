#pragma once
#include <windows.h>

// The main window's outer size for a client size at a monitor DPI. Where the scale is capped below
// that DPI, the frame is the one the system draws at the DPI (AdjustWindowRectExForDpi, looked up at
// run time); where the scale equals it, or the lookup finds nothing, the fallback given is used.
struct OuterSize {
    int width, height;
};
// fallback: the size to use when the system cannot tell the frame at the DPI.
OuterSize MainWindowSizeAt(int clientWidth, int clientHeight, int monitorDpi, int uiScale,
                           OuterSize fallback);

// The frame measured by AdjustWindowRectEx at the process's own DPI: start-up's fallback.
OuterSize MainWindowSizeAtProcessDpi(int clientWidth, int clientHeight);
