// The owner-drawn looks, the toggle and hover tracking: pixel probes of the painters in a memory
// canvas and the subclass procedures on real controls (the look and geometry tables are in
// looks_geometry_test.cpp).
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include "paint_probe.h"
#include "settings/settings_model.h"
#include "ui/control_ids.h"
#include "shell/controls.h"
#include "ui/button_looks.h"
#include "shell/painting.h"
#include "ui/toggle_geometry.h"
#include "ui/toggle_hover.h"

namespace {

using namespace Palette;

// ---- owner-drawn buttons in a memory canvas ---------------------------------------------------

// Real buttons (for window text and hover identity) under a hidden parent; the draw requests
// are made up and painted into a memory canvas.
class OwnerDrawTest : public testing::Test {
  protected:
    void SetUp() override {
        savedHovered_ = gHoveredControl;
        savedSettings_ = new SettingsModel(gSettings);
        parent_ =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override {
        gHoveredControl = savedHovered_;
        gSettings = *savedSettings_;
        delete savedSettings_;
        DestroyWindow(parent_);
    }

    HWND Button(int id, const wchar_t* text) {
        return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | BS_OWNERDRAW, 0, 0, 300, 40, parent_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    static void Draw(MemoryCanvas& canvas, HWND button, int id, UINT state, int width, int height) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = static_cast<UINT>(id);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = button;
        item.hDC = canvas.dc();
        item.rcItem = {0, 0, width, height};
        EXPECT_EQ(OnDrawItem(item), TRUE);
    }

    HWND parent_ = nullptr;
    HWND savedHovered_ = nullptr;
    SettingsModel* savedSettings_ = nullptr; // large: kept off the stack
};

struct LookCase {
    const char* what;
    int id;
    const wchar_t* text;
    int activeTab;
    UINT state;
    bool hovered;
    COLORREF face; // at (4, middle): the face, or Night where the look has none
    COLORREF text_colour;
};

constexpr UINT kPressed = ODS_SELECTED;
constexpr UINT kDisabled = ODS_DISABLED;

TEST_F(OwnerDrawTest, FacesAndCaptionsFollowLookAndState) {
    const LookCase cases[] = {
        {"play at rest", kIdPlay, L"Play", 0, 0, false, Gold, InkOnGold},
        {"play hovered", kIdPlay, L"Play", 0, 0, true, GoldLight, InkOnGold},
        {"play pressed", kIdPlay, L"Play", 0, kPressed, false, GoldDark, InkOnGold},
        {"play pressed wins over hovered", kIdPlay, L"Play", 0, kPressed, true, GoldDark, InkOnGold},
        {"play disabled, hovered and pressed", kIdPlay, L"Play", 0, kDisabled | kPressed, true, Stone,
         StonePale},
        {"save settings", kIdSaveSettings, L"Save settings", 0, 0, false, Gold, InkOnGold},
        {"save settings has no hover or pressed face", kIdSaveSettings, L"Save settings", 0, kPressed, true,
         Gold, InkOnGold},
        {"save settings unchanged (disabled)", kIdSaveSettings, L"Save settings", 0, kDisabled, false, Stone,
         TextDim},
        {"active tab", 120, L"Graphics", 0, 0, false, Gold, InkOnGold},
        {"active tab while a helper runs", 123, L"Language", 3, kDisabled, false, Stone, TextDim},
        {"other tab", 121, L"Display", 0, 0, false, Slate, TextBright},
        {"other tab hovered", 121, L"Display", 0, 0, true, SlateHover, TextBright},
        {"other tab hovered and disabled", 121, L"Display", 0, kDisabled, true, SlateHover, TextDim},
        {"other tab pressed", 121, L"Display", 0, kPressed, false, Slate, TextBright},
        {"preset", 231, L"Balanced", 0, 0, false, Slate, TextBright},
        {"editor chip hovered", 242, L"Edit controller bindings...", 0, 0, true, SlateHover, TextBright},
        {"settings button at rest", kIdSettings, L"Settings", 0, 0, false, Slate, TextMuted},
        {"settings button disabled", kIdSettings, L"Settings", 0, kDisabled, true, Night, TextFaint},
        {"open log at rest", kIdOpenLog, L"Open log", 0, 0, false, Night, TextMuted},
        {"open log hovered", kIdOpenLog, L"Open log", 0, 0, true, Slate, TextMuted},
        {"open log disabled and hovered", kIdOpenLog, L"Open log", 0, kDisabled, true, Night, TextFaint},
        {"back hovered", kIdBack, L"Back", 0, 0, true, Slate, TextMuted},
        {"unknown id is quiet", 999, L"Other", 0, 0, false, Night, TextMuted},
    };
    ScopedScaleAndFonts fonts(96);
    MemoryCanvas canvas(300, 40);
    ASSERT_TRUE(canvas.ok());
    for (const LookCase& c : cases) {
        SCOPED_TRACE(c.what);
        gSettings.activeTab = c.activeTab;
        HWND button = Button(c.id, c.text);
        gHoveredControl = c.hovered ? button : nullptr;
        canvas.Fill(RGB(255, 0, 255));
        Draw(canvas, button, c.id, c.state, 300, 40);
        EXPECT_EQ(canvas.At(0, 0), Night) << "corner outside the face";
        EXPECT_EQ(canvas.At(4, 20), c.face);
        // Play's caption area stops short of its arrow.
        const RECT textArea = c.id == kIdPlay ? RECT{24, 0, 250, 40} : RECT{8, 4, 292, 36};
        const COLORREF ink = canvas.Ink(textArea, c.face);
        EXPECT_NE(ink, c.face) << "caption drawn";
        EXPECT_EQ(MemoryCanvas::Nearest(ink, {c.text_colour, InkOnGold, StonePale, TextBright, TextMuted,
                                              TextDim, TextFaint, Gold, Night}),
                  c.text_colour);
        DestroyWindow(button);
    }
}

TEST_F(OwnerDrawTest, PlayCaptionAndArrowInEveryState) {
    ScopedScaleAndFonts fonts(96);
    MemoryCanvas enabled(300, 40), disabled(300, 40);
    HWND button = Button(kIdPlay, L"ignored window text");
    Draw(enabled, button, kIdPlay, 0, 300, 40);
    Draw(disabled, button, kIdPlay, kDisabled, 300, 40);
    // Arrow centre (270, 20): the shaft runs across it in GoldInk, in both states.
    for (MemoryCanvas* canvas : {&enabled, &disabled}) {
        const bool onShaft = canvas->At(266, 20) == GoldInk || canvas->At(266, 19) == GoldInk;
        EXPECT_TRUE(onShaft);
        EXPECT_EQ(canvas->Ink({262, 10, 280, 30}, canvas->At(4, 20)), GoldInk);
    }
    // "Preparing..." is longer than "Play": the disabled caption reaches further right.
    auto rightmostInk = [](const MemoryCanvas& canvas, COLORREF face) {
        int right = 0;
        for (int x = 24; x < 250; ++x) {
            for (int y = 4; y < 36; ++y) {
                if (canvas.At(x, y) != face)
                    right = x;
            }
        }
        return right;
    };
    EXPECT_GT(rightmostInk(disabled, Stone), rightmostInk(enabled, Gold) + 30);
    EXPECT_GE(rightmostInk(enabled, Gold), 30) << "caption starts at left + 24";
}

TEST_F(OwnerDrawTest, RowShowsNameAndValueInTwoColumns) {
    ScopedScaleAndFonts fonts(96);
    MemoryCanvas canvas(400, 36);
    const int id = kIdFirstRow + 1; // Internal resolution, value 0: "1x (480 x 272)"
    HWND row = Button(id, L"window text is not drawn");
    struct Case {
        const char* what;
        UINT state;
        bool hovered;
        COLORREF face, name, value;
    } cases[] = {
        {"enabled", 0, false, Slate, TextBright, Gold},
        {"hovered", 0, true, SlateHover, TextBright, Gold},
        {"disabled", kDisabled, false, Slate, TextDim, TextMuted},
    };
    gSettings.current[1] = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gHoveredControl = c.hovered ? row : nullptr;
        Draw(canvas, row, id, c.state, 400, 36);
        EXPECT_EQ(canvas.At(4, 18), c.face);
        const COLORREF nameInk = canvas.Ink({12, 2, 220, 34}, c.face);
        const COLORREF valueInk = canvas.Ink({220, 2, 388, 34}, c.face);
        EXPECT_EQ(MemoryCanvas::Nearest(nameInk, {TextBright, TextDim, Gold, TextMuted}), c.name);
        EXPECT_EQ(MemoryCanvas::Nearest(valueInk, {TextBright, TextDim, Gold, TextMuted}), c.value);
        // The name is left-aligned from left + 12, the value right-aligned to right - 12.
        EXPECT_EQ(canvas.InkRows({2, 4, 12, 32}, c.face), 0);
        EXPECT_EQ(canvas.InkRows({388, 4, 396, 32}, c.face), 0);
        EXPECT_GT(canvas.InkRows({12, 2, 30, 34}, c.face), 0);
        EXPECT_GT(canvas.InkRows({370, 2, 388, 34}, c.face), 0);
    }
}

TEST_F(OwnerDrawTest, RowWithoutLabelForItsValueShowsEmptyValue) {
    ScopedScaleAndFonts fonts(96);
    MemoryCanvas canvas(400, 36);
    const int id = kIdFirstRow + 1;
    HWND row = Button(id, L"");
    gSettings.current[1] = 4; // the row has four options: slot 4 has no label
    Draw(canvas, row, id, 0, 400, 36);
    EXPECT_GT(canvas.InkRows({12, 2, 220, 34}, Slate), 0) << "the name still shows";
    EXPECT_EQ(canvas.InkRows({220, 2, 388, 34}, Slate), 0);
    gSettings.current[1] = -1;
    Draw(canvas, row, id, 0, 400, 36);
    EXPECT_EQ(canvas.InkRows({220, 2, 388, 34}, Slate), 0);
}

TEST_F(OwnerDrawTest, FocusRingIsInsetInTheLooksColour) {
    struct Case {
        int id;
        COLORREF ring, face;
    } cases[] = {
        {kIdPlay, GoldDim, Gold},        {kIdSaveSettings, GoldDim, Gold}, {121, TextMuted, Slate},
        {kIdFirstRow, TextMuted, Slate}, {kIdOpenLog, SlateEdge, Night},   {kIdSettings, SlateEdge, Slate},
    };
    ScopedScaleAndFonts fonts(96);
    MemoryCanvas canvas(300, 40);
    gSettings.activeTab = 0;
    gHoveredControl = nullptr;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        HWND button = Button(c.id, L"x");
        Draw(canvas, button, c.id, 0, 300, 40);
        EXPECT_EQ(canvas.At(150, 3), c.face);
        Draw(canvas, button, c.id, ODS_FOCUS, 300, 40);
        EXPECT_EQ(canvas.At(150, 3), c.ring) << "top edge of the ring, Scaled(3) in";
        EXPECT_EQ(canvas.At(3, 20), c.ring) << "left edge of the ring";
        EXPECT_EQ(canvas.At(150, 2), c.face) << "nothing outside the ring";
        DestroyWindow(button);
    }
}

