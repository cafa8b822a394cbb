#include "settings/catalogue.h"

namespace {

constexpr int kGameSlots = 6;
constexpr int kBuildSlots = 17;

constexpr const char* kNames[18] = {
    "Language / version",
    "Internal resolution",
    "Display mode",
    "Window resolution",
    "Image scaling",
    "VSync",
    "Performance HUD",
    "FSR 1 upscaling",
    "Texture filtering",
    "Reduce texture shimmer",
    "Reduce colour banding",
    "Supersampling",
    "3D texture smoothing (xBRZ)",
    "Local HD pack (English)",
    "Gameplay frame rate",
    "Compiler jobs",
    "Build memory cap",
    "HD processing",
};

constexpr int kGameCounts[kGameRowCount] = {2, 4, 2, 6, 3, 2, 2, 2, 5, 2, 2, 2, 6, 2, 2};
constexpr int kBuildCounts[kBuildRowCount] = {17, 8, 3};

constexpr const char* kGameLabels[kGameRowCount][kGameSlots] = {
    {"English WIP", "Japanese"},
    {"1x (480 x 272)", "2x (960 x 544)", "3x (1440 x 816)", "4x (1920 x 1088)"},
    {"Windowed", "Borderless fullscreen"},
    {"960 x 544", "1280 x 720", "1600 x 900", "1920 x 1080", "2560 x 1440", "3840 x 2160"},
    {"Sharp", "Integer", "Smooth"},
    {"Off", "On"},
    {"Off", "On"},
    {"Off", "On"},
    {"Off", "2x", "4x", "8x", "16x"},
    {"Off", "On"},
    {"Off", "On"},
    {"Off", "2x"},
    {"Off", "2x", "3x", "4x", "5x", "6x"},
    {"Off", "On"},
    {"Original 30 FPS", "Upgraded 60 FPS (experimental)"},
};

constexpr const char* kBuildLabels[kBuildRowCount][kBuildSlots] = {
    {"Auto", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"},
    {"Auto (no hard cap)", "4 GiB", "6 GiB", "8 GiB", "12 GiB", "16 GiB", "24 GiB", "32 GiB"},
    {"Standard", "Low memory", "Fast"},
};

constexpr int kGraphicsRows[] = {InternalResolution, ImageScaling, FsrUpscaling, TextureFiltering,
                                 GameplayFrameRate};
constexpr int kDisplayRows[] = {DisplayMode, WindowResolution, VSync, PerformanceHud};
constexpr int kAdvancedRows[] = {ReduceTextureShimmer, ReduceColourBanding, Supersampling, TextureSmoothing,
                                 LocalHdPack};
constexpr int kLanguageRows[] = {LanguageVersion};
constexpr int kBuildRows[] = {CompilerJobs, BuildMemoryCap, HdProcessing};

constexpr const wchar_t* kTabCaptions[7] = {L"Graphics", L"Display", L"Advanced", L"Language",
                                            L"Controls", L"Build",   L"Locations"};
constexpr const wchar_t* kPresetCaptions[3] = {L"Original", L"Balanced", L"High Quality"};

} // namespace

int SettingOptionCount(int row) {
    if (row >= 0 && row < kGameRowCount)
        return kGameCounts[row];
    if (row >= kGameRowCount && row < kGameRowCount + kBuildRowCount)
        return kBuildCounts[row - kGameRowCount];
    return 0;
}

const char* SettingName(int row) {
    return row >= 0 && row < 18 ? kNames[row] : nullptr;
}

const char* SettingOptionLabel(int row, int value) {
    if (value < 0 || value >= SettingOptionCount(row))
        return nullptr;
    return row < kGameRowCount ? kGameLabels[row][value] : kBuildLabels[row - kGameRowCount][value];
}

int TabRows(int tab, const int** rows) {
    switch (tab) {
    case GraphicsTab: *rows = kGraphicsRows; return 5;
    case DisplayTab: *rows = kDisplayRows; return 4;
    case AdvancedTab: *rows = kAdvancedRows; return 5;
    case LanguageTab: *rows = kLanguageRows; return 1;
    case BuildTab: *rows = kBuildRows; return 3;
    default: *rows = nullptr; return 0;
    }
}

const wchar_t* TabCaption(int tab) {
    return tab >= 0 && tab < 7 ? kTabCaptions[tab] : L"";
}
const wchar_t* PresetCaption(int preset) {
    return preset >= 0 && preset < 3 ? kPresetCaptions[preset] : L"";
}
