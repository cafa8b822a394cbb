// The home canvas: probes of PaintCanvas in a memory canvas for each launch state (its geometry and
// the estimate text are in canvas_geometry_test.cpp).
#include <gtest/gtest.h>
#include <windows.h>
#include <climits>
#include <cstdint>
#include <cwchar>
#include <vector>
#include "shell/painting.h"
#include "launch/canvas.h"
#include "launch/canvas_geometry.h"
#include "launch/estimate_text.h"
#include "shell/launch_glue.h"
#include "launch/launch_progress.h"
#include "paint_probe.h"
#include "process/helper_process.h"
#include "settings/settings_model.h"
#include "shell/app_state.h"
#include "shell/status_line.h"
#include "shell/system_settings.h"

namespace {

using namespace Palette;

// ---- PaintCanvas ----------------------------------------------------------------------------------

// A plain window with a 900 x 560 client stands in for the main window; the state PaintCanvas reads
// is set per test and restored afterwards.
class PaintCanvasTest : public testing::Test {
  protected:
    void SetUp() override {
        savedMain_ = gMainWindow;
        savedProgress_ = gProgress;
        savedAttention_ = gAttentionFlag;
        savedProcess_ = gHelper.process;
        savedDetails_ = gLaunchDetailsVisible;
        savedPage_ = gSettings.pageVisible;
        window_ =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 900, 560, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        gMainWindow = window_;
        gProgress = LaunchProgress{};
        gAttentionFlag = 0;
        gHelper.process = nullptr;
        gLaunchDetailsVisible = false;
        gSettings.pageVisible = 0;
    }
    void TearDown() override {
        gMainWindow = savedMain_;
        gProgress = savedProgress_;
        gAttentionFlag = savedAttention_;
        gHelper.process = savedProcess_;
        gLaunchDetailsVisible = savedDetails_;
        gSettings.pageVisible = savedPage_;
        DestroyWindow(window_);
    }
    // HelperRunning() only looks at the handle; the pseudo handle of this process stands in.
    static void SetHelperRunning(bool running) { gHelper.process = running ? GetCurrentProcess() : nullptr; }

    void Paint() {
        canvas_.Fill(RGB(255, 0, 255));
        PaintCanvas(canvas_.dc());
    }

    ScopedScaleAndFonts fonts_{96};
    MemoryCanvas canvas_{900, 560};
    HWND window_ = nullptr;

