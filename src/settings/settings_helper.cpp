#include "settings/settings_helper.h"
#include <windows.h>
#include <cwchar>
#include "process/capture.h"
#include "process/command_line.h"
#include "process/helper_process.h"
#include "process/path_limits.h"
#include "settings/helper_commands.h"
#include "settings/settings_completion.h"
#include "settings/settings_model.h"
#include "settings/settings_page.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "shell/status_line.h"
#include "ui/home_layout.h"

namespace {

// gBaseDirectory followed by a relative path; gBaseDirectory's bound leaves room for every suffix.
void FormPath(wchar_t (&out)[kPathUnits], const wchar_t* suffix) {
    std::swprintf(out, kPathUnits, L"%ls%ls", gBaseDirectory, suffix);
}

void StartHelperCommand(HelperCommand command) {
    // Large buffers live for the whole process; a command is built completely before the next.
    static wchar_t interpreterPath[kPathUnits];
    static wchar_t scriptPath[kPathUnits];
    static HelperArguments arguments;
    static CommandLine line;

    ClearCommandLine(line);
    FormPath(interpreterPath, L"\\private\\tools\\python314\\python.exe");
    FormPath(scriptPath, L"\\tools\\launcher_locations.py");
    BuildHelperArguments(command, gSettings, scriptPath, &arguments);

    const HelperCommandForm form = FormOf(command);
    bool fits = AppendQuotedArgument(line, interpreterPath);
    for (int i = 0; fits && i < arguments.count; ++i)
        fits = AppendArgument(line, arguments.items[i]);
    if (!fits) {
        SetStatusAlert(form.tooLongText);
        return;
    }
    StartSettingsHelper(interpreterPath, line.buffer, form.operation, form.statusText);
}

} // namespace

void StartSettingsHelper(const wchar_t* interpreterPath, wchar_t* commandLine, int operation,
                         const wchar_t* statusText) {
    const StartOutcome outcome =
        StartSettingsChild({interpreterPath, commandLine, gBaseDirectory}, operation);
    switch (outcome.result) {
    case StartResult::NoPipe: SetStatusAlert(L"Could not open the settings helper."); return;
    case StartResult::NotCreated:
        SetStatusAlert(L"Could not load settings. Keep all launcher files together.");
        return;
    case StartResult::PathTooLong: SetStatusAlert(kFolderPathTooLongText); return;
    case StartResult::Started: break;
    }
    EnableWindow(gControls.play, FALSE);
    EnableWindow(gControls.basicGraphics, FALSE);
    SetStatus(statusText);
    LayoutHomePage();
}

void StartSettingsCommand(SettingsMode mode) {
    StartHelperCommand(mode == SettingsMode::Save ? HelperCommand::SettingsSave
                                                  : HelperCommand::SettingsRead);
}

void StartLocationsCommand(LocationsKind kind) {
    switch (kind) {
    case LocationsKind::Read: StartHelperCommand(HelperCommand::LocationsRead); break;
    case LocationsKind::Iso: StartHelperCommand(HelperCommand::LocationsIso); break;
    case LocationsKind::Game: StartHelperCommand(HelperCommand::LocationsGame); break;
    }
}

void StartControllerEditor() {
    StartHelperCommand(HelperCommand::ControllerEditor);
}

void CompleteSettingsOperation(int operation, std::uint32_t exitCode) {
    static CompletionBuffers buffers;
    const CompletionEffects effects = CompleteSettingsResult(
        gSettings, operation, exitCode, gCaptureBuffer, static_cast<std::size_t>(gCaptureLength), buffers);
    EnableWindow(gControls.play, TRUE);
    EnableWindow(gControls.basicGraphics, TRUE);
    if (effects.alert) {
        SetStatusAlert(effects.statusText);
    } else {
        SetStatus(effects.statusText);
    }
    if (effects.readSettingsNext)
        StartSettingsCommand(SettingsMode::Read);
    LayoutHomePage();
    RedrawWindow(gMainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
