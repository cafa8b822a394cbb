#pragma once
// Scenario files for the stand-in interpreter and the record of what it was started with
// (format in standin/README.md).
#include "driver.h"
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace driver {

// One invocation of the stand-in, as it recorded it.
struct Record {
    std::string mode; // "launch", "settings-read", ...
    std::wstring cwd;
    std::vector<std::wstring> arguments; // argv[0] first, as CommandLineToArgvW split them
    std::map<std::string, std::optional<std::string>> environment; // UTF-8 values; nullopt: not set

    // The recorded value; nullopt when the variable was not set (or not recorded).
    std::optional<std::string> Environment(const std::string& name) const;
};

// Blocks of record.txt in order; a block still being written (no "end" yet) is left out.
std::vector<Record> ParseRecords(const std::string& text);
std::vector<Record> ReadRecords(const PlayerFolder& folder);

// Creates the standin folder, which makes every invocation append to record.txt.
void EnableRecording(const PlayerFolder& folder);
// Writes standin\<mode>.txt (creating the folder): invocations of that mode then play it.
void WriteScenario(const PlayerFolder& folder, const std::wstring& mode, const std::string& text);

// Escapes bytes for a scenario text argument ("out", "line", "err", "repeat").
std::string EscapeScenarioText(const std::string& bytes);

} // namespace driver

// The same helpers under the stand-in's name, as tests may spell them.
namespace standin {
using driver::EnableRecording;
using driver::ReadRecords;
using driver::Record;
using driver::WriteScenario;
} // namespace standin
