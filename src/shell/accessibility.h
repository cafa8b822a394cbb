#pragma once
#include <windows.h>

// The window's screen-reader interface: the objects served through WM_GETOBJECT and the events that
// announce what a player must hear.

// WM_GETOBJECT of the main window: its client area as an accessible object, described from what the
// screen shows; everything else is the system's.
LRESULT AnswerClientObject(HWND window, WPARAM flags, LPARAM objectId);
// WM_GETOBJECT of the basic-graphics check box: its client object, or 0 for what it leaves to its
// previous procedure.
LRESULT AnswerCheckBoxObject(HWND checkBox, WPARAM flags, LPARAM objectId);

// The status line shows a new text: a change is announced once, politely, as a live region, and an
// attention message assertively as an alert.
void AnnounceStatus(HWND statusLine, const wchar_t* text, bool alert);
// Raises a value change on the progress bar when its percentage text differs from the last one.
// Called once per tick at most.
void AnnounceProgressValue(HWND mainWindow);
// At window destruction: the status line's live-region mark is taken back.
void StopAccessibility();

// A registered message the main window answers with the number of accessible objects alive, so
// that a test can tell from outside that every object handed out was released.
bool IsLiveObjectQuery(UINT message);
LRESULT AnswerLiveObjectQuery();
