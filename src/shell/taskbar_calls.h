#pragma once
// How the wanted taskbar progress reaches the button: only the calls that change it. Includes no
// platform header, so a fake can record the calls.
#include <cstdint>
#include "launch/taskbar_progress.h"

// Receives the taskbar calls; the shell's implementation forwards them to the taskbar button.
class TaskbarCalls {
  public:
    virtual void SetMode(TaskbarMode mode) = 0;
    virtual void SetValue(std::uint32_t completed, std::uint32_t total) = 0;

  protected:
    ~TaskbarCalls() = default;
};

// Makes the calls that take the button from what was applied to what is wanted, and nothing when
// they are the same (the shell asks on every tick). applied then holds wanted.
void ApplyTaskbarProgress(TaskbarProgress& applied, const TaskbarProgress& wanted, TaskbarCalls& calls);
