#pragma once
#include <cstddef>
#include <cstdint>
#include "settings/settings_model.h"
#include "settings/settings_result.h"

// The end of a settings helper: its captured result taken into the model.

// Buffers that a completion fills; one instance lives as long as the window.
struct CompletionBuffers {
    LocationsResult locations;
    SettingsResult settings;
    wchar_t alert[kAlertTextUnits];
};

// What the window does after a settings helper has ended.
struct CompletionEffects {
    const wchar_t* statusText; // fixed text, or a text inside the CompletionBuffers
    bool alert;                // shown in the attention colour
    bool readSettingsNext;     // a game folder was chosen: read the settings of that installation
};

// Ends a settings operation (a HelperOperation): takes the helper's result into the model when it is
// accepted (and leaves the model as it was otherwise, but for the loaded flag of a rejected
// settings result) and says what to show.
CompletionEffects CompleteSettingsResult(SettingsModel& model, int operation, std::uint32_t exitCode,
                                         const char* capture, std::size_t length, CompletionBuffers& buffers);
