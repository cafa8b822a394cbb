#include "shell/settings_glue.h"
#include "process/helper_process.h"
#include "settings/page_commands.h"
#include "settings/settings_helper.h"
#include "settings/settings_model.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "shell/status_line.h"
#include "shell/window_refresh.h"

namespace {

void Show(const SettingsReport& report) {
    ShowStatusReport(report.statusText, report.alert);
    RefreshControls();
}

void NoteSettingsEdited() {
    Show(EditedReport(gSettings));
    RedrawAll();
}

void OpenSettingsPage() {
    OpenPage(gSettings);
    gLaunchDetailsVisible = false;
    RefreshControls();
    Show(StartSettingsCommand(SettingsMode::Read, gBaseDirectory));
}

void LeaveSettingsPage() {
    Show(LeavePage(gSettings));
    RedrawAll();
    SetFocus(gControls.play);
}

void SelectTab(int tab) {
    gSettings.activeTab = tab;
    if (tab == LocationsTab)
        Show(StartLocationsCommand(LocationsKind::Read, gBaseDirectory));
    RefreshControls();
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
    case PageAction::Save: Show(StartSettingsCommand(SettingsMode::Save, gBaseDirectory)); break;
    case PageAction::SelectTab: SelectTab(id - kIdFirstTab); break;
    case PageAction::CycleRow: CycleRow(id - kIdFirstRow, 0); break;
    case PageAction::ApplyPreset:
        ApplyPreset(gSettings, id - kIdFirstPreset);
        NoteSettingsEdited();
        break;
    case PageAction::SelectIso: Show(StartLocationsCommand(LocationsKind::Iso, gBaseDirectory)); break;
    case PageAction::SelectGameFolder:
        Show(StartLocationsCommand(LocationsKind::Game, gBaseDirectory));
        break;
    case PageAction::EditControllerBindings: Show(StartControllerEditor(gBaseDirectory)); break;
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

void StartSettingsHelper(const wchar_t* interpreterPath, wchar_t* commandLine, int operation,
                         const wchar_t* statusText) {
    Show(RunSettingsHelper(interpreterPath, commandLine, operation, statusText, gBaseDirectory));
}

void OnSettingsHelperEnded(int operation, std::uint32_t exitCode) {
    Show(CompleteSettingsOperation(operation, exitCode, gBaseDirectory));
    RedrawAll();
}
