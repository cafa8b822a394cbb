// The window at rest costs nothing: no timer message reaches it while no helper runs or while the
// game runs behind the minimised window, and a helper's start brings the tick back. The timer
// messages are counted on the program's own thread by a message hook (message_count_hook.cpp).
#include <gtest/gtest.h>
#include <string>
#include "driver.h"
#include "message_count.h"
#include "standin_record.h"

namespace {

using driver::Launcher;
using driver::PlayerFolder;
using driver::WaitUntil;

constexpr int kPlay = 101;
constexpr UINT_PTR kPumpTimer = 1;
constexpr DWORD kLongWait = 60000;

// Counts the timer messages that the thread of a window retrieves, from the moment it is made.
class TimerMessages {
  public:
    explicit TimerMessages(HWND window) {
        wchar_t name[64];
        FormatMessageCountName(name, GetWindowThreadProcessId(window, nullptr));
        mapping_ =
            CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(MessageCounts), name);
        if (mapping_ != nullptr)
            counts_ = static_cast<MessageCounts*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, 0));
        const std::wstring library = driver::BuildDirectory() + L"\\tests\\message_count_hook.dll";
        module_ = LoadLibraryW(library.c_str());
        const auto proc = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<void*>(GetProcAddress(module_, "CountRetrievedMessages")));
        if (proc != nullptr)
            hook_ =
                SetWindowsHookExW(WH_GETMESSAGE, proc, module_, GetWindowThreadProcessId(window, nullptr));
    }
    ~TimerMessages() {
        if (hook_ != nullptr)
            UnhookWindowsHookEx(hook_);
        if (module_ != nullptr)
            FreeLibrary(module_);
        if (counts_ != nullptr)
            UnmapViewOfFile(counts_);
        if (mapping_ != nullptr)
            CloseHandle(mapping_);
    }
    TimerMessages(const TimerMessages&) = delete;
    TimerMessages& operator=(const TimerMessages&) = delete;

    bool ready() const { return counts_ != nullptr && hook_ != nullptr; }
    // The timer messages retrieved during the next second, all of them and the pump's. The second is
    // the measurement itself, not a wait for something to happen.
    struct Second {
        LONG all, pump;
    };
    Second CountOneSecond() const {
        const LONG all = counts_->timers, pump = counts_->byTimerId[kPumpTimer];
        Sleep(1000);
        return {counts_->timers - all, counts_->byTimerId[kPumpTimer] - pump};
    }

  private:
    HANDLE mapping_ = nullptr;
    MessageCounts* counts_ = nullptr;
    HMODULE module_ = nullptr;
    HHOOK hook_ = nullptr;
};

bool PlayReady(const Launcher& launcher) {
    return WaitUntil([&] {
        HWND play = launcher.Control(kPlay);
        return play != nullptr && IsWindowVisible(play) && IsWindowEnabled(play);
    });
}

// Idle, launching, the game running behind the minimised window, a line of the launcher that
// restores it (output wakes the window without a tick), and the launch's end. The tick runs at
// 50 ms while the setup runs: well above the few ticks a busy machine might lose.
TEST(Rest, NoTimerFiresIdleOrWhileTheGameRunsMinimisedAndAHelperBringsTheTickBack) {
    PlayerFolder folder;
    driver::WriteScenario(folder, L"launch",
                          "line Starting Tharn of Emberfall\n"
                          "wait-file standin\\go1\n"
                          "line ZEV_SETUP_PROGRESS 3 12 340 250\n"
                          "line ZEV_LAUNCHER_GAME_STARTED\n"
                          "wait-file standin\\go2\n"
                          "line ZEV_SETUP_PROGRESS 0 0 0 0\n"
                          "wait-file standin\\go3\n"
                          "exit 0\n");
    Launcher launcher(folder);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(PlayReady(launcher));
    const TimerMessages timers(window);
    ASSERT_TRUE(timers.ready());

    const TimerMessages::Second idle = timers.CountOneSecond();
    EXPECT_EQ(idle.all, 0) << "idle";

    launcher.Click(kPlay);
    const TimerMessages::Second launching = timers.CountOneSecond();
    EXPECT_GE(launching.pump, 5) << "launching";

    folder.WriteFile(L"standin\\go1", "");
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, kLongWait));
    // The tick that saw the game start may still be followed by one that finds nothing left.
    ASSERT_TRUE(WaitUntil([&] { return timers.CountOneSecond().all == 0; }, kLongWait))
        << "game running, minimised";
    EXPECT_EQ(timers.CountOneSecond().all, 0) << "game running, minimised, once more";

    folder.WriteFile(L"standin\\go2", "");
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) == FALSE; }, kLongWait)) << "restored by the line";
    const TimerMessages::Second restored = timers.CountOneSecond();
    EXPECT_GE(restored.pump, 5) << "setup shown again";

    folder.WriteFile(L"standin\\go3", "");
    EXPECT_EQ(launcher.WaitForExit(kLongWait), 0u);
}

} // namespace
