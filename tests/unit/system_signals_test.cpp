// What the window asks of the system in each launch state: the system kept awake only while the
// game is being prepared, and the taskbar button flashed only when a launch has just failed while the
// window was in the background.
#include <gtest/gtest.h>
#include <string>
#include "launch/system_signals.h"
#include "shell/system_signal_calls.h"

namespace {

TEST(SystemSignals, TheSystemIsKeptAwakeOnlyWhileTheGameIsBeingPrepared) {
    struct Case {
        const char* name;
        LaunchPhase phase;
        bool gameRunning;
        bool awake;
    } cases[] = {
        {"idle", LaunchPhase::Idle, false, false},
        {"launch running", LaunchPhase::Launching, false, true},
        {"game started", LaunchPhase::Launching, true, false},
        {"restart after the game (stage 0 again)", LaunchPhase::Launching, false, true},
        {"launch ended with an error", LaunchPhase::EndedNeedingAttention, false, false},
        {"launch ended with an error after the game", LaunchPhase::EndedNeedingAttention, true, false},
        {"settings helper running", LaunchPhase::SettingsHelper, false, false},
        {"launch ended well (window gone, nothing runs)", LaunchPhase::Idle, true, false},
    };
    for (const Case& c : cases) {
        LaunchProgress progress;
        progress.gameRunning = c.gameRunning;
        progress.progressStarted = true;
        EXPECT_EQ(KeepSystemAwake(c.phase, progress), c.awake) << c.name;
    }
}

TEST(SystemSignals, TheButtonFlashesWhenALaunchHasJustFailedInTheBackground) {
    struct Case {
        const char* name;
        LaunchPhase before, now;
        bool foreground;
        bool flash;
    } cases[] = {
        {"launch fails, window in the background", LaunchPhase::Launching, LaunchPhase::EndedNeedingAttention,
         false, true},
        {"launch fails, window in front", LaunchPhase::Launching, LaunchPhase::EndedNeedingAttention, true,
         false},
        {"still failed, player went elsewhere later", LaunchPhase::EndedNeedingAttention,
         LaunchPhase::EndedNeedingAttention, false, false},
        {"launch ends well", LaunchPhase::Launching, LaunchPhase::Idle, false, false},
        {"launch running", LaunchPhase::Idle, LaunchPhase::Launching, false, false},
        {"game started, running on", LaunchPhase::Launching, LaunchPhase::Launching, false, false},
        {"settings helper ends", LaunchPhase::SettingsHelper, LaunchPhase::Idle, false, false},
        {"settings helper starts after a failure", LaunchPhase::EndedNeedingAttention,
         LaunchPhase::SettingsHelper, false, false},
        {"idle", LaunchPhase::Idle, LaunchPhase::Idle, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FlashTaskbarButton(c.before, c.now, c.foreground), c.flash) << c.name;
    }
}

class RecordedCalls final : public SystemSignalCalls {
  public:
    void KeepAwake(bool awake) override { calls += awake ? "awake " : "release "; }
    void FlashButton() override { calls += "flash "; }
    std::string calls;
};

// A session as the shell asks after every tick and command: the system is called only when what is
// wanted changes, and the button flashes once per failure in the background.
TEST(SystemSignals, TheSystemIsCalledOnlyWhenWhatIsWantedChanges) {
    struct Step {
        const char* name;
        LaunchPhase phase;
        bool gameRunning;
        bool foreground;
        const char* calls;
    } steps[] = {
        {"idle", LaunchPhase::Idle, false, true, ""},
        {"Play", LaunchPhase::Launching, false, true, "awake "},
        {"setup goes on", LaunchPhase::Launching, false, false, ""},
        {"game started", LaunchPhase::Launching, true, false, "release "},
        {"game runs", LaunchPhase::Launching, true, false, ""},
        {"restart after the game", LaunchPhase::Launching, false, false, "awake "},
        {"ends with an error in the background", LaunchPhase::EndedNeedingAttention, false, false,
         "release flash "},
        {"still needing attention", LaunchPhase::EndedNeedingAttention, false, false, ""},
        {"player is back", LaunchPhase::EndedNeedingAttention, false, true, ""},
        {"settings helper", LaunchPhase::SettingsHelper, false, true, ""},
        {"Play again", LaunchPhase::Launching, false, true, "awake "},
        {"ends with an error in front", LaunchPhase::EndedNeedingAttention, false, true, "release "},
        {"Play once more", LaunchPhase::Launching, false, false, "awake "},
        {"ends well", LaunchPhase::Idle, false, false, "release "},
    };
    AppliedSystemSignals applied;
    for (const Step& step : steps) {
        RecordedCalls recorded;
        LaunchProgress progress;
        progress.gameRunning = step.gameRunning;
        ApplySystemSignals(applied, step.phase, progress, step.foreground, recorded);
        EXPECT_EQ(recorded.calls, step.calls) << step.name;
    }
}

} // namespace