TEST_F(OwnerDrawTest, FocusRingInsetScalesAt144) {
    ScopedScaleAndFonts fonts(144);
    MemoryCanvas canvas(300, 60);
    HWND button = Button(kIdPlay, L"Play");
    Draw(canvas, button, kIdPlay, ODS_FOCUS, 300, 60);
    EXPECT_EQ(canvas.At(150, 5), GoldDim) << "Scaled(3) is 5 at 144";
    EXPECT_EQ(canvas.At(150, 4), Gold);
}

TEST_F(OwnerDrawTest, HighContrastFacesBordersAndFocusBySystemColours) {
    const ScopedHighContrast highContrast;
    const SystemColours& sc = kProbeSystemColours;
    struct Case {
        const char* what;
        int id, activeTab;
        UINT state;
        bool hovered;
        COLORREF face;    // at (4, middle)
        COLORREF edge;    // at (1, middle): a wide border shows there, a 1-pixel one does not
        COLORREF caption; // the ink of the caption, nearest of the system colours
    } cases[] = {
        {"play: default button, wide border", kIdPlay, 0, 0, false, sc.buttonFace, sc.buttonText,
         sc.buttonText},
        {"play pressed", kIdPlay, 0, kPressed, false, sc.highlight, sc.buttonText, sc.highlightText},
        {"play disabled", kIdPlay, 0, kDisabled, true, sc.buttonFace, sc.grayText, sc.grayText},
        {"selected tab", 120, 0, 0, false, sc.highlight, sc.buttonText, sc.highlightText},
        {"selected tab while a helper runs", 120, 0, kDisabled, false, sc.buttonFace, sc.grayText,
         sc.grayText},
        {"other tab", 121, 0, 0, false, sc.buttonFace, sc.buttonFace, sc.buttonText},
        {"other tab pressed", 121, 0, kPressed, false, sc.buttonFace, sc.buttonText, sc.buttonText},
        {"open log: bare text on the window", kIdOpenLog, 0, 0, false, sc.window, sc.window, sc.windowText},
        {"settings button boxed", kIdSettings, 0, 0, false, sc.buttonFace, sc.buttonFace, sc.buttonText},
    };
    ScopedScaleAndFonts fonts(96);
    MemoryCanvas canvas(300, 40);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gSettings.activeTab = c.activeTab;
        HWND button = Button(c.id, L"Caption");
        gHoveredControl = c.hovered ? button : nullptr;
        Draw(canvas, button, c.id, c.state, 300, 40);
        EXPECT_EQ(canvas.At(0, 0), sc.window) << "outside the face";
        EXPECT_EQ(canvas.At(4, 20), c.face);
        EXPECT_EQ(canvas.At(1, 20), c.edge);
        EXPECT_EQ(PalettePixels(canvas, 300, 40), 0);
        const RECT textArea = c.id == kIdPlay ? RECT{24, 6, 250, 34} : RECT{8, 6, 292, 34};
        EXPECT_EQ(MemoryCanvas::Nearest(canvas.Ink(textArea, c.face),
                                        {sc.window, sc.windowText, sc.highlight, sc.highlightText,
                                         sc.buttonFace, sc.buttonText, sc.grayText, sc.hotLight}),
                  c.caption);
        DestroyWindow(button);
    }
}

