#pragma once
// Screen captures for the picture tools (not tests): the program asks, the capturing script
// (scripts/capture-requests.sh) grabs that area of the X screen, which is what the player sees.
#include <windows.h>
#include <string>

namespace capture {

// Where requests are written and answered; set once at start-up.
void SetFolder(const std::wstring& folder);

// Asks for <name>.png of the screen area and waits until it is written; prints the outcome.
bool Request(const RECT& screenArea, const std::wstring& name);
bool Client(HWND window, const std::wstring& name); // the client area
bool Window(HWND window, const std::wstring& name); // the whole window, frame and title included

// The demo game's window ("Tharn of Emberfall (game)") once it is shown; null on time-out.
HWND WaitForDemoGame(DWORD timeoutMs);
// Presses the demo game's Quit button, which ends the game and with it the launch.
void QuitDemoGame(HWND game);

// Lets the window finish painting: waits until its message queue is idle twice in a row.
void Settle(HWND window);

} // namespace capture
