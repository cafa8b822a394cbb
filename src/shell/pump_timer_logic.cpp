#include "shell/pump_timer_logic.h"

bool PumpTickWanted(const PumpTickInputs& in) {
    if (!in.helperRunning)
        return false;
    const bool moving = !in.minimised && (!in.gameRunning || in.progressStarted);
    return moving || !in.settled;
}
