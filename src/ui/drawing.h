#pragma once
#include <windows.h>
#include "ui/pixel_geometry.h"
#include "ui/theme.h"

// A GDI object made for one drawing step, deleted when its scope ends. Declared before the
// SelectedObject that selects it, so it is deselected first.
template <typename Handle> class GdiObject {
  public:
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() {
        if (handle_ != nullptr)
            DeleteObject(handle_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Handle get() const { return handle_; }

  private:
    Handle handle_;
};

// Selects an object into a device context for one scope and puts the previous one back at its end.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory device context compatible with another, deleted when its scope ends.
class MemoryDc {
  public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() {
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// A memory device context with a 32-bpp top-down DIB section in it, kept from one paint to another.
// A DIB section's pixels are pages of their own that go back to the system when it is deleted, where
// a compatible bitmap's may come from a heap that keeps them.
struct KeptCanvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
};
// Makes the canvas, compatible with like; false, with nothing held, when the system refuses.
bool MakeKeptCanvas(HDC like, int width, int height, KeptCanvas* canvas);
void ReleaseKeptCanvas(KeptCanvas* canvas);

inline RECT ToRect(const PixelRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}
inline PixelRect ToPixelRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The FontSet: seven fonts, alive until the next scale change.
extern HFONT gFonts[kFontRoleCount];

HFONT CreateUiFont(int size, int weight, const wchar_t* face);
// Deletes the current fonts and creates all roles at gUiScale.
void CreateFonts();
void DeleteFonts();

// Nothing of the rectangle lies in the part of the device context being painted: drawing it would
// change no pixel. Painters skip such calls, so a paint of a small strip costs little.
bool OutsidePaint(HDC dc, const RECT& rect);

void FillRoundRect(HDC dc, const RECT& rect, COLORREF fill, COLORREF border, int corner);
void DrawFocusRing(HDC dc, const RECT& rect, COLORREF colour);
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int width);
// The text convention of every painter: role font, transparent background, colour, one preset.
void DrawTextIn(HDC dc, const wchar_t* text, const RECT& rect, FontRole role, COLORREF colour,
                TextPreset preset);
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);