  private:
    HWND savedMain_ = nullptr;
    LaunchProgress savedProgress_{};
    int savedAttention_ = 0;
    HANDLE savedProcess_ = nullptr;
    bool savedDetails_ = false;
    std::int32_t savedPage_ = 0;
};

TEST_F(PaintCanvasTest, IdleHomeScreen) {
    Paint();
    EXPECT_EQ(canvas_.At(899, 559), Night) << "background everywhere";
    EXPECT_EQ(canvas_.At(5, 10), RGB(21, 30, 42)) << "top of the side panel";
    EXPECT_EQ(canvas_.At(5, 300), RGB(16, 25, 37));
    EXPECT_EQ(canvas_.At(5, 559), RGB(12, 21, 33)) << "last tenth of the side panel";
    EXPECT_EQ(canvas_.At(320, 450), SlateEdge) << "divider";
    EXPECT_EQ(canvas_.At(321, 450), Night);
    EXPECT_EQ(canvas_.At(50, 75), Gold) << "rule under the edition line";
    EXPECT_EQ(canvas_.Ink({36, 32, 284, 53}, RGB(21, 30, 42)), Gold) << "edition line";
    EXPECT_EQ(canvas_.At(160, 170), Gold) << "emblem shaft";
    EXPECT_EQ(canvas_.At(170, 197), Gold) << "emblem cross bar";
    EXPECT_EQ(canvas_.Ink({40, 248, 52, 268}, SidePanelShade(258, 560)), SlateLine) << "a crossing line";
    EXPECT_EQ(canvas_.Ink({94, 188, 99, 196}, SidePanelShade(192, 560)), StoneLight) << "emblem circle";
    EXPECT_EQ(canvas_.Ink({158, 108, 163, 112}, SidePanelShade(110, 560)), StoneLight) << "diamond top";
    EXPECT_EQ(canvas_.At(377, 315), Gold) << "status dot";
    EXPECT_EQ(canvas_.At(356, 330), SlateEdge) << "status card border";
    EXPECT_EQ(canvas_.At(400, 330), Slate) << "status card face";
    EXPECT_EQ(canvas_.At(600, 279), Night) << "no bar while idle";
    EXPECT_EQ(canvas_.At(600, 420), Night) << "no details panel";
    EXPECT_EQ(canvas_.At(790, 45), Slate) << "version chip";
    EXPECT_EQ(MemoryCanvas::Nearest(canvas_.Ink({356, 94, 864, 141}, Night), {TextBright, TextMuted}),
              TextBright);
    EXPECT_GT(canvas_.InkRows({403, 465, 864, 483}, Night), 0) << "toggle hint";
    EXPECT_GT(canvas_.InkRows({356, 534, 864, 554}, Night), 0) << "footer";
    EXPECT_GT(canvas_.InkRows({36, 501, 296, 526}, SidePanelShade(515, 560)), 0) << "tagline";
}

TEST_F(PaintCanvasTest, EstimateShowsASecondLineOnlyWithMemoryFigures) {
    const RECT lowerBand{356, 170, 864, 184};
    Paint();
    EXPECT_EQ(canvas_.InkRows(lowerBand, Night), 0) << "welcome text is one line";

    gProgress.progressStarted = true;
    gProgress.highestPermille = 420;
    gProgress.elapsedSeconds = 425;
    Paint();
    EXPECT_GT(canvas_.InkRows({356, 150, 864, 168}, Night), 0);
    EXPECT_EQ(canvas_.InkRows(lowerBand, Night), 0);

    gProgress.peakCommittedMiB = 2048;
    gProgress.memoryLimitMiB = 16384;
    Paint();
    EXPECT_GT(canvas_.InkRows(lowerBand, Night), 0);
}

TEST_F(PaintCanvasTest, ProgressBarWhileTheLauncherRuns) {
    SetHelperRunning(true);
    gProgress.animationCounter = 10;
    Paint();
    EXPECT_EQ(canvas_.At(400, 278), Gold);
    EXPECT_EQ(canvas_.At(435, 279), Gold);
    EXPECT_EQ(canvas_.At(436, 279), SlateEdge);
    EXPECT_EQ(canvas_.At(863, 279), SlateEdge);
    EXPECT_EQ(canvas_.At(600, 280), Night) << "the track is two pixels high";

    gProgress.animationCounter = 79;
    Paint();
    EXPECT_EQ(canvas_.At(860, 279), SlateEdge);
    EXPECT_EQ(canvas_.At(861, 279), Gold);
    EXPECT_EQ(canvas_.At(863, 279), Gold);
    EXPECT_EQ(canvas_.At(864, 279), Night);

    gProgress.progressStarted = true;
    gProgress.highestPermille = 250;
    gProgress.startTick = GetTickCount64();
    Paint();
    EXPECT_EQ(canvas_.At(356, 278), Gold);
    EXPECT_EQ(canvas_.At(482, 279), Gold);
    EXPECT_EQ(canvas_.At(483, 279), SlateEdge);

    SetHelperRunning(false);
    Paint();
    EXPECT_EQ(canvas_.At(400, 278), Night) << "no bar after the launcher ended";
}

// A paint clipped to part of the canvas, as a WM_PAINT's rectangle clips it, draws there exactly what
// the whole paint draws: painters skip what lies outside the part, and they must skip nothing inside
// it. Parts: the strips that are repainted alone, the estimate's second line alone (placed by the
// height of the first), a corner of the title, and bands across the side panel and the footer.
TEST_F(PaintCanvasTest, APaintOfAPartDrawsThereWhatTheWholePaintDraws) {
    const CanvasGeometry g = ComputeCanvasGeometry(900, 560, 96);
    const RECT parts[] = {ToRect(g.estimateBand), ToRect(g.progressStrip), {356, 170, 864, 184},
                          {360, 110, 366, 116},   {0, 320, 900, 400},      {0, 500, 900, 560}};
    MemoryCanvas part(900, 560);
    const auto checkParts = [&](const char* state) {
        Paint();
        for (const RECT& r : parts) {
            part.Fill(RGB(255, 0, 255));
            IntersectClipRect(part.dc(), r.left, r.top, r.right, r.bottom);
            PaintCanvas(part.dc());
            SelectClipRgn(part.dc(), nullptr);
            int differing = 0;
            for (int y = r.top; y < r.bottom; ++y) {
                for (int x = r.left; x < r.right; ++x)
                    differing += part.At(x, y) != canvas_.At(x, y) ? 1 : 0;
            }
            EXPECT_EQ(differing, 0) << state << ", part " << r.left << "," << r.top << " to " << r.right
                                    << "," << r.bottom;
        }
    };
    checkParts("idle");
    SetHelperRunning(true);
    gProgress.progressStarted = true;
    gProgress.highestPermille = 420;
    gProgress.elapsedSeconds = 425;
    gProgress.startTick = GetTickCount64();
    gProgress.peakCommittedMiB = 2048;
    gProgress.memoryLimitMiB = 16384;
    checkParts("running, with the estimate's second line");
    SetHelperRunning(false);
    gAttentionFlag = 1;
    gLaunchDetailsVisible = true;
    checkParts("attention, details shown");
}

TEST_F(PaintCanvasTest, NarrowWindowPaintsWithoutABar) {
    // A client narrower than the side panel and its margins leaves no content column.
    SetWindowPos(window_, nullptr, 0, 0, 380, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    SetHelperRunning(true);
    // The bar's rows (276 to 282 of 560: 99 and 100 here) and the one above, from the divider to the
    // client's edge.
    const RECT barRows{321, 98, 380, 101};
    for (std::int32_t counter : {0, 10, 80, INT32_MAX}) {
        gProgress.animationCounter = counter;
        Paint();
        EXPECT_EQ(canvas_.InkRows(barRows, Night), 0) << counter;
    }
    EXPECT_EQ(canvas_.At(5, 10), RGB(21, 30, 42));
    EXPECT_EQ(canvas_.At(600, 100), RGB(255, 0, 255)) << "nothing drawn outside the client";
}

TEST_F(PaintCanvasTest, AttentionColoursTheDotAndKeepsTheEstimate) {
    gAttentionFlag = 1;
    gProgress.progressStarted = true;
    gProgress.highestPermille = 600;
    gProgress.elapsedSeconds = 61;
    gProgress.peakCommittedMiB = 3000;
    gLaunchDetailsVisible = true;
    Paint();
    EXPECT_EQ(canvas_.At(377, 315), Alert);
    EXPECT_GT(canvas_.InkRows({356, 170, 864, 184}, Night), 0) << "estimate still shown";
    EXPECT_EQ(canvas_.At(600, 420), NightDeep) << "details panel";
    EXPECT_EQ(canvas_.At(356, 420), SlateEdge);
    EXPECT_EQ(canvas_.InkRows({403, 465, 860, 478}, NightDeep), 0) << "no toggle hint under the panel";
    EXPECT_EQ(canvas_.At(600, 279), Night) << "no bar without a launcher";
}

TEST_F(PaintCanvasTest, SettingsPageStopsAfterTheVersionChip) {
    gSettings.pageVisible = 1;
    gAttentionFlag = 1;
    SetHelperRunning(true);
    gProgress.animationCounter = 10;
    Paint();
    EXPECT_EQ(canvas_.At(5, 10), RGB(21, 30, 42)) << "side panel still drawn";
    EXPECT_EQ(canvas_.At(160, 170), Gold) << "emblem still drawn";
    EXPECT_EQ(canvas_.At(790, 45), Slate) << "version chip still drawn";
    EXPECT_NE(canvas_.At(377, 315), Alert) << "no status dot";
    EXPECT_NE(canvas_.At(400, 279), Gold) << "no progress bar";
    EXPECT_NE(canvas_.At(356, 330), SlateEdge) << "no status card";
}

// ---- high contrast and reduced motion ------------------------------------------------------------

// The emblem's pixels are kept from a full drawing and used again: never from a paint clipped to a
// part of them (the rest of the buffer is stale then), never across a change of colours.
TEST_F(PaintCanvasTest, KeptEmblemPixelsAreTheOnesDrawn) {
    const CanvasGeometry g = ComputeCanvasGeometry(900, 560, 96);
    const RECT box{g.emblemDiamond[3].x, g.emblemDiamond[0].y, g.emblemDiamond[1].x, g.emblemDiamond[2].y};
    const auto emblem = [&] {
        std::vector<COLORREF> pixels;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                pixels.push_back(canvas_.At(x, y));
        return pixels;
    };
    const auto drawnAfresh = [&] {
        ReleaseCanvasCache();
        Paint();
        return emblem();
    };
    const std::vector<COLORREF> drawn = drawnAfresh();
    Paint();
    EXPECT_EQ(emblem(), drawn) << "kept";

    ReleaseCanvasCache();
    canvas_.Fill(RGB(255, 0, 255));
    const int middle = (box.top + box.bottom) / 2;
    IntersectClipRect(canvas_.dc(), box.left, middle, box.right, middle + 8);
    PaintCanvas(canvas_.dc());
    SelectClipRgn(canvas_.dc(), nullptr);
    Paint();
    EXPECT_EQ(emblem(), drawn) << "after a paint of a strip through it";

    const ScopedHighContrast highContrast;
    Paint();
    const std::vector<COLORREF> inHighContrast = emblem();
    EXPECT_NE(inHighContrast, drawn);
    EXPECT_EQ(inHighContrast, drawnAfresh()) << "in high contrast";
    ReleaseCanvasCache();
}

TEST_F(PaintCanvasTest, HighContrastPaintsFlatInSystemColoursOnly) {
    const ScopedHighContrast highContrast;
    const SystemColours& c = kProbeSystemColours;
    const struct {
        const char* what;
        bool running, started, attention, details;
    } states[] = {
        {"idle", false, false, false, false},
        {"launching", true, false, false, false},
        {"with a figure", true, true, false, true},
        {"after a failure", false, true, true, true},
    };
    for (const auto& state : states) {
        SCOPED_TRACE(state.what);
        SetHelperRunning(state.running);
        gProgress.progressStarted = state.started;
        gProgress.highestPermille = 250;
        gProgress.peakCommittedMiB = state.started ? 4096 : 0;
        gProgress.animationCounter = 10;
        gAttentionFlag = state.attention ? 1 : 0;
        gLaunchDetailsVisible = state.details;
        Paint();
        EXPECT_EQ(PalettePixels(canvas_, 900, 560), 0) << "not one pixel of the palette";
        EXPECT_EQ(canvas_.At(5, 10), c.window) << "the side panel is flat";
        EXPECT_EQ(canvas_.At(5, 559), c.window);
        EXPECT_EQ(canvas_.At(320, 450), c.windowText) << "its edge";
        EXPECT_EQ(canvas_.At(160, 170), c.windowText) << "emblem shaft";
        EXPECT_EQ(canvas_.Ink({40, 248, 52, 268}, c.window), c.window)
            << "no crossing lines behind the emblem";
        EXPECT_EQ(canvas_.At(356, 330), c.windowText) << "status card border";
        EXPECT_EQ(canvas_.At(400, 330), c.window) << "status card";
        EXPECT_EQ(canvas_.At(377, 315), state.attention ? c.hotLight : c.windowText) << "status dot";
        EXPECT_EQ(
            MemoryCanvas::Nearest(canvas_.Ink({356, 94, 864, 141}, c.window), {c.windowText, c.grayText}),
            c.windowText)
            << "headline";
        EXPECT_EQ(
            MemoryCanvas::Nearest(canvas_.Ink({356, 150, 864, 168}, c.window), {c.windowText, c.grayText}),
            c.windowText)
            << "estimate or welcome: muted text stays fully readable";
        EXPECT_EQ(canvas_.At(600, 420), c.window) << "details panel, or nothing";
    }
}

TEST_F(PaintCanvasTest, HighContrastBarIsAnOutlineWithTheFillInside) {
    const ScopedHighContrast highContrast;
    const SystemColours& c = kProbeSystemColours;
    SetHelperRunning(true);
    struct Case {
        bool started;
        std::int32_t counter;
        std::uint32_t permille;
        int filledX, emptyX;
    } cases[] = {
        {false, 10, 0, 400, 600}, // the moving segment spans 356 .. 436
        {true, 0, 250, 480, 490}, // the fill ends at 483
        {true, 0, 0, -1, 400},    // nothing yet: only the outline
        {true, 0, 1000, 862, -1}, // full, inside the outline
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.started << " " << k.counter << " " << k.permille);
        gProgress.progressStarted = k.started;
        gProgress.animationCounter = k.counter;
        gProgress.highestPermille = k.permille;
        gProgress.startTick = GetTickCount64();
        Paint();
        for (int x : {357, 600, 862}) {
            EXPECT_EQ(canvas_.At(x, 276), c.windowText) << "top of the outline at " << x;
            EXPECT_EQ(canvas_.At(x, 281), c.windowText) << "bottom of the outline at " << x;
        }
        EXPECT_EQ(canvas_.At(356, 279), c.windowText) << "left end";
        EXPECT_EQ(canvas_.At(863, 279), c.windowText) << "right end";
        EXPECT_EQ(canvas_.At(600, 282), c.window) << "nothing below the strip";
        if (k.filledX >= 0) {
            EXPECT_EQ(canvas_.At(k.filledX, 279), c.highlight);
        }
        if (k.emptyX >= 0) {
            EXPECT_EQ(canvas_.At(k.emptyX, 279), c.window);
        }
    }
}

TEST_F(PaintCanvasTest, WithoutAnimationsTheSegmentStandsStill) {
    const bool saved = gClientAreaAnimation;
    SetHelperRunning(true);
    const struct {
        bool animate;
        std::int32_t counter;
        COLORREF at400, at600;
    } cases[] = {
        {true, 10, Gold, SlateEdge},  {true, 70, SlateEdge, SlateEdge},
        {false, 10, SlateEdge, Gold}, // still in the middle: 546 .. 673
        {false, 70, SlateEdge, Gold}, {false, 79, SlateEdge, Gold},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.animate << " " << c.counter);
        gClientAreaAnimation = c.animate;
        gProgress.animationCounter = c.counter;
        Paint();
        EXPECT_EQ(canvas_.At(400, 279), c.at400);
        EXPECT_EQ(canvas_.At(600, 279), c.at600);
    }
    gClientAreaAnimation = saved;
}

