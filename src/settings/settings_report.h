#pragma once

// What the window shows on the status line after a settings step; a null text leaves it as it is.
struct SettingsReport {
    const wchar_t* statusText;
    bool alert; // shown in the attention colour
};
