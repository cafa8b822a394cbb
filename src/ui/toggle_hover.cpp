#include "ui/toggle_hover.h"
#include "shell/controls.h"

HWND HoveredControl = nullptr;

LRESULT CALLBACK ButtonSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(SavedButtonProc, window, message, wParam, lParam);
}

LRESULT CALLBACK ToggleSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(SavedToggleProc, window, message, wParam, lParam);
}
