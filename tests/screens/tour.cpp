// Records the demo as a player would see it, for scripts/run.sh on a machine without a display:
// tour.exe <request folder> [program arguments...]. In a fresh copy of the player folder it starts
// the program, presses Play, follows the first launch to the game window, quits the game (which
// ends the launch and closes the window), starts the program again and opens the settings page.
// Every picture is taken once its state is reached; the numbers give the order.
#include <windows.h>
#include <cstdio>
#include <string>
#include "capture.h"
#include "driver.h"

using namespace driver;

namespace {

constexpr int kPlay = 101;
constexpr int kSettings = 106;
constexpr DWORD kStateTimeoutMs = 120000;

bool StatusStartsWith(HWND window, const wchar_t* prefix) {
    return WindowText(StatusLine(window)).rfind(prefix, 0) == 0;
}

bool WaitForStatus(HWND window, const wchar_t* prefix) {
    if (WaitUntil([&] { return StatusStartsWith(window, prefix); }, kStateTimeoutMs))
        return true;
    std::printf("the status never began with \"%ls\"; it reads \"%ls\"\n", prefix,
                WindowText(StatusLine(window)).c_str());
    return false;
}

bool Shoot(HWND window, const wchar_t* name) {
    capture::Settle(window);
    return capture::Window(window, name);
}

// The first launch: Play, three moments of the setup, the game window; quitting the game ends it.
bool FirstLaunch(const PlayerFolder& folder, const std::wstring& arguments) {
    Launcher launcher(folder, arguments);
    HWND window = launcher.WaitForWindow(kStateTimeoutMs);
    if (window == nullptr) {
        std::printf("the window did not come up\n");
        return false;
    }
    SetForegroundWindow(window);
    if (!Shoot(window, L"01-home"))
        return false;
    launcher.Click(kPlay);
    if (!WaitForStatus(window, L"Checking your game files") || !Shoot(window, L"02-play"))
        return false;
    const struct {
        const wchar_t* status;
        const wchar_t* name;
    } moments[] = {
        {L"Preparing verified game inputs:", L"03-setup-inputs"},
        {L"Compiling the native game:", L"04-setup-compiling"},
        {L"Building HD textures:", L"05-setup-hd-textures"},
    };
    for (const auto& moment : moments) {
        if (!WaitForStatus(window, moment.status) || !Shoot(window, moment.name))
            return false;
    }
    HWND game = capture::WaitForDemoGame(kStateTimeoutMs);
    if (game == nullptr) {
        std::printf("the game window did not open\n");
        return false;
    }
    // The game window with the minimised launcher window: where it went is part of the picture.
    WaitUntil([&] { return IsIconic(window) != FALSE; });
    capture::Settle(game);
    RECT gameArea{}, launcherArea{}, both{};
    GetWindowRect(game, &gameArea);
    GetWindowRect(window, &launcherArea);
    UnionRect(&both, &gameArea, &launcherArea);
    if (!capture::Request(both, L"06-game"))
        return false;
    capture::QuitDemoGame(game);
    const DWORD code = launcher.WaitForExit(kStateTimeoutMs);
    std::printf("the game was quit; the launcher window closed with exit code %lu\n", code);
    return code == 0;
}

bool SettingsPage(const PlayerFolder& folder, const std::wstring& arguments) {
    Launcher launcher(folder, arguments);
    HWND window = launcher.WaitForWindow(kStateTimeoutMs);
    if (window == nullptr)
        return false;
    SetForegroundWindow(window);
    launcher.Click(kSettings);
    if (!WaitForStatus(window, L"Change options with Left / Right") || !Shoot(window, L"07-settings"))
        return false;
    PostMessageW(window, WM_CLOSE, 0, 0);
    return launcher.WaitForExit(kStateTimeoutMs) == 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    capture::SetFolder(argc > 1 ? argv[1] : L".");
    std::wstring arguments;
    for (int i = 2; i < argc; ++i)
        arguments += (arguments.empty() ? L"" : L" ") + QuoteArgument(argv[i]);
    PlayerFolder folder;
    const bool ok = FirstLaunch(folder, arguments) && SettingsPage(folder, arguments);
    return ok ? 0 : 1;
}