TEST_F(OwnerDrawTest, HighContrastFocusRingIsTwoPixelsWide) {
    const ScopedHighContrast highContrast;
    const SystemColours& sc = kProbeSystemColours;
    ScopedScaleAndFonts fonts(96);
    MemoryCanvas canvas(300, 40);
    gSettings.activeTab = 0;
    gHoveredControl = nullptr;
    const struct {
        int id;
        COLORREF ring, inside;
    } cases[] = {{kIdPlay, sc.buttonText, sc.buttonFace},
                 {120, sc.highlightText, sc.highlight},
                 {kIdOpenLog, sc.windowText, sc.window}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        HWND button = Button(c.id, L"x");
        Draw(canvas, button, c.id, 0, 300, 40);
        EXPECT_NE(canvas.At(150, 4), c.ring) << "no ring without focus";
        Draw(canvas, button, c.id, ODS_FOCUS, 300, 40);
        EXPECT_EQ(canvas.At(150, 3), c.ring);
        EXPECT_EQ(canvas.At(150, 4), c.ring) << "the second pixel of the ring";
        EXPECT_EQ(canvas.At(150, 5), c.inside);
        EXPECT_EQ(canvas.At(4, 20), c.ring) << "its left side";
        DestroyWindow(button);
    }
}

// ---- the toggle painter ------------------------------------------------------------------------

