// The window as a screen reader meets it, read from this process through the accessibility
// interface of the system: what each screen says, the toggle as a check box, what is announced
// during a launch and how often, and that the objects handed out are all released.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "driver.h"
#include "screen_reader.h"
#include "standin_record.h"

namespace {

using driver::AccessibleItem;
using driver::EventListener;
using driver::FindChild;
using driver::Launcher;
using driver::PlayerFolder;
using driver::PumpUntil;
using driver::ReadChildren;
using driver::WindowText;

constexpr int kPlay = 101;
constexpr int kBasicGraphics = 102;
constexpr int kSettings = 106;
constexpr DWORD kLiveRegionChanged = 0x8019;
constexpr DWORD kLongWait = 60000;

constexpr wchar_t kChecking[] = L"Checking game files. First-time setup can take several minutes...";
constexpr wchar_t kFailed[] =
    L"The game could not start or exited with an error. Check the launch details below.";
constexpr wchar_t kStage12[] = L"Compiling the native game: 12 / 340 files";
constexpr wchar_t kStage200[] = L"Compiling the native game: 200 / 340 files";

bool Ready(Launcher& launcher) {
    if (launcher.WaitForWindow() == nullptr)
        return false;
    return driver::WaitUntil([&] {
        HWND play = launcher.Control(kPlay);
        return play != nullptr && IsWindowVisible(play) && IsWindowEnabled(play);
    });
}

std::wstring Status(const Launcher& launcher) {
    return WindowText(driver::StatusLine(launcher.window()));
}

bool StartsWith(const std::wstring& text, const std::wstring& start) {
    return text.compare(0, start.size(), start) == 0;
}

// The estimate line: the text element that starts as the estimate does.
const AccessibleItem* Estimate(const std::vector<AccessibleItem>& children) {
    for (const AccessibleItem& item : children) {
        if (item.role == ROLE_SYSTEM_STATICTEXT && StartsWith(item.name, L"Estimated overall: "))
            return &item;
    }
    return nullptr;
}

const AccessibleItem* SelectedTab(const std::vector<AccessibleItem>& children) {
    for (const AccessibleItem& item : children) {
        if (item.role == ROLE_SYSTEM_PAGETAB && (item.state & STATE_SYSTEM_SELECTED) != 0)
            return &item;
    }
    return nullptr;
}

// The window's count of accessible objects alive, asked through its registered message.
LRESULT LiveObjects(const Launcher& launcher) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(launcher.window(), RegisterWindowMessageW(L"ZevNativeLauncherAccessibleObjects"), 0,
                        0, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

long StateOf(IAccessible* object) {
    return driver::Describe(object, CHILDID_SELF).state;
}

TEST(Accessibility, TheHomePageSaysWhatItShowsAndTheToggleIsACheckBox) {
    driver::ComApartment com;
    PlayerFolder folder;
    Launcher launcher(folder);
    ASSERT_TRUE(Ready(launcher));

    const std::vector<AccessibleItem> children = ReadChildren(launcher.window());
    ASSERT_FALSE(children.empty());
    struct Expected {
        long role;
        const wchar_t* name;
    };
    const Expected expected[] = {
        {ROLE_SYSTEM_STATICTEXT, L"Ready to play"},
        {ROLE_SYSTEM_STATICTEXT, L"Pick up where you left off. Your settings stay with you."},
        {ROLE_SYSTEM_CHECKBUTTON, L"Basic graphics for troubleshooting"},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(driver::Narrow(e.name));
        EXPECT_NE(FindChild(children, e.role, e.name), nullptr);
    }
    // The controls follow the painted texts, the status line among them with its text.
    bool statusSeen = false;
    bool controlSeen = false;
    for (const AccessibleItem& item : children) {
        if (item.ownObject) {
            controlSeen = true;
            statusSeen = statusSeen || item.name == L"Game files will be checked before launch.";
        } else {
            EXPECT_FALSE(controlSeen) << "element after the controls: " << driver::Narrow(item.name);
        }
    }
    EXPECT_TRUE(statusSeen);
    // The headline is where it is painted: inside the client area, and found there by a hit test.
    const AccessibleItem* headline = FindChild(children, ROLE_SYSTEM_STATICTEXT, L"Ready to play");
    ASSERT_NE(headline, nullptr);
    RECT client{};
    GetClientRect(launcher.window(), &client);
    MapWindowPoints(launcher.window(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT inside{};
    EXPECT_FALSE(IsRectEmpty(&headline->location));
    EXPECT_TRUE(IntersectRect(&inside, &headline->location, &client) &&
                EqualRect(&inside, &headline->location));
    IAccessible* main = driver::ClientObjectOf(launcher.window());
    ASSERT_NE(main, nullptr);
    VARIANT hit{};
    EXPECT_EQ(main->accHitTest((headline->location.left + headline->location.right) / 2,
                               (headline->location.top + headline->location.bottom) / 2, &hit),
              S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, headline->childId);
    main->Release();
    EXPECT_EQ(FindChild(children, ROLE_SYSTEM_PROGRESSBAR), nullptr); // no launch, no bar

    // The toggle's own window answers as a check box whose state follows a click.
    IAccessible* toggle = driver::ClientObjectOf(launcher.Control(kBasicGraphics));
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(LiveObjects(launcher), 1); // the one this reader holds
    AccessibleItem item = driver::Describe(toggle, CHILDID_SELF);
    EXPECT_EQ(item.role, ROLE_SYSTEM_CHECKBUTTON);
    EXPECT_EQ(item.state & STATE_SYSTEM_CHECKED, 0);
    EXPECT_EQ(item.defaultAction, L"Check");
    RECT window{};
    GetWindowRect(launcher.Control(kBasicGraphics), &window);
    EXPECT_TRUE(EqualRect(&item.location, &window));
    launcher.Click(kBasicGraphics);
    ASSERT_TRUE(PumpUntil([&] { return (StateOf(toggle) & STATE_SYSTEM_CHECKED) != 0; }));
    EXPECT_EQ(driver::Describe(toggle, CHILDID_SELF).defaultAction, L"Uncheck");
    // Its default action clicks it.
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    ASSERT_EQ(toggle->accDoDefaultAction(self), S_OK);
    ASSERT_TRUE(PumpUntil(
        [&] { return SendMessageW(launcher.Control(kBasicGraphics), BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
    EXPECT_EQ(StateOf(toggle) & STATE_SYSTEM_CHECKED, 0);
    toggle->Release();
    EXPECT_TRUE(PumpUntil([&] { return LiveObjects(launcher) == 0; }, 5000));
}

// 25 lines of one stage and percentage, then 25 of the next, paced over many ticks: the status line
// changes twice and the percentage twice, and so many announcements are heard; the running clock is
// read but never announced; the failure is an alert.
TEST(Accessibility, ALaunchIsReadAndAnnouncedOncePerChange) {
    driver::ComApartment com;
    PlayerFolder folder;
    standin::WriteScenario(folder, L"launch",
                           "wait-file standin\\go0\n"
                           "paced 25 20000 ZEV_SETUP_PROGRESS 3 12 340 250\\n\n"
                           "wait-file standin\\go1\n"
                           "paced 25 20000 ZEV_SETUP_PROGRESS 3 200 340 270\\n\n"
                           "wait-file standin\\go2\n"
                           "exit 3\n");
    Launcher launcher(folder);
    ASSERT_TRUE(Ready(launcher));
    EventListener listener(launcher.processId());
    launcher.Click(kPlay);

    // Before the first figure the bar has no value and says why.
    std::vector<AccessibleItem> children;
    ASSERT_TRUE(PumpUntil(
        [&] {
            children = ReadChildren(launcher.window());
            return FindChild(children, ROLE_SYSTEM_PROGRESSBAR) != nullptr;
        },
        kLongWait));
    EXPECT_EQ(FindChild(children, ROLE_SYSTEM_PROGRESSBAR)->value, L"");
    EXPECT_EQ(FindChild(children, ROLE_SYSTEM_PROGRESSBAR)->description, L"Indeterminate");
    folder.WriteFile(L"standin\\go0", "");

    ASSERT_TRUE(PumpUntil([&] { return listener.Count(EVENT_OBJECT_VALUECHANGE) >= 1; }, kLongWait));
    // The clock runs for two seconds while the first stage lasts.
    ASSERT_TRUE(PumpUntil(
        [&] {
            children = ReadChildren(launcher.window());
            const AccessibleItem* estimate = Estimate(children);
            return estimate != nullptr &&
                   StartsWith(estimate->name, L"Estimated overall: 25%  |  Elapsed: 0h 0m 2s");
        },
        kLongWait));
    EXPECT_NE(FindChild(children, ROLE_SYSTEM_STATICTEXT, L"Preparing your game"), nullptr);
    const AccessibleItem* bar = FindChild(children, ROLE_SYSTEM_PROGRESSBAR);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value, L"25%");
    EXPECT_EQ(bar->description, L"");
    // While the launcher runs the toggle is disabled, and reads so.
    IAccessible* toggle = driver::ClientObjectOf(launcher.Control(kBasicGraphics));
    ASSERT_NE(toggle, nullptr);
    EXPECT_NE(StateOf(toggle) & STATE_SYSTEM_UNAVAILABLE, 0);
    toggle->Release();

    folder.WriteFile(L"standin\\go1", "");
    ASSERT_TRUE(PumpUntil([&] { return listener.Count(EVENT_OBJECT_VALUECHANGE) >= 2; }, kLongWait));
    ASSERT_TRUE(PumpUntil([&] { return Status(launcher) == kStage200; }, kLongWait));
    folder.WriteFile(L"standin\\go2", "");
    ASSERT_TRUE(PumpUntil([&] { return listener.Count(EVENT_SYSTEM_ALERT) >= 1; }, kLongWait));
    // Give late events a moment to arrive.
    PumpUntil([] { return false; }, 500);

    using Texts = std::vector<std::wstring>;
    EXPECT_EQ(listener.Texts(kLiveRegionChanged), (Texts{kChecking, kStage12, kStage200}));
    EXPECT_EQ(listener.Texts(EVENT_OBJECT_VALUECHANGE), (Texts{L"25%", L"27%"}));
    EXPECT_EQ(listener.Texts(EVENT_SYSTEM_ALERT), (Texts{kFailed}));
    for (const driver::HeardEvent& heard : listener.Heard()) {
        if (heard.event != EVENT_OBJECT_VALUECHANGE) {
            EXPECT_EQ(heard.window, driver::StatusLine(launcher.window()));
        }
    }
    const std::vector<AccessibleItem> after = ReadChildren(launcher.window());
    EXPECT_NE(FindChild(after, ROLE_SYSTEM_STATICTEXT, L"Launch needs attention"), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return LiveObjects(launcher) == 0; }, 5000));
}

TEST(Accessibility, TheSettingsPageMarksTheSelectedTabAndSwitchesByItsAction) {
    driver::ComApartment com;
    PlayerFolder folder;
    Launcher launcher(folder);
    ASSERT_TRUE(Ready(launcher));
    launcher.Click(kSettings);
    std::vector<AccessibleItem> children;
    ASSERT_TRUE(PumpUntil(
        [&] {
            children = ReadChildren(launcher.window());
            return SelectedTab(children) != nullptr;
        },
        kLongWait));
    EXPECT_EQ(SelectedTab(children)->name, L"Graphics");
    const AccessibleItem* display = FindChild(children, ROLE_SYSTEM_PAGETAB, L"Display");
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->state & STATE_SYSTEM_SELECTED, 0);
    EXPECT_NE(display->state & STATE_SYSTEM_SELECTABLE, 0);
    EXPECT_EQ(display->defaultAction, L"Switch");

    IAccessible* client = driver::ClientObjectOf(launcher.window());
    ASSERT_NE(client, nullptr);
    VARIANT tab{};
    tab.vt = VT_I4;
    tab.lVal = display->childId;
    EXPECT_EQ(client->accDoDefaultAction(tab), S_OK);
    client->Release();
    ASSERT_TRUE(PumpUntil(
        [&] {
            children = ReadChildren(launcher.window());
            const AccessibleItem* selected = SelectedTab(children);
            return selected != nullptr && selected->name == L"Display";
        },
        kLongWait));
    EXPECT_TRUE(PumpUntil([&] { return LiveObjects(launcher) == 0; }, 5000));
}

struct Counts {
    DWORD handles, threads;
};
Counts CountsOf(const Launcher& launcher) {
    return {driver::HandleCountOf(launcher.process(), launcher.processId()),
            driver::ThreadCountOf(launcher.processId())};
}

// Runs the operation 200 times; after a warm-up the window's handles and threads stay where they
// were, and no accessible object outlives its reader.
void ExpectFlatOver200(const char* what, const Launcher& launcher,
                       const std::function<void(int)>& operation) {
    constexpr int kRuns = 200;
    constexpr int kWarmUp = 20;
    Counts warm{};
    for (int run = 1; run <= kRuns; ++run) {
        operation(run);
        if (testing::Test::HasFatalFailure())
            return;
        if (run == kWarmUp)
            warm = CountsOf(launcher);
    }
    Counts last{};
    PumpUntil(
        [&] {
            last = CountsOf(launcher);
            return last.handles <= warm.handles + 4 && last.threads <= warm.threads;
        },
        5000);
    std::printf("%s: handles %lu then %lu, threads %lu then %lu\n", what, warm.handles, last.handles,
                warm.threads, last.threads);
    EXPECT_GT(warm.handles, 0u);
    EXPECT_LE(last.handles, warm.handles + 4);
    EXPECT_LE(last.threads, warm.threads);
    EXPECT_TRUE(PumpUntil([&] { return LiveObjects(launcher) == 0; }, 5000));
}

TEST(Accessibility, TwoHundredTreeReadsAndLaunchesReleaseEverything) {
    driver::ComApartment com;
    PlayerFolder folder;
    Launcher launcher(folder);
    ASSERT_TRUE(Ready(launcher));
    ExpectFlatOver200("tree reads", launcher, [&](int) {
        ASSERT_FALSE(ReadChildren(launcher.window()).empty());
        EXPECT_TRUE(ReadChildren(launcher.Control(kBasicGraphics)).empty()); // a check box has no children
        IAccessible* toggle = driver::ClientObjectOf(launcher.Control(kBasicGraphics));
        ASSERT_NE(toggle, nullptr);
        EXPECT_EQ(driver::Describe(toggle, CHILDID_SELF).role, ROLE_SYSTEM_CHECKBUTTON);
        toggle->Release();
    });

    // Launches with a listener that reads every announced object, as a screen reader does.
    EventListener listener(launcher.processId());
    size_t alerts = 0;
    ExpectFlatOver200("launches", launcher, [&](int run) {
        standin::WriteScenario(folder, L"launch",
                               "line ZEV_SETUP_PROGRESS 3 " + std::to_string(run) + " 340 " +
                                   std::to_string(run) + "\nexit 3\n");
        launcher.Click(kPlay);
        ASSERT_TRUE(PumpUntil(
            [&] {
                return listener.Count(EVENT_SYSTEM_ALERT) > alerts &&
                       IsWindowEnabled(launcher.Control(kPlay));
            },
            kLongWait))
            << run << ": " << driver::Narrow(Status(launcher));
        alerts = listener.Count(EVENT_SYSTEM_ALERT);
    });
    EXPECT_EQ(alerts, 200u);
}

} // namespace
