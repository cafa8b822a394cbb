#pragma once
#include <cstddef>

// Cuts a module path at its last backslash, in place. False when there is none or the
// remaining directory is longer than maxLength characters.
bool CutToDirectory(wchar_t* path, std::size_t maxLength);

// True when any argument after the program name is exactly "--ravelhost".
bool HasRavelhostSwitch(int argumentCount, const wchar_t* const* argumentArray);

// Window position and size for the design canvas in a work area (the height clamp and centring).
struct WindowPlacement {
    int x, y, width, height;
};
WindowPlacement PlaceMainWindow(int workLeft, int workTop, int workWidth, int workHeight, int frameWidth,
                                int frameHeight, int clampMargin);
