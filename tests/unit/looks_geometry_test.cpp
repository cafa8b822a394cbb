// The owner-drawn looks and the toggle's geometry, as tables.
#include <gtest/gtest.h>
#include "ui/control_ids.h"
#include "ui/button_looks.h"
#include "ui/scale.h"
#include "ui/theme.h"
#include "ui/toggle_geometry.h"

namespace {

using namespace Palette;

// ---- pure tables ------------------------------------------------------------------------------

TEST(ButtonLooks, ControlsMapToTheirLooks) {
    struct Case {
        int id, activeTab;
        ButtonLook look;
    } cases[] = {
        {kIdPlay, 0, ButtonLook::Primary},
        {kIdSaveSettings, 0, ButtonLook::Accent},
        {120, 0, ButtonLook::Accent},
        {121, 0, ButtonLook::Chip},
        {126, 6, ButtonLook::Accent},
        {120, 6, ButtonLook::Chip},
        {200, 0, ButtonLook::Row},
        {217, 0, ButtonLook::Row},
        {230, 0, ButtonLook::Chip},
        {232, 0, ButtonLook::Chip},
        {240, 0, ButtonLook::Chip},
        {241, 0, ButtonLook::Chip},
        {242, 0, ButtonLook::Chip},
        {kIdOpenLog, 0, ButtonLook::Quiet},
        {kIdLaunchDetails, 0, ButtonLook::Quiet},
        {kIdSettings, 0, ButtonLook::Quiet},
        {kIdBack, 0, ButtonLook::Quiet},
        {218, 0, ButtonLook::Quiet},
        {233, 0, ButtonLook::Quiet},
        {999, 0, ButtonLook::Quiet},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LookForControl(c.id, c.activeTab), c.look) << "id " << c.id << " tab " << c.activeTab;
    }
}

TEST(ButtonLooks, RowColumnsSplitAtFiftyFivePercent) {
    struct Case {
        PixelRect item;
        int scale;
        PixelRect name, value;
    } cases[] = {
        {{0, 0, 400, 36}, 96, {12, 0, 220, 36}, {220, 0, 388, 36}},
        {{356, 100, 756, 136}, 96, {368, 100, 576, 136}, {576, 100, 744, 136}},
        {{0, 0, 401, 36}, 96, {12, 0, 220, 36}, {220, 0, 389, 36}}, // 220.55 truncates
        {{0, 0, 600, 54}, 144, {18, 0, 330, 54}, {330, 0, 582, 54}},
    };
    for (const Case& c : cases) {
        const RowColumns columns = ComputeRowColumns(c.item, c.scale);
        EXPECT_EQ(columns.name, c.name) << c.item.right;
        EXPECT_EQ(columns.value, c.value) << c.item.right;
    }
}

TEST(ButtonLooks, PlayArrowPointsRightFromTheRightEdge) {
    const PlayArrow at96 = ComputePlayArrow({356, 208, 864, 272}, 96);
    EXPECT_EQ(at96.strokes[0], (PixelSegment{827, 240, 841, 240}));
    EXPECT_EQ(at96.strokes[1], (PixelSegment{841, 240, 834, 233}));
    EXPECT_EQ(at96.strokes[2], (PixelSegment{841, 240, 834, 247}));
    EXPECT_EQ(at96.width, 2);
    const PlayArrow at144 = ComputePlayArrow({0, 0, 700, 97}, 144);
    EXPECT_EQ(at144.strokes[0], (PixelSegment{644, 48, 666, 48})); // Scaled(7) = 10.5 -> 11
    EXPECT_EQ(at144.width, 3);
}

TEST(ToggleGeometry, TrackKnobAndLabelAt96And144) {
    struct Case {
        int width, height, scale;
        bool checked;
        PixelRect track, knob, label;
    } cases[] = {
        {508, 32, 96, false, {0, 7, 34, 25}, {5, 11, 15, 21}, {47, 0, 508, 32}},
        {508, 32, 96, true, {0, 7, 34, 25}, {19, 11, 29, 21}, {47, 0, 508, 32}},
        {762, 48, 144, false, {0, 10, 51, 38}, {7, 16, 23, 32}, {71, 0, 762, 48}},
        {762, 48, 144, true, {0, 10, 51, 38}, {28, 16, 44, 32}, {71, 0, 762, 48}},
        {508, 33, 96, true, {0, 7, 34, 25}, {19, 11, 29, 21}, {47, 0, 508, 33}}, // mid truncates
    };
    for (const Case& c : cases) {
        const ToggleLook look = ComputeToggleLook(c.width, c.height, c.scale, c.checked, true);
        EXPECT_EQ(look.track, c.track) << c.scale << " " << c.checked;
        EXPECT_EQ(look.knob, c.knob) << c.scale << " " << c.checked;
        EXPECT_EQ(look.label, c.label) << c.scale << " " << c.checked;
        EXPECT_EQ(look.focusArea, (PixelRect{c.label.left - ScaledAt(8, c.scale), 0, c.width, c.height}));
    }
}

TEST(ToggleGeometry, ColoursFollowCheckedAndOnlyTheLabelFollowsEnabled) {
    for (bool enabled : {true, false}) {
        const ToggleLook off = ComputeToggleLook(300, 32, 96, false, enabled);
        const ToggleLook on = ComputeToggleLook(300, 32, 96, true, enabled);
        EXPECT_EQ(off.trackFill, Slate);
        EXPECT_EQ(off.trackBorder, SlateEdge);
        EXPECT_EQ(off.knobColour, TextMuted);
        EXPECT_EQ(on.trackFill, Gold);
        EXPECT_EQ(on.trackBorder, Gold);
        EXPECT_EQ(on.knobColour, Night);
        EXPECT_EQ(off.labelColour, enabled ? TextBright : TextMuted);
        EXPECT_EQ(on.labelColour, enabled ? TextBright : TextMuted);
    }
}

} // namespace
