#include "shell/startup_logic.h"
#include <cwchar>

bool CutToDirectory(wchar_t* path, std::size_t maxLength) {
    wchar_t* lastBackslash = std::wcsrchr(path, L'\\');
    if (lastBackslash == nullptr)
        return false;
    *lastBackslash = L'\0';
    return static_cast<std::size_t>(lastBackslash - path) <= maxLength;
}

bool HasRavelhostSwitch(int argumentCount, const wchar_t* const* argumentArray) {
    for (int i = 1; i < argumentCount; ++i) {
        if (std::wcscmp(argumentArray[i], L"--ravelhost") == 0)
            return true;
    }
    return false;
}

WindowPlacement PlaceMainWindow(int workLeft, int workTop, int workWidth, int workHeight, int frameWidth,
                                int frameHeight, int clampMargin) {
    WindowPlacement placement{0, 0, frameWidth, frameHeight};
    // Only the height is clamped to the work area; a too-wide window keeps its width.
    if (workHeight - clampMargin < placement.height)
        placement.height = workHeight - clampMargin;
    placement.x = workLeft + (workWidth - placement.width) / 2;
    placement.y = workTop + (workHeight - placement.height) / 2;
    return placement;
}
