#include "shell/controls.h"
#include <windows.h>
#include <initializer_list>
#include "settings/catalogue.h"
#include "shell/accessibility.h"
#include "shell/settings_glue.h"
#include "shell/system_functions.h"
#include "shell/window_refresh.h"
#include "text/utf8.h"
#include "ui/drawing.h"
#include "ui/home_geometry.h"
#include "ui/scale.h"
#include "ui/toggle_hover.h"

ControlSet gControls;
WNDPROC gSavedButtonProc = nullptr;
WNDPROC gSavedToggleProc = nullptr;

namespace {

// SS_NOPREFIX: status texts include the helpers' own messages, whose "&" must show as written.
constexpr DWORD kStatusStyle = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;                      // 0x50000080
constexpr DWORD kVisibleButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW; // 0x5001000B
constexpr DWORD kHiddenButtonStyle = WS_CHILD | WS_TABSTOP | BS_OWNERDRAW;               // 0x4001000B
constexpr DWORD kToggleStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;     // 0x50010003
constexpr DWORD kOutputPaneStyle =
    WS_CHILD | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY; // 0x40210844
constexpr int kOutputPaneLimit = 65536;

// Made where it goes, so the first layout has nothing to move.
HWND MakeControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id,
                 const Box& box = Box{0, 0, 0, 0}) {
    return CreateWindowExW(0, className, text, style, box.x, box.y, box.width, box.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

WNDPROC Subclass(HWND control, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

// Made hidden, and disabled when the window's state says so: the refresh that shows it changes only
// what has changed since.
HWND MakeHiddenButton(HWND parent, const wchar_t* text, int id, const ControlState& state) {
    const DWORD style = kHiddenButtonStyle | (state.enabled ? 0 : WS_DISABLED);
    HWND button = MakeControl(parent, L"BUTTON", text, style, id);
    Subclass(button, ButtonSubclassProc);
    return button;
}

void ApplyDarkTheme(HWND control) {
    HMODULE uxtheme = LoadSystemLibrary(L"uxtheme.dll");
    using SetThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    if (auto setTheme = LookUpFunction<SetThemeFunction>(uxtheme, "SetWindowTheme")) {
        setTheme(control, L"DarkMode_Explorer", nullptr);
    }
    if (uxtheme != nullptr)
        FreeLibrary(uxtheme);
}

void GiveFont(HWND control, FontRole role, BOOL redraw) {
    if (control != nullptr)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(gFonts[role]), redraw);
}

void GiveSettingsFonts(BOOL redraw) {
    const ControlSet& c = gControls;
    for (HWND control : {c.back, c.saveSettings})
        GiveFont(control, BodyFont, redraw);
    for (HWND tab : c.tabs)
        GiveFont(tab, BodyFont, redraw);
    for (HWND row : c.rows)
        GiveFont(row, BodyFont, redraw);
    for (HWND preset : c.presets)
        GiveFont(preset, BodyFont, redraw);
    for (HWND control : {c.selectIso, c.selectGameFolder, c.editControllerBindings})
        GiveFont(control, BodyFont, redraw);
}

// Where the layout puts the home page's controls for the window's present client size.
HomeGeometry HomeGeometryOf(HWND main) {
    RECT client{};
    GetClientRect(main, &client);
    return ComputeHomeGeometry(client.right, client.bottom, gUiScale);
}

} // namespace

void CreateControls(HWND main) {
    ControlSet& c = gControls;
    const HomeGeometry g = HomeGeometryOf(main);
    c.statusLine = MakeControl(main, L"STATIC", L"Game files will be checked before launch.", kStatusStyle, 0,
                               g.statusLine);
    c.play = MakeControl(main, L"BUTTON", L"Play", kVisibleButtonStyle, kIdPlay, g.play);
    c.basicGraphics = MakeControl(main, L"BUTTON", L"Basic graphics for troubleshooting", kToggleStyle,
                                  kIdBasicGraphics, g.toggle);
    c.launchDetails = MakeControl(main, L"BUTTON", L"Show launch details", kVisibleButtonStyle,
                                  kIdLaunchDetails, g.launchDetails);
    c.openLog = MakeControl(main, L"BUTTON", L"Open log", kVisibleButtonStyle, kIdOpenLog, g.openLog);
    c.settings = MakeControl(main, L"BUTTON", L"Settings", kVisibleButtonStyle, kIdSettings, g.settings);

    // All buttons share one class procedure; the one replaced on Play is kept for every button.
    gSavedButtonProc = Subclass(c.play, ButtonSubclassProc);
    Subclass(c.launchDetails, ButtonSubclassProc);
    Subclass(c.openLog, ButtonSubclassProc);
    Subclass(c.settings, ButtonSubclassProc);
    gSavedToggleProc = Subclass(c.basicGraphics, ToggleSubclassProc);
}

void CreateHiddenControls(HWND main) {
    ControlSet& c = gControls;
    if (c.hiddenMade || c.play == nullptr)
        return;
    c.hiddenMade = true;
    const ControlStates s = ComputeControlStates(CurrentWindowState());
    // The pane comes after the toggle in Tab order: new child windows go last, so it is moved there.
    c.outputPane =
        MakeControl(main, L"EDIT", L"Launch output appears here. Open the log to view the previous session.",
                    kOutputPaneStyle, kIdOutputPane, HomeGeometryOf(main).outputPane);
    SetWindowPos(c.outputPane, c.basicGraphics, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(c.outputPane, EM_LIMITTEXT, kOutputPaneLimit, 0);
    ApplyDarkTheme(c.outputPane);
    GiveFont(c.outputPane, MonoFont, FALSE);
    c.back = MakeHiddenButton(main, L"Back", kIdBack, s.back);
    c.saveSettings = MakeHiddenButton(main, L"Save settings", kIdSaveSettings, s.save);
    for (int tab = 0; tab < kTabCount; ++tab)
        c.tabs[tab] = MakeHiddenButton(main, TabCaption(tab), kIdFirstTab + tab, s.tabs[tab]);
    for (int row = 0; row < kRowCount; ++row) {
        wchar_t caption[128];
        if (!Utf8ToWideStrict(SettingName(row), caption, 128))
            caption[0] = L'\0';
        c.rows[row] = MakeHiddenButton(main, caption, kIdFirstRow + row, s.rows[row]);
    }
    for (int preset = 0; preset < kPresetCount; ++preset) {
        c.presets[preset] =
            MakeHiddenButton(main, PresetCaption(preset), kIdFirstPreset + preset, s.presets[preset]);
    }
    c.selectIso = MakeHiddenButton(main, L"Select ISO...", kIdSelectIso, s.selectIso);
    c.selectGameFolder =
        MakeHiddenButton(main, L"Select game folder...", kIdSelectGameFolder, s.selectGameFolder);
    c.editControllerBindings = MakeHiddenButton(main, L"Edit controller bindings...",
                                                kIdEditControllerBindings, s.editControllerBindings);
    GiveSettingsFonts(FALSE); // hidden: they are drawn when shown
}

void RebuildFonts() {
    CreateFonts();
    const ControlSet& c = gControls;
    // Before the window is first shown nothing needs repainting: the first paint draws every control.
    const BOOL redraw = c.play != nullptr && IsWindowVisible(GetParent(c.play)) ? TRUE : FALSE;
    GiveFont(c.statusLine, BodyFont, redraw);
    GiveFont(c.outputPane, MonoFont, redraw);
    for (HWND control : {c.play, c.basicGraphics, c.launchDetails, c.openLog, c.settings})
        GiveFont(control, BodyFont, redraw);
    GiveSettingsFonts(redraw);
}

LRESULT CALLBACK ButtonSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleSettingRowKey(window, message, wParam, &result))
        return result;
    if (message == WM_MOUSEMOVE || message == WM_MOUSELEAVE)
        TrackHover(window, message);
    return CallWindowProcW(gSavedButtonProc, window, message, wParam, lParam);
}

LRESULT CALLBACK ToggleSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE: TrackHover(window, message); break;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintToggleWindow(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: PaintToggleWindow(window, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_GETOBJECT:
        if (const LRESULT served = AnswerCheckBoxObject(window, wParam, lParam))
            return served;
        break;
    default: break;
    }
    const LRESULT result = CallWindowProcW(gSavedToggleProc, window, message, wParam, lParam);
    if (MayChangeToggleState(message))
        InvalidateRect(window, nullptr, FALSE);
    return result;
}
