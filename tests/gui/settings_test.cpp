// The settings page driven end to end on the real program with the stand-in settings script: what
// the script receives, what it stores, and what the page shows and allows in each state.
#include <gtest/gtest.h>
#include <windows.h>
#include <array>
#include <memory>
#include <sstream>
#include <string>
#include <vector>
#include "driver.h"
#include "settings/catalogue.h"
#include "standin_record.h"

namespace {

using driver::Launcher;
using driver::PlayerFolder;
using driver::WaitUntil;
using driver::WindowText;

constexpr int kPlay = 101;
constexpr int kBasicGraphics = 102;
constexpr int kSettings = 106;
constexpr int kBack = 107;
constexpr int kSave = 108;
constexpr int kFirstTab = 120;
constexpr int kFirstRow = 200;
constexpr int kOriginal = 230, kBalanced = 231, kHighQuality = 232;
constexpr int kSelectIso = 240, kSelectGameFolder = 241, kEditControls = 242;

constexpr wchar_t kHome[] = L"Game files will be checked before launch.";
constexpr wchar_t kLoading[] = L"Loading your saved settings...";
constexpr wchar_t kLoaded[] = L"Change options with Left / Right or select a row to cycle.";
constexpr wchar_t kUnsaved[] = L"Unsaved changes. Save to use these settings on your next launch.";
constexpr wchar_t kShared[] = L"These settings are shared with the in-game menu.";
constexpr wchar_t kSaved[] = L"Settings saved. They will be used the next time you launch.";

constexpr DWORD kLongWait = 60000;

using Values = std::array<int, 18>;
// What the demo installation starts with: 2x, 1280 x 720, VSync on, the rest 0.
constexpr Values kDemoDefaults = {0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

std::wstring Widen(const char* text) {
    return driver::Widen(text);
}

// "Name: Label" as a row's window text shows it.
std::wstring RowCaption(int row, int value) {
    return Widen(SettingName(row)) + L": " + Widen(SettingOptionLabel(row, value));
}

// Copies the window's client area from the screen into a 32-bit BMP file; false when nothing
// but one colour was captured.
bool SaveClientArea(HWND window, const std::wstring& path) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int width = client.right, height = client.bottom;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height; // top-down
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size() * sizeof(DWORD));
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(pixels.data()), pixels.size() * sizeof(DWORD));
    HANDLE out =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (out != INVALID_HANDLE_VALUE) {
        WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(out);
    }
    for (DWORD pixel : pixels) {
        if (pixel != pixels[0])
            return written == bytes.size();
    }
    return false;
}

class SettingsPage : public testing::Test {
  protected:
    void SetUp() override { driver::EnableRecording(folder); }

    // Starts the program and waits until its window is shown with its controls in place.
    bool Start() {
        app = std::make_unique<Launcher>(folder);
        window = app->WaitForWindow();
        return window != nullptr && WaitUntil([&] { return IsWindowVisible(window) && Visible(kSettings); });
    }

    void Scenario(const wchar_t* mode, const std::string& text) { driver::WriteScenario(folder, mode, text); }