TEST_F(PaintCanvasTest, DescribeScreenFollowsTheShownPage) {
    static ScreenElements list;
    const struct {
        const char* what;
        bool settingsPage, running, started;
        int index;
        ElementRole role;
        const wchar_t* name;
        const wchar_t* value;
    } cases[] = {
        {"home idle", false, false, false, 6, ElementRole::Text, L"Ready to play", L""},
        {"home launching", false, true, false, 8, ElementRole::ProgressBar, L"Overall progress", L""},
        {"home with a figure", false, true, true, 8, ElementRole::ProgressBar, L"Overall progress", L"42%"},
        {"settings page", true, false, false, 6, ElementRole::Text, L"Settings", L""},
        {"settings tabs", true, false, false, 7, ElementRole::PageTab, L"Graphics", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        gSettings.pageVisible = c.settingsPage ? 1 : 0;
        SetHelperRunning(c.running);
        gProgress.progressStarted = c.started;
        gProgress.highestPermille = 427;
        DescribeScreen(list);
        ASSERT_GT(list.count, c.index);
        EXPECT_EQ(list.items[0].rect, (PixelRect{36, 32, 284, 53})) << "client pixels of the window";
        EXPECT_EQ(list.items[c.index].role, c.role);
        EXPECT_STREQ(list.items[c.index].name, c.name);
        EXPECT_STREQ(list.items[c.index].value, c.value);
    }
}

} // namespace
