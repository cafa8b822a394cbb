#pragma once
#include "settings/settings_model.h"
#include "ui/screen_elements.h"

// What the settings page's content column shows besides its rows and buttons.
struct SettingsPageView {
    int clientWidth, clientHeight, uiScale;
    bool tabEnabled[kTabCount]; // a tab is unavailable while a helper runs
};

// The settings page's elements in reading order: the heading, the seven tabs (the active one
// selected), the active tab's texts (notes, controls summary, locations), its hint and the footer.
// The controls summary is copied into the list's store and cut into its lines there.
void DescribeSettingsPage(const SettingsModel& model, const SettingsPageView& view, ScreenElements& out);
