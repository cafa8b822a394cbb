#include <gtest/gtest.h>
#include <windows.h>
#include <utility>
#include <vector>
#include "settings/catalogue.h"
#include "settings/settings_model.h"
#include "shell/main_window.h"
#include "shell/settings_glue.h"
#include "shell/system_settings.h"
#include "shell/window_refresh.h"
#include "ui/drawing.h"
#include "paint_probe.h"
#include "window_fixture.h"

namespace {

TEST_F(MainWindowTest, ClientIsTheDesignCanvasAt96) {
    RECT client{};
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, 900);
    EXPECT_EQ(client.bottom, 560);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)) & 0x02CF0000u, 0x02CA0000u);
}

TEST_F(MainWindowTest, DefaultButtonFollowsThePage) {
    EXPECT_EQ(SendMessageW(window_, DM_GETDEFID, 0, 0), 0x534B0065);
    gSettings.pageVisible = 1;
    EXPECT_EQ(SendMessageW(window_, DM_GETDEFID, 0, 0), 0x534B006C);
    gSettings.pageVisible = 0;
}

TEST_F(MainWindowTest, StaticColoursFollowPageAndAttention) {
    HDC dc = GetDC(gControls.statusLine);
    struct Case {
        HWND control;
        int page, attention;
        COLORREF text, background;
    } cases[] = {
        {gControls.outputPane, 0, 1, Palette::TextMuted, Palette::NightDeep},
        {gControls.statusLine, 0, 0, Palette::TextMuted, Palette::Slate},
        {gControls.statusLine, 0, 1, Palette::Alert, Palette::Slate},
        {gControls.statusLine, 1, 0, Palette::TextMuted, Palette::Night},
        {gControls.statusLine, 1, 1, Palette::Alert, Palette::Night},
    };
    for (const Case& c : cases) {
        gSettings.pageVisible = c.page;
        gAttentionFlag = c.attention;
        auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
            window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(c.control)));
        LOGBRUSH info{};
        ASSERT_NE(GetObjectW(brush, sizeof info, &info), 0);
        EXPECT_EQ(info.lbColor, c.background);
        EXPECT_EQ(GetTextColor(dc), c.text);
        EXPECT_EQ(GetBkColor(dc), c.background);
    }
    gSettings.pageVisible = 0;
    gAttentionFlag = 0;
    ReleaseDC(gControls.statusLine, dc);
}

// High contrast cannot be switched on in the system here: it is handed to the window as the system
// would report it, and the window's own reading of the system takes it back on a settings change.
TEST_F(MainWindowTest, StaticColoursFollowHighContrastAndTheSystemsChanges) {
    const SystemSettings system = ReadSystemSettings();
    if (system.highContrast)
        GTEST_SKIP() << "the system is in high contrast already";
    const SystemColours& sc = kProbeSystemColours;
    HDC dc = GetDC(gControls.statusLine);
    auto colours = [&](HWND control) {
        auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
            window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
        LOGBRUSH info{};
        GetObjectW(brush, sizeof info, &info);
        return std::make_pair(info.lbColor, GetTextColor(dc));
    };
    struct Case {
        const char* what;
        UINT message; // 0: the settings are handed to the window
        bool highContrast, animation;
        COLORREF statusGround, statusText, paneGround, paneText;
    } cases[] = {
        {"high contrast on", 0, true, false, sc.window, sc.windowText, sc.window, sc.windowText},
        {"a settings change reads the system again", WM_SETTINGCHANGE, false, true, Palette::Slate,
         Palette::TextMuted, Palette::NightDeep, Palette::TextMuted},
        {"on again", 0, true, false, sc.window, sc.windowText, sc.window, sc.windowText},
        {"a colour change reads the system again", WM_SYSCOLORCHANGE, false, true, Palette::Slate,
         Palette::TextMuted, Palette::NightDeep, Palette::TextMuted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.message == 0) {
            EXPECT_TRUE(ApplySystemSettings(window_, {true, sc, false}));
            EXPECT_FALSE(ApplySystemSettings(window_, {true, sc, false}))
                << "nothing changed the second time";
        } else {
            SendMessageW(window_, c.message, c.message == WM_SETTINGCHANGE ? SPI_SETHIGHCONTRAST : 0, 0);
        }
        EXPECT_EQ(gColourScheme.highContrast, c.highContrast);
        EXPECT_EQ(gClientAreaAnimation, c.message == 0 ? false : system.clientAreaAnimation);
        EXPECT_EQ(colours(gControls.statusLine), std::make_pair(c.statusGround, c.statusText));
        EXPECT_EQ(colours(gControls.outputPane), std::make_pair(c.paneGround, c.paneText));
    }
    gAttentionFlag = 1;
    ApplySystemSettings(window_, {true, sc, true});
    EXPECT_EQ(colours(gControls.statusLine).second, sc.hotLight) << "attention in high contrast";
    ApplySystemSettings(window_, system);
    gAttentionFlag = 0;
    ReleaseDC(gControls.statusLine, dc);
}

