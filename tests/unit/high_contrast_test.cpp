// The colour scheme chosen for the system's high-contrast setting, the looks of buttons and toggle
// in it, and the indeterminate segment when the system asks for no animations, as tables.
#include <gtest/gtest.h>
#include <cstdint>
#include <initializer_list>
#include "launch/canvas_geometry.h"
#include "ui/button_looks.h"
#include "ui/colour_scheme.h"
#include "ui/theme.h"
#include "ui/toggle_geometry.h"

namespace {

using namespace Palette;

// Eight system colours unlike each other and unlike the palette, so each probe names its source.
constexpr SystemColours kSystem{Rgb(0, 0, 0),  Rgb(255, 255, 255), Rgb(26, 235, 255), Rgb(40, 0, 40),
                                Rgb(0, 0, 96), Rgb(255, 255, 128), Rgb(63, 242, 63),  Rgb(255, 255, 0)};

// Every colour a scheme hands to a painter, with its name.
struct Role {
    const char* name;
    std::uint32_t ColourScheme::*field;
};
constexpr Role kRoles[] = {
    {"background", &ColourScheme::background},
    {"divider", &ColourScheme::divider},
    {"hairline", &ColourScheme::hairline},
    {"emblemOutline", &ColourScheme::emblemOutline},
    {"accent", &ColourScheme::accent},
    {"cardFill", &ColourScheme::cardFill},
    {"cardEdge", &ColourScheme::cardEdge},
    {"dot", &ColourScheme::dot},
    {"dotAttention", &ColourScheme::dotAttention},
    {"track", &ColourScheme::track},
    {"trackFill", &ColourScheme::trackFill},
    {"paneFill", &ColourScheme::paneFill},
    {"paneEdge", &ColourScheme::paneEdge},
    {"paneText", &ColourScheme::paneText},
    {"statusText", &ColourScheme::statusText},
    {"statusAttentionText", &ColourScheme::statusAttentionText},
};

bool IsSystemColour(std::uint32_t colour) {
    for (std::uint32_t c : {kSystem.window, kSystem.windowText, kSystem.highlight, kSystem.highlightText,
                            kSystem.buttonFace, kSystem.buttonText, kSystem.grayText, kSystem.hotLight}) {
        if (c == colour)
            return true;
    }
    return false;
}

TEST(ColourScheme, ThePaletteWhenOffWhateverTheSystemColours) {
    const struct {
        const char* name;
        std::uint32_t ColourScheme::*field;
        std::uint32_t palette;
    } cases[] = {
        {"background", &ColourScheme::background, Night},
        {"divider", &ColourScheme::divider, SlateEdge},
        {"hairline", &ColourScheme::hairline, SlateLine},
        {"emblemOutline", &ColourScheme::emblemOutline, StoneLight},
        {"accent", &ColourScheme::accent, Gold},
        {"cardFill", &ColourScheme::cardFill, Slate},
        {"cardEdge", &ColourScheme::cardEdge, SlateEdge},
        {"dot", &ColourScheme::dot, Gold},
        {"dotAttention", &ColourScheme::dotAttention, Alert},
        {"track", &ColourScheme::track, SlateEdge},
        {"trackFill", &ColourScheme::trackFill, Gold},
        {"paneFill", &ColourScheme::paneFill, NightDeep},
        {"paneEdge", &ColourScheme::paneEdge, SlateEdge},
        {"paneText", &ColourScheme::paneText, TextMuted},
        {"statusText", &ColourScheme::statusText, TextMuted},
        {"statusAttentionText", &ColourScheme::statusAttentionText, Alert},
    };
    for (const SystemColours& system : {kSystem, SystemColours{}}) {
        const ColourScheme scheme = ChooseColourScheme(false, system);
        EXPECT_FALSE(scheme.highContrast);
        for (const auto& c : cases)
            EXPECT_EQ(scheme.*c.field, c.palette) << c.name;
        EXPECT_EQ(TextInk(scheme, TextColour::Bright), TextBright);
        EXPECT_EQ(TextInk(scheme, TextColour::Muted), TextMuted);
        EXPECT_EQ(TextInk(scheme, TextColour::Gold), Gold);
        EXPECT_EQ(TextInk(scheme, TextColour::Alert), Alert);
        EXPECT_TRUE(scheme == ChooseColourScheme(false, SystemColours{}))
            << "system colours alone change nothing while high contrast is off";
    }
}

TEST(ColourScheme, SystemColoursOnlyWhenOn) {
    const ColourScheme scheme = ChooseColourScheme(true, kSystem);
    EXPECT_TRUE(scheme.highContrast);
    for (const Role& role : kRoles)
        EXPECT_TRUE(IsSystemColour(scheme.*role.field)) << role.name;
    const struct {
        const char* what;
        std::uint32_t got, expected;
    } cases[] = {
        {"ground", scheme.background, kSystem.window},
        {"panel edge", scheme.divider, kSystem.windowText},
        {"card edge", scheme.cardEdge, kSystem.windowText},
        {"status text", scheme.statusText, kSystem.windowText},
        {"attention text", scheme.statusAttentionText, kSystem.hotLight},
        {"bar fill", scheme.trackFill, kSystem.highlight},
        {"muted text stays readable", TextInk(scheme, TextColour::Muted), kSystem.windowText},
        {"gold text", TextInk(scheme, TextColour::Gold), kSystem.windowText},
        {"alert text", TextInk(scheme, TextColour::Alert), kSystem.hotLight},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.what;
    const SystemColours white{Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(55, 0, 110), Rgb(255, 255, 255),
                              Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(96, 0, 0),   Rgb(0, 0, 159)};
    EXPECT_EQ(ChooseColourScheme(true, white).background, white.window) << "the colours follow the system's";
    EXPECT_FALSE(ChooseColourScheme(true, white) == scheme);
}

// ---- buttons and toggle in high contrast ------------------------------------------------------------

TEST(HighContrastLooks, SystemColoursAndStateByShape) {
    const ColourScheme scheme = ChooseColourScheme(true, kSystem);
    const SystemColours& c = kSystem;
    struct Case {
        const char* what;
        ButtonLook look;
        ButtonState state;
        bool settingsButton;
        bool hasFace;
        std::uint32_t face, border, text;
        int stateBorder;
    } cases[] = {
        {"play: the default button, wide border",
         ButtonLook::Primary,
         {false, false, false},
         false,
         true,
         c.buttonFace,
         c.buttonText,
         c.buttonText,
         2},
        {"play hovered",
         ButtonLook::Primary,
         {false, false, true},
         false,
         true,
         c.buttonFace,
         c.hotLight,
         c.buttonText,
         2},
        {"play pressed",
         ButtonLook::Primary,
         {false, true, true},
         false,
         true,
         c.highlight,
         c.buttonText,
         c.highlightText,
         2},
        {"play disabled",
         ButtonLook::Primary,
         {true, false, true},
         false,
         true,
         c.buttonFace,
         c.grayText,
         c.grayText,
         2},
        {"accent: selected tab",
         ButtonLook::Accent,
         {false, false, false},
         false,
         true,
         c.highlight,
         c.buttonText,
         c.highlightText,
         2},
        {"selected tab disabled keeps its wide border",
         ButtonLook::Accent,
         {true, false, false},
         false,
         true,
         c.buttonFace,
         c.grayText,
         c.grayText,
         2},
        {"chip",
         ButtonLook::Chip,
         {false, false, false},
         false,
         true,
         c.buttonFace,
         c.buttonText,
         c.buttonText,
         0},
        {"chip hovered",
         ButtonLook::Chip,
         {false, false, true},
         false,
         true,
         c.buttonFace,
         c.hotLight,
         c.buttonText,
         0},
        {"chip pressed",
         ButtonLook::Chip,
         {false, true, false},
         false,
         true,
         c.buttonFace,
         c.buttonText,
         c.buttonText,
         2},
        {"row disabled",
         ButtonLook::Row,
         {true, false, false},
         false,
         true,
         c.buttonFace,
         c.grayText,
         c.grayText,
         0},
        {"quiet: bare window text",
         ButtonLook::Quiet,
         {false, false, false},
         false,
         false,
         c.buttonFace,
         c.buttonText,
         c.windowText,
         0},
        {"quiet Settings keeps its box",
         ButtonLook::Quiet,
         {false, false, false},
         true,
         true,
         c.buttonFace,
         c.buttonText,
         c.buttonText,
         0},
        {"quiet disabled",
         ButtonLook::Quiet,
         {true, false, true},
         false,
         false,
         c.buttonFace,
         c.grayText,
         c.grayText,
         0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const LookColours l = ResolveLook(k.look, k.state, k.settingsButton, scheme);
        EXPECT_EQ(l.hasFace, k.hasFace);
        if (k.hasFace) {
            EXPECT_EQ(l.faceFill, k.face);
            EXPECT_EQ(l.faceBorder, k.border);
        }
        EXPECT_EQ(l.text, k.text);
        EXPECT_EQ(l.value, k.text);
        EXPECT_EQ(l.glyph, k.text);
        EXPECT_EQ(l.focusRing, k.text) << "the ring contrasts with the face as the text does";
        EXPECT_EQ(l.background, c.window);
        EXPECT_EQ(l.stateBorder, k.stateBorder);
        EXPECT_TRUE(l.wideFocusRing);
    }
}

TEST(HighContrastLooks, OffTheLooksAreThePalettes) {
    const ColourScheme dark = ChooseColourScheme(false, kSystem);
    for (ButtonLook look :
         {ButtonLook::Primary, ButtonLook::Accent, ButtonLook::Chip, ButtonLook::Row, ButtonLook::Quiet}) {
        for (const ButtonState state : {ButtonState{false, false, false}, ButtonState{true, true, true}}) {
            const LookColours a = ResolveLook(look, state, false, dark);
            const LookColours b = ResolveLook(look, state, false);
            EXPECT_EQ(a.faceFill, b.faceFill);
            EXPECT_EQ(a.text, b.text);
            EXPECT_EQ(a.background, Night);
            EXPECT_EQ(a.glyph, GoldInk);
            EXPECT_EQ(a.stateBorder, 0);
            EXPECT_FALSE(a.wideFocusRing);
        }
    }
}

TEST(HighContrastLooks, ToggleOutlinedInBothStates) {
    const ColourScheme scheme = ChooseColourScheme(true, kSystem);
    const SystemColours& c = kSystem;
    struct Case {
        bool checked, enabled;
        std::uint32_t trackFill, knob, label;
        int knobCentre;
    } cases[] = {
        {false, true, c.window, c.windowText, c.windowText, 10},
        {true, true, c.highlight, c.highlightText, c.windowText, 24},
        {true, false, c.highlight, c.highlightText, c.grayText, 24},
    };
    for (const Case& k : cases) {
        const ToggleLook look = ComputeToggleLook(300, 32, 96, k.checked, k.enabled, scheme);
        EXPECT_EQ(look.trackFill, k.trackFill);
        EXPECT_EQ(look.trackBorder, c.windowText) << "an outline on and off";
        EXPECT_EQ(look.knobColour, k.knob);
        EXPECT_EQ((look.knob.left + look.knob.right) / 2, k.knobCentre) << "the knob's side tells the state";
        EXPECT_EQ(look.labelColour, k.label);
        EXPECT_EQ(look.backgroundColour, c.window);
        EXPECT_EQ(look.focusColour, c.windowText);
        EXPECT_TRUE(look.wideFocusRing);
    }
    const ToggleLook dark = ComputeToggleLook(300, 32, 96, true, true, ChooseColourScheme(false, kSystem));
    EXPECT_EQ(dark.trackFill, Gold);
    EXPECT_EQ(dark.backgroundColour, Night);
    EXPECT_EQ(dark.focusColour, SlateEdge);
    EXPECT_FALSE(dark.wideFocusRing);
}

// ---- reduced motion ---------------------------------------------------------------------------------

TEST(ReducedMotion, TheIndeterminateSegmentStandsStillWithoutAnimations) {
    const CanvasGeometry g = ComputeCanvasGeometry(900, 560, 96);
    const CanvasGeometry at144 = ComputeCanvasGeometry(1350, 840, 144);
    struct Case {
        const CanvasGeometry* geometry;
        std::int32_t counter;
        bool animate;
        bool shown;
        PixelRect segment;
    } cases[] = {
        {&g, 10, true, true, {356, 278, 436, 280}}, // moving, as it always did
        {&g, 70, true, true, {789, 278, 864, 280}},
        {&g, 0, true, false, {}},                   // just entering: nothing yet
        {&g, 0, false, true, {546, 278, 673, 280}}, // still: a quarter of the track, in its middle
        {&g, 10, false, true, {546, 278, 673, 280}},
        {&g, 70, false, true, {546, 278, 673, 280}},
        {&g, INT32_MAX, false, true, {546, 278, 673, 280}},
        {&at144, 123, false, true, {534 + 286, 417, 534 + 286 + 190, 420}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.counter << " animate " << c.animate);
        PixelRect segment{};
        EXPECT_EQ(ShownIndeterminateSegment(*c.geometry, c.counter, c.animate, &segment), c.shown);
        if (c.shown) {
            EXPECT_EQ(segment, c.segment);
        }
    }
    const CanvasGeometry narrow = ComputeCanvasGeometry(380, 200, 96);
    PixelRect none{};
    EXPECT_FALSE(ShownIndeterminateSegment(narrow, 5, false, &none)) << "no content column, no segment";
}

} // namespace
