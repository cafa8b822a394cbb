#include "launch/canvas.h"
#include "ui/drawing.h"
#include "ui/outline_drawing.h"

namespace {

void Line(HDC dc, const PixelSegment& s, COLORREF colour, int width) {
    DrawLine(dc, s.x1, s.y1, s.x2, s.y2, colour, width);
}

void PaintSidePanel(HDC dc, const CanvasGeometry& g, int height) {
    for (int band = 0; band < kSidePanelBands; ++band) {
        const RowBand rows = SidePanelBand(band, height);
        if (rows.bottom > rows.top)
            FillSolid(dc, {0, rows.top, g.panelWidth, rows.bottom}, SidePanelShade(rows.top, height));
    }
}

void PaintPanelLines(HDC dc, const CanvasGeometry& g, const ColourScheme& scheme) {
    Line(dc, g.divider, scheme.divider, 1);
    Line(dc, g.goldRule, scheme.accent, g.goldRuleWidth);
    // In high contrast the panel is plain: the crossing lines behind the emblem would only blur it.
    if (scheme.highContrast)
        return;
    for (const PixelSegment& hairline : g.hairlines)
        Line(dc, hairline, scheme.hairline, 1);
}

void PaintEmblem(HDC dc, const CanvasGeometry& g, const ColourScheme& scheme) {
    // The outline's box: the diamond's corners, grown by the pen's width. A paint that does not reach
    // it skips the emblem, whose wide-pen outline is costly to draw even where it is clipped away.
    const int reach = g.emblemOutlineWidth + 1;
    const RECT box{g.emblemDiamond[3].x - reach, g.emblemDiamond[0].y - reach, g.emblemDiamond[1].x + reach,
                   g.emblemDiamond[2].y + reach};
    if (!RectVisible(dc, &box))
        return;
    {
        const GdiObject<HPEN> pen(CreatePen(PS_SOLID, g.emblemOutlineWidth, scheme.emblemOutline));
        const SelectedObject penSelected(dc, pen.get());
        const SelectedObject brushSelected(dc, GetStockObject(NULL_BRUSH));
        const PixelRect& c = g.emblemCircle;
        Ellipse(dc, c.left, c.top, c.right, c.bottom);
        POINT diamond[5];
        for (int i = 0; i < 5; ++i)
            diamond[i] = {g.emblemDiamond[i].x, g.emblemDiamond[i].y};
        Polyline(dc, diamond, 5);
    }
    for (const PixelSegment& stroke : g.emblemStrokes)
        Line(dc, stroke, scheme.accent, g.emblemStrokeWidth);
}

// In high contrast the bar is drawn by shape as well: the track is an outline around the whole strip
// and the fill sits inside it, so an empty bar and a full one differ in form, not only in colour.
void PaintProgressBar(HDC dc, const CanvasGeometry& g, const LaunchProgress& progress, bool animate,
                      const ColourScheme& scheme) {
    // Without a content column the track's rectangle is inverted, and GDI would fill it mirrored.
    if (g.contentWidth <= 0)
        return;
    PixelRect fill{};
    bool hasFill = true;
    if (progress.progressStarted) {
        fill = ProgressFill(g, progress.highestPermille);
    } else {
        hasFill = ShownIndeterminateSegment(g, progress.animationCounter, animate, &fill);
    }
    if (scheme.highContrast) {
        const PixelRect& strip = g.progressStrip;
        FillSolid(dc, ToRect(strip), scheme.background);
        FrameSolid(dc, ToRect(strip), scheme.track);
        const PixelRect inner{strip.left + 1, strip.top + 1, strip.right - 1, strip.bottom - 1};
        const int from = fill.left > inner.left ? fill.left : inner.left;
        const int to = fill.right < inner.right ? fill.right : inner.right;
        if (hasFill && to > from)
            FillSolid(dc, {from, inner.top, to, inner.bottom}, scheme.trackFill);
        return;
    }
    FillSolid(dc, ToRect(g.progressTrack), scheme.track);
    if (hasFill && fill.right > fill.left)
        FillSolid(dc, ToRect(fill), scheme.trackFill);
}

} // namespace

void PaintCanvasFrame(HDC dc, const CanvasGeometry& g, int clientWidth, int clientHeight,
                      const ColourScheme& scheme) {
    FillSolid(dc, {0, 0, clientWidth, clientHeight}, scheme.background);
    if (scheme.highContrast) {
        FillSolid(dc, {0, 0, g.panelWidth, clientHeight}, scheme.background);
    } else {
        PaintSidePanel(dc, g, clientHeight);
    }
    PaintPanelLines(dc, g, scheme);
    PaintEmblem(dc, g, scheme);
    FillRoundRect(dc, ToRect(g.versionChip), scheme.cardFill, scheme.cardEdge, 8);
}

void PaintHomeState(HDC dc, const CanvasGeometry& g, const HomeView& view, const LaunchProgress& progress,
                    bool animate, const ColourScheme& scheme) {
    FillRoundRect(dc, ToRect(g.statusCard), scheme.cardFill, scheme.cardEdge, 12);
    const COLORREF dot = view.attention ? scheme.dotAttention : scheme.dot;
    FillRoundRect(dc, ToRect(g.statusDot), dot, dot, 6);
    if (ShowsProgressBar(view))
        PaintProgressBar(dc, g, progress, animate, scheme);
    if (view.detailsVisible)
        FillRoundRect(dc, ToRect(g.detailsPanel), scheme.paneFill, scheme.paneEdge, 8);
}