TEST_F(MainWindowTest, StatusSettersSetTheFlagAndText) {
    SetStatusAlert(L"Something needs you.");
    EXPECT_EQ(gAttentionFlag, 1);
    wchar_t text[64];
    GetWindowTextW(gControls.statusLine, text, 64);
    EXPECT_STREQ(text, L"Something needs you.");
    SetStatus(L"All good.");
    EXPECT_EQ(gAttentionFlag, 0);
    GetWindowTextW(gControls.statusLine, text, 64);
    EXPECT_STREQ(text, L"All good.");
}

TEST_F(MainWindowTest, FontsAreBuiltAtTheScaleAndRebuiltWithoutLeaks) {
    struct Case {
        int scale;
        int heights[kFontRoleCount];
    } cases[] = {
        {96, {-14, -34, -27, -21, -11, -12, -17}},
        {144, {-21, -51, -41, -32, -17, -18, -26}},
    };
    for (const Case& c : cases) {
        gUiScale = c.scale;
        HFONT before[kFontRoleCount];
        std::copy(std::begin(gFonts), std::end(gFonts), before);
        RebuildFonts();
        for (int role = 0; role < kFontRoleCount; ++role) {
            LOGFONTW font{};
            ASSERT_NE(GetObjectW(gFonts[role], sizeof font, &font), 0);
            EXPECT_EQ(font.lfHeight, c.heights[role]) << "role " << role << " at " << c.scale;
            EXPECT_EQ(font.lfWeight, kFontRoles[role].weight);
            EXPECT_EQ(font.lfQuality, CLEARTYPE_QUALITY);
            EXPECT_STREQ(font.lfFaceName, kFontRoles[role].face);
            EXPECT_EQ(GetObjectType(before[role]), 0u) << "the previous font was not deleted";
        }
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(gControls.statusLine, WM_GETFONT, 0, 0)),
                  gFonts[BodyFont]);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(gControls.outputPane, WM_GETFONT, 0, 0)),
                  gFonts[MonoFont]);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(gControls.editControllerBindings, WM_GETFONT, 0, 0)),
                  gFonts[BodyFont]);
    }
    gUiScale = 96;
    RebuildFonts();
}

TEST_F(MainWindowTest, AMinimisedWindowLaysNothingOut) {
    RECT before{}, after{};
    GetWindowRect(gControls.play, &before);
    ShowWindow(window_, SW_MINIMIZE);
    Pump();
    GetWindowRect(gControls.play, &after);
    ShowWindow(window_, SW_RESTORE);
    Pump();
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&before), 2);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&after), 2);
    EXPECT_EQ(after.right - after.left, before.right - before.left) << "Play was placed for a 0 x 0 client";
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(MainWindowTest, CloseWithoutHelperDestroysTheWindow) {
    SendMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window_));
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

TEST(FallbackIcon, IsDrawnWhenTheResourceIsMissing) {
    // The test executable has no icon resource 1, so the drawn emblem stands in.
    HICON icon = LoadAppIcon(GetModuleHandleW(nullptr));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = 32;
    header.bmiHeader.biHeight = -32;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    DWORD pixels[32 * 32] = {};
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDIBits(screen, info.hbmColor, 0, 32, pixels, &header, DIB_RGB_COLORS), 32);
    ReleaseDC(nullptr, screen);
    auto rgb = [&](int x, int y) { return pixels[y * 32 + x] & 0xFFFFFFu; };
    // DIB pixels are 0x00RRGGBB.
    EXPECT_EQ(rgb(1, 1), 0x151D28u);   // Slate background
    EXPECT_EQ(rgb(16, 10), 0xDABA7Bu); // Gold vertical stroke
    EXPECT_EQ(rgb(10, 18), 0xDABA7Bu); // Gold cross-bar
    EXPECT_EQ(pixels[0] >> 24, 0xFFu); // opaque
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

} // namespace

