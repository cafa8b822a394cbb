#include "settings/settings_page.h"

void OnSettingsCommand(int) {}
bool HandleSettingRowKey(HWND, UINT, WPARAM, LRESULT*) { return false; }
void CompleteSettingsOperation(std::uint32_t) {}
void LayoutSettingsPage() {}
void PaintSettingsPage(HDC, int, int) {}
