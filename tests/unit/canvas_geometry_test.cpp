// The home canvas's geometry and the estimate text, as tables.
#include <gtest/gtest.h>
#include <climits>
#include <cstdint>
#include <cwchar>
#include "launch/canvas_geometry.h"
#include "launch/estimate_text.h"
#include "ui/theme.h"

namespace {

using namespace Palette;

// ---- geometry -----------------------------------------------------------------------------------

TEST(CanvasGeometry, DesignCanvasAt96) {
    const CanvasGeometry g = ComputeCanvasGeometry(900, 560, 96);
    EXPECT_EQ(g.panelWidth, 320);
    EXPECT_EQ(g.contentLeft, 356);
    EXPECT_EQ(g.contentWidth, 508);
    EXPECT_EQ(g.contentRight, 864);
    EXPECT_EQ(g.statusDot, (PixelRect{374, 312, 380, 318}));
    EXPECT_EQ(g.progressTrack, (PixelRect{356, 278, 864, 280}));
    EXPECT_EQ(g.statusCard, (PixelRect{356, 294, 864, 368}));
    EXPECT_EQ(g.versionChip, (PixelRect{773, 33, 864, 58}));
    EXPECT_EQ(g.estimateBand, (PixelRect{356, 150, 864, 184}));
    EXPECT_EQ(g.detailsPanel, (PixelRect{356, 382, 864, 479}));
    EXPECT_EQ(g.toggleHint, (PixelRect{403, 465, 864, 483}));
    EXPECT_EQ(g.divider, (PixelSegment{320, 0, 320, 560}));
    EXPECT_EQ(g.goldRule, (PixelSegment{36, 75, 74, 75}));
    EXPECT_EQ(g.hairlines[0], (PixelSegment{12, 280, 300, 98}));
    EXPECT_EQ(g.hairlines[1], (PixelSegment{20, 103, 305, 286}));
}

TEST(CanvasGeometry, EmblemAt96) {
    const CanvasGeometry g = ComputeCanvasGeometry(900, 560, 96);
    EXPECT_EQ(g.emblemCircle, (PixelRect{96, 128, 224, 256}));
    const PixelPoint diamond[5] = {{160, 110}, {242, 192}, {160, 274}, {78, 192}, {160, 110}};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(g.emblemDiamond[i], diamond[i]) << i;
    const PixelSegment strokes[7] = {
        {160, 136, 160, 248},                                                                   // shaft
        {160, 136, 128, 192}, {128, 192, 160, 224}, {160, 136, 192, 192}, {192, 192, 160, 224}, // head
        {120, 197, 200, 197},                                                                   // cross bar
        {152, 248, 168, 248},                                                                   // foot
    };
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(g.emblemStrokes[i], strokes[i]) << i;
    EXPECT_EQ(g.emblemStrokeWidth, 2);
}

TEST(CanvasGeometry, LargeScaleAndShortenedWindow) {
    const CanvasGeometry at144 = ComputeCanvasGeometry(1350, 840, 144);
    EXPECT_EQ(at144.panelWidth, 480);
    EXPECT_EQ(at144.contentLeft, 534);
    EXPECT_EQ(at144.contentWidth, 762);
    EXPECT_EQ(at144.statusDot, (PixelRect{561, 468, 571, 478})); // Scaled(21) = 31.5 -> 32, Scaled(3) = 5
    EXPECT_EQ(at144.progressTrack, (PixelRect{534, 417, 1296, 420}));
    EXPECT_EQ(at144.emblemCircle, (PixelRect{144, 192, 336, 384}));

    // Minimised: every vertical position is 0, horizontal ones keep their scale.
    const CanvasGeometry minimised = ComputeCanvasGeometry(900, 0, 96);
    EXPECT_EQ(minimised.progressTrack, (PixelRect{356, 0, 864, 0}));
    EXPECT_EQ(minimised.statusDot, (PixelRect{374, -3, 380, 3}));
    EXPECT_EQ(minimised.emblemCircle, (PixelRect{96, -64, 224, 64}));
    EXPECT_EQ(minimised.footer.top, 0);
    EXPECT_EQ(minimised.footer.bottom, 0);
}

TEST(CanvasGeometry, SidePanelShadeStepsByTenths) {
    struct Case {
        int y, height;
        std::uint32_t shade;
    } cases[] = {
        {0, 560, Rgb(21, 30, 42)},   {55, 560, Rgb(21, 30, 42)},  {56, 560, Rgb(20, 29, 41)},
        {503, 560, Rgb(13, 22, 34)}, {504, 560, Rgb(12, 21, 33)}, {559, 560, Rgb(12, 21, 33)},
        {0, 1, Rgb(21, 30, 42)},     {839, 840, Rgb(12, 21, 33)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SidePanelShade(c.y, c.height), c.shade) << c.y << "/" << c.height;
    EXPECT_NE(SidePanelShade(0, 560), Slate) << "the top shade is not Slate";
}

// The ten bands cover every row once, in order, each row in the band of its own shade.
TEST(CanvasGeometry, SidePanelBandsHoldTheRowsOfEachShade) {
    for (int height : {0, 1, 7, 10, 11, 467, 559, 560, 561, 840, 1063}) {
        int next = 0;
        for (int band = 0; band < kSidePanelBands; ++band) {
            const RowBand b = SidePanelBand(band, height);
            EXPECT_EQ(b.top, next) << "band " << band << " of " << height;
            EXPECT_LE(b.top, b.bottom) << "band " << band << " of " << height;
            for (int y = b.top; y < b.bottom; ++y)
                ASSERT_EQ(SidePanelShade(y, height), SidePanelShade(b.top, height)) << y << "/" << height;
            if (b.top > 0 && b.top < b.bottom) {
                EXPECT_NE(SidePanelShade(b.top - 1, height), SidePanelShade(b.top, height)) << b.top;
            }
            next = b.bottom;
        }
        EXPECT_EQ(next, height) << "every row of " << height;
    }
    EXPECT_EQ(SidePanelBand(0, 560).bottom, 56);
    EXPECT_EQ(SidePanelBand(9, 560).top, 504);
}

TEST(CanvasGeometry, DeterminateFillEndsAtItsShareOfTheTrack) {
    const CanvasGeometry g = ComputeCanvasGeometry(900, 560, 96);
    struct Case {
        std::uint32_t permille;
        int right;
    } cases[] = {
        {0, 356},    {1, 357},    {250, 483},        {999, 863},
        {1000, 864}, {1001, 864}, {UINT32_MAX, 864}, // never past the track
    };
    for (const Case& c : cases) {
        const PixelRect fill = ProgressFill(g, c.permille);
        EXPECT_EQ(fill, (PixelRect{356, 278, c.right, 280})) << c.permille;
    }
    const CanvasGeometry narrow = ComputeCanvasGeometry(300, 560, 96); // content column below zero
    const PixelRect none = ProgressFill(narrow, 500);
    EXPECT_LE(none.right, none.left);
}

TEST(CanvasGeometry, IndeterminateSegmentSweepsTheTrack) {
    const CanvasGeometry g = ComputeCanvasGeometry(900, 560, 96);
    struct Case {
        std::int32_t counter;
        bool drawn;
        int left, right;
    } cases[] = {
        {0, false, 0, 0},     {1, true, 356, 364},  {10, true, 356, 436}, {16, true, 357, 484},
        {70, true, 789, 864}, {79, true, 861, 864}, {80, true, 356, 361}, // 640 mod 635 = 5
        {-1, true, 856, 864}, // a wrapped counter keeps sweeping: -8 mod 635 = 627
    };
    for (const Case& c : cases) {
        PixelRect segment{-1, -1, -1, -1};
        EXPECT_EQ(IndeterminateSegment(g, c.counter, &segment), c.drawn) << c.counter;
        if (c.drawn) {
            EXPECT_EQ(segment, (PixelRect{c.left, 278, c.right, 280})) << c.counter;
        }
    }
}

TEST(CanvasGeometry, IndeterminateSegmentStaysSaneForAnySizeAndCounter) {
    // The period is CW + CW / 4 and the step Scaled(8) x counter: neither may divide by zero or
    // overflow, whatever the client width (down to a column of zero or less) and the counter.
    const std::int32_t counters[] = {0,         1,          79,        80, 268435455,
                                     268435456, 1000000007, INT32_MAX, -1, INT32_MIN};
    const int widths[] = {0, 1, 200, 355, 391, 392, 393, 395, 396, 900, 1350, 100000, INT32_MAX / 2};
    for (int scale : {72, 96, 144, 480}) {
        for (int width : widths) {
            const CanvasGeometry g = ComputeCanvasGeometry(width, 560, scale);
            for (std::int32_t counter : counters) {
                PixelRect s{};
                if (!IndeterminateSegment(g, counter, &s))
                    continue;
                SCOPED_TRACE(testing::Message()
                             << "scale " << scale << " width " << width << " counter " << counter);
                ASSERT_GT(g.contentWidth, 0);
                EXPECT_GE(s.left, g.contentLeft);
                EXPECT_LE(s.right, g.contentRight);
                EXPECT_LT(s.left, s.right);
                EXPECT_LE(s.right - s.left, g.contentWidth / 4);
                EXPECT_EQ(s.top, g.progressTrack.top);
            }
            if (g.contentWidth <= 0) {
                PixelRect untouched{7, 7, 7, 7};
                EXPECT_FALSE(IndeterminateSegment(g, 10, &untouched));
                EXPECT_EQ(untouched, (PixelRect{7, 7, 7, 7}));
            }
        }
    }
    // Width 1 to 3: a quarter is 0, so there is never a segment to draw.
    for (int column = 1; column <= 3; ++column) {
        const CanvasGeometry g = ComputeCanvasGeometry(392 + column, 560, 96);
        ASSERT_EQ(g.contentWidth, column);
        PixelRect s{};
        for (std::int32_t counter = 0; counter < 10; ++counter)
            EXPECT_FALSE(IndeterminateSegment(g, counter, &s));
    }
}

// ---- estimate text ------------------------------------------------------------------------------

TEST(EstimateText, FormatsPercentTimeAndMemory) {
    struct Case {
        std::uint32_t permille;
        std::uint64_t seconds;
        std::uint32_t peak, limit;
        const wchar_t* text;
    } cases[] = {
        {420, 425, 0, 0, L"Estimated overall: 42%  |  Elapsed: 0h 7m 5s"},
        {999, 0, 0, 0, L"Estimated overall: 99%  |  Elapsed: 0h 0m 0s"},
        {1000, 3600, 0, 0, L"Estimated overall: 100%  |  Elapsed: 1h 0m 0s"},
        {5, 90061, 0, 0, L"Estimated overall: 0%  |  Elapsed: 25h 1m 1s"},
        {300, 59, 2048, 0, L"Estimated overall: 30%  |  Elapsed: 0h 0m 59s\nPeak committed: 2048 MiB"},
        {300, 60, 2048, 16384,
         L"Estimated overall: 30%  |  Elapsed: 0h 1m 0s\nPeak committed: 2048 / 16384 MiB"},
        {300, 61, 20000, 16384,
         L"Estimated overall: 30%  |  Elapsed: 0h 1m 1s\nMemory limit reached (16384 MiB)"},
        {300, 61, 16384, 16384,
         L"Estimated overall: 30%  |  Elapsed: 0h 1m 1s\nPeak committed: 16384 / 16384 MiB"},
        {300, 61, 0, 16384, L"Estimated overall: 30%  |  Elapsed: 0h 1m 1s"},
    };
    for (const Case& c : cases) {
        wchar_t out[kEstimateTextUnits];
        const std::size_t length =
            FormatEstimateText(out, kEstimateTextUnits, c.permille, c.seconds, c.peak, c.limit);
        EXPECT_STREQ(out, c.text);
        EXPECT_EQ(length, std::wcslen(c.text));
    }
}

TEST(EstimateText, LargestFiguresFitAndShortBuffersAreCut) {
    wchar_t out[kEstimateTextUnits];
    FormatEstimateText(out, kEstimateTextUnits, UINT32_MAX, UINT64_MAX, UINT32_MAX - 1, UINT32_MAX);
    EXPECT_STREQ(out, L"Estimated overall: 429496729%  |  Elapsed: 5124095576030431h 0m 15s\n"
                      L"Peak committed: 4294967294 / 4294967295 MiB");

    wchar_t small[10];
    std::wmemset(small, L'#', 10);
    EXPECT_EQ(FormatEstimateText(small, 10, 420, 425, 1, 0), 9u);
    EXPECT_STREQ(small, L"Estimated");
    wchar_t one[1] = {L'#'};
    EXPECT_EQ(FormatEstimateText(one, 1, 420, 425, 1, 0), 0u);
    EXPECT_EQ(one[0], L'\0');
}

TEST(EstimateText, ClockRunsWhileTheLauncherRunsAndFreezesAfter) {
    EXPECT_EQ(EstimateSeconds(true, 130999, 10000, 7), 120u);
    EXPECT_EQ(EstimateSeconds(false, 130999, 10000, 7), 7u);
    EXPECT_EQ(EstimateSeconds(true, 10000, 10000, 7), 0u);
    EXPECT_EQ(EstimateSeconds(true, 5000, 10000, 7), 0u)
        << "a start in the future shows 0, not a wrapped figure";
}

} // namespace
