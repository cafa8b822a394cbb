#pragma once

// The eighteen settings: rows 0-14 are read by the game, rows 15-17 by the first-time setup.
enum SettingRow : int {
    LanguageVersion,
    InternalResolution,
    DisplayMode,
    WindowResolution,
    ImageScaling,
    VSync,
    PerformanceHud,
    FsrUpscaling,
    TextureFiltering,
    ReduceTextureShimmer,
    ReduceColourBanding,
    Supersampling,
    TextureSmoothing,
    LocalHdPack,
    GameplayFrameRate,
    CompilerJobs,
    BuildMemoryCap,
    HdProcessing,
};
inline constexpr int kGameRowCount = 15;
inline constexpr int kBuildRowCount = 3;

enum SettingsTab : int {
    GraphicsTab,
    DisplayTab,
    AdvancedTab,
    LanguageTab,
    ControlsTab,
    BuildTab,
    LocationsTab
};
enum SettingsPreset : int { OriginalPreset, BalancedPreset, HighQualityPreset };

int SettingOptionCount(int row);
// UTF-8 name of a row; null for a row outside 0..17.
const char* SettingName(int row);
// UTF-8 label of a value of a row; null when the value is not below the row's count.
const char* SettingOptionLabel(int row, int value);
// The rows of a tab in slot order; returns their count (0 for Controls and Locations).
int TabRows(int tab, const int** rows);
const wchar_t* TabCaption(int tab);
const wchar_t* PresetCaption(int preset);
