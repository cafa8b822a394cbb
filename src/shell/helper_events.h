#pragma once
#include <windows.h>
#include "process/output_pump.h"

// Points the process layer's targets at the window's handlers: launch lines to the launch line
// classifier, a child's end to the launch or settings completion.
void InstallHelperTargets();

// A child's end, as the process layer reports it.
void OnHelperEnded(const ChildEnd& end);

// Posted (from the pipe reader's thread) when plenty of output waits, and by the window to itself to
// go on consuming; wParam says which.
inline constexpr UINT kMessageHelperOutput = WM_APP + 1;
inline constexpr WPARAM kOutputArrived = 0;
inline constexpr WPARAM kMoreOutput = 1;
// Goes on consuming after input, painting and the tick have been served: a timer message is only
// retrieved when no other message waits.
inline constexpr UINT_PTR kTimerMoreOutput = 2;

// The pump timer's tick: repaints the canvas strips that move while a child runs, consumes a slice of
// the child's output, writes (a piece of) the lines collected since the last tick to the pane and,
// once the child has ended and all its output is consumed and in the pane, completes it. True when it
// left nothing for the next tick: everything consumed and in the pane, the reader waited for.
bool OnHelperTick(HWND mainWindow);
// Consumes a slice of output between ticks; its lines go to the pane with the next tick's batch.
void OnHelperOutput(HWND mainWindow, WPARAM why);
// Every timer of the window: the pump's tick or the consumer's continuation. True as OnHelperTick.
bool OnHelperTimer(HWND mainWindow, UINT_PTR id);