    HWND Control(int id) const { return GetDlgItem(window, id); }
    std::wstring Status() const { return WindowText(driver::StatusLine(window)); }
    std::wstring Caption(int id) const { return WindowText(Control(id)); }
    std::wstring Row(int row) const { return Caption(kFirstRow + row); }
    bool Visible(int id) const { return IsWindowVisible(Control(id)) != FALSE; }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }

    bool StatusBecomes(const std::wstring& text, DWORD timeoutMs = kLongWait) const {
        return WaitUntil([&] { return Status() == text; }, timeoutMs);
    }
    bool RowBecomes(int row, int value) const {
        return WaitUntil([&] { return Row(row) == RowCaption(row, value); });
    }

    // A press handled before this returns (the button sends its command synchronously).
    void Press(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    // The command itself, as a press of a button that may be disabled or hidden would send it.
    void Command(int id) const {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
    }
    // A key handled by the row itself before this returns.
    void KeyNow(int row, WPARAM key) const { SendMessageW(Control(kFirstRow + row), WM_KEYDOWN, key, 0); }
    // A key through the message loop and its dialog navigation, as the keyboard delivers it.
    void Key(HWND target, WPARAM key) const {
        PostMessageW(target, WM_KEYDOWN, key, 0);
        PostMessageW(target, WM_KEYUP, key, 0);
    }

    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        return info.hwndFocus;
    }

    bool OpenAndLoad() {
        Press(kSettings);
        const bool loaded = StatusBecomes(kLoaded);
        EXPECT_TRUE(loaded) << driver::Narrow(Status());
        return loaded;
    }

    Values Shown() const {
        Values values{};
        for (int row = 0; row < 18; ++row) {
            values[row] = -1;
            for (int value = 0; value < SettingOptionCount(row); ++value) {
                if (Row(row) == RowCaption(row, value))
                    values[row] = value;
            }
        }
        return values;
    }

    // The values the stand-in has stored (its defaults until the first save).
    Values Stored(std::string* token = nullptr) const {
        Values values = kDemoDefaults;
        std::istringstream text(folder.ReadFile(L"private\\standin\\settings.txt"));
        std::string key;
        while (text >> key) {
            if (key == "values") {
                for (int& value : values)
                    text >> value;
            } else if (key == "token" && token != nullptr) {
                text >> *token;
            }
        }
        return values;
    }

    std::vector<driver::Record> Invocations(const std::string& mode) const {
        std::vector<driver::Record> found;
        for (const driver::Record& record : driver::ReadRecords(folder)) {
            if (record.mode == mode)
                found.push_back(record);
        }
        return found;
    }

    PlayerFolder folder;
    std::unique_ptr<Launcher> app;
    HWND window = nullptr;
};

TEST_F(SettingsPage, OpensLoadsAndDisablesEverythingWhileTheScriptRuns) {
    Scenario(L"settings-read", "sleep 2500\ndemo\n");
    ASSERT_TRUE(Start());
    for (int id : {kBack, kSave, kFirstTab, kFirstRow + 1, kOriginal, kSelectIso, kEditControls}) {
        EXPECT_FALSE(Visible(id)) << id;
    }

    Press(kSettings);
    EXPECT_EQ(Status(), kLoading);
    EXPECT_FALSE(Visible(kPlay));
    EXPECT_FALSE(Enabled(kPlay));
    EXPECT_FALSE(Enabled(kBasicGraphics));
    for (int id : {kBack, kSave})
        EXPECT_FALSE(Enabled(id)) << id;
    for (int tab = 0; tab < 7; ++tab)
        EXPECT_FALSE(Enabled(kFirstTab + tab)) << tab;
    // The Graphics rows are shown, disabled, with the captions they had before.
    for (int row : {1, 4, 7, 8, 14}) {
        EXPECT_TRUE(Visible(kFirstRow + row)) << row;
        EXPECT_FALSE(Enabled(kFirstRow + row)) << row;
        EXPECT_EQ(Row(row), Widen(SettingName(row)));
    }
    EXPECT_EQ(Caption(kBack), L"Back");

    // Closing while the script runs only minimises.
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }));
    EXPECT_FALSE(app->HasExited());

    ASSERT_TRUE(StatusBecomes(kLoaded));
    ShowWindow(window, SW_RESTORE);
    EXPECT_TRUE(Enabled(kPlay));
    EXPECT_TRUE(Enabled(kBasicGraphics));
    EXPECT_TRUE(Enabled(kBack));
    EXPECT_FALSE(Enabled(kSave));
    for (int tab = 0; tab < 7; ++tab)
        EXPECT_TRUE(Enabled(kFirstTab + tab)) << tab;
    EXPECT_EQ(Shown(), kDemoDefaults);
    EXPECT_EQ(Row(1), L"Internal resolution: 2x (960 x 544)");

    const std::vector<driver::Record> reads = Invocations("settings-read");
    ASSERT_EQ(reads.size(), 1u);
    ASSERT_EQ(reads[0].arguments.size(), 6u);
    EXPECT_EQ(reads[0].arguments[0], folder.PathOf(L"private\\tools\\python314\\python.exe"));
    EXPECT_EQ(reads[0].arguments[2], folder.PathOf(L"tools\\launcher_locations.py"));
    EXPECT_EQ(reads[0].cwd, folder.Root());

    // With nothing running, closing ends the program.
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(app->WaitForExit(), 0u);
}

