// Captures the real window in its main states into BMP files: screens.exe <output folder>.
// Not a test: scripts/screens.sh runs it at 96 and 144 DPI and converts the images to PNG.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include "driver.h"
#include "standin_record.h"

using namespace driver;

namespace {

std::wstring gOutputFolder;
// A control that only the tab shows, to know the tab is up (rows, presets, the controller button).
constexpr int kRowOfTab[] = {201, 202, 209, 230, 242, 215, 240};

// Asks the capturing script (scripts/screens.sh) to grab the client area from the X screen, which
// is what the player sees, and waits until it has: <name>.request holds "x y width height".
bool SaveClient(HWND window, const std::wstring& name) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const std::wstring request = gOutputFolder + L"\\" + name + L".request";
    const std::wstring done = gOutputFolder + L"\\" + name + L".png";
    DeleteFileW(done.c_str());
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%ld %ld %ld %ld\n", origin.x, origin.y, client.right,
                                     client.bottom);
    const std::wstring temporary = request + L".tmp";
    HANDLE out = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(out, text, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(out);
    MoveFileW(temporary.c_str(), request.c_str());
    const bool ok =
        WaitUntil([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
    std::printf("%ls %s\n", name.c_str(), ok ? "captured" : "FAILED");
    return ok;
}

// Lets the window finish painting: waits until its message queue is idle twice in a row.
void Settle(HWND window) {
    for (int i = 0; i < 2; ++i) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(250);
    }
}

bool StatusIs(HWND window, const std::wstring& prefix) {
    return WindowText(StatusLine(window)).rfind(prefix, 0) == 0;
}

void Capture(const std::wstring& name, const std::string& launchScenario,
             const std::function<bool(const PlayerFolder&, Launcher&, HWND)>& drive) {
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
    Settle(window);
    SaveClient(window, name);
    folder.WriteFile(L"standin\\release", "");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    gOutputFolder = argc > 1 ? argv[1] : L".";
    CreateDirectoryW(gOutputFolder.c_str(), nullptr);

    Capture(L"home-idle", "", [](const PlayerFolder&, Launcher&, HWND) { return true; });

    Capture(L"home-launching", "line Starting Tharn of Emberfall\nwait-file standin\\release 60000\n",
            [](const PlayerFolder&, Launcher& launcher, HWND window) {
                launcher.Click(101);
                return WaitUntil([&] { return StatusIs(window, L"Checking your game files"); });
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
