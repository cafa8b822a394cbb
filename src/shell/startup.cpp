#include "shell/startup.h"
#include <initializer_list>
#include "process/argument_split.h"
#include "process/pass_through.h"
#include "shell/app_state.h"
#include "text/format_text.h"
#include "ui/control_ids.h"
#include "shell/main_window.h"
#include "shell/startup_logic.h"
#include "shell/system_functions.h"
#include "shell/window_frame.h"
#include "ui/drawing.h"
#include "ui/scale.h"

wchar_t gBaseDirectory[kPathUnits];
wchar_t gLogPath[kPathUnits];
HWND gMainWindow = nullptr;

namespace {

HICON gAppIcon = nullptr;
HICON gAppSmallIcon = nullptr; // the caption's, from the resource; null: the system derives it
int gSystemDpi = 96;           // the primary monitor's DPI when known: the cap of the scale at start-up

RECT PrimaryWorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void ApplyDarkTitleBar(HWND window) {
    HMODULE dwmapi = LoadSystemLibrary(L"dwmapi.dll");
    using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    if (auto setAttribute = LookUpFunction<SetAttribute>(dwmapi, "DwmSetWindowAttribute")) {
        const BOOL dark = TRUE;
        setAttribute(window, 20, &dark, sizeof dark); // DWMWA_USE_IMMERSIVE_DARK_MODE
    }
    if (dwmapi != nullptr)
        FreeLibrary(dwmapi);
}

} // namespace

void EnableDpiAwareness() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    using SetAwarenessContext = BOOL(WINAPI*)(HANDLE);
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    if (auto setContext = LookUpFunction<SetAwarenessContext>(user32, "SetProcessDpiAwarenessContext")) {
        setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))); // per-monitor aware, version 2
    }
    if (auto getDpi = LookUpFunction<GetDpiForSystemFunction>(user32, "GetDpiForSystem")) {
        gUiScale = static_cast<int>(getDpi());
        gSystemDpi = gUiScale;
    }
}

namespace {

// The program's icon resource at the size of one of the system's icon metrics; null without it.
HICON LoadIconResource(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                         LR_DEFAULTCOLOR));
}

} // namespace

HICON LoadAppIcon(HINSTANCE instance) {
    HICON icon = LoadIconResource(instance, SM_CXICON, SM_CYICON);
    return icon != nullptr ? icon : CreateFallbackIcon();
}

HICON LoadAppSmallIcon(HINSTANCE instance) {
    return LoadIconResource(instance, SM_CXSMICON, SM_CYSMICON);
}

HICON CreateFallbackIcon() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    const GdiObject<HBITMAP> colour(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ReleaseDC(nullptr, screen);
    if (colour.get() == nullptr || bits == nullptr)
        return nullptr;
    {
        const MemoryDc memory(nullptr);
        const SelectedObject bitmapSelected(memory.get(), colour.get());
        FillSolid(memory.get(), RECT{0, 0, 32, 32}, Palette::Slate);
        DrawLine(memory.get(), 16, 4, 6, 16, Palette::Gold, 2);
        DrawLine(memory.get(), 6, 16, 16, 26, Palette::Gold, 2);
        DrawLine(memory.get(), 16, 26, 26, 16, Palette::Gold, 2);
        DrawLine(memory.get(), 26, 16, 16, 4, Palette::Gold, 2);
        DrawLine(memory.get(), 16, 4, 16, 29, Palette::Gold, 2);
        DrawLine(memory.get(), 6, 18, 26, 18, Palette::Gold, 2);
        GdiFlush();
    }
    // GDI drawing leaves the alpha byte at 0; the icon is opaque.
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < 32 * 32; ++i)
        pixels[i] |= 0xFF000000u;
    const BYTE maskBits[128] = {};
    const GdiObject<HBITMAP> mask(CreateBitmap(32, 32, 1, 1, maskBits));
    ICONINFO iconInfo{TRUE, 0, 0, mask.get(), colour.get()};
    HICON icon = CreateIconIndirect(&iconInfo);
    return icon;
}

bool RegisterMainWindowClass(HINSTANCE instance, HICON icon, HICON smallIcon) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon != nullptr ? icon : LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClassName;
    return RegisterClassExW(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
    const OuterSize outer = MainWindowSizeAt(Scaled(900), Scaled(560), gSystemDpi, gUiScale,
                                             MainWindowSizeAtProcessDpi(Scaled(900), Scaled(560)));
    const RECT work = PrimaryWorkArea();
    const WindowPlacement placement =
        PlaceMainWindow(work.left, work.top, work.right - work.left, work.bottom - work.top, outer.width,
                        outer.height, Scaled(20));
    HWND window =
        CreateWindowExW(0, kWindowClassName, kWindowCaption, kMainWindowStyle, placement.x, placement.y,
                        placement.width, placement.height, nullptr, nullptr, instance, nullptr);
    ApplyDarkTitleBar(window); // before the creation result is tested, as the null window is ignored
    return window;
}

unsigned long RunLauncher(HINSTANCE instance) {
    const DWORD pathLength = GetModuleFileNameW(nullptr, gBaseDirectory, static_cast<DWORD>(kPathUnits));
    if (pathLength == 0 || pathLength >= kPathUnits)
        return 1;
    if (!CutToDirectory(gBaseDirectory, kBaseDirectoryMaxLength))
        return 1;

    static ArgumentList arguments;
    if (!SplitArguments(GetCommandLineW(), arguments))
        return 1;
    if (HasRavelhostSwitch(arguments.count, arguments.arguments))
        return RunPassThrough(gBaseDirectory, arguments.count, arguments.arguments);
    // The window's launches pass on these arguments: the one split serves both.
    gArgumentCount = arguments.count;
    gArgumentArray = arguments.arguments;

    EnableDpiAwareness();
    const RECT work = PrimaryWorkArea();
    gUiScale = ComputeUiScale(work.right - work.left, work.bottom - work.top, gUiScale);
    FormatText(gLogPath, kPathUnits, L"%ls\\private\\launcher\\latest.log", gBaseDirectory);

    gAppIcon = LoadAppIcon(instance);
    gAppSmallIcon = LoadAppSmallIcon(instance);
    if (!RegisterMainWindowClass(instance, gAppIcon, gAppSmallIcon))
        return 1;
    HWND window = CreateMainWindow(instance);
    if (window == nullptr)
        return 1;
    gMainWindow = window;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetFocus(GetDlgItem(window, kIdPlay));

    MSG message{};
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (!IsDialogMessageW(gMainWindow, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    for (HICON icon : {gAppIcon, gAppSmallIcon}) {
        if (icon != nullptr)
            DestroyIcon(icon);
    }
    return static_cast<DWORD>(message.wParam);
}