TEST(TogglePainting, TrackKnobLabelAndRingAt96) {
    ScopedScaleAndFonts fonts(96);
    MemoryCanvas canvas(300, 32);
    struct Case {
        bool checked, enabled, focused;
        COLORREF trackInside, knob, label;
    } cases[] = {
        {false, true, false, Slate, TextMuted, TextBright},
        {true, true, false, Gold, Night, TextBright},
        {false, false, false, Slate, TextMuted, TextMuted},
        {true, false, true, Gold, Night, TextMuted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.checked << c.enabled << c.focused);
        PaintToggle(canvas.dc(), 300, 32, c.checked, c.enabled, c.focused);
        EXPECT_EQ(canvas.At(0, 0), Night);
        EXPECT_EQ(canvas.At(40, 16), Night) << "between track and label";
        const int knobX = c.checked ? 24 : 10;
        const int freeTrackX = c.checked ? 9 : 25;
        EXPECT_EQ(canvas.At(knobX, 16), c.knob);
        EXPECT_EQ(canvas.At(freeTrackX, 16), c.trackInside);
        EXPECT_EQ(canvas.At(17, 7), c.checked ? Gold : SlateEdge) << "track border";
        EXPECT_EQ(canvas.At(17, 5), Night) << "above the track";
        const COLORREF ink = canvas.Ink({50, 4, 296, 28}, Night);
        EXPECT_EQ(MemoryCanvas::Nearest(ink, {TextBright, TextMuted, SlateEdge}), c.label);
        EXPECT_EQ(canvas.At(200, 3), c.focused ? SlateEdge : Night) << "focus ring around the label";
        EXPECT_EQ(canvas.At(200, 28), c.focused ? SlateEdge : Night) << "bottom edge of the ring";
        EXPECT_EQ(canvas.At(42, 16), c.focused ? SlateEdge : Night)
            << "left edge of the ring, clear of the label";
        EXPECT_EQ(canvas.At(36, 16), Night) << "the ring leaves the track alone";
    }
}

