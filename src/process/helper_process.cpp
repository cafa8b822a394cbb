#include "process/helper_process.h"

HelperProcess Helper;

void StartSettingsHelper(const wchar_t*, wchar_t*, int, const wchar_t*) {}
bool SpawnLauncher(const wchar_t*, wchar_t*) { return false; }
void PumpHelperOutput(HWND) {}