namespace {

// The frame that the system draws around a client at a DPI, as it says itself.
RECT FrameAtDpi(int width, int height, int dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    const auto adjust = reinterpret_cast<AdjustForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT frame{0, 0, width, height};
    if (adjust == nullptr) {
        frame.right += ScaledAt(16, gUiScale);
        frame.bottom += ScaledAt(40, gUiScale);
        return frame;
    }
    adjust(&frame, 0x02CA0000, FALSE, 0, static_cast<UINT>(dpi));
    return frame;
}

TEST_F(MainWindowTest, DpiChangeRescalesFontsAndResizesTheWindow) {
    // The test display's work area is 1920 x 1080: it fits the window up to DPI 165.
    struct Case {
        int dpi;
        RECT suggested;
        int expectedScale;
        int width, height; // window size after the change
    } cases[] = {
        {144, {10, 20, 10 + 1366, 20 + 880}, 144, 1366, 880}, // scale equals the DPI: suggested rectangle
        {192, {30, 40, 30 + 1800, 40 + 1200}, 165, 0, 0},     // capped by the work area: the frame at 192
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                     reinterpret_cast<LPARAM>(&c.suggested));
        Pump();
        EXPECT_EQ(gUiScale, c.expectedScale);
        RECT frame{};
        GetWindowRect(window_, &frame);
        EXPECT_EQ(frame.left, c.suggested.left);
        EXPECT_EQ(frame.top, c.suggested.top);
        if (c.width != 0) {
            EXPECT_EQ(frame.right - frame.left, c.width);
            EXPECT_EQ(frame.bottom - frame.top, c.height);
        } else {
            // The client at the capped scale inside the frame the system draws at the monitor's DPI,
            // not the client plus allowances (1575 x 1032).
            const RECT expected =
                FrameAtDpi(ScaledAt(900, c.expectedScale), ScaledAt(560, c.expectedScale), c.dpi);
            EXPECT_EQ(frame.right - frame.left, expected.right - expected.left);
            EXPECT_EQ(frame.bottom - frame.top, expected.bottom - expected.top);
        }
        LOGFONTW font{};
        GetObjectW(gFonts[BodyFont], sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -ScaledAt(14, c.expectedScale));
        // The layout ran for the new client: Play sits at ContentLeft, CanvasY(208).
        RECT client{}, play{};
        GetClientRect(window_, &client);
        GetWindowRect(gControls.play, &play);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&play), 2);
        EXPECT_EQ(play.left, ScaledAt(356, c.expectedScale));
        EXPECT_EQ(play.top, CanvasYFor(208, client.bottom));
    }
    gUiScale = 96;
    RebuildFonts();
}

// The child controls that a step touches: moved, sized, shown, hidden, enabled or disabled.
class TouchedControls {
  public:
    TouchedControls() {
        touched_ = 0;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, Record, nullptr, GetCurrentThreadId());
    }
    ~TouchedControls() { UnhookWindowsHookEx(hook_); }
    TouchedControls(const TouchedControls&) = delete;
    TouchedControls& operator=(const TouchedControls&) = delete;
    int count() const { return touched_; }
    bool Touched(HWND control) const { return HasProp(control, L"touched"); }

  private:
    static bool HasProp(HWND control, const wchar_t* name) { return GetPropW(control, name) != nullptr; }
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        const bool change = message->message == WM_WINDOWPOSCHANGING || message->message == WM_ENABLE ||
                            message->message == WM_SHOWWINDOW;
        if (code == HC_ACTION && change && GetParent(message->hwnd) == gMainWindow &&
            !HasProp(message->hwnd, L"touched")) {
            SetPropW(message->hwnd, L"touched", reinterpret_cast<HANDLE>(1));
            ++touched_;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static int touched_;
    HHOOK hook_;
};
int TouchedControls::touched_ = 0;

void ForgetTouches(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        RemovePropW(child, L"touched");
}

