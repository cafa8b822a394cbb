#include "ui/drawing.h"
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

void CreateFonts() {
    DeleteFonts();
    for (int role = 0; role < kFontRoleCount; ++role) {
        gFonts[role] = CreateUiFont(kFontRoles[role].size, kFontRoles[role].weight, kFontRoles[role].face);
    }
}

void FillRoundRect(HDC dc, const RECT& rect, COLORREF fill, COLORREF border, int corner) {
    const GdiObject<HBRUSH> brush(CreateSolidBrush(fill));
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, border));
    const SelectedObject brushSelected(dc, brush.get());
    const SelectedObject penSelected(dc, pen.get());
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, Scaled(corner), Scaled(corner));
}

void DrawFocusRing(HDC dc, const RECT& rect, COLORREF colour) {
    const int inset = Scaled(3);
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    const SelectedObject penSelected(dc, pen.get());
    const SelectedObject brushSelected(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset, Scaled(8),
              Scaled(8));
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int width) {
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, width, colour));
    const SelectedObject penSelected(dc, pen.get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void DrawTextIn(HDC dc, const wchar_t* text, const RECT& rect, FontRole role, COLORREF colour,
                TextPreset preset) {
    const SelectedObject fontSelected(dc, gFonts[role]);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT area = rect;
    DrawTextW(dc, text, -1, &area, preset);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.get());
}
