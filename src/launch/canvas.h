#pragma once
#include <windows.h>
#include "launch/canvas_geometry.h"

// What the home page's state shows besides the launch progress.
struct HomeView {
    bool attention;      // the status line reports something that needs the player
    bool helperRunning;  // a child runs: the headline says so and the progress bar shows
    bool detailsVisible; // the launch output pane's panel replaces the toggle's hint
};

// Background, side panel, emblem and header: what both pages show.
void PaintCanvasFrame(HDC dc, const CanvasGeometry& g, int clientWidth, int clientHeight);
// The home page's headline, estimate, status card, progress bar, details panel or hint and footer.
void PaintHomeState(HDC dc, const CanvasGeometry& g, const HomeView& view);