TEST(TogglePainting, KnobSlidesAt144) {
    ScopedScaleAndFonts fonts(144);
    MemoryCanvas canvas(400, 48);
    PaintToggle(canvas.dc(), 400, 48, true, true, false);
    EXPECT_EQ(canvas.At(36, 24), Night) << "knob centred at Scaled(24) = 36";
    EXPECT_EQ(canvas.At(13, 24), Gold);
    EXPECT_EQ(canvas.At(25, 10), Gold) << "track top at mid - Scaled(9) = 10";
    EXPECT_EQ(canvas.At(25, 9), Night);
    PaintToggle(canvas.dc(), 400, 48, false, true, false);
    EXPECT_EQ(canvas.At(15, 24), TextMuted) << "knob centred at Scaled(10) = 15";
    EXPECT_EQ(canvas.At(38, 24), Slate);
}

TEST(TogglePainting, HighContrastOutlineKnobAndWideRing) {
    const ScopedHighContrast highContrast;
    const SystemColours& sc = kProbeSystemColours;
    ScopedScaleAndFonts fonts(96);
    MemoryCanvas canvas(300, 32);
    struct Case {
        bool checked, enabled, focused;
        COLORREF trackInside, knob, label;
    } cases[] = {
        {false, true, false, sc.window, sc.windowText, sc.windowText},
        {true, true, true, sc.highlight, sc.highlightText, sc.windowText},
        {true, false, false, sc.highlight, sc.highlightText, sc.grayText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.checked << c.enabled << c.focused);
        PaintToggle(canvas.dc(), 300, 32, c.checked, c.enabled, c.focused);
        EXPECT_EQ(canvas.At(0, 0), sc.window);
        EXPECT_EQ(canvas.At(c.checked ? 24 : 10, 16), c.knob) << "the knob's side shows the state";
        EXPECT_EQ(canvas.At(c.checked ? 9 : 25, 16), c.trackInside);
        EXPECT_EQ(canvas.At(17, 7), sc.windowText) << "the track's outline, on and off";
        EXPECT_EQ(
            MemoryCanvas::Nearest(canvas.Ink({50, 6, 296, 26}, sc.window), {sc.windowText, sc.grayText}),
            c.label);
        EXPECT_EQ(canvas.At(200, 3), c.focused ? sc.windowText : sc.window);
        EXPECT_EQ(canvas.At(200, 4), c.focused ? sc.windowText : sc.window) << "two pixels wide";
        EXPECT_EQ(PalettePixels(canvas, 300, 32), 0);
    }
}

// ---- subclass procedures on real controls -----------------------------------------------------

// A shown parent with a subclassed owner-drawn button and the subclassed check box, as the main
// window has them. The saved procedures are restored afterwards.
class SubclassTest : public testing::Test {
  protected:
    void SetUp() override {
        savedButtonProc_ = gSavedButtonProc;
        savedToggleProc_ = gSavedToggleProc;
        savedHovered_ = gHoveredControl;
        gHoveredControl = nullptr;
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 600, 200, nullptr,
                                  nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        button_ = Child(L"Play", WS_TABSTOP | BS_OWNERDRAW, kIdPlay, 0);
        other_ = Child(L"Open log", WS_TABSTOP | BS_OWNERDRAW, kIdOpenLog, 50);
        toggle_ =
            Child(L"Basic graphics for troubleshooting", WS_TABSTOP | BS_AUTOCHECKBOX, kIdBasicGraphics, 100);
        gSavedButtonProc = Subclass(button_, ButtonSubclassProc);
        Subclass(other_, ButtonSubclassProc);
        gSavedToggleProc = Subclass(toggle_, ToggleSubclassProc);
        Settle();
    }
    void TearDown() override {
        DestroyWindow(parent_);
        Pump();
        gSavedButtonProc = savedButtonProc_;
        gSavedToggleProc = savedToggleProc_;
        gHoveredControl = savedHovered_;
    }

