#pragma once
#include <windows.h>
#include <cstdint>

// WM_COMMAND for the settings controls (106 on either page; 107, 108, tabs, rows, presets, 240-242).
void OnSettingsCommand(int controlId);
// Left/Right on a setting row; true when the message was consumed (result in *result).
bool HandleSettingRowKey(HWND row, UINT message, WPARAM wParam, LRESULT* result);
// A settings helper running the operation (a HelperOperation) has ended with this exit code.
void CompleteSettingsOperation(int operation, std::uint32_t exitCode);
// Places, shows, enables and captions the settings page's controls; called by LayoutHomePage.
void LayoutSettingsPage();
// Draws the settings page's texts into the content column.
void PaintSettingsPage(HDC dc, int left, int width);
