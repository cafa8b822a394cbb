// The home canvas: probes of PaintCanvas in a memory canvas for each launch state (its geometry and
// the estimate text are in canvas_geometry_test.cpp).
#include <gtest/gtest.h>
#include <windows.h>
#include <climits>
#include <cstdint>
#include <cwchar>
#include "shell/painting.h"
#include "launch/canvas_geometry.h"
#include "launch/estimate_text.h"
#include "shell/launch_glue.h"
#include "launch/launch_progress.h"
#include "paint_probe.h"
#include "process/helper_process.h"
#include "settings/settings_model.h"
#include "shell/app_state.h"
#include "shell/status_line.h"

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

} // namespace
