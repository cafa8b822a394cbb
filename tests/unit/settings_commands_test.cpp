#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <vector>
#include "settings/helper_commands.h"
#include "settings/page_commands.h"

namespace {

std::vector<std::wstring> Arguments(HelperCommand command, const SettingsModel& model) {
    auto arguments = std::make_unique<HelperArguments>();
    BuildHelperArguments(command, model, L"C:\\Game\\tools\\launcher_locations.py", arguments.get());
    return std::vector<std::wstring>(arguments->items, arguments->items + arguments->count);
}

TEST(HelperArguments, EachCommandInItsForm) {
    auto model = std::make_unique<SettingsModel>();
    const int values[kRowCount] = {1, 3, 0, 5, 2, 1, 0, 1, 4, 1, 0, 1, 3, 0, 1, 16, 7, 2};
    std::copy(std::begin(values), std::end(values), model->current);
    std::copy(std::begin(values), std::end(values), model->saved);
    model->current[CompilerJobs] = 12;
    std::snprintf(model->versionToken, sizeof model->versionToken, "%s", "missing");
    const std::wstring script = L"C:\\Game\\tools\\launcher_locations.py";

    struct Case {
        HelperCommand command;
        std::vector<std::wstring> expected;
        int operation;
    } cases[] = {
        {HelperCommand::SettingsRead, {L"-u", script, L"--settings", L"--read", L"--include-build"}, 1},
        {HelperCommand::SettingsSave,
         {L"-u",         script,
          L"--settings", L"--save",
          L"1",          L"3",
          L"0",          L"5",
          L"2",          L"1",
          L"0",          L"1",
          L"4",          L"1",
          L"0",          L"1",
          L"3",          L"0",
          L"1",          L"--expected",
          L"missing",    L"--build-codes",
          L"12",         L"7",
          L"2",          L"--include-build"},
         2},
        {HelperCommand::LocationsRead, {L"-u", script, L"read"}, 3},
        {HelperCommand::LocationsIso, {L"-u", script, L"iso"}, 4},
        {HelperCommand::LocationsGame, {L"-u", script, L"game"}, 5},
        {HelperCommand::ControllerEditor,
         {L"-u", script, L"--settings", L"--edit-controls", L"--include-build"},
         6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Arguments(c.command, *model), c.expected) << c.operation;
        EXPECT_EQ(FormOf(c.command).operation, c.operation);
    }
    EXPECT_EQ(Arguments(HelperCommand::SettingsSave, *model).size(),
              static_cast<size_t>(kMaxHelperArguments));
    EXPECT_STREQ(FormOf(HelperCommand::SettingsSave).tooLongText, L"The settings command is too long.");
    EXPECT_STREQ(FormOf(HelperCommand::LocationsGame).tooLongText, L"The location command is too long.");
    EXPECT_STREQ(FormOf(HelperCommand::ControllerEditor).tooLongText,
                 L"The controller editor command is too long.");
}

TEST(HelperArguments, SavesTheHexTokenAsItCame) {
    auto model = std::make_unique<SettingsModel>();
    const char* token = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";
    std::snprintf(model->versionToken, sizeof model->versionToken, "%s", token);
    const std::vector<std::wstring> arguments = Arguments(HelperCommand::SettingsSave, *model);
    ASSERT_EQ(arguments[19], L"--expected");
    EXPECT_EQ(arguments[20], std::wstring(token, token + 64));
}

TEST(FormatDecimal, SignedDecimalLikePrintf) {
    struct Case {
        int value;
        const wchar_t* expected;
    } cases[] = {
        {0, L"0"}, {16, L"16"}, {-1, L"-1"}, {2147483647, L"2147483647"}, {-2147483647 - 1, L"-2147483648"}};
    for (const Case& c : cases) {
        wchar_t text[kNumberUnits];
        FormatDecimal(c.value, text);
        EXPECT_STREQ(text, c.expected);
    }
}

TEST(DecidePageAction, EveryGuard) {
    enum State { Hidden, Unloaded, Ready, Edited };
    struct Case {
        const char* what;
        State state;
        int tab;
        bool helperRunning;
        int id;
        bool rowVisible;
        PageAction expected;
    } cases[] = {
        {"open from home", Hidden, 0, false, kIdSettings, false, PageAction::OpenPage},
        {"open on the page", Ready, 0, false, kIdSettings, false, PageAction::OpenPage},
        {"open while a helper runs", Hidden, 0, true, kIdSettings, false, PageAction::None},
        {"page ids ignored at home", Hidden, 0, false, kIdBack, false, PageAction::None},
        {"row at home", Hidden, 0, false, kIdFirstRow + 1, true, PageAction::None},
        {"back", Unloaded, 0, false, kIdBack, false, PageAction::LeavePage},
        {"back while a helper runs", Ready, 0, true, kIdBack, false, PageAction::None},
        {"save with changes", Edited, 0, false, kIdSaveSettings, false, PageAction::Save},
        {"save without changes", Ready, 0, false, kIdSaveSettings, false, PageAction::None},
        {"save while saving", Edited, 0, true, kIdSaveSettings, false, PageAction::None},
        {"tab before loading", Unloaded, 0, false, kIdFirstTab + int{DisplayTab}, false, PageAction::None},
        {"locations before loading", Unloaded, 0, false, kIdFirstTab + int{LocationsTab}, false,
         PageAction::SelectTab},
        {"locations again", Ready, LocationsTab, false, kIdFirstTab + int{LocationsTab}, false,
         PageAction::SelectTab},
        {"tab when loaded", Ready, 0, false, kIdFirstTab + int{BuildTab}, false, PageAction::SelectTab},
        {"tab while a helper runs", Ready, 0, true, kIdFirstTab + int{LocationsTab}, false, PageAction::None},
        {"visible row", Ready, 0, false, kIdFirstRow + 1, true, PageAction::CycleRow},
        {"row of another tab", Ready, 0, false, kIdFirstRow + 2, false, PageAction::None},
        {"preset on Language", Ready, LanguageTab, false, kIdFirstPreset + 1, false, PageAction::ApplyPreset},
        {"preset with changes", Edited, LanguageTab, false, kIdLastPreset, false, PageAction::ApplyPreset},
        {"preset on another tab", Ready, GraphicsTab, false, kIdFirstPreset, false, PageAction::None},
        {"preset before loading", Unloaded, LanguageTab, false, kIdFirstPreset, false, PageAction::None},
        {"ISO", Ready, LocationsTab, false, kIdSelectIso, false, PageAction::SelectIso},
        {"ISO before loading", Unloaded, LocationsTab, false, kIdSelectIso, false, PageAction::SelectIso},
        {"ISO with changes", Edited, LocationsTab, false, kIdSelectIso, false, PageAction::None},
        {"game folder", Ready, LocationsTab, false, kIdSelectGameFolder, false, PageAction::SelectGameFolder},
        {"game folder with changes", Edited, LocationsTab, false, kIdSelectGameFolder, false,
         PageAction::None},
        {"game folder on another tab", Ready, BuildTab, false, kIdSelectGameFolder, false, PageAction::None},
        {"controller editor", Ready, ControlsTab, false, kIdEditControllerBindings, false,
         PageAction::EditControllerBindings},
        {"controller editor with changes", Edited, ControlsTab, false, kIdEditControllerBindings, false,
         PageAction::None},
        {"controller editor before loading", Unloaded, ControlsTab, false, kIdEditControllerBindings, false,
         PageAction::None},
        {"controller editor while busy", Ready, ControlsTab, true, kIdEditControllerBindings, false,
         PageAction::None},
        {"play on the page", Ready, 0, false, kIdPlay, false, PageAction::None},
    };
    for (const Case& c : cases) {
        auto model = std::make_unique<SettingsModel>();
        model->pageVisible = c.state != Hidden;
        model->loaded = c.state == Ready || c.state == Edited;
        model->activeTab = c.tab;
        if (c.state == Edited)
            model->current[CompilerJobs] = 3;
        EXPECT_EQ(DecidePageAction(*model, c.id, c.helperRunning, c.rowVisible), c.expected) << c.what;
    }
}

} // namespace
