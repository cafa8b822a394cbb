#include "ui/toggle_hover.h"
#include "ui/drawing.h"
#include "ui/outline_drawing.h"
#include "ui/scale.h"
#include "ui/toggle_geometry.h"

HWND gHoveredControl = nullptr;

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

void PaintToggle(HDC dc, int width, int height, bool checked, bool enabled, bool focused) {
    const ToggleLook look = ComputeToggleLook(width, height, gUiScale, checked, enabled, gColourScheme);
    FillSolid(dc, ToRect(look.background), look.backgroundColour);
    FillRoundRect(dc, ToRect(look.track), look.trackFill, look.trackBorder, kToggleTrackCorner);
    FillRoundRect(dc, ToRect(look.knob), look.knobColour, look.knobColour, kToggleKnobCorner);
    DrawTextIn(dc, L"Basic graphics", ToRect(look.label), BodyFont, look.labelColour, TextLeft);
    if (focused && look.wideFocusRing) {
        DrawWideFocusRing(dc, ToRect(look.focusArea), look.focusColour);
    } else if (focused) {
        DrawFocusRing(dc, ToRect(look.focusArea), look.focusColour);
    }
}

void PaintToggleWindow(HWND window, HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    const bool checked = SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
    PaintToggle(dc, client.right, client.bottom, checked, IsWindowEnabled(window) != FALSE,
                GetFocus() == window);
}
