#pragma once
#include <cstdint>
#include "ui/pixel_geometry.h"

// Where everything the home canvas draws goes, for a client size and scale. Device pixels.
struct CanvasGeometry {
    int panelWidth;  // the side panel, 0 .. panelWidth
    int contentLeft; // the content column
    int contentWidth;
    int contentRight;

    PixelSegment divider;
    PixelRect editionLine;
    PixelSegment goldRule;
    int goldRuleWidth;
    PixelSegment hairlines[2];

    PixelRect emblemCircle;
    PixelPoint emblemDiamond[5]; // closed: the last point repeats the first
    int emblemOutlineWidth;
    PixelSegment emblemStrokes[7]; // shaft, head (four strokes), cross bar, foot
    int emblemStrokeWidth;

    PixelRect titleLead;
    PixelRect title;
    PixelRect tagline;

    PixelRect launcherLabel;
    PixelRect versionChip;

    PixelRect headline;
    PixelRect estimateBand; // also the strip repainted each second while the estimate counts
    PixelRect statusCard;
    PixelRect statusDot;
    PixelRect progressTrack;
    PixelRect
        progressStrip;     // repainted every tick while a child runs: the track with a margin above and below
    int indeterminateStep; // how far the indeterminate segment moves per timer tick
    PixelRect detailsPanel;
    PixelRect toggleHint;
    PixelRect footer;
};

CanvasGeometry ComputeCanvasGeometry(int clientWidth, int clientHeight, int uiScale);

// The shade (0x00BBGGRR) of pixel row y of the side panel in a client of the given height: one
// step darker in each component at every tenth of the height, (21, 30, 42) at the top.
std::uint32_t SidePanelShade(int y, int clientHeight);

// The side panel's ten shades as bands of rows: band 0 to 9 covers the rows top .. bottom - 1 whose
// SidePanelShade is the band's, empty (top == bottom) when the height holds fewer rows than bands.
inline constexpr int kSidePanelBands = 10;
struct RowBand {
    int top, bottom;
};
RowBand SidePanelBand(int band, int clientHeight);

// The gold fill of the determinate bar for a permille; never reaches past the track. Empty
// (right <= left) when there is nothing to fill.
PixelRect ProgressFill(const CanvasGeometry& g, std::uint32_t highestPermille);

// The indeterminate segment at an animation counter: enters at the left end, moves right by
// indeterminateStep per tick, at most a quarter of the track wide. False when nothing is drawn
// (a content column too narrow for a segment, or the segment just entering).
bool IndeterminateSegment(const CanvasGeometry& g, std::int32_t animationCounter, PixelRect* segment);

// The segment shown while no figure is known: the moving one, or, when the system asks for no
// animations, one that stands still in the middle of the track.
bool ShownIndeterminateSegment(const CanvasGeometry& g, std::int32_t animationCounter, bool animate,
                               PixelRect* segment);
