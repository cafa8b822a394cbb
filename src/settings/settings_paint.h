#pragma once
#include <windows.h>

// Draws the settings page's texts into the content column for the main window's client height.
void PaintSettingsPage(HDC dc, int left, int width, int clientHeight);