// A layout touches only the controls whose place, visibility or enabled state changes.
TEST_F(MainWindowTest, LayoutTouchesOnlyWhatChanged) {
    struct Step {
        const char* name;
        bool details;
        std::vector<HWND> touched;
    };
    const ControlSet& c = gControls;
    const Step steps[] = {
        {"nothing changed", false, {}},
        {"details shown", true, {c.outputPane, c.settings, c.basicGraphics}},
        {"again", true, {}},
        {"details hidden", false, {c.outputPane, c.settings, c.basicGraphics}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        ForgetTouches(window_);
        gLaunchDetailsVisible = step.details;
        const TouchedControls touched;
        RefreshControls();
        EXPECT_EQ(touched.count(), static_cast<int>(step.touched.size()));
        for (HWND control : step.touched)
            EXPECT_TRUE(touched.Touched(control));
    }
    ForgetTouches(window_);
    gLaunchDetailsVisible = false;
}

// Only a press acts: the same identifier with an edit control's notification code does nothing.
TEST_F(MainWindowTest, CommandsActOnPressesOnly) {
    struct Case {
        WORD code;
        bool toggles;
    } cases[] = {{EN_CHANGE, false},
                 {EN_UPDATE, false},
                 {EN_SETFOCUS, false},
                 {EN_MAXTEXT, false},
                 {BN_CLICKED, true}};
    for (const Case& c : cases) {
        const bool before = gLaunchDetailsVisible;
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(kIdLaunchDetails, c.code),
                     reinterpret_cast<LPARAM>(gControls.launchDetails));
        EXPECT_EQ(gLaunchDetailsVisible != before, c.toggles) << "code " << c.code;
    }
    gLaunchDetailsVisible = false;
}

// The ids of the main window's children in Tab order (the status line's is 0).
std::vector<int> ChildIdsInTabOrder(HWND window) {
    std::vector<int> ids;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        ids.push_back(GetDlgCtrlID(child));
    return ids;
}

// The window shows with the controls it shows; those hidden at start-up are made by the first message
// it takes, or by a command that comes before it, in their places in Tab order, with their fonts,
// hidden, and disabled where the state says.
TEST_F(MainWindowTest, ControlsHiddenAtStartUpAreMadeBeforeAnyInput) {
    std::vector<int> tabOrder = {0,          kIdPlay,     kIdBasicGraphics, kIdOutputPane,  kIdLaunchDetails,
                                 kIdOpenLog, kIdSettings, kIdBack,          kIdSaveSettings};
    for (int id = kIdFirstTab; id <= kIdLastTab; ++id)
        tabOrder.push_back(id);
    for (int id = kIdFirstRow; id <= kIdLastRow; ++id)
        tabOrder.push_back(id);
    for (int id = kIdFirstPreset; id <= kIdLastPreset; ++id)
        tabOrder.push_back(id);
    for (int id : {kIdSelectIso, kIdSelectGameFolder, kIdEditControllerBindings})
        tabOrder.push_back(id);
    const std::vector<int> shownAtStart = {0,          kIdPlay,    kIdBasicGraphics, kIdLaunchDetails,
                                           kIdOpenLog, kIdSettings};

    for (const bool commandFirst : {false, true}) {
        SCOPED_TRACE(commandFirst ? "a command first" : "the queue first");
        DestroyWindow(window_);
        Pump();
        CreateAndShow();
        if (HasFatalFailure())
            return;
        EXPECT_EQ(ChildIdsInTabOrder(window_), shownAtStart);
        EXPECT_EQ(GetDlgItem(window_, kIdOutputPane), nullptr);
        if (commandFirst) {
            SendMessageW(window_, WM_COMMAND, MAKEWPARAM(kIdSettings, BN_CLICKED),
                         reinterpret_cast<LPARAM>(gControls.settings));
            EXPECT_EQ(gSettings.pageVisible, 1);
            EXPECT_TRUE(IsWindowVisible(gControls.back));
            OnSettingsCommand(kIdBack);
        } else {
            MSG message{};
            ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
            DispatchMessageW(&message);
            EXPECT_FALSE(IsWindowVisible(gControls.back));
        }
        EXPECT_EQ(ChildIdsInTabOrder(window_), tabOrder);
        EXPECT_FALSE(IsWindowVisible(gControls.outputPane));
        EXPECT_FALSE(IsWindowVisible(gControls.saveSettings));
        EXPECT_FALSE(IsWindowEnabled(gControls.saveSettings)) << "nothing to save";
        EXPECT_FALSE(IsWindowEnabled(gControls.rows[VSync])) << "settings not loaded";
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(gControls.outputPane, WM_GETFONT, 0, 0)),
                  gFonts[MonoFont]);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(gControls.rows[VSync], WM_GETFONT, 0, 0)),
                  gFonts[BodyFont]);
        Pump();
    }
}

} // namespace
