#pragma once
// How the wanted system signals reach the system: only the calls that change something. Includes no
// platform header, so a fake can record the calls.
#include "launch/launch_progress.h"
#include "launch/taskbar_progress.h"

// Receives the calls; the shell's implementation makes them to the system.
class SystemSignalCalls {
  public:
    virtual void KeepAwake(bool awake) = 0;
    virtual void FlashButton() = 0;

  protected:
    ~SystemSignalCalls() = default;
};

// What was last asked of the system, and the phase it was asked in.
struct AppliedSystemSignals {
    bool keptAwake = false;
    LaunchPhase phase = LaunchPhase::Idle;
};

// Makes the calls that the change from what was applied asks for, and nothing when it asks for
// nothing (the shell asks after every tick and command). applied then holds the present.
void ApplySystemSignals(AppliedSystemSignals& applied, LaunchPhase phase, const LaunchProgress& progress,
                        bool foreground, SystemSignalCalls& calls);
