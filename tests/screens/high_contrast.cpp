// Captures the real window in high contrast: high_contrast.exe <request folder>.
// Not a test: scripts/screens-high-contrast.sh runs it at 96 and 144 DPI and writes the PNG files.
// The system cannot be switched to high contrast everywhere (Wine refuses SPI_SETHIGHCONTRAST), so
// the window runs in this process and is handed a high-contrast theme's system colours through the
// same call it makes itself when the system's settings change. Everything else is the real thing:
// a player folder with the stand-in helper, launches and the settings page driven by clicks.
#include <windows.h>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include "capture.h"
#include "driver.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "shell/system_settings.h"
#include "standin_record.h"
#include "ui/control_ids.h"
#include "ui/scale.h"
#include "ui/theme.h"

using namespace driver;

namespace {

struct Theme {
    const wchar_t* name;
    SystemColours colours;
};

// The system colours of the two high-contrast themes players meet most: white on black, and black
// on white (window, window text, highlight, highlight text, button face, button text, gray text,
// hot light).
const Theme kThemes[] = {
    {L"black",
     {Palette::Rgb(0, 0, 0), Palette::Rgb(255, 255, 255), Palette::Rgb(26, 235, 255), Palette::Rgb(0, 0, 0),
      Palette::Rgb(0, 0, 0), Palette::Rgb(255, 255, 255), Palette::Rgb(63, 242, 63),
      Palette::Rgb(255, 255, 0)}},
    {L"white",
     {Palette::Rgb(255, 255, 255), Palette::Rgb(0, 0, 0), Palette::Rgb(55, 0, 110),
      Palette::Rgb(255, 255, 255), Palette::Rgb(255, 255, 255), Palette::Rgb(0, 0, 0), Palette::Rgb(96, 0, 0),
      Palette::Rgb(0, 0, 159)}},
};

// Runs the window's messages until the condition holds; false on time-out.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 30000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;
            if (!IsDialogMessageW(gMainWindow, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
    return true;
}

bool StatusIs(HWND window, const std::wstring& prefix) {
    return WindowText(StatusLine(window)).rfind(prefix, 0) == 0;
}

void Shoot(HWND window, const Theme& theme, const wchar_t* state, bool reached) {
    const std::wstring name = std::wstring(L"hc-") + theme.name + L"-" + state;
    if (!reached) {
        std::printf("%ls FAILED: state not reached (status: %s)\n", name.c_str(),
                    Narrow(WindowText(StatusLine(window))).c_str());
        return;
    }
    PumpUntil([] { return false; }, 300);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntil([] { return false; }, 200);
    capture::Client(window, name);
}

void Click(HWND window, int id) {
    SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
}

// Home idle, a launch before its first figure and with figures, then its failure.
void ShootHome(HWND window, const PlayerFolder& folder, const Theme& theme) {
    folder.Remove(L"standin\\step");
    folder.Remove(L"standin\\release");
    WriteScenario(folder, L"launch",
                  "line Starting Tharn of Emberfall\nwait-file standin\\step 60000\n"
                  "line ZEV_SETUP_PROGRESS 3 12 340 273\nline ZEV_SETUP_MEMORY 5120 16384\n"
                  "wait-file standin\\release 60000\nline error: the disc image could not be read\nexit 2\n");
    SetFocus(GetDlgItem(window, kIdPlay));
    Shoot(window, theme, L"home-idle", true);
    Click(window, kIdPlay);
    Shoot(window, theme, L"home-launching",
          PumpUntil([&] { return StatusIs(window, L"Checking your game files"); }));
    folder.WriteFile(L"standin\\step", "");
    Shoot(window, theme, L"home-progress",
          PumpUntil([&] { return StatusIs(window, L"Compiling the native game: 12 / 340 files"); }));
    folder.WriteFile(L"standin\\release", "");
    Shoot(window, theme, L"home-attention",
          PumpUntil([&] { return StatusIs(window, L"The game could not start"); }));
    if (IsWindowVisible(GetDlgItem(window, kIdOutputPane)))
        Click(window, kIdLaunchDetails);
}

// The settings page on three tabs, a row with the keyboard focus on the first.
void ShootSettings(HWND window, const Theme& theme) {
    Click(window, kIdSettings);
    const bool loaded = PumpUntil([&] { return IsWindowEnabled(GetDlgItem(window, kIdFirstTab)) != FALSE; });
    SetFocus(GetDlgItem(window, kIdFirstRow + 1));
    Shoot(window, theme, L"settings-graphics", loaded);
    Click(window, kIdFirstTab + 4);
    Shoot(window, theme, L"settings-controls",
          PumpUntil([&] { return IsWindowVisible(GetDlgItem(window, kIdEditControllerBindings)) != FALSE; }));
    Click(window, kIdFirstTab + 6);
    Shoot(window, theme, L"settings-locations", PumpUntil([&] {
              return IsWindowVisible(GetDlgItem(window, kIdSelectIso)) != FALSE &&
                     !StatusIs(window, L"Reading your saved file locations");
          }));
    Click(window, kIdFirstTab);
    PumpUntil([&] { return IsWindowVisible(GetDlgItem(window, kIdFirstRow + 1)) != FALSE; });
    Click(window, kIdBack);
    PumpUntil([&] { return IsWindowVisible(GetDlgItem(window, kIdPlay)) != FALSE; });
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    capture::SetFolder(argc > 1 ? argv[1] : L".");
    PlayerFolder folder;
    std::swprintf(gBaseDirectory, kPathUnits, L"%ls", folder.Root().c_str());
    std::swprintf(gLogPath, kPathUnits, L"%ls\\private\\launcher\\latest.log", gBaseDirectory);
    EnableDpiAwareness();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    gUiScale = ComputeUiScale(work.right - work.left, work.bottom - work.top, gUiScale);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterMainWindowClass(instance, nullptr))
        return 1;
    HWND window = CreateMainWindow(instance);
    if (window == nullptr)
        return 1;
    gMainWindow = window;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    // The pointer away from the window: no control shows its hover look.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    const SystemSettings system = ReadSystemSettings();
    for (const Theme& theme : kThemes) {
        ApplySystemSettings(window, {true, theme.colours, system.clientAreaAnimation});
        ShootHome(window, folder, theme);
        ShootSettings(window, theme);
    }
    DestroyWindow(window);
    PumpUntil([] { return false; }, 200);
    return 0;
}
