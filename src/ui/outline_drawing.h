#pragma once
#include <windows.h>

// Outlines that show state by shape where colour alone must not carry it (high contrast).

// A 1-pixel rectangular frame just inside rect.
void FrameSolid(HDC dc, const RECT& rect, COLORREF colour);
// A rounded outline of width pixels just inside rect (corner as FillRoundRect's); the inside is
// left untouched.
void DrawRoundFrame(HDC dc, const RECT& rect, COLORREF colour, int corner, int width);
// The focus ring of DrawFocusRing (inset Scaled(3), corner 8), two pixels wide.
void DrawWideFocusRing(HDC dc, const RECT& rect, COLORREF colour);
