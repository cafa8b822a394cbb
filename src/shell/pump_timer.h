#pragma once
#include <windows.h>

// Timer 1 runs only while something moves on screen or the helper's output waits for a tick; at rest
// it is stopped, and the pipe reader then wakes the window for any output and for the helper's end.

// The pump's tick has run; settled when it left nothing for the next one.
void NotePumpTick(bool settled);
// Output (or the helper's end) woke the window between ticks: a tick is due.
void NoteHelperOutputWoke();
// Starts or stops the timer for the window's present state. Called after everything that can start
// a helper, end one, or change what moves on screen.
void SyncPumpTimer(HWND mainWindow);
// True while timer 1 runs: something moves, or the helper's output is being worked through.
bool PumpTimerRunning();
