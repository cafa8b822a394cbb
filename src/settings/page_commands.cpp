#include "settings/page_commands.h"

PageAction DecidePageAction(const SettingsModel& model, int id, bool helperRunning, bool rowVisible) {
    const bool idle = !helperRunning;
    if (id == kIdSettings)
        return idle ? PageAction::OpenPage : PageAction::None;
    if (!model.pageVisible)
        return PageAction::None;
    const bool unsaved = HasUnsavedChanges(model);
    auto when = [](bool condition, PageAction action) { return condition ? action : PageAction::None; };
    if (id == kIdBack)
        return when(idle, PageAction::LeavePage);
    if (id == kIdSaveSettings)
        return when(idle && unsaved, PageAction::Save);
    if (id >= kIdFirstTab && id <= kIdLastTab) {
        return when(idle && (model.loaded || id - kIdFirstTab == LocationsTab), PageAction::SelectTab);
    }
    if (id >= kIdFirstRow && id <= kIdLastRow)
        return when(rowVisible, PageAction::CycleRow);
    if (id >= kIdFirstPreset && id <= kIdLastPreset) {
        return when(idle && model.loaded && model.activeTab == LanguageTab, PageAction::ApplyPreset);
    }
    const bool locationsIdle = idle && model.activeTab == LocationsTab && !unsaved;
    if (id == kIdSelectIso)
        return when(locationsIdle, PageAction::SelectIso);
    if (id == kIdSelectGameFolder)
        return when(locationsIdle, PageAction::SelectGameFolder);
    if (id == kIdEditControllerBindings) {
        return when(idle && model.activeTab == ControlsTab && model.loaded && !unsaved,
                    PageAction::EditControllerBindings);
    }
    return PageAction::None;
}

void OpenPage(SettingsModel& model) {
    model.pageVisible = 1;
    model.activeTab = GraphicsTab;
    model.loaded = 0;
}

SettingsReport LeavePage(SettingsModel& model) {
    DiscardEdits(model);
    model.pageVisible = 0;
    return {L"Game files will be checked before launch.", false};
}

SettingsReport EditedReport(const SettingsModel& model) {
    return {HasUnsavedChanges(model) ? L"Unsaved changes. Save to use these settings on your next launch."
                                     : L"These settings are shared with the in-game menu.",
            false};
}
