#pragma once
#include <windows.h>

inline constexpr wchar_t kWindowClassName[] = L"ZevNativeLauncher";
inline constexpr wchar_t kWindowCaption[] = L"Tharn of Emberfall";
inline constexpr DWORD kMainWindowStyle = 0x02CA0000; // caption, system menu, minimise box, clip children

// The whole program: start-up, mode choice, window and message loop. Returns the process exit code.
unsigned long RunLauncher(HINSTANCE instance);

// Pieces of the windowed start-up, also used by in-process tests.
void EnableDpiAwareness();
HICON LoadAppIcon(HINSTANCE instance);
// The caption's icon at the small icon size, from the same resource; null when there is none. Given
// to the class, it spares the system deriving it from the large one at registration.
HICON LoadAppSmallIcon(HINSTANCE instance);
HICON CreateFallbackIcon();
bool RegisterMainWindowClass(HINSTANCE instance, HICON icon, HICON smallIcon = nullptr);
// Creates (but does not show) the main window at its designed size, centred in the work area.
HWND CreateMainWindow(HINSTANCE instance);
