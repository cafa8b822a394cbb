// The demo package as someone unpacks it: started from the unpacked folder (DEMO_FOLDER), the
// window comes up and Play runs the demo's first launch to its game window; quitting the game ends
// the launch and closes the window. tests/package/package_test.sh unpacks the ZIP and runs this.
#include "driver.h"
#include <gtest/gtest.h>
#include <cstdlib>

using namespace driver;

namespace {

constexpr int kPlay = 101;
constexpr DWORD kLaunchTimeoutMs = 120000;

std::wstring DemoFolder() {
    const wchar_t* folder = _wgetenv(L"DEMO_FOLDER");
    return folder != nullptr ? folder : L"";
}

TEST(DemoPackage, PlayRunsTheFirstLaunchToTheGameWindow) {
    const std::wstring root = DemoFolder();
    ASSERT_FALSE(root.empty()) << "DEMO_FOLDER names the unpacked demo";
    PlayerFolder folder = PlayerFolder::Used(root);
    ASSERT_TRUE(folder.Exists(L"TharnOfEmberfall.exe"));
    EXPECT_FALSE(folder.Exists(L"private\\launcher")) << "the package should bring no state";

    Launcher launcher(folder);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    launcher.Click(kPlay);
    HWND game = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            game = FindWindowW(nullptr, L"Tharn of Emberfall (game)");
            return game != nullptr && IsWindowVisible(game);
        },
        kLaunchTimeoutMs))
        << "status: " << Narrow(WindowText(StatusLine(window)));
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; })) << "the window minimises for the game";

    HWND quit = FindWindowExW(game, nullptr, L"Button", L"Quit");
    ASSERT_NE(quit, nullptr);
    PostMessageW(quit, BM_CLICK, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(kLaunchTimeoutMs), 0u) << "a launch that ends well closes the window";

    const std::string log = folder.ReadFile(L"private\\launcher\\latest.log");
    EXPECT_NE(log.find("Starting Tharn of Emberfall setup"), std::string::npos) << log;
    EXPECT_NE(log.find("ZEV_SETUP_PROGRESS 12 1 1 1000"), std::string::npos) << log;
    EXPECT_NE(log.find("ZEV_LAUNCHER_GAME_STARTED"), std::string::npos) << log;
    EXPECT_TRUE(folder.Exists(L"private\\standin\\installed"));
}

} // namespace
