#include "settings/settings_geometry.h"
#include "text/format_text.h"
#include "text/utf8.h"
#include "ui/scale.h"

SettingsGeometry ComputeSettingsGeometry(int clientWidth, int clientHeight, int uiScale, int activeTab) {
    auto s = [uiScale](int n) { return ScaledAt(n, uiScale); };
    auto y = [clientHeight](int n) { return CanvasYFor(n, clientHeight); };
    const int left = s(356);
    const int width = clientWidth - s(356) - s(36);

    SettingsGeometry g{};
    g.back = {left, y(490), s(90), y(34)};
    g.save = {left + width - s(148), y(490), s(148), y(34)};

    const int gap = s(4);
    const int tabWidth = (width - 6 * gap) / 7;
    for (int i = 0; i < kTabCount; ++i)
        g.tabs[i] = {left + i * (tabWidth + gap), y(198), tabWidth, y(34)};

    const int* rows = nullptr;
    const int rowCount = TabRows(activeTab, &rows);
    for (int slot = 0; slot < rowCount; ++slot)
        g.rows[rows[slot]] = {left, y(244 + 43 * slot), width, y(38)};

    const int presetWidth = (width - s(16)) / 3;
    for (int j = 0; j < kPresetCount; ++j)
        g.presets[j] = {left + j * (presetWidth + s(8)), y(317), presetWidth, y(38)};

    g.selectIso = {left, y(298), width, y(36)};
    g.selectGameFolder = {left, y(404), width, y(36)};
    g.editControllerBindings = {left, y(429), width, y(32)};
    return g;
}

void FormatRowCaption(int row, int value, wchar_t (&out)[kRowCaptionUnits]) {
    const char* name = SettingName(row);
    const char* label = SettingOptionLabel(row, value);
    char caption[kRowCaptionUnits];
    if (name == nullptr || label == nullptr) {
        out[0] = L'\0';
        return;
    }
    JoinBytes(caption, sizeof caption, {name, ": ", label});
    if (!Utf8ToWideStrict(caption, out, kRowCaptionUnits))
        out[0] = L'\0';
}
