#pragma once
#include <string>
#include <string_view>
#include <vector>

// Which script invocation a command line stands for, read as the interpreter reads it:
// "-u", the script path, then the script's arguments.
namespace standin {

enum class Mode {
    Launch,
    SettingsRead,
    SettingsSave,
    SettingsEditControls,
    LocationsRead,
    LocationsIso,
    LocationsGame,
    Ravelhost,
    Unknown,
};

// The mode's name in records and scenario file names ("settings-read", ...).
const char* ModeName(Mode mode);

// arguments[0] is the program itself. The script is recognised by its file name alone, in any
// letter case; the mode by the leading script arguments (the demo checks the rest of each form).
Mode ChooseMode(const std::vector<std::string>& arguments);

// The switch that makes a started copy only sleep while holding the output handles it inherited.
inline constexpr std::wstring_view kGrandchildSwitch = L"--standin-grandchild";

} // namespace standin
