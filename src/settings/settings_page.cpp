#include "settings/settings_page.h"
#include "launch/launch_commands.h"
#include "process/helper_process.h"
#include "settings/page_commands.h"
#include "settings/settings_helper.h"
#include "settings/settings_model.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "shell/status_line.h"
#include "ui/home_layout.h"

namespace {

void RedrawAll() {
    RedrawWindow(gMainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void NoteSettingsEdited() {
    SetStatus(HasUnsavedChanges() ? L"Unsaved changes. Save to use these settings on your next launch."
                                  : L"These settings are shared with the in-game menu.");
    LayoutHomePage();
    RedrawAll();
}

void OpenSettingsPage() {
    gSettings.pageVisible = 1;
    gSettings.activeTab = GraphicsTab;
    gSettings.loaded = 0;
    gLaunchDetailsVisible = false;
    LayoutHomePage();
    StartSettingsCommand(SettingsMode::Read);
}

void LeaveSettingsPage() {
    DiscardEdits(gSettings);
    gSettings.pageVisible = 0;
    SetStatus(L"Game files will be checked before launch.");
    LayoutHomePage();
    RedrawAll();
    SetFocus(gControls.play);
}

void SelectTab(int tab) {
    gSettings.activeTab = tab;
    if (tab == LocationsTab)
        StartLocationsCommand(LocationsKind::Read);
    LayoutHomePage();
    RedrawAll();
}

void CycleRow(int row, int delta) {
    if (CycleSetting(gSettings, row, delta, HelperRunning()))
        NoteSettingsEdited();
}

bool RowVisible(int id) {
    return id >= kIdFirstRow && id <= kIdLastRow && IsWindowVisible(gControls.rows[id - kIdFirstRow]);
}

} // namespace

void OnSettingsCommand(int id) {
    switch (DecidePageAction(gSettings, id, HelperRunning(), RowVisible(id))) {
    case PageAction::None: break;
    case PageAction::OpenPage: OpenSettingsPage(); break;
    case PageAction::LeavePage: LeaveSettingsPage(); break;
    case PageAction::Save: StartSettingsCommand(SettingsMode::Save); break;
    case PageAction::SelectTab: SelectTab(id - kIdFirstTab); break;
    case PageAction::CycleRow: CycleRow(id - kIdFirstRow, 0); break;
    case PageAction::ApplyPreset:
        ApplyPreset(gSettings, id - kIdFirstPreset);
        NoteSettingsEdited();
        break;
    case PageAction::SelectIso: StartLocationsCommand(LocationsKind::Iso); break;
    case PageAction::SelectGameFolder: StartLocationsCommand(LocationsKind::Game); break;
    case PageAction::EditControllerBindings: StartControllerEditor(); break;
    }
}

bool HandleSettingRowKey(HWND row, UINT message, WPARAM wParam, LRESULT* result) {
    const int id = GetDlgCtrlID(row);
    if (id < kIdFirstRow || id > kIdLastRow)
        return false;
    const bool arrow = wParam == VK_LEFT || wParam == VK_RIGHT;
    if (message == WM_GETDLGCODE && arrow) {
        // Makes the dialog navigation hand Left and Right to the row instead of moving the focus.
        *result = DLGC_WANTARROWS | DLGC_BUTTON;
        return true;
    }
    if (message == WM_KEYDOWN && arrow && IsWindowEnabled(row)) {
        CycleRow(id - kIdFirstRow, wParam == VK_LEFT ? -1 : 1);
        *result = 0;
        return true;
    }
    return false;
}
