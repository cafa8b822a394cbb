#pragma once
#include <windows.h>
#include <cstdint>

// WM_COMMAND for the settings controls (Settings on either page; Back, Save, tabs, rows, presets,
// the location and editor buttons).
void OnSettingsCommand(int controlId);
// Left/Right on a setting row; true when the message was consumed (result in *result).
bool HandleSettingRowKey(HWND row, UINT message, WPARAM wParam, LRESULT* result);
// Starts a settings helper for the operation with a complete command line; statusText is shown
// while it runs.
void StartSettingsHelper(const wchar_t* interpreterPath, wchar_t* commandLine, int operation,
                         const wchar_t* statusText);
// A settings helper running the operation has ended with this exit code.
void OnSettingsHelperEnded(int operation, std::uint32_t exitCode);
