// The window shell driven from outside, on the real executable.
#include <gtest/gtest.h>
#include <windows.h>
#include <vector>
#include "driver.h"

using namespace driver;

namespace {

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void PostKey(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

TEST(Shell, WindowAndEveryControlAsCreated) {
    PlayerFolder folder;
    Launcher launcher(folder);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);

    EXPECT_EQ(ClassName(window), L"ZevNativeLauncher");
    EXPECT_EQ(WindowText(window), L"Tharn of Emberfall");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
              0x02CA0000u);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 900);
    EXPECT_EQ(client.bottom, 560);

    struct Expected {
        int id;
        const wchar_t* className;
        const wchar_t* text;
        DWORD style;
    };
    std::vector<Expected> expected = {
        {0, L"Static", L"Game files will be checked before launch.", 0x50000080}, // SS_NOPREFIX
        {101, L"Button", L"Play", 0x5001000B},
        {102, L"Button", L"Basic graphics for troubleshooting", 0x50010003},
        {104, L"Edit", L"Launch output appears here. Open the log to view the previous session.", 0x40210844},
        {105, L"Button", L"Show launch details", 0x5001000B},
        {103, L"Button", L"Open log", 0x5001000B},
        {106, L"Button", L"Settings", 0x5001000B},
        {107, L"Button", L"Back", 0x4001000B},
        {108, L"Button", L"Save settings", 0x4001000B},
    };
    const wchar_t* tabs[] = {L"Graphics", L"Display", L"Advanced", L"Language",
                             L"Controls", L"Build",   L"Locations"};
    for (int i = 0; i < 7; ++i)
        expected.push_back({120 + i, L"Button", tabs[i], 0x4001000B});
    const wchar_t* rows[] = {L"Language / version",
                             L"Internal resolution",
                             L"Display mode",
                             L"Window resolution",
                             L"Image scaling",
                             L"VSync",
                             L"Performance HUD",
                             L"FSR 1 upscaling",
                             L"Texture filtering",
                             L"Reduce texture shimmer",
                             L"Reduce colour banding",
                             L"Supersampling",
                             L"3D texture smoothing (xBRZ)",
                             L"Local HD pack (English)",
                             L"Gameplay frame rate",
                             L"Compiler jobs",
                             L"Build memory cap",
                             L"HD processing"};
    for (int i = 0; i < 18; ++i)
        expected.push_back({200 + i, L"Button", rows[i], 0x4001000B});
    const wchar_t* presets[] = {L"Original", L"Balanced", L"High Quality"};
    for (int i = 0; i < 3; ++i)
        expected.push_back({230 + i, L"Button", presets[i], 0x4001000B});
    expected.push_back({240, L"Button", L"Select ISO...", 0x4001000B});
    expected.push_back({241, L"Button", L"Select game folder...", 0x4001000B});
    expected.push_back({242, L"Button", L"Edit controller bindings...", 0x4001000B});

    // The children in window order are the creation order, which is also the Tab order.
    size_t index = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT), ++index) {
        ASSERT_LT(index, expected.size());
        const Expected& e = expected[index];
        SCOPED_TRACE(e.id);
        EXPECT_EQ(GetDlgCtrlID(child), e.id);
        EXPECT_EQ(ClassName(child), e.className);
        EXPECT_EQ(WindowText(child), e.text);
        // Open log starts disabled without a launch log; WS_DISABLED is not part of the created style.
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE)) & ~WS_DISABLED, e.style);
        EXPECT_EQ(IsWindowVisible(child) != FALSE, (e.style & WS_VISIBLE) != 0);
        EXPECT_EQ(GetParent(child), window);
    }
    EXPECT_EQ(index, expected.size());

    EXPECT_EQ(FocusOf(window), launcher.Control(101));
    EXPECT_FALSE(IsWindowEnabled(launcher.Control(103))) << "Open log without latest.log";
    EXPECT_EQ(SendMessageW(window, DM_GETDEFID, 0, 0), 0x534B0065);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

TEST(Shell, TabWalksTheCreationOrderAndEnterPressesPlay) {
    PlayerFolder folder;
    // Without the interpreter Play reports the missing files, which shows that Enter pressed it.
    folder.Remove(L"private\\tools\\python314\\python.exe");
    Launcher launcher(folder);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == launcher.Control(101); }));

    // Open log is disabled and the output pane and settings controls are hidden: Tab skips them.
    const int order[] = {102, 105, 106, 101};
    for (int id : order) {
        PostKey(FocusOf(window), VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == launcher.Control(id); }, 5000))
            << "Tab to " << id;
    }
    PostKey(FocusOf(window), VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] {
        return WindowText(StatusLine(window)) ==
               L"Required launcher files are missing. Extract the entire ZIP first.";
    })) << Narrow(WindowText(StatusLine(window)));
}

TEST(Shell, OpenLogIsEnabledWhenALaunchLogExists) {
    PlayerFolder folder;
    folder.MakeDirectory(L"private\\launcher");
    folder.WriteFile(L"private\\launcher\\latest.log", "earlier launch\n");
    Launcher launcher(folder);
    ASSERT_NE(launcher.WaitForWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(launcher.Control(103)));
}

TEST(Shell, ASecondCopyIsRefusedAndTheFirstKeepsRunning) {
    PlayerFolder folder;
    Launcher first(folder);
    HWND window = first.WaitForWindow();
    ASSERT_NE(window, nullptr);

    Launcher second(folder);
    HWND box = second.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), L"Tharn of Emberfall");
    EXPECT_EQ(MessageBoxText(box),
              L"The launcher or an update is already running, or this folder is read-only.");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(second.WaitForExit(), 1u);

    EXPECT_FALSE(first.HasExited());
    EXPECT_TRUE(IsWindowVisible(window));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0u);
}

TEST(Shell, AnInterruptedUpdateRefusesStartUp) {
    for (bool asDirectory : {false, true}) {
        SCOPED_TRACE(asDirectory ? "directory" : "file");
        PlayerFolder folder;
        folder.MakeDirectory(L"private\\launcher");
        if (asDirectory) {
            folder.MakeDirectory(L"private\\launcher\\update-in-progress.json");
        } else {
            folder.WriteFile(L"private\\launcher\\update-in-progress.json", "{}");
        }
        Launcher launcher(folder);
        HWND box = launcher.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(
            MessageBoxText(box),
            L"An update was interrupted. Run the same Setup.exe with --update and this installation path to "
            L"recover.");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(launcher.WaitForExit(), 1u);
        EXPECT_TRUE(folder.Exists(L"private\\launcher\\update-in-progress.json"))
            << "the marker is never touched";
    }
}

} // namespace