    HWND Child(const wchar_t* text, DWORD style, int id, int y) {
        return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, 0, y, 300, 32, parent_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    static WNDPROC Subclass(HWND control, WNDPROC procedure) {
        return reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    }
    // Dispatches posted messages (not a leave notification: those come only through tracking).
    static void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT || message.message == WM_MOUSELEAVE)
                continue;
            DispatchMessageW(&message);
        }
    }
    // Paints everything pending, so that only later invalidation shows in the update regions.
    void Settle() {
        Pump();
        for (HWND w : {button_, other_, toggle_})
            ValidateRect(w, nullptr);
    }
    static bool Invalid(HWND window) { return GetUpdateRect(window, nullptr, FALSE) != FALSE; }
    static void MouseMove(HWND window) { SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }

    HWND parent_ = nullptr, button_ = nullptr, other_ = nullptr, toggle_ = nullptr;
    WNDPROC savedButtonProc_ = nullptr, savedToggleProc_ = nullptr;
    HWND savedHovered_ = nullptr;
};

TEST_F(SubclassTest, MouseEnteringAndLeavingRepaintsOnce) {
    MouseMove(button_);
    EXPECT_EQ(gHoveredControl, button_);
    EXPECT_TRUE(Invalid(button_));
    ValidateRect(button_, nullptr);

    MouseMove(button_);
    EXPECT_EQ(gHoveredControl, button_);
    EXPECT_FALSE(Invalid(button_)) << "moving within the button does not repaint it again";

    SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(gHoveredControl, nullptr);
    EXPECT_TRUE(Invalid(button_));
}

TEST_F(SubclassTest, MovingStraightToAnotherControlHandsOverHover) {
    MouseMove(button_);
    Settle();
    MouseMove(toggle_);
    EXPECT_EQ(gHoveredControl, toggle_) << "the new control is hovered at once";
    EXPECT_FALSE(Invalid(button_)) << "the old one waits for its own leave notification";

    // A late leave notification of the old control does not clear the new one, but repaints the old.
    SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(gHoveredControl, toggle_);
    EXPECT_TRUE(Invalid(button_));
}

