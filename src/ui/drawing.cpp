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

bool MakeKeptCanvas(HDC like, int width, int height, KeptCanvas* canvas) {
    ReleaseKeptCanvas(canvas);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // top-down, like the screen
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    canvas->dc = CreateCompatibleDC(like);
    canvas->bitmap = CreateDIBSection(like, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (canvas->dc == nullptr || canvas->bitmap == nullptr) {
        ReleaseKeptCanvas(canvas);
        return false;
    }
    canvas->previousBitmap = SelectObject(canvas->dc, canvas->bitmap);
    return true;
}

void ReleaseKeptCanvas(KeptCanvas* canvas) {
    if (canvas->dc != nullptr && canvas->previousBitmap != nullptr)
        SelectObject(canvas->dc, canvas->previousBitmap);
    if (canvas->bitmap != nullptr)
        DeleteObject(canvas->bitmap);
    if (canvas->dc != nullptr)
        DeleteDC(canvas->dc);
    *canvas = KeptCanvas{};
}

void CreateFonts() {
    DeleteFonts();
    for (int role = 0; role < kFontRoleCount; ++role) {
        gFonts[role] = CreateUiFont(kFontRoles[role].size, kFontRoles[role].weight, kFontRoles[role].face);
    }
}

namespace {

// The device context's own brush and pen in a colour for one primitive call: no object is made.
class DcBrushColour {
  public:
    DcBrushColour(HDC dc, COLORREF colour)
        : dc_(dc), previous_(SetDCBrushColor(dc, colour)), selected_(dc, GetStockObject(DC_BRUSH)) {}
    ~DcBrushColour() { SetDCBrushColor(dc_, previous_); }
    DcBrushColour(const DcBrushColour&) = delete;
    DcBrushColour& operator=(const DcBrushColour&) = delete;

  private:
    HDC dc_;
    COLORREF previous_;
    SelectedObject selected_;
};

class DcPenColour {
  public:
    DcPenColour(HDC dc, COLORREF colour)
        : dc_(dc), previous_(SetDCPenColor(dc, colour)), selected_(dc, GetStockObject(DC_PEN)) {}
    ~DcPenColour() { SetDCPenColor(dc_, previous_); }
    DcPenColour(const DcPenColour&) = delete;
    DcPenColour& operator=(const DcPenColour&) = delete;

  private:
    HDC dc_;
    COLORREF previous_;
    SelectedObject selected_;
};

} // namespace

bool OutsidePaint(HDC dc, const RECT& rect) {
    return RectVisible(dc, &rect) == FALSE;
}

void FillRoundRect(HDC dc, const RECT& rect, COLORREF fill, COLORREF border, int corner) {
    if (OutsidePaint(dc, rect))
        return;
    const DcBrushColour brush(dc, fill);
    const DcPenColour pen(dc, border);
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, Scaled(corner), Scaled(corner));
}

void DrawFocusRing(HDC dc, const RECT& rect, COLORREF colour) {
    const int inset = Scaled(3);
    const DcPenColour pen(dc, colour);
    const SelectedObject brushSelected(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset, Scaled(8),
              Scaled(8));
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int width) {
    // The segment's box, grown by the pen's reach on every side.
    const int reach = width / 2 + 1;
    const RECT box{(x1 < x2 ? x1 : x2) - reach, (y1 < y2 ? y1 : y2) - reach, (x1 > x2 ? x1 : x2) + reach,
                   (y1 > y2 ? y1 : y2) + reach};
    if (OutsidePaint(dc, box))
        return;
    auto line = [&] {
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
    };
    if (width <= 1) {
        const DcPenColour pen(dc, colour);
        line();
        return;
    }
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, width, colour));
    const SelectedObject penSelected(dc, pen.get());
    line();
}

void DrawTextIn(HDC dc, const wchar_t* text, const RECT& rect, FontRole role, COLORREF colour,
                TextPreset preset) {
    // The text is clipped to its rectangle (no DT_NOCLIP among the presets).
    if (OutsidePaint(dc, rect))
        return;
    const SelectedObject fontSelected(dc, gFonts[role]);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT area = rect;
    DrawTextW(dc, text, -1, &area, preset);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    if (OutsidePaint(dc, rect))
        return;
    const COLORREF previous = SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, previous);
}
