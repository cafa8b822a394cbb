#pragma once
#include <cstdint>
#include "launch/canvas_geometry.h"
#include "launch/launch_progress.h"
#include "ui/screen_elements.h"

// What the home page's state shows besides the launch progress.
struct HomeView {
    bool attention;      // the status line reports something that needs the player
    bool helperRunning;  // a child runs: the headline says so and the progress bar shows
    bool detailsVisible; // the launch output pane's panel replaces the toggle's hint
};

// What both pages show around their content: edition line, title block, tagline, launcher label
// and version chip (its text, "V1.0.0", comes from the build's version).
void DescribeCanvasFrame(const CanvasGeometry& g, const wchar_t* versionChip, ScreenElements& out);

// The home page's texts and progress bar, in reading order: headline, welcome or estimate (and
// memory) line, the progress bar while a child runs, the toggle's hint, the footer. nowTick runs
// the clock while the child runs; bodyLineHeight is one line of BodyFont in pixels, where a second
// line of the estimate band starts.
void DescribeHomePage(const CanvasGeometry& g, const HomeView& view, const LaunchProgress& progress,
                      std::uint64_t nowTick, int bodyLineHeight, ScreenElements& out);

// The progress bar is drawn, and described, only while a child runs.
inline bool ShowsProgressBar(const HomeView& view) {
    return view.helperRunning;
}
