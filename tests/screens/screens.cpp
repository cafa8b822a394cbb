// Captures the real window in its main states: screens.exe <request folder>.
// Not a test: scripts/screens.sh runs it at 96 and 144 DPI and writes the PNG files.
#include <windows.h>
#include <cstdio>
#include <functional>
#include <string>
#include "capture.h"
#include "driver.h"
#include "standin_record.h"

using namespace driver;

namespace {

// A control that only the tab shows, to know the tab is up (rows, presets, the controller button).
constexpr int kRowOfTab[] = {201, 202, 209, 230, 242, 215, 240};

bool StatusIs(HWND window, const std::wstring& prefix) {
    return WindowText(StatusLine(window)).rfind(prefix, 0) == 0;
}

// Starts the program in a fresh player folder, drives it into a state, captures it, then lets a
// waiting scenario end (standin\release) or runs `finish` to end what the state started.
void Capture(const std::wstring& name, const std::string& launchScenario,
             const std::function<bool(const PlayerFolder&, Launcher&, HWND)>& drive,
             const std::function<void(Launcher&)>& finish = nullptr) {
    PlayerFolder folder;
    if (!launchScenario.empty())
        WriteScenario(folder, L"launch", launchScenario);
    Launcher launcher(folder);
    HWND window = launcher.WaitForWindow();
    if (window == nullptr) {
        std::printf("%ls FAILED: no window\n", name.c_str());
        return;
    }
    SetForegroundWindow(window);
    if (!drive(folder, launcher, window)) {
        std::printf("%ls FAILED: state not reached (status: %s)\n", name.c_str(),
                    Narrow(WindowText(StatusLine(window))).c_str());
        return;
    }
    capture::Settle(window);
    capture::Client(window, name);
    folder.WriteFile(L"standin\\release", "");
    if (finish)
        finish(launcher);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    capture::SetFolder(argc > 1 ? argv[1] : L".");

    Capture(L"home-idle", "", [](const PlayerFolder&, Launcher&, HWND) { return true; });

    Capture(L"home-launching", "line Starting Tharn of Emberfall\nwait-file standin\\release 60000\n",
            [](const PlayerFolder&, Launcher& launcher, HWND window) {
                launcher.Click(101);
                return WaitUntil([&] { return StatusIs(window, L"Checking your game files"); });
            });

    // The demo's own first launch at its real pace, part way through compiling; then its game is
    // quit so that the launch ends as a player's would.
    Capture(
        L"home-first-launch", "",
        [](const PlayerFolder&, Launcher& launcher, HWND window) {
            launcher.Click(101);
            return WaitUntil([&] { return StatusIs(window, L"Compiling the native game: 1"); }, 60000);
        },
        [](Launcher& launcher) {
            if (HWND game = capture::WaitForDemoGame(60000))
                capture::QuitDemoGame(game);
            launcher.WaitForExit(30000);
        });

    Capture(L"home-progress",
            "line ZEV_SETUP_PROGRESS 3 12 340 250\nline ZEV_SETUP_MEMORY 5120 16384\n"
            "wait-file standin\\release 60000\n",
            [](const PlayerFolder&, Launcher& launcher, HWND window) {
                launcher.Click(101);
                return WaitUntil(
                    [&] { return StatusIs(window, L"Compiling the native game: 12 / 340 files"); });
            });

    Capture(L"home-attention",
            "line Starting Tharn of Emberfall\nline ZEV_SETUP_PROGRESS 2 3 9 120\n"
            "line generate: running pinned framework\nline error: the disc image could not be read\nexit 2\n",
            [](const PlayerFolder&, Launcher& launcher, HWND window) {
                launcher.Click(101);
                return WaitUntil([&] { return StatusIs(window, L"The game could not start"); });
            });

    Capture(L"home-details", "", [](const PlayerFolder&, Launcher& launcher, HWND window) {
        launcher.Click(105);
        return WaitUntil([&] { return IsWindowVisible(launcher.Control(104)) != FALSE; }) &&
               window != nullptr;
    });
    // The settings page: loading, then every tab with the demo installation's settings.
    Capture(L"settings-loading", "", [](const PlayerFolder& folder, Launcher& launcher, HWND window) {
        WriteScenario(folder, L"settings-read", "wait-file standin\\release 60000\ndemo\n");
        launcher.Click(106);
        return WaitUntil([&] { return StatusIs(window, L"Loading your saved settings..."); });
    });
    const wchar_t* tabs[] = {L"graphics", L"display", L"advanced", L"language",
                             L"controls", L"build",   L"locations"};
    for (int tab = 0; tab < 7; ++tab) {
        Capture(
            std::wstring(L"settings-") + tabs[tab], "",
            [tab](const PlayerFolder&, Launcher& launcher, HWND window) {
                launcher.Click(106);
                if (!WaitUntil([&] { return IsWindowEnabled(launcher.Control(120 + tab)) != FALSE; }))
                    return false;
                launcher.Click(120 + tab);
                if (tab == 6)
                    return WaitUntil([&] { return !StatusIs(window, L"Reading your saved file locations"); });
                return WaitUntil([&] { return IsWindowVisible(launcher.Control(kRowOfTab[tab])) != FALSE; });
            });
    }
    return 0;
}
