#include "ui/toggle_hover.h"
#include "settings/settings_page.h"
#include "shell/control_ids.h"
#include "shell/controls.h"
#include "ui/drawing.h"
#include "ui/scale.h"
#include "ui/toggle_geometry.h"

HWND gHoveredControl = nullptr;

namespace {

// Makes the control the hovered one on its first mouse move and clears it on the leave
// notification; either change repaints the control so its look follows.
void TrackHover(HWND window, UINT message) {
    if (message == WM_MOUSEMOVE) {
        if (window == gHoveredControl)
            return;
        gHoveredControl = window;
        TRACKMOUSEEVENT leave{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
        TrackMouseEvent(&leave);
        InvalidateRect(window, nullptr, FALSE);
    } else if (message == WM_MOUSELEAVE) {
        if (window == gHoveredControl)
            gHoveredControl = nullptr;
        InvalidateRect(window, nullptr, FALSE);
    }
}

RECT ToRect(const PixelRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

void PaintToggleWindow(HWND window, HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    const bool checked = SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
    PaintToggle(dc, client.right, client.bottom, checked, IsWindowEnabled(window) != FALSE,
                GetFocus() == window);
}

// Messages after which the check box's state (checked, pushed, focus, enabled) may have changed.
// The platform's check-box procedure draws its own look straight to the screen on some of them,
// so the switch is repainted over it after each.
bool MayChangeToggleState(UINT message) {
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_CLICK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE: return true;
    default: return false;
    }
}

} // namespace

void PaintToggle(HDC dc, int width, int height, bool checked, bool enabled, bool focused) {
    const ToggleLook look = ComputeToggleLook(width, height, gUiScale, checked, enabled);
    FillSolid(dc, ToRect(look.background), Palette::Night);
    FillRoundRect(dc, ToRect(look.track), look.trackFill, look.trackBorder, kToggleTrackCorner);
    FillRoundRect(dc, ToRect(look.knob), look.knobColour, look.knobColour, kToggleKnobCorner);
    DrawTextIn(dc, L"Basic graphics", ToRect(look.label), BodyFont, look.labelColour, TextLeft);
    if (focused)
        DrawFocusRing(dc, ToRect(look.focusArea), Palette::SlateEdge);
}

LRESULT CALLBACK ButtonSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int id = GetDlgCtrlID(window);
    if (id >= kIdFirstRow && id <= kIdLastRow) {
        LRESULT result = 0;
        if (HandleSettingRowKey(window, message, wParam, &result))
            return result;
    }
    if (message == WM_MOUSEMOVE || message == WM_MOUSELEAVE)
        TrackHover(window, message);
    return CallWindowProcW(gSavedButtonProc, window, message, wParam, lParam);
}

LRESULT CALLBACK ToggleSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE: TrackHover(window, message); break;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintToggleWindow(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: PaintToggleWindow(window, reinterpret_cast<HDC>(wParam)); return 0;
    default: break;
    }
    const LRESULT result = CallWindowProcW(gSavedToggleProc, window, message, wParam, lParam);
    if (MayChangeToggleState(message))
        InvalidateRect(window, nullptr, FALSE);
    return result;
}
