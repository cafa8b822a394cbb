#include "launch/canvas_geometry.h"
#include "ui/scale.h"
#include "ui/theme.h"

CanvasGeometry ComputeCanvasGeometry(int clientWidth, int clientHeight, int uiScale) {
    auto s = [uiScale](int n) { return ScaledAt(n, uiScale); };
    auto y = [clientHeight](int n) { return CanvasYFor(n, clientHeight); };
    CanvasGeometry g{};
    const int p = s(320);
    const int left = s(356);
    const int width = clientWidth - s(356) - s(36);
    const int right = left + width;
    g.panelWidth = p;
    g.contentLeft = left;
    g.contentWidth = width;
    g.contentRight = right;

    g.divider = {p, 0, p, clientHeight};
    g.editionLine = {s(36), y(32), p - s(36), y(53)};
    g.goldRule = {s(36), y(75), s(74), y(75)};
    g.goldRuleWidth = s(2);
    g.hairlines[0] = {s(12), y(280), s(300), y(98)};
    g.hairlines[1] = {s(20), y(103), s(305), y(286)};

    const int cx = s(160), cy = y(192), r = s(64), half = r / 2;
    const int outer = r + s(18);
    g.emblemCircle = {cx - r, cy - r, cx + r, cy + r};
    g.emblemDiamond[0] = {cx, cy - outer};
    g.emblemDiamond[1] = {cx + outer, cy};
    g.emblemDiamond[2] = {cx, cy + outer};
    g.emblemDiamond[3] = {cx - outer, cy};
    g.emblemDiamond[4] = {cx, cy - outer};
    g.emblemOutlineWidth = s(1);
    const int tip = cy - r + s(8);
    const int end = cy + r - s(8);
    g.emblemStrokes[0] = {cx, tip, cx, end};
    g.emblemStrokes[1] = {cx, tip, cx - half, cy};
    g.emblemStrokes[2] = {cx - half, cy, cx, cy + half};
    g.emblemStrokes[3] = {cx, tip, cx + half, cy};
    g.emblemStrokes[4] = {cx + half, cy, cx, cy + half};
    g.emblemStrokes[5] = {cx - half - s(8), cy + s(5), cx + half + s(8), cy + s(5)};
    g.emblemStrokes[6] = {cx - s(8), end, cx + s(8), end};
    g.emblemStrokeWidth = s(2);

    g.titleLead = {s(24), y(320), p - s(24), y(352)};
    g.title = {s(12), y(354), p - s(12), y(397)};
    g.tagline = {s(36), y(501), p - s(24), y(526)};

    g.launcherLabel = {left, y(35), right, y(59)};
    g.versionChip = {right - s(91), y(33), right, y(58)};

    g.headline = {left, y(94), right, y(141)};
    g.estimateBand = {left, y(150), right, y(184)};
    g.statusCard = {left, y(294), right, y(368)};
    const int dotX = left + s(21), dotY = y(315);
    g.statusDot = {dotX - s(3), dotY - s(3), dotX + s(3), dotY + s(3)};
    g.progressTrack = {left, y(278), right, y(280)};
    g.progressStrip = {left, y(276), right, y(282)};
    g.indeterminateStep = s(8);
    g.detailsPanel = {left, y(382), right, y(479)};
    g.toggleHint = {left + s(47), y(465), right, y(483)};
    g.footer = {left, y(534), right, y(554)};
    return g;
}

std::uint32_t SidePanelShade(int y, int clientHeight) {
    if (clientHeight <= 0)
        return Palette::Rgb(21, 30, 42);
    const long long step = static_cast<long long>(y) * 10 / clientHeight;
    const unsigned e = step < 0 ? 0u : step > 9 ? 9u : static_cast<unsigned>(step);
    return Palette::Rgb(21 - e, 30 - e, 42 - e);
}

RowBand SidePanelBand(int band, int clientHeight) {
    if (clientHeight <= 0)
        return {0, 0};
    // Row y is in band e when e * h <= 10 * y < (e + 1) * h: the band starts at the first such row.
    auto firstRow = [clientHeight](int e) {
        return static_cast<int>((static_cast<long long>(e) * clientHeight + kSidePanelBands - 1) /
                                kSidePanelBands);
    };
    return {firstRow(band), firstRow(band + 1)};
}

PixelRect ProgressFill(const CanvasGeometry& g, std::uint32_t highestPermille) {
    const PixelRect& track = g.progressTrack;
    PixelRect fill{track.left, track.top, track.left, track.bottom};
    if (g.contentWidth <= 0)
        return fill;
    const int permille = highestPermille > 1000 ? 1000 : static_cast<int>(highestPermille);
    fill.right = track.left + MulDivRound(g.contentWidth, permille, 1000);
    return fill;
}

bool IndeterminateSegment(const CanvasGeometry& g, std::int32_t animationCounter, PixelRect* segment) {
    // 64-bit throughout: step x counter overflows 32 bits after some months of ticks (about 155 days at
    // 96 DPI), and a content column of width 0 or less (a window shrunk below the side panel) leaves no
    // period to divide by.
    const std::int64_t width = g.contentWidth;
    const std::int64_t seg = width / 4;
    if (width <= 0)
        return false;
    const std::int64_t period = width + seg;
    std::int64_t pos = (static_cast<std::int64_t>(g.indeterminateStep) * animationCounter) % period;
    if (pos < 0)
        pos += period;
    const std::int64_t from = pos - seg > 0 ? pos - seg : 0;
    const std::int64_t to = pos < width ? pos : width;
    if (to <= from)
        return false;
    const PixelRect& track = g.progressTrack;
    *segment = {track.left + static_cast<int>(from), track.top, track.left + static_cast<int>(to),
                track.bottom};
    return true;
}

bool ShownIndeterminateSegment(const CanvasGeometry& g, std::int32_t animationCounter, bool animate,
                               PixelRect* segment) {
    if (animate)
        return IndeterminateSegment(g, animationCounter, segment);
    const int width = g.contentWidth;
    const int seg = width / 4;
    if (width <= 0 || seg <= 0)
        return false;
    const PixelRect& track = g.progressTrack;
    const int from = track.left + (width - seg) / 2;
    *segment = {from, track.top, from + seg, track.bottom};
    return true;
}
