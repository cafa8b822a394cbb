#pragma once
#include <cstdint>
#include "shell/control_ids.h"

// The values being edited and everything the settings helper last reported.
struct SettingsModel {
    std::int32_t current[kRowCount] = {};
    std::int32_t operation = 0;  // HelperOperation of the running helper; 0 none or launch
    std::int32_t loaded = 0;
    std::int32_t activeTab = 0;
    std::int32_t pageVisible = 0;
    std::int32_t saved[kRowCount] = {};
    char versionToken[65] = {};
    wchar_t controlsSummary[4096] = {};
    wchar_t isoPath[32768] = {};
    wchar_t gameFolderPath[32768] = {};
};
extern SettingsModel Settings;