TEST_F(SettingsPage, ClicksCycleAndKeysStepWithoutWrapping) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(OpenAndLoad());

    // Internal resolution: 2x -> 3x -> 4x -> 1x (a click wraps) -> 2x (back to the saved value).
    const int expected[] = {2, 3, 0};
    for (int value : expected) {
        Press(kFirstRow + 1);
        EXPECT_EQ(Row(1), RowCaption(1, value));
        EXPECT_EQ(Status(), kUnsaved);
        EXPECT_EQ(Caption(kBack), L"Cancel");
        EXPECT_TRUE(Enabled(kSave));
    }
    Press(kFirstRow + 1);
    EXPECT_EQ(Row(1), RowCaption(1, 1));
    EXPECT_EQ(Status(), kShared);
    EXPECT_EQ(Caption(kBack), L"Back");
    EXPECT_FALSE(Enabled(kSave));

    // A row of another tab is hidden and does nothing.
    Command(kFirstRow + 15);
    EXPECT_EQ(Row(15), RowCaption(15, 0));

    // Build tab: Compiler jobs steps with Left / Right and stops at both ends.
    Press(kFirstTab + 5);
    ASSERT_TRUE(Visible(kFirstRow + 15));
    KeyNow(15, VK_LEFT);
    EXPECT_EQ(Row(15), RowCaption(15, 0));
    EXPECT_EQ(Status(), kShared); // nothing changed, nothing said
    for (int value = 1; value <= 16; ++value) {
        KeyNow(15, VK_RIGHT);
        EXPECT_EQ(Row(15), RowCaption(15, value));
    }
    EXPECT_EQ(Status(), kUnsaved);
    SetWindowTextW(driver::StatusLine(window), L"marker");
    KeyNow(15, VK_RIGHT);
    EXPECT_EQ(Row(15), RowCaption(15, 16));
    EXPECT_EQ(Status(), L"marker");
    Press(kFirstRow + 15); // a click at "16" wraps to "Auto"
    EXPECT_EQ(Row(15), RowCaption(15, 0));

    // The row asks the dialog navigation for Left and Right only.
    const LRESULT arrows = SendMessageW(Control(kFirstRow + 16), WM_GETDLGCODE, VK_LEFT, 0);
    EXPECT_EQ(arrows & DLGC_WANTARROWS, DLGC_WANTARROWS);
    const LRESULT down = SendMessageW(Control(kFirstRow + 16), WM_GETDLGCODE, VK_DOWN, 0);
    EXPECT_EQ(down & DLGC_WANTARROWS, 0);

    // Through the message loop: a clicked row has the focus and keeps it while keys step it.
    Press(kFirstRow + 16); // Build memory cap -> 4 GiB
    ASSERT_EQ(Focus(), Control(kFirstRow + 16));
    Key(Focus(), VK_RIGHT);
    ASSERT_TRUE(RowBecomes(16, 2));
    Key(Focus(), VK_RIGHT);
    ASSERT_TRUE(RowBecomes(16, 3));
    EXPECT_EQ(Focus(), Control(kFirstRow + 16));
    Key(Focus(), VK_LEFT);
    ASSERT_TRUE(RowBecomes(16, 2));
}

