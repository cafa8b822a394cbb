#include "settings/helper_commands.h"
#include <iterator>
#include "text/utf8.h"

HelperCommandForm FormOf(HelperCommand command) {
    constexpr const wchar_t* kSettingsTooLong = L"The settings command is too long.";
    constexpr const wchar_t* kLocationTooLong = L"The location command is too long.";
    switch (command) {
    case HelperCommand::SettingsRead:
        return {LoadSettingsOperation, L"Loading your saved settings...", kSettingsTooLong};
    case HelperCommand::SettingsSave:
        return {SaveSettingsOperation, L"Saving your settings...", kSettingsTooLong};
    case HelperCommand::LocationsRead:
        return {ReadLocationsOperation, L"Reading your saved file locations...", kLocationTooLong};
    case HelperCommand::LocationsIso:
        return {SelectIsoOperation, L"Select your ISO. Its full SHA256 will be checked before saving.",
                kLocationTooLong};
    case HelperCommand::LocationsGame:
        return {SelectGameFolderOperation, L"Select the existing game folder. Nothing will be moved.",
                kLocationTooLong};
    case HelperCommand::ControllerEditor:
        return {EditControlsOperation, L"Edit your controller bindings in the controller window.",
                L"The controller editor command is too long."};
    }
    return {NoHelperOperation, L"", L""};
}

void FormatDecimal(int value, wchar_t (&out)[kNumberUnits]) {
    wchar_t reversed[kNumberUnits];
    int count = 0;
    // Negated as a 64-bit value, so the smallest integer has a magnitude too.
    long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
    do {
        reversed[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int at = 0;
    if (value < 0)
        out[at++] = L'-';
    while (count > 0)
        out[at++] = reversed[--count];
    out[at] = L'\0';
}

void BuildHelperArguments(HelperCommand command, const SettingsModel& model, const wchar_t* scriptPath,
                          HelperArguments* arguments) {
    HelperArguments& a = *arguments;
    a.count = 0;
    auto add = [&a](const wchar_t* item) { a.items[a.count++] = item; };
    add(L"-u");
    add(scriptPath);
    switch (command) {
    case HelperCommand::SettingsRead:
        add(L"--settings");
        add(L"--read");
        add(L"--include-build");
        break;
    case HelperCommand::SettingsSave:
        add(L"--settings");
        add(L"--save");
        for (int row = 0; row < kRowCount; ++row)
            FormatDecimal(model.current[row], a.numbers[row]);
        for (int row = 0; row < kGameRowCount; ++row)
            add(a.numbers[row]);
        add(L"--expected");
        if (!Utf8ToWideStrict(model.versionToken, a.versionToken, std::size(a.versionToken))) {
            a.versionToken[0] = L'\0';
        }
        add(a.versionToken);
        add(L"--build-codes");
        for (int row = kGameRowCount; row < kRowCount; ++row)
            add(a.numbers[row]);
        add(L"--include-build");
        break;
    case HelperCommand::LocationsRead: add(L"read"); break;
    case HelperCommand::LocationsIso: add(L"iso"); break;
    case HelperCommand::LocationsGame: add(L"game"); break;
    case HelperCommand::ControllerEditor:
        add(L"--settings");
        add(L"--edit-controls");
        add(L"--include-build");
        break;
    }
}
