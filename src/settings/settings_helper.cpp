#include "settings/settings_helper.h"
#include "process/capture.h"
#include "process/command_line.h"
#include "process/helper_process.h"
#include "process/path_limits.h"
#include "settings/helper_commands.h"
#include "settings/settings_completion.h"
#include "settings/settings_model.h"
#include "text/format_text.h"
#include "text/path_bounds.h"

namespace {

// The player folder followed by a relative path; the folder's bound leaves room for every suffix.
void FormPath(wchar_t (&out)[kPathUnits], const wchar_t* baseDirectory, const wchar_t* suffix) {
    FormatText(out, kPathUnits, L"%ls%ls", baseDirectory, suffix);
}

SettingsReport StartHelperCommand(HelperCommand command, const wchar_t* baseDirectory) {
    // Large buffers live for the whole process; a command is built completely before the next.
    static wchar_t interpreterPath[kPathUnits];
    static wchar_t scriptPath[kPathUnits];
    static HelperArguments arguments;
    static CommandLine line;

    ClearCommandLine(line);
    FormPath(interpreterPath, baseDirectory, L"\\private\\tools\\python314\\python.exe");
    FormPath(scriptPath, baseDirectory, L"\\tools\\launcher_locations.py");
    BuildHelperArguments(command, gSettings, scriptPath, &arguments);

    const HelperCommandForm form = FormOf(command);
    bool fits = AppendQuotedArgument(line, interpreterPath);
    for (int i = 0; fits && i < arguments.count; ++i)
        fits = AppendArgument(line, arguments.items[i]);
    if (!fits)
        return {form.tooLongText, true};
    return RunSettingsHelper(interpreterPath, line.buffer, form.operation, form.statusText, baseDirectory);
}

} // namespace

SettingsReport RunSettingsHelper(const wchar_t* interpreterPath, wchar_t* commandLine, int operation,
                                 const wchar_t* statusText, const wchar_t* baseDirectory) {
    switch (StartSettingsChild({interpreterPath, commandLine, baseDirectory}, operation).result) {
    case StartResult::NoPipe: return {L"Could not open the settings helper.", true};
    case StartResult::PathTooLong: return {kFolderPathTooLongText, true};
    case StartResult::NotCreated:
        return {L"Could not load settings. Keep all launcher files together.", true};
    case StartResult::Started: break;
    }
    return {statusText, false};
}

SettingsReport StartSettingsCommand(SettingsMode mode, const wchar_t* baseDirectory) {
    return StartHelperCommand(mode == SettingsMode::Save ? HelperCommand::SettingsSave
                                                         : HelperCommand::SettingsRead,
                              baseDirectory);
}

SettingsReport StartLocationsCommand(LocationsKind kind, const wchar_t* baseDirectory) {
    switch (kind) {
    case LocationsKind::Iso: return StartHelperCommand(HelperCommand::LocationsIso, baseDirectory);
    case LocationsKind::Game: return StartHelperCommand(HelperCommand::LocationsGame, baseDirectory);
    case LocationsKind::Read: break;
    }
    return StartHelperCommand(HelperCommand::LocationsRead, baseDirectory);
}

SettingsReport StartControllerEditor(const wchar_t* baseDirectory) {
    return StartHelperCommand(HelperCommand::ControllerEditor, baseDirectory);
}

SettingsReport CompleteSettingsOperation(int operation, std::uint32_t exitCode,
                                         const wchar_t* baseDirectory) {
    static CompletionBuffers buffers;
    const CompletionEffects effects = CompleteSettingsResult(
        gSettings, operation, exitCode, gCaptureBuffer, static_cast<std::size_t>(gCaptureLength), buffers);
    SettingsReport report{effects.statusText, effects.alert};
    if (effects.readSettingsNext) {
        const SettingsReport next = StartSettingsCommand(SettingsMode::Read, baseDirectory);
        if (next.statusText != nullptr)
            report = next;
    }
    return report;
}
