#pragma once
#include "settings/settings_model.h"

// The six commands the settings page sends to the settings helper.
enum class HelperCommand {
    SettingsRead,
    SettingsSave,
    LocationsRead,
    LocationsIso,
    LocationsGame,
    ControllerEditor
};

struct HelperCommandForm {
    int operation;              // HelperOperation recorded while it runs
    const wchar_t* statusText;  // shown while it runs
    const wchar_t* tooLongText; // shown when the command line cannot hold it
};
HelperCommandForm FormOf(HelperCommand command);

inline constexpr int kMaxHelperArguments = 26;
inline constexpr int kNumberUnits = 12; // "-2147483648" and its terminator

// The arguments after the interpreter path, in order. Items point into this record or to the
// script path and fixed texts.
struct HelperArguments {
    int count;
    const wchar_t* items[kMaxHelperArguments];
    wchar_t numbers[kRowCount][kNumberUnits];
    wchar_t versionToken[kVersionTokenLength + 1];
};
void BuildHelperArguments(HelperCommand command, const SettingsModel& model, const wchar_t* scriptPath,
                          HelperArguments* arguments);

// "%d" into a wide buffer of kNumberUnits.
void FormatDecimal(int value, wchar_t (&out)[kNumberUnits]);
