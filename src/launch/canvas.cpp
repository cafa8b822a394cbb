#include "launch/canvas.h"
#include <cstring>
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

// The box of every pixel the emblem's drawing can reach: its points, grown by the widest pen.
RECT EmblemBox(const CanvasGeometry& g) {
    const PixelRect& c = g.emblemCircle;
    RECT box{c.left, c.top, c.right, c.bottom};
    const auto take = [&box](int x, int y) {
        box = {x < box.left ? x : box.left, y < box.top ? y : box.top, x > box.right ? x : box.right,
               y > box.bottom ? y : box.bottom};
    };
    for (const PixelPoint& corner : g.emblemDiamond)
        take(corner.x, corner.y);
    for (const PixelSegment& stroke : g.emblemStrokes) {
        take(stroke.x1, stroke.y1);
        take(stroke.x2, stroke.y2);
    }
    const int widest =
        g.emblemOutlineWidth > g.emblemStrokeWidth ? g.emblemOutlineWidth : g.emblemStrokeWidth;
    const int reach = widest + 1;
    return {box.left - reach, box.top - reach, box.right + reach, box.bottom + reach};
}

void DrawEmblem(HDC dc, const CanvasGeometry& g, const ColourScheme& scheme) {
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

// The emblem's pixels as the last full drawing of them left them, with what lies under them (the
// panel's shades and hairlines). Its wide-pen outline costs about a millisecond at 144 DPI, and none
// of it changes until the client size, the scale or the colours do, which the key holds. Made only
// from a memory device context (the back buffer) whose drawable part held the whole box.
struct EmblemPixels {
    KeptCanvas canvas; // no device context: nothing kept
    int clientWidth = 0;
    int clientHeight = 0;
    CanvasGeometry geometry{};
    ColourScheme scheme{};
};
EmblemPixels gEmblemPixels;

bool SameKey(const EmblemPixels& e, const CanvasGeometry& g, int clientWidth, int clientHeight,
             const ColourScheme& scheme) {
    return e.canvas.dc != nullptr && e.clientWidth == clientWidth && e.clientHeight == clientHeight &&
           e.scheme == scheme && std::memcmp(&e.geometry, &g, sizeof g) == 0;
}

// Every pixel of the box is inside the client and inside the part of dc being painted.
bool WholeBoxDrawn(HDC dc, const RECT& box, int clientWidth, int clientHeight) {
    if (GetObjectType(dc) != OBJ_MEMDC || box.left < 0 || box.top < 0 || box.right > clientWidth ||
        box.bottom > clientHeight)
        return false;
    const GdiObject<HRGN> clip(CreateRectRgn(0, 0, 0, 0));
    const int clipped = GetClipRgn(dc, clip.get());
    if (clipped == 0)
        return true;
    if (clipped != 1)
        return false;
    const GdiObject<HRGN> rest(CreateRectRgnIndirect(&box));
    return CombineRgn(rest.get(), rest.get(), clip.get(), RGN_DIFF) == NULLREGION;
}

void KeepEmblemPixels(HDC dc, const RECT& box, const CanvasGeometry& g, int clientWidth, int clientHeight,
                      const ColourScheme& scheme) {
    EmblemPixels& e = gEmblemPixels;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (!MakeKeptCanvas(dc, width, height, &e.canvas))
        return;
    if (!BitBlt(e.canvas.dc, 0, 0, width, height, dc, box.left, box.top, SRCCOPY)) {
        ReleaseCanvasCache();
        return;
    }
    e.clientWidth = clientWidth;
    e.clientHeight = clientHeight;
    e.geometry = g;
    e.scheme = scheme;
}

void PaintEmblem(HDC dc, const CanvasGeometry& g, int clientWidth, int clientHeight,
                 const ColourScheme& scheme) {
    // A paint that does not reach the box skips the emblem, which is costly even where it is clipped.
    const RECT box = EmblemBox(g);
    if (!RectVisible(dc, &box))
        return;
    if (SameKey(gEmblemPixels, g, clientWidth, clientHeight, scheme)) {
        BitBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, gEmblemPixels.canvas.dc, 0,
               0, SRCCOPY);
        return;
    }
    DrawEmblem(dc, g, scheme);
    if (WholeBoxDrawn(dc, box, clientWidth, clientHeight))
        KeepEmblemPixels(dc, box, g, clientWidth, clientHeight, scheme);
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

void ReleaseCanvasCache() {
    ReleaseKeptCanvas(&gEmblemPixels.canvas);
    gEmblemPixels = EmblemPixels{};
}

void PaintCanvasFrame(HDC dc, const CanvasGeometry& g, int clientWidth, int clientHeight,
                      const ColourScheme& scheme) {
    FillSolid(dc, {0, 0, clientWidth, clientHeight}, scheme.background);
    if (scheme.highContrast) {
        FillSolid(dc, {0, 0, g.panelWidth, clientHeight}, scheme.background);
    } else {
        PaintSidePanel(dc, g, clientHeight);
    }
    PaintPanelLines(dc, g, scheme);
    PaintEmblem(dc, g, clientWidth, clientHeight, scheme);
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
