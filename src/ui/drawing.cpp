#include "ui/drawing.h"
#include <initializer_list>
#include "shell/app_state.h"
#include "shell/controls.h"
#include "ui/scale.h"

HFONT gFonts[kFontRoleCount] = {};

HFONT CreateUiFont(int size, int weight, const wchar_t* face) {
    return CreateFontW(-Scaled(size), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

void DeleteFonts() {
    // The handles are not reset: the next RebuildFonts overwrites them.
    for (HFONT font : gFonts) {
        if (font != nullptr)
            DeleteObject(font);
    }
}

namespace {

void GiveFont(HWND control, FontRole role) {
    if (control != nullptr)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(gFonts[role]), 1);
}

} // namespace

void RebuildFonts() {
    DeleteFonts();
    for (int role = 0; role < kFontRoleCount; ++role) {
        gFonts[role] = CreateUiFont(kFontRoles[role].size, kFontRoles[role].weight, kFontRoles[role].face);
    }
    const ControlSet& c = gControls;
    GiveFont(c.statusLine, BodyFont);
    GiveFont(c.outputPane, MonoFont);
    for (HWND control :
         {c.play, c.basicGraphics, c.launchDetails, c.openLog, c.settings, c.back, c.saveSettings}) {
        GiveFont(control, BodyFont);
    }
    for (HWND tab : c.tabs)
        GiveFont(tab, BodyFont);
    for (HWND row : c.rows)
        GiveFont(row, BodyFont);
    for (HWND preset : c.presets)
        GiveFont(preset, BodyFont);
    for (HWND control : {c.selectIso, c.selectGameFolder, c.editControllerBindings})
        GiveFont(control, BodyFont);
}

void FillRoundRect(HDC dc, const RECT& rect, COLORREF fill, COLORREF border, int corner) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, border);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, Scaled(corner), Scaled(corner));
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void DrawFocusRing(HDC dc, const RECT& rect, COLORREF colour) {
    const int inset = Scaled(3);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset, Scaled(8),
              Scaled(8));
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(pen);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int width) {
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

void DrawTextIn(HDC dc, const wchar_t* text, const RECT& rect, FontRole role, COLORREF colour,
                TextPreset preset) {
    HGDIOBJ previous = SelectObject(dc, gFonts[role]);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT area = rect;
    DrawTextW(dc, text, -1, &area, preset);
    SelectObject(dc, previous);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

namespace {

RECT MainClient() {
    RECT client{};
    GetClientRect(gMainWindow, &client);
    return client;
}

} // namespace

int CanvasY(int n) {
    return CanvasYFor(n, MainClient().bottom);
}
int ContentLeft() {
    return Scaled(356);
}
int ContentWidth() {
    return MainClient().right - Scaled(356) - Scaled(36);
}
