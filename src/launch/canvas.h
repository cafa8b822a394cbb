#pragma once
#include <windows.h>
#include "launch/canvas_geometry.h"
#include "launch/home_elements.h"
#include "launch/launch_progress.h"
#include "ui/colour_scheme.h"

// The decoration both pages show: background, side panel, emblem and the version chip's face. The
// texts are the list's (DescribeCanvasFrame), painted over it.
void PaintCanvasFrame(HDC dc, const CanvasGeometry& g, int clientWidth, int clientHeight,
                      const ColourScheme& scheme);
// The emblem's pixels are kept from one full drawing to the next paint with the same size, scale and
// colours; this gives them back (with the back buffer, when paints stop coming often).
void ReleaseCanvasCache();
// The home page's decoration: status card and dot, progress bar, details panel. animate is false
// when the system asks for no animations: the indeterminate segment then stands still.
void PaintHomeState(HDC dc, const CanvasGeometry& g, const HomeView& view, const LaunchProgress& progress,
                    bool animate, const ColourScheme& scheme);
