#include "shell/window_frame.h"
#include "shell/startup.h"
#include "shell/system_functions.h"

OuterSize MainWindowSizeAt(int clientWidth, int clientHeight, int monitorDpi, int uiScale,
                           OuterSize fallback) {
    if (uiScale == monitorDpi || monitorDpi <= 0)
        return fallback;
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust =
        LookUpFunction<AdjustForDpi>(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi");
    RECT frame{0, 0, clientWidth, clientHeight};
    if (adjust == nullptr || !adjust(&frame, kMainWindowStyle, FALSE, 0, static_cast<UINT>(monitorDpi)))
        return fallback;
    return {frame.right - frame.left, frame.bottom - frame.top};
}

OuterSize MainWindowSizeAtProcessDpi(int clientWidth, int clientHeight) {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, kMainWindowStyle, FALSE, 0);
    return {frame.right - frame.left, frame.bottom - frame.top};
}