TEST_F(SettingsPage, WindowResolutionIsRefusedInBorderlessMode) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(OpenAndLoad());
    Press(kFirstTab + 1);
    Press(kFirstRow + 2); // Display mode -> Borderless fullscreen
    EXPECT_EQ(Row(2), L"Display mode: Borderless fullscreen");
    EXPECT_TRUE(Visible(kFirstRow + 3));
    EXPECT_FALSE(Enabled(kFirstRow + 3));

    Command(kFirstRow + 3);
    KeyNow(3, VK_LEFT);
    KeyNow(3, VK_RIGHT);
    Key(Control(kFirstRow + 3), VK_RIGHT);
    // Back to Windowed, posted after the key so that it is handled after it: a sent click would
    // overtake the posted key and let it reach the row once it is enabled again.
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kFirstRow + 2, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(kFirstRow + 2)));
    ASSERT_TRUE(RowBecomes(2, 0));
    EXPECT_EQ(Row(3), RowCaption(3, 1)); // untouched, and editable again
    EXPECT_TRUE(Enabled(kFirstRow + 3));
    KeyNow(3, VK_RIGHT);
    EXPECT_EQ(Row(3), RowCaption(3, 2));
}

TEST_F(SettingsPage, CancelRestoresEveryValueAndReturnsHome) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(OpenAndLoad());
    Press(kFirstTab + 3);
    Press(kHighQuality);
    Press(kFirstRow + 0); // Language
    Press(kFirstTab + 5);
    Press(kFirstRow + 15);
    Press(kFirstRow + 17);
    ASSERT_NE(Shown(), kDemoDefaults);
    ASSERT_EQ(Caption(kBack), L"Cancel");

    Press(kBack);
    EXPECT_EQ(Status(), kHome);
    EXPECT_TRUE(Visible(kPlay));
    EXPECT_TRUE(Visible(kSettings));
    EXPECT_FALSE(Visible(kBack));
    EXPECT_FALSE(Visible(kFirstRow + 15));
    EXPECT_EQ(Focus(), Control(kPlay));
    EXPECT_EQ(Shown(), kDemoDefaults); // captions of all 18 rows follow the restored values
    EXPECT_EQ(Invocations("settings-save").size(), 0u);

    // The page reads the settings again when it opens; the Graphics tab comes first.
    ASSERT_TRUE(OpenAndLoad());
    EXPECT_EQ(Shown(), kDemoDefaults);
    EXPECT_TRUE(Visible(kFirstRow + 1));
    EXPECT_EQ(Invocations("settings-read").size(), 2u);
}

TEST_F(SettingsPage, SaveSendsEveryValueAndTheStoredToken) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(OpenAndLoad());
    Press(kFirstRow + 1); // Internal resolution 3x
    Press(kFirstRow + 8); // Texture filtering 2x
    KeyNow(8, VK_RIGHT);  // 4x
    Press(kFirstTab + 1);
    Press(kFirstRow + 6); // Performance HUD on
    Press(kFirstTab + 5);
    for (int i = 0; i < 3; ++i)
        KeyNow(15, VK_RIGHT); // Compiler jobs 3
    Press(kFirstRow + 17);    // HD processing: Low memory
    const Values edited = {0, 2, 0, 1, 0, 1, 1, 0, 2, 0, 0, 0, 0, 0, 0, 3, 0, 1};
    ASSERT_EQ(Shown(), edited);

    Press(kSave);
    ASSERT_TRUE(StatusBecomes(kSaved)) << driver::Narrow(Status());
    EXPECT_EQ(Caption(kBack), L"Back");
    EXPECT_FALSE(Enabled(kSave));
    EXPECT_EQ(Shown(), edited);
    std::string token;
    EXPECT_EQ(Stored(&token), edited);

    std::vector<driver::Record> saves = Invocations("settings-save");
    ASSERT_EQ(saves.size(), 1u);
    const std::vector<std::wstring> expected = {folder.PathOf(L"private\\tools\\python314\\python.exe"),
                                                L"-u",
                                                folder.PathOf(L"tools\\launcher_locations.py"),
                                                L"--settings",
                                                L"--save",
                                                L"0",
                                                L"2",
                                                L"0",
                                                L"1",
                                                L"0",
                                                L"1",
                                                L"1",
                                                L"0",
                                                L"2",
                                                L"0",
                                                L"0",
                                                L"0",
                                                L"0",
                                                L"0",
                                                L"0",
                                                L"--expected",
                                                L"missing",
                                                L"--build-codes",
                                                L"3",
                                                L"0",
                                                L"1",
                                                L"--include-build"};
    EXPECT_EQ(saves[0].arguments, expected);

    // The next save returns the token the script reported with the saved settings.
    ASSERT_EQ(token.size(), 64u);
    KeyNow(16, VK_RIGHT);
    Press(kSave);
    ASSERT_TRUE(StatusBecomes(kSaved));
    saves = Invocations("settings-save");
    ASSERT_EQ(saves.size(), 2u);
    EXPECT_EQ(saves[1].arguments[20], L"--expected");
    EXPECT_EQ(saves[1].arguments[21], driver::Widen(token));
    EXPECT_EQ(Stored()[16], 1);

    // Enter acts as Save only while something changed (posted keys are handled in order). The status
    // is cleared first, so that the wait ends only when a save started by these keys has ended.
    SetWindowTextW(driver::StatusLine(window), L"");
    Key(Control(kFirstRow + 16), VK_RETURN);
    Key(Control(kFirstRow + 16), VK_RIGHT);
    Key(Control(kFirstRow + 16), VK_RETURN);
    ASSERT_TRUE(StatusBecomes(kSaved)) << driver::Narrow(Status());
    EXPECT_EQ(Invocations("settings-save").size(), 3u);
    EXPECT_EQ(Stored()[16], 2);
}

