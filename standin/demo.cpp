// The demo installation: settings, locations, controller editor and the console script, kept under
// private\standin of the player folder.
#include "context.h"
#include "demo_store.h"
#include "demo_windows.h"
#include "platform.h"

namespace standin {

namespace {

constexpr std::uint32_t kUsageExitCode = 2;
constexpr std::uint32_t kRejectedExitCode = 1;
constexpr char kLocationsHint[] = "Choose the original ISO or an existing game installation folder.";

// The script's arguments: everything after the script path.
std::vector<std::string> ScriptArguments(const Context& context) {
    return {context.arguments.begin() + (context.arguments.size() < 3 ? context.arguments.size() : 3),
            context.arguments.end()};
}

bool HasForm(const Context& context, std::initializer_list<const char*> form) {
    const std::vector<std::string> arguments = ScriptArguments(context);
    if (arguments.size() != form.size())
        return false;
    size_t i = 0;
    for (const char* expected : form) {
        if (arguments[i++] != expected)
            return false;
    }
    return true;
}

std::uint32_t Usage(const char* message) {
    WriteStderr(std::string("usage: ") + message + "\n");
    return kUsageExitCode;
}

std::uint32_t Failure(const std::string& message, std::uint32_t code) {
    WriteStdout(message + "\n");
    return code;
}

std::uint32_t SettingsRead(const Context& context) {
    if (!HasForm(context, {"--settings", "--read", "--include-build"})) {
        return Usage("launcher_locations.py --settings --read --include-build");
    }
    WriteStdout(FormatSettingsResult(LoadSettings(context)));
    return 0;
}

std::uint32_t SettingsSave(const Context& context) {
    const SaveResult result = ApplySave(LoadSettings(context), ScriptArguments(context));
    if (result.outcome == SaveOutcome::Malformed)
        return Failure(result.message, kUsageExitCode);
    if (result.outcome == SaveOutcome::Rejected)
        return Failure(result.message, kRejectedExitCode);
    if (!StoreSettings(context, result.settings)) {
        return Failure("Settings could not be written. Nothing was saved.", kRejectedExitCode);
    }
    WriteStdout(FormatSettingsResult(result.settings));
    return 0;
}

std::uint32_t EditControls(const Context& context) {
    if (!HasForm(context, {"--settings", "--edit-controls", "--include-build"})) {
        return Usage("launcher_locations.py --settings --edit-controls --include-build");
    }
    DemoSettings settings = LoadSettings(context);
    const int layout = RunControllerEditor(settings.controllerLayout);
    if (layout != settings.controllerLayout) {
        settings.controllerLayout = layout;
        if (!StoreSettings(context, settings))
            return Failure("Controller bindings could not be saved.", 1);
    }
    WriteStdout(FormatSettingsResult(settings));
    return 0;
}

std::uint32_t Locations(const Context& context) {
    DemoLocations locations = LoadLocations(context);
    std::string message;
    if (context.mode == Mode::LocationsRead) {
        if (locations.isoPath.empty())
            message = kLocationsHint;
    } else if (context.mode == Mode::LocationsIso) {
        std::wstring path = FromUtf8(locations.isoPath);
        message = "No file was selected.";
        if (ChooseIsoFile(path)) {
            locations.isoPath = ToUtf8(path);
            message = "ISO selected. It will be checked before the next launch.";
        }
    } else {
        std::wstring path = FromUtf8(locations.gameFolder);
        message = "No folder was selected.";
        if (ChooseGameFolder(path)) {
            locations.gameFolder = ToUtf8(path);
            message = "Game folder selected. Nothing will be moved.";
        }
    }
    if (context.mode != Mode::LocationsRead && !StoreLocations(context, locations)) {
        return Failure("Your selection could not be saved. Your previous selection is kept.", 1);
    }
    WriteStdout(FormatLocationsResult(locations, message));
    return 0;
}

std::uint32_t Ravelhost(const Context& context) {
    const std::vector<std::string> arguments = ScriptArguments(context);
    std::string line =
        "Ravelhost integration started with " + std::to_string(arguments.size()) + " argument(s):";
    for (const std::string& argument : arguments)
        line += " \"" + argument + "\"";
    WriteStdout(line + "\n");
    return 0;
}

} // namespace

std::uint32_t RunDemo(const Context& context) {
    switch (context.mode) {
    case Mode::Launch: return RunLaunchDemo(context);
    case Mode::SettingsRead: return SettingsRead(context);
    case Mode::SettingsSave: return SettingsSave(context);
    case Mode::SettingsEditControls: return EditControls(context);
    case Mode::LocationsRead:
    case Mode::LocationsIso:
    case Mode::LocationsGame: return Locations(context);
    case Mode::Ravelhost: return Ravelhost(context);
    case Mode::Unknown: break;
    }
    WriteStderr("unknown invocation\n");
    return kUsageExitCode;
}

} // namespace standin
