#include <gtest/gtest.h>
#include "shell/pump_timer_logic.h"

namespace {

TEST(PumpTickWanted, TicksOnlyWhileSomethingMovesOrOutputWaits) {
    struct Case {
        const char* name;
        PumpTickInputs in;
        bool wanted;
    } cases[] = {
        // helper, game, progress, minimised, settled
        {"idle", {false, false, false, false, true}, false},
        {"idle, never ticked", {false, false, false, false, false}, false},
        {"idle after a game, minimised", {false, true, true, true, false}, false},
        {"launching: the segment moves", {true, false, false, false, true}, true},
        {"launching with progress: the clock runs", {true, false, true, false, true}, true},
        {"game running, clock shown", {true, true, true, false, true}, true},
        {"game running, no clock: nothing moves", {true, true, false, false, true}, false},
        {"game running, minimised, at rest", {true, true, true, true, true}, false},
        {"game running, minimised, output came", {true, true, true, true, false}, true},
        {"setup minimised by the player, at rest", {true, false, true, true, true}, false},
        {"setup minimised by the player, output came", {true, false, false, true, false}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PumpTickWanted(c.in), c.wanted) << c.name;
}

} // namespace