TEST_F(SettingsPage, PresetsFollowTheirTable) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(OpenAndLoad());
    // Every row away from what a preset writes where the table says "unchanged".
    Press(kFirstRow + 4);  // Image scaling: Integer
    Press(kFirstRow + 14); // 60 FPS
    Press(kFirstTab + 1);
    Press(kFirstRow + 3); // 1600 x 900 (while still windowed)
    Press(kFirstRow + 2); // Borderless fullscreen
    Press(kFirstRow + 5); // VSync off
    Press(kFirstRow + 6); // HUD on
    Press(kFirstTab + 2);
    Press(kFirstRow + 13); // HD pack on
    Press(kFirstRow + 12); // xBRZ 2x
    Press(kFirstTab + 5);
    Press(kFirstRow + 15); // Compiler jobs 1
    Press(kFirstTab + 3);
    Press(kFirstRow + 0); // Language: Japanese
    const Values before = {1, 1, 1, 2, 1, 0, 1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0};
    ASSERT_EQ(Shown(), before);

    struct Case {
        int preset;
        Values expected;
    } cases[] = {
        {kBalanced, {1, 1, 1, 2, 0, 1, 1, 0, 2, 0, 0, 0, 0, 1, 1, 1, 0, 0}},
        {kOriginal, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}},
        {kHighQuality, {1, 3, 0, 0, 0, 1, 0, 1, 4, 1, 1, 1, 3, 0, 0, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        SetWindowTextW(driver::StatusLine(window), L"marker");
        Press(c.preset);
        EXPECT_EQ(Shown(), c.expected) << c.preset;
        EXPECT_EQ(Status(), kUnsaved) << c.preset;
    }
    // The same preset again changes nothing but still says so.
    SetWindowTextW(driver::StatusLine(window), L"marker");
    Press(kHighQuality);
    EXPECT_EQ(Status(), kUnsaved);

    // Presets act only on the Language tab.
    Press(kFirstTab + 0);
    Command(kOriginal);
    EXPECT_EQ(Shown(), cases[2].expected);
}

