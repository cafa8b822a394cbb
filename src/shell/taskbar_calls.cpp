#include "shell/taskbar_calls.h"

void ApplyTaskbarProgress(TaskbarProgress& applied, const TaskbarProgress& wanted, TaskbarCalls& calls) {
    if (wanted == applied)
        return;
    if (wanted.mode != applied.mode)
        calls.SetMode(wanted.mode);
    // The figure follows the mode: a value set on an empty or indeterminate button switches it to
    // the normal state, which an error bar would show for a moment.
    const bool showsFigure = wanted.mode == TaskbarMode::Normal || wanted.mode == TaskbarMode::Error;
    if (showsFigure && (wanted.mode != applied.mode || wanted.permille != applied.permille))
        calls.SetValue(wanted.permille, kTaskbarTotal);
    applied = wanted;
}
