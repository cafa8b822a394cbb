#include "launch/canvas.h"
#include "launcher_version.h"
#include "launch/estimate_text.h"
#include "launch/launch_progress.h"
#include "ui/drawing.h"

namespace {

constexpr const wchar_t* kEditionLine = L"O S T R A V I C";
constexpr const wchar_t* kTitleLead = L"T H A R N   O F";
constexpr const wchar_t* kTitle = L"EMBERFALL";
constexpr const wchar_t* kTagline = L"A JOURNEY BEYOND THE EMBERS";
constexpr const wchar_t* kLauncherLabel = L"G A M E   L A U N C H E R";
constexpr const wchar_t* kVersion = L"V" LAUNCHER_VERSION_TEXT;
constexpr const wchar_t* kWelcome = L"Pick up where you left off. Your settings stay with you.";
constexpr const wchar_t* kToggleHint = L"Use this if the game has trouble starting.";
constexpr const wchar_t* kFooter = L"F1 in game  /  Graphics, controls & networking";

void Line(HDC dc, const PixelSegment& s, COLORREF colour, int width) {
    DrawLine(dc, s.x1, s.y1, s.x2, s.y2, colour, width);
}

void PaintSidePanel(HDC dc, const CanvasGeometry& g, int height) {
    for (int band = 0; band < kSidePanelBands; ++band) {
        const RowBand rows = SidePanelBand(band, height);
        if (rows.bottom > rows.top)
            FillSolid(dc, {0, rows.top, g.panelWidth, rows.bottom}, SidePanelShade(rows.top, height));
    }
    Line(dc, g.divider, Palette::SlateEdge, 1);
    DrawTextIn(dc, kEditionLine, ToRect(g.editionLine), CaptionFont, Palette::Gold, TextLeft);
    Line(dc, g.goldRule, Palette::Gold, g.goldRuleWidth);
    for (const PixelSegment& hairline : g.hairlines)
        Line(dc, hairline, Palette::SlateLine, 1);
}

void PaintEmblem(HDC dc, const CanvasGeometry& g) {
    // The outline's box: the diamond's corners, grown by the pen's width. A paint that does not reach
    // it skips the emblem, whose wide-pen outline is costly to draw even where it is clipped away.
    const int reach = g.emblemOutlineWidth + 1;
    const RECT box{g.emblemDiamond[3].x - reach, g.emblemDiamond[0].y - reach, g.emblemDiamond[1].x + reach,
                   g.emblemDiamond[2].y + reach};
    if (!RectVisible(dc, &box))
        return;
    {
        const GdiObject<HPEN> pen(CreatePen(PS_SOLID, g.emblemOutlineWidth, Palette::StoneLight));
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
        Line(dc, stroke, Palette::Gold, g.emblemStrokeWidth);
}

void PaintHeader(HDC dc, const CanvasGeometry& g) {
    DrawTextIn(dc, kTitleLead, ToRect(g.titleLead), TitleLeadFont, Palette::TextBright, TextCenter);
    DrawTextIn(dc, kTitle, ToRect(g.title), TitleFont, Palette::TextBright, TextCenter);
    DrawTextIn(dc, kTagline, ToRect(g.tagline), CaptionFont, Palette::TextMuted, TextLeft);
    DrawTextIn(dc, kLauncherLabel, ToRect(g.launcherLabel), CaptionFont, Palette::TextMuted, TextLeft);
    FillRoundRect(dc, ToRect(g.versionChip), Palette::Slate, Palette::SlateEdge, 8);
    DrawTextIn(dc, kVersion, ToRect(g.versionChip), CaptionFont, Palette::Gold, TextCenter);
}

const wchar_t* Headline(const HomeView& view) {
    if (view.attention)
        return L"Launch needs attention";
    return view.helperRunning ? L"Preparing your game" : L"Ready to play";
}

void PaintEstimate(HDC dc, const CanvasGeometry& g, bool helperRunning) {
    const LaunchProgress& p = gProgress;
    if (!p.progressStarted) {
        DrawTextIn(dc, kWelcome, ToRect(g.estimateBand), BodyFont, Palette::TextMuted, TextWrap);
        return;
    }
    wchar_t text[kEstimateTextUnits];
    const std::uint64_t seconds =
        EstimateSeconds(helperRunning, GetTickCount64(), p.startTick, p.elapsedSeconds);
    FormatEstimateText(text, kEstimateTextUnits, p.highestPermille, seconds, p.peakCommittedMiB,
                       p.memoryLimitMiB);
    DrawTextIn(dc, text, ToRect(g.estimateBand), BodyFont, Palette::TextMuted, TextWrap);
}

void PaintProgressBar(HDC dc, const CanvasGeometry& g) {
    FillSolid(dc, ToRect(g.progressTrack), Palette::SlateEdge);
    PixelRect fill{};
    if (gProgress.progressStarted) {
        fill = ProgressFill(g, gProgress.highestPermille);
    } else if (!IndeterminateSegment(g, gProgress.animationCounter, &fill)) {
        return;
    }
    if (fill.right > fill.left)
        FillSolid(dc, ToRect(fill), Palette::Gold);
}

} // namespace

void PaintCanvasFrame(HDC dc, const CanvasGeometry& g, int clientWidth, int clientHeight) {
    FillSolid(dc, {0, 0, clientWidth, clientHeight}, Palette::Night);
    PaintSidePanel(dc, g, clientHeight);
    PaintEmblem(dc, g);
    PaintHeader(dc, g);
}

void PaintHomeState(HDC dc, const CanvasGeometry& g, const HomeView& view) {
    DrawTextIn(dc, Headline(view), ToRect(g.headline), HeadlineFont, Palette::TextBright, TextLeft);
    PaintEstimate(dc, g, view.helperRunning);
    FillRoundRect(dc, ToRect(g.statusCard), Palette::Slate, Palette::SlateEdge, 12);
    const COLORREF dot = view.attention ? Palette::Alert : Palette::Gold;
    FillRoundRect(dc, ToRect(g.statusDot), dot, dot, 6);
    if (view.helperRunning)
        PaintProgressBar(dc, g);
    if (view.detailsVisible) {
        FillRoundRect(dc, ToRect(g.detailsPanel), Palette::NightDeep, Palette::SlateEdge, 8);
    } else {
        DrawTextIn(dc, kToggleHint, ToRect(g.toggleHint), CaptionFont, Palette::TextMuted, TextWrap);
    }
    DrawTextIn(dc, kFooter, ToRect(g.footer), CaptionFont, Palette::TextMuted, TextLeft);
}