TEST_F(SettingsPage, BeforeLoadingOnlyTheLocationsTabActs) {
    Scenario(L"settings-read", "line Settings store is damaged.\nexit 3\n");
    ASSERT_TRUE(Start());
    Press(kSettings);
    ASSERT_TRUE(WaitUntil([&] { return Status().find(L"damaged") != std::wstring::npos; }, kLongWait));
    EXPECT_EQ(Status(), L"Settings store is damaged.\n"); // the script's own output, as an alert

    for (int tab = 0; tab < 6; ++tab)
        EXPECT_FALSE(Enabled(kFirstTab + tab)) << tab;
    EXPECT_TRUE(Enabled(kFirstTab + 6));
    EXPECT_TRUE(Enabled(kBack));
    EXPECT_FALSE(Enabled(kFirstRow + 1));

    Command(kFirstTab + 1);
    EXPECT_TRUE(Visible(kFirstRow + 1)); // still Graphics
    EXPECT_FALSE(Visible(kFirstRow + 2));
    Command(kFirstRow + 1);
    EXPECT_EQ(Row(1), L"Internal resolution");

    Press(kFirstTab + 6);
    ASSERT_TRUE(StatusBecomes(L"Choose the original ISO or an existing game installation folder."));
    EXPECT_TRUE(Visible(kSelectIso));
    EXPECT_TRUE(Enabled(kSelectIso));
    EXPECT_TRUE(Enabled(kSelectGameFolder));
    EXPECT_FALSE(Visible(kFirstRow + 1));
    EXPECT_EQ(Invocations("locations-read").size(), 1u);

    // Selecting Locations again reads the locations again.
    Press(kFirstTab + 6);
    ASSERT_TRUE(WaitUntil([&] { return Invocations("locations-read").size() == 2u; }));
}

TEST_F(SettingsPage, UnsavedChangesHoldBackLocationsAndTheControllerEditor) {
    Scenario(L"locations-iso",
             "sleep 1500\nout " +
                 driver::EscapeScenarioText("ZEV_LOCATIONS 1\nC:\\Games\\Tharn\nD:\\disc.iso\n"
                                            "ISO selected.\n") +
                 "\n");
    Scenario(L"settings-edit-controls",
             "out " +
                 driver::EscapeScenarioText("ZEV_SETTINGS 1 missing 0 1 0 1 0 1 0 0 0 0 0 0 0 0 0\n"
                                            "ZEV_BUILD 0 0 0\nController: Swapped\nJump  B\n") +
                 "\n");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(OpenAndLoad());
    Press(kFirstRow + 7); // FSR on: unsaved
    Press(kFirstTab + 6);
    ASSERT_TRUE(StatusBecomes(L"Choose the original ISO or an existing game installation folder."));
    EXPECT_FALSE(Enabled(kSelectIso));
    EXPECT_FALSE(Enabled(kSelectGameFolder));
    Command(kSelectIso);
    Command(kSelectGameFolder);
    Press(kFirstTab + 4);
    EXPECT_FALSE(Enabled(kEditControls));
    Command(kEditControls);
    EXPECT_EQ(Invocations("locations-iso").size(), 0u);
    EXPECT_EQ(Invocations("locations-game").size(), 0u);
    EXPECT_EQ(Invocations("settings-edit-controls").size(), 0u);

    // Cycled back: they act again.
    Press(kFirstTab + 0);
    Press(kFirstRow + 7);
    Press(kFirstTab + 4);
    EXPECT_TRUE(Enabled(kEditControls));
    Press(kEditControls);
    ASSERT_TRUE(StatusBecomes(L"Controller editor closed. Saved bindings apply on your next launch."));
    Press(kFirstTab + 6);
    ASSERT_TRUE(WaitUntil([&] { return Invocations("locations-read").size() == 2u; }));
    ASSERT_TRUE(StatusBecomes(L"Choose the original ISO or an existing game installation folder."));
    Press(kSelectIso);
    EXPECT_EQ(Status(), L"Select your ISO. Its full SHA256 will be checked before saving.");
    for (int id : {kBack, kSelectIso, kSelectGameFolder, kFirstTab, kFirstTab + 6})
        EXPECT_FALSE(Enabled(id)) << id;
    ASSERT_TRUE(StatusBecomes(L"ISO selected."));
    EXPECT_TRUE(Enabled(kSelectIso));
    EXPECT_EQ(Invocations("locations-iso").size(), 1u);
}

