// A player folder nested so deep that the program's own path still fits the classic 260-unit limit
// but the bundled interpreter's does not: the window runs, its files work, and a helper that Windows
// cannot start for its path's length is explained in plain words.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "driver.h"

using namespace driver;

namespace {

constexpr int kPlay = 101;
constexpr int kOpenLog = 103;
constexpr int kSettings = 106;
constexpr int kBack = 107;
constexpr size_t kClassicLimit = 260;
// Exe 256 characters, log 263, lock 264, interpreter 270.
constexpr size_t kRootLength = 235;

constexpr wchar_t kTooLong[] =
    L"The game folder's path is too long for Windows. Move the game folder closer to the drive root.";

bool StatusBecomes(HWND window, const wchar_t* text) {
    return WaitUntil([&] { return WindowText(StatusLine(window)) == text; });
}

TEST(LongPath, HelpersThatCannotStartAreExplainedAndTheWindowKeepsWorking) {
    PlayerFolder folder(kRootLength);
    ASSERT_EQ(folder.Root().size(), kRootLength);
    ASSERT_LT(folder.PathOf(L"TharnOfEmberfall.exe").size(), kClassicLimit);
    ASSERT_GE(folder.PathOf(L"private\\tools\\python314\\python.exe").size(), kClassicLimit);
    ASSERT_TRUE(folder.Exists(L"private\\tools\\python314\\python.exe"));
    folder.MakeDirectory(L"private\\launcher");
    folder.WriteFile(L"private\\launcher\\latest.log", "earlier launch\n");
    ASSERT_GE(folder.PathOf(L"private\\launcher\\latest.log").size(), kClassicLimit);

    Launcher launcher(folder);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowEnabled(launcher.Control(kOpenLog))) << "the log past the limit is found";

    launcher.Click(kPlay);
    EXPECT_TRUE(StatusBecomes(window, kTooLong)) << Narrow(WindowText(StatusLine(window)));
    EXPECT_TRUE(IsWindowEnabled(launcher.Control(kPlay)));
    EXPECT_TRUE(IsWindowEnabled(launcher.Control(kSettings)));
    EXPECT_TRUE(folder.Exists(L"private\\launcher\\latest.log")) << "recreated for the attempt";
    EXPECT_EQ(folder.ReadFile(L"private\\launcher\\latest.log"), "");

    // Settings helpers start the same interpreter: the page opens and says why nothing was read.
    SetWindowTextW(StatusLine(window), L"");
    launcher.Click(kSettings);
    EXPECT_TRUE(StatusBecomes(window, kTooLong)) << Narrow(WindowText(StatusLine(window)));
    EXPECT_TRUE(IsWindowVisible(launcher.Control(kBack))) << "the settings page is shown";
    EXPECT_FALSE(IsWindowVisible(launcher.Control(kPlay)));

    // The lock past the limit is held: a second copy is refused.
    Launcher second(folder);
    HWND box = second.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              L"The launcher or an update is already running, or this folder is read-only.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(second.WaitForExit(), 1u);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

} // namespace
