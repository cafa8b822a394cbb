#include "ui/outline_drawing.h"
#include "ui/drawing.h"
#include "ui/scale.h"

void FrameSolid(HDC dc, const RECT& rect, COLORREF colour) {
    const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FrameRect(dc, &rect, brush.get());
}

void DrawRoundFrame(HDC dc, const RECT& rect, COLORREF colour, int corner, int width) {
    // An inside-frame pen keeps the whole width within rect.
    const GdiObject<HPEN> pen(CreatePen(PS_INSIDEFRAME, width, colour));
    const SelectedObject penSelected(dc, pen.get());
    const SelectedObject brushSelected(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, Scaled(corner), Scaled(corner));
}

void DrawWideFocusRing(HDC dc, const RECT& rect, COLORREF colour) {
    const int inset = Scaled(3);
    const RECT ring{rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
    DrawRoundFrame(dc, ring, colour, 8, Scaled(2));
}
