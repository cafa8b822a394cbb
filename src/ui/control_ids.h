#pragma once

// Identifiers of the main window's child controls. The status line has none (0).
enum ControlId : int {
    kIdPlay = 101,
    kIdBasicGraphics = 102,
    kIdOpenLog = 103,
    kIdOutputPane = 104,
    kIdLaunchDetails = 105,
    kIdSettings = 106,
    kIdBack = 107,
    kIdSaveSettings = 108,
    kIdFirstTab = 120, // 120 + SettingsTab, seven tabs
    kIdLastTab = 126,
    kIdFirstRow = 200, // 200 + SettingRow, eighteen rows
    kIdLastRow = 217,
    kIdFirstPreset = 230, // Original, Balanced, High Quality
    kIdLastPreset = 232,
    kIdSelectIso = 240,
    kIdSelectGameFolder = 241,
    kIdEditControllerBindings = 242,
};

inline constexpr int kTabCount = 7;
inline constexpr int kRowCount = 18;
inline constexpr int kPresetCount = 3;
