#include "settings/settings_helper.h"
#include <windows.h>
#include <cwchar>
#include "process/capture.h"
#include "process/command_line.h"
#include "process/helper_process.h"
#include "settings/helper_commands.h"
#include "settings/settings_completion.h"
#include "settings/settings_model.h"
#include "settings/settings_page.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "shell/status_line.h"
#include "ui/home_layout.h"

namespace {

// BaseDirectory followed by a relative path; BaseDirectory's bound leaves room for every suffix.
void FormPath(wchar_t (&out)[kPathUnits], const wchar_t* suffix) {
    std::swprintf(out, kPathUnits, L"%ls%ls", BaseDirectory, suffix);
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
    BuildHelperArguments(command, Settings, scriptPath, &arguments);

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

void CompleteSettingsOperation(std::uint32_t exitCode) {
    static CompletionBuffers buffers;
    const CompletionEffects effects = CompleteSettingsResult(
        Settings, exitCode, CaptureBuffer, static_cast<std::size_t>(CaptureLength), buffers);
    EnableWindow(Controls.play, TRUE);
    EnableWindow(Controls.basicGraphics, TRUE);
    if (effects.alert) {
        SetStatusAlert(effects.statusText);
    } else {
        SetStatus(effects.statusText);
    }
    if (effects.readSettingsNext)
        StartSettingsCommand(SettingsMode::Read);
    LayoutHomePage();
    RedrawWindow(MainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