TEST_F(SubclassTest, ToggleRepaintsAfterEveryStateChange) {
    struct Step {
        const char* what;
        UINT message;
        WPARAM wParam;
    } steps[] = {
        {"checked by message", BM_SETCHECK, BST_CHECKED},
        {"unchecked by message", BM_SETCHECK, BST_UNCHECKED},
        {"clicked", BM_CLICK, 0},
        {"disabled", WM_ENABLE, FALSE},
        {"enabled", WM_ENABLE, TRUE},
        {"focused", WM_SETFOCUS, 0},
        {"unfocused", WM_KILLFOCUS, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        Settle();
        ASSERT_FALSE(Invalid(toggle_));
        SendMessageW(toggle_, s.message, s.wParam, 0);
        EXPECT_TRUE(Invalid(toggle_));
    }
}

TEST_F(SubclassTest, ClickAndSpaceBarToggleTheCheckAndRepaint) {
    ASSERT_EQ(SendMessageW(toggle_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Settle();
    SendMessageW(toggle_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(toggle_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(SendMessageW(toggle_, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(Invalid(toggle_));

    Settle();
    SendMessageW(toggle_, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(toggle_, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(SendMessageW(toggle_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(Invalid(toggle_));
}

TEST_F(SubclassTest, TogglePaintsItsOwnStateAndSkipsErasing) {
    ScopedScaleAndFonts fonts(96);
    MemoryCanvas canvas(300, 32);
    EXPECT_EQ(SendMessageW(toggle_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0), 1);
    EXPECT_EQ(canvas.At(100, 16), RGB(255, 0, 255)) << "erasing leaves the pixels alone";

    SendMessageW(toggle_, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(toggle_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    EXPECT_EQ(canvas.At(24, 16), Night) << "knob at the right";
    EXPECT_EQ(canvas.At(9, 16), Gold);

    SendMessageW(toggle_, BM_SETCHECK, BST_UNCHECKED, 0);
    EnableWindow(toggle_, FALSE);
    SendMessageW(toggle_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    EXPECT_EQ(canvas.At(10, 16), TextMuted) << "knob at the left";
    EXPECT_EQ(canvas.At(25, 16), Slate);
    EXPECT_EQ(MemoryCanvas::Nearest(canvas.Ink({50, 4, 296, 28}, Night), {TextBright, TextMuted}), TextMuted);
}

TEST_F(SubclassTest, WindowPaintCoversTheCheckBox) {
    // What reaches the screen after a click: the switch, not the platform's check box.
    SendMessageW(toggle_, BM_CLICK, 0, 0);
    UpdateWindow(toggle_);
    HDC screen = GetDC(toggle_);
    MemoryCanvas canvas(300, 32);
    BitBlt(canvas.dc(), 0, 0, 300, 32, screen, 0, 0, SRCCOPY);
    ReleaseDC(toggle_, screen);
    EXPECT_EQ(canvas.At(24, 16), Night);
    EXPECT_EQ(canvas.At(9, 16), Gold);
    EXPECT_EQ(canvas.At(40, 16), Night);
}

// ---- the application icon -----------------------------------------------------------------------

// The built program (its path given by the build), read through the Wine drive that maps /: its
// icon group 1 is the icon the player sees.
std::wstring ProgramPath() {
    std::wstring wide = L"Z:";
    for (const char* c = LAUNCHER_EXE_PATH; *c != 0; ++c)
        wide += static_cast<wchar_t>(*c == '/' ? '\\' : *c);
    return wide;
}

class AppIcon : public testing::Test {
  protected:
    void SetUp() override {
        program_ = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(program_, nullptr) << LAUNCHER_EXE_PATH << " cannot be loaded";
    }
    void TearDown() override {
        if (program_ != nullptr)
            FreeLibrary(program_);
    }
    HMODULE program_ = nullptr;
};

TEST_F(AppIcon, HoldsSevenThirtyTwoBitSizes) {
    // The group: a 6-byte header, then 14 bytes per image.
    HRSRC found = FindResourceW(program_, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr) << "icon group 1";
    ASSERT_GE(SizeofResource(program_, found), 6u + 14u * 7u);
    const auto* group = static_cast<const unsigned char*>(LockResource(LoadResource(program_, found)));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group[2] | group[3] << 8, 1) << "icon type";
    ASSERT_EQ(group[4] | group[5] << 8, 7);
    const int sizes[7] = {16, 24, 32, 48, 64, 128, 256};
    for (int i = 0; i < 7; ++i) {
        const unsigned char* entry = group + 6 + 14 * i;
        EXPECT_EQ(entry[0] == 0 ? 256 : entry[0], sizes[i]);
        EXPECT_EQ(entry[1] == 0 ? 256 : entry[1], sizes[i]);
        EXPECT_EQ(entry[6] | entry[7] << 8, 32) << "bits per pixel";
    }
}

TEST_F(AppIcon, EveryImageShowsGoldOnSlate) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        HICON icon = static_cast<HICON>(LoadImageW(program_, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        MemoryCanvas canvas(size, size);
        canvas.Fill(RGB(255, 0, 255));
        ASSERT_TRUE(DrawIconEx(canvas.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
        DestroyIcon(icon);
        // The blade runs down the middle; slate fills the tile around the emblem.
        const COLORREF centre = canvas.Ink({size / 2 - 1, size / 3, size / 2 + 1, size * 2 / 3}, Slate);
        EXPECT_LT(MemoryCanvas::Distance(centre, Gold), 40 * 40 * 3) << "gold near the centre";
        EXPECT_EQ(MemoryCanvas::Nearest(canvas.At(size / 4, size / 5), {Slate, Gold, RGB(255, 0, 255)}),
                  Slate);
        EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 255)) << "rounded corner is transparent";
    }
}

} // namespace
