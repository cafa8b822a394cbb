// Taskbar progress through a scripted launch: the launch state changes as the real protocol lines
// change it, and a fake taskbar records the calls that reach the button.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "launch/progress_protocol.h"
#include "launch/taskbar_progress.h"
#include "shell/taskbar_calls.h"

namespace {

class RecordedCalls final : public TaskbarCalls {
  public:
    void SetMode(TaskbarMode mode) override {
        static const char* const names[] = {"none", "indeterminate", "normal", "error"};
        Add(std::string("mode ") + names[static_cast<int>(mode)]);
    }
    void SetValue(std::uint32_t completed, std::uint32_t total) override {
        Add("value " + std::to_string(completed) + "/" + std::to_string(total));
    }
    std::string Take() { return std::exchange(calls_, std::string()); }

  private:
    void Add(const std::string& call) { calls_ += calls_.empty() ? call : "; " + call; }
    std::string calls_;
};

// Play's reset of the figures (the game-running flag is cleared by the start itself).
void ResetForPlay(LaunchProgress& progress) {
    progress = LaunchProgress{};
}

void Line(LaunchProgress& progress, const char* text) {
    const LaunchLine line{text, std::strlen(text), true};
    ApplyLaunchLine(progress, line, 0);
}

TEST(TaskbarProgress, ScriptedLaunchReachesTheButtonAsTheseCalls) {
    constexpr bool Play = true, None = false;
    const struct {
        const char* step;
        bool play;
        LaunchPhase phase;
        const char* line; // applied before the state is read; nullptr for none
        const char* calls;
    } script[] = {
        {"idle", None, LaunchPhase::Idle, nullptr, ""},
        {"a settings helper", None, LaunchPhase::SettingsHelper, nullptr, ""},
        {"settings done", None, LaunchPhase::Idle, nullptr, ""},
        {"play", Play, LaunchPhase::Launching, nullptr, "mode indeterminate"},
        {"text marker before figures", None, LaunchPhase::Launching, "Checking your files", ""},
        {"first figure", None, LaunchPhase::Launching, "ZEV_SETUP_PROGRESS 2 1 10 0",
         "mode normal; value 0/1000"},
        {"figure grows", None, LaunchPhase::Launching, "ZEV_SETUP_PROGRESS 3 5 10 120", "value 120/1000"},
        {"memory line", None, LaunchPhase::Launching, "ZEV_SETUP_MEMORY 3000 8192", ""},
        {"lower figure kept", None, LaunchPhase::Launching, "ZEV_SETUP_PROGRESS 4 1 10 90", ""},
        {"figure grows", None, LaunchPhase::Launching, "ZEV_SETUP_PROGRESS 5 9 10 450", "value 450/1000"},
        {"ends needing attention", None, LaunchPhase::EndedNeedingAttention, nullptr,
         "mode error; value 1000/1000"},
        {"relaunch", Play, LaunchPhase::Launching, nullptr, "mode indeterminate"},
        {"figure", None, LaunchPhase::Launching, "ZEV_SETUP_PROGRESS 11 1 1 990",
         "mode normal; value 990/1000"},
        {"game running", None, LaunchPhase::Launching, "ZEV_LAUNCHER_GAME_STARTED", "mode none"},
        {"figures while the game runs", None, LaunchPhase::Launching, "ZEV_SETUP_PROGRESS 3 5 10 500", ""},
        {"launcher starts over", None, LaunchPhase::Launching, "ZEV_SETUP_PROGRESS 0 0 5 10",
         "mode normal; value 10/1000"},
        {"game running again", None, LaunchPhase::Launching, "ZEV_LAUNCHER_GAME_STARTED", "mode none"},
        {"launch ends", None, LaunchPhase::Idle, nullptr, ""},
    };

    LaunchProgress progress;
    TaskbarProgress applied;
    RecordedCalls calls;
    for (const auto& step : script) {
        if (step.play)
            ResetForPlay(progress);
        if (step.line != nullptr)
            Line(progress, step.line);
        ApplyTaskbarProgress(applied, WantedTaskbarProgress(step.phase, progress), calls);
        EXPECT_EQ(calls.Take(), step.calls) << step.step;
        // Asked again without a change, nothing more reaches the button.
        ApplyTaskbarProgress(applied, WantedTaskbarProgress(step.phase, progress), calls);
        EXPECT_EQ(calls.Take(), "") << step.step << " (repeated)";
    }
}

} // namespace
