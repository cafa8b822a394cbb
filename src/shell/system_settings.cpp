#include "shell/system_settings.h"
#include <windows.h>

bool gClientAreaAnimation = true;

SystemSettings ReadSystemSettings() {
    SystemSettings s{};
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    s.highContrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != FALSE &&
                     (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    s.colours = {GetSysColor(COLOR_WINDOW),    GetSysColor(COLOR_WINDOWTEXT),
                 GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT),
                 GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_BTNTEXT),
                 GetSysColor(COLOR_GRAYTEXT),  GetSysColor(COLOR_HOTLIGHT)};
    BOOL animation = TRUE;
    if (!SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animation, 0))
        animation = TRUE;
    s.clientAreaAnimation = animation != FALSE;
    return s;
}