TEST_F(SettingsPage, AChosenGameFolderIsFollowedByASettingsRead) {
    Scenario(L"locations-game",
             "out " +
                 driver::EscapeScenarioText("ZEV_LOCATIONS 1\nC:\\Games\\Tharn\n\nGame folder selected.\n") +
                 "\n");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(OpenAndLoad());
    Press(kFirstTab + 6);
    ASSERT_TRUE(WaitUntil([&] { return Invocations("locations-read").size() == 1u; }));
    ASSERT_TRUE(StatusBecomes(L"Choose the original ISO or an existing game installation folder."));

    Scenario(L"settings-read", "sleep 1500\ndemo\n");
    Press(kSelectGameFolder);
    // The folder's message gives way at once to the read of that installation's settings.
    ASSERT_TRUE(StatusBecomes(kLoading));
    for (int tab = 0; tab < 7; ++tab)
        EXPECT_FALSE(Enabled(kFirstTab + tab)) << tab;
    ASSERT_TRUE(StatusBecomes(kLoaded));

    std::vector<std::string> modes;
    for (const driver::Record& record : driver::ReadRecords(folder))
        modes.push_back(record.mode);
    const std::vector<std::string> expected = {"settings-read", "locations-read", "locations-game",
                                               "settings-read"};
    EXPECT_EQ(modes, expected);
}

TEST_F(SettingsPage, ARejectedLocationsResultKeepsTheSelection) {
    Scenario(L"locations-read",
             "out " + driver::EscapeScenarioText("ZEV_LOCATIONS 1\nC:\\Games\\Tharn\n\n") + "\n");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(OpenAndLoad());
    Press(kFirstTab + 6);
    ASSERT_TRUE(WaitUntil([&] { return Invocations("locations-read").size() == 1u; }));
    ASSERT_TRUE(StatusBecomes(L"ZEV_LOCATIONS 1\nC:\\Games\\Tharn\n\n"));
    // Still loaded: nothing else changed.
    EXPECT_TRUE(Enabled(kFirstTab + 0));
    EXPECT_TRUE(Enabled(kSelectIso));
}

// Pictures of the page while loading and on every tab, at the display's DPI, for people to look
// at: build/test-screens/settings-<dpi>-<state>.bmp (build/screens/ holds the screenshot tool's PNGs).
TEST_F(SettingsPage, ScreensOfEveryTab) {
    Scenario(L"settings-read", "sleep 4000\ndemo\n");
    Scenario(L"locations-read",
             "out " +
                 driver::EscapeScenarioText(
                     "ZEV_LOCATIONS 1\nC:\\Users\\Player\\Games\\Steam Library\\steamapps\\common\\"
                     "Tharn of Emberfall\\Installations\\Original Edition with a long folder name\n"
                     "D:\\Disc images\\Folder with a long name for the middle ellipsis\\"
                     "tharn-of-emberfall-original-japanese-disc-image.iso\nLocations read.\n") +
                 "\n");
    ASSERT_TRUE(Start());
    SetForegroundWindow(window);
    HDC screen = GetDC(nullptr);
    const std::wstring dpi = std::to_wstring(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    const std::wstring folderOfScreens = driver::BuildDirectory() + L"\\test-screens";
    CreateDirectoryW(folderOfScreens.c_str(), nullptr);
    auto save = [&](const wchar_t* state) {
        EXPECT_TRUE(SaveClientArea(window, folderOfScreens + L"\\settings-" + dpi + L"-" + state + L".bmp"))
            << state;
    };

    Press(kSettings);
    save(L"loading");
    ASSERT_TRUE(StatusBecomes(kLoaded));
    const wchar_t* names[] = {L"graphics", L"display", L"advanced", L"language",
                              L"controls", L"build",   L"locations"};
    for (int tab = 0; tab < 7; ++tab) {
        Press(kFirstTab + tab);
        if (tab == 6) {
            ASSERT_TRUE(StatusBecomes(L"Locations read."));
        }
        save(names[tab]);
    }
    Press(kFirstTab + 1);
    Press(kFirstRow + 2); // borderless: Window resolution disabled, Cancel and Save settings active
    save(L"display-edited");
}

} // namespace
