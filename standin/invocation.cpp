#include "invocation.h"

namespace standin {

namespace {

bool FileNameIs(std::string_view path, std::string_view name) {
    const size_t slash = path.find_last_of("\\/");
    const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (file.size() != name.size())
        return false;
    for (size_t i = 0; i < file.size(); ++i) {
        char c = file[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != name[i])
            return false;
    }
    return true;
}

Mode LauncherScriptMode(const std::vector<std::string>& arguments) {
    const size_t count = arguments.size();
    if (count >= 4 && arguments[3] == "--launch")
        return Mode::Launch;
    if (count >= 5 && arguments[3] == "--settings") {
        if (arguments[4] == "--read")
            return Mode::SettingsRead;
        if (arguments[4] == "--save")
            return Mode::SettingsSave;
        if (arguments[4] == "--edit-controls")
            return Mode::SettingsEditControls;
        return Mode::Unknown;
    }
    if (count == 4) {
        if (arguments[3] == "read")
            return Mode::LocationsRead;
        if (arguments[3] == "iso")
            return Mode::LocationsIso;
        if (arguments[3] == "game")
            return Mode::LocationsGame;
    }
    return Mode::Unknown;
}

} // namespace

const char* ModeName(Mode mode) {
    switch (mode) {
    case Mode::Launch: return "launch";
    case Mode::SettingsRead: return "settings-read";
    case Mode::SettingsSave: return "settings-save";
    case Mode::SettingsEditControls: return "settings-edit-controls";
    case Mode::LocationsRead: return "locations-read";
    case Mode::LocationsIso: return "locations-iso";
    case Mode::LocationsGame: return "locations-game";
    case Mode::Ravelhost: return "ravelhost";
    case Mode::Unknown: break;
    }
    return "unknown";
}

Mode ChooseMode(const std::vector<std::string>& arguments) {
    if (arguments.size() < 3 || arguments[1] != "-u")
        return Mode::Unknown;
    if (FileNameIs(arguments[2], "ravelhost.py"))
        return Mode::Ravelhost;
    if (FileNameIs(arguments[2], "launcher_locations.py"))
        return LauncherScriptMode(arguments);
    return Mode::Unknown;
}

} // namespace standin
