#pragma once
#include <windows.h>
#include "ui/theme.h"

// The FontSet: seven fonts, alive until the next scale change.
extern HFONT gFonts[kFontRoleCount];

HFONT CreateUiFont(int size, int weight, const wchar_t* face);
// Deletes the current fonts, creates all roles at gUiScale and gives the child controls theirs.
void RebuildFonts();
void DeleteFonts();

void FillRoundRect(HDC dc, const RECT& rect, COLORREF fill, COLORREF border, int corner);
void DrawFocusRing(HDC dc, const RECT& rect, COLORREF colour);
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int width);
// The text convention of every painter: role font, transparent background, colour, one preset.
void DrawTextIn(HDC dc, const wchar_t* text, const RECT& rect, FontRole role, COLORREF colour,
                TextPreset preset);
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// Vertical canvas position for the main window's current client height.
int CanvasY(int n);
// The content column: left edge and width for the main window's current client width.
int ContentLeft();
int ContentWidth();
