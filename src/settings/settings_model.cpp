#include "settings/settings_model.h"
#include <algorithm>
#include <initializer_list>
#include <iterator>

SettingsModel gSettings;

bool HasUnsavedChanges(const SettingsModel& model) {
    return model.loaded &&
           !std::equal(std::begin(model.current), std::end(model.current), std::begin(model.saved));
}

bool CycleSetting(SettingsModel& model, int row, int delta, bool helperRunning) {
    if (!model.pageVisible || !model.loaded || helperRunning)
        return false;
    if (row < 0 || row >= kRowCount)
        return false;
    if (row == WindowResolution && model.current[DisplayMode] != 0)
        return false;
    const int count = SettingOptionCount(row);
    int value = model.current[row] + delta;
    if (delta == 0) {
        value = (value + 1) % count;
    } else if (value < 0 || value >= count) {
        return false;
    }
    model.current[row] = value;
    return true;
}

void ApplyPreset(SettingsModel& model, int preset) {
    std::int32_t* values = model.current;
    if (preset == HighQualityPreset) {
        values[InternalResolution] = 3;
        values[FsrUpscaling] = 1;
        values[TextureFiltering] = 4;
        values[ReduceTextureShimmer] = 1;
        values[ReduceColourBanding] = 1;
        values[Supersampling] = 1;
        values[TextureSmoothing] = 3;
        return;
    }
    if (preset != OriginalPreset && preset != BalancedPreset)
        return;
    std::int32_t before[kGameRowCount];
    std::copy_n(values, kGameRowCount, before);
    std::fill_n(values, kGameRowCount, 0);
    values[LanguageVersion] = before[LanguageVersion];
    values[VSync] = 1;
    if (preset == BalancedPreset) {
        values[InternalResolution] = 1;
        values[TextureFiltering] = 2;
        for (int row : {DisplayMode, WindowResolution, PerformanceHud, LocalHdPack, GameplayFrameRate}) {
            values[row] = before[row];
        }
    }
}

void DiscardEdits(SettingsModel& model) {
    std::copy(std::begin(model.saved), std::end(model.saved), model.current);
}
