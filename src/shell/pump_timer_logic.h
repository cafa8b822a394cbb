#pragma once
// When the pump timer has to tick. Includes no platform header.

struct PumpTickInputs {
    bool helperRunning;
    bool gameRunning;     // the indeterminate segment stands still
    bool progressStarted; // the estimate shows a running clock
    bool minimised;       // nothing on screen can move
    bool settled;         // the last tick left nothing to do, and no output has come since
};

// Something moves on screen (the indeterminate segment or the elapsed second), or the helper's
// output or its end waits for a tick. With no helper, or a game running behind a minimised window
// and nothing come from the helper, the timer stays off and the window costs nothing.
bool PumpTickWanted(const PumpTickInputs& in);
