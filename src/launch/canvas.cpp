#include "launch/canvas.h"
#include "launcher_version.h"
#include "launch/canvas_geometry.h"
#include "launch/estimate_text.h"
#include "launch/launch_commands.h"
#include "launch/launch_progress.h"
#include "process/helper_process.h"
#include "settings/settings_model.h"
#include "settings/settings_page.h"
#include "shell/app_state.h"
#include "shell/status_line.h"
#include "ui/drawing.h"
#include "ui/scale.h"

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

RECT ToRect(const PixelRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

void Line(HDC dc, const PixelSegment& s, COLORREF colour, int width) {
    DrawLine(dc, s.x1, s.y1, s.x2, s.y2, colour, width);
}

void PaintSidePanel(HDC dc, const CanvasGeometry& g, int height) {
    for (int y = 0; y < height; ++y)
        FillSolid(dc, {0, y, g.panelWidth, y + 1}, SidePanelShade(y, height));
    Line(dc, g.divider, Palette::SlateEdge, 1);
    DrawTextIn(dc, kEditionLine, ToRect(g.editionLine), CaptionFont, Palette::Gold, TextLeft);
    Line(dc, g.goldRule, Palette::Gold, g.goldRuleWidth);
    for (const PixelSegment& hairline : g.hairlines)
        Line(dc, hairline, Palette::SlateLine, 1);
}

void PaintEmblem(HDC dc, const CanvasGeometry& g) {
    HPEN pen = CreatePen(PS_SOLID, g.emblemOutlineWidth, Palette::StoneLight);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const PixelRect& c = g.emblemCircle;
    Ellipse(dc, c.left, c.top, c.right, c.bottom);
    POINT diamond[5];
    for (int i = 0; i < 5; ++i)
        diamond[i] = {g.emblemDiamond[i].x, g.emblemDiamond[i].y};
    Polyline(dc, diamond, 5);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(pen);
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

const wchar_t* Headline() {
    if (gAttentionFlag)
        return L"Launch needs attention";
    return HelperRunning() ? L"Preparing your game" : L"Ready to play";
}

void PaintEstimate(HDC dc, const CanvasGeometry& g) {
    const LaunchProgress& p = gProgress;
    if (!p.progressStarted) {
        DrawTextIn(dc, kWelcome, ToRect(g.estimateBand), BodyFont, Palette::TextMuted, TextWrap);
        return;
    }
    wchar_t text[kEstimateTextUnits];
    const std::uint64_t seconds =
        EstimateSeconds(HelperRunning(), GetTickCount64(), p.startTick, p.elapsedSeconds);
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

void PaintHomeState(HDC dc, const CanvasGeometry& g) {
    DrawTextIn(dc, Headline(), ToRect(g.headline), HeadlineFont, Palette::TextBright, TextLeft);
    PaintEstimate(dc, g);
    FillRoundRect(dc, ToRect(g.statusCard), Palette::Slate, Palette::SlateEdge, 12);
    const COLORREF dot = gAttentionFlag ? Palette::Alert : Palette::Gold;
    FillRoundRect(dc, ToRect(g.statusDot), dot, dot, 6);
    if (HelperRunning())
        PaintProgressBar(dc, g);
    if (gLaunchDetailsVisible) {
        FillRoundRect(dc, ToRect(g.detailsPanel), Palette::NightDeep, Palette::SlateEdge, 8);
    } else {
        DrawTextIn(dc, kToggleHint, ToRect(g.toggleHint), CaptionFont, Palette::TextMuted, TextWrap);
    }
    DrawTextIn(dc, kFooter, ToRect(g.footer), CaptionFont, Palette::TextMuted, TextLeft);
}

} // namespace

void PaintCanvas(HDC dc) {
    RECT client{};
    GetClientRect(gMainWindow, &client);
    const CanvasGeometry g = ComputeCanvasGeometry(client.right, client.bottom, gUiScale);
    FillSolid(dc, client, Palette::Night);
    PaintSidePanel(dc, g, client.bottom);
    PaintEmblem(dc, g);
    PaintHeader(dc, g);
    if (gSettings.pageVisible) {
        PaintSettingsPage(dc, g.contentLeft, g.contentWidth);
        return;
    }
    PaintHomeState(dc, g);
}
