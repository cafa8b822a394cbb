#include "demo_locations.h"

namespace standin {

namespace {

// Paths come from file dialogs and never hold line breaks; a stored one that does is dropped.
bool IsOneLine(std::string_view text) {
    return text.find_first_of("\r\n") == std::string_view::npos;
}

} // namespace

std::string SerializeLocations(const DemoLocations& locations) {
    return "game " + locations.gameFolder + "\niso " + locations.isoPath + "\n";
}

DemoLocations ParseLocations(std::string_view text) {
    DemoLocations locations;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.substr(0, 5) == "game ")
            locations.gameFolder.assign(line.substr(5));
        if (line.substr(0, 4) == "iso ")
            locations.isoPath.assign(line.substr(4));
    }
    return locations;
}

std::string FormatLocationsResult(const DemoLocations& locations, std::string_view message) {
    std::string text = "ZEV_LOCATIONS 1\n";
    text += IsOneLine(locations.gameFolder) ? locations.gameFolder : std::string();
    text += '\n';
    text += IsOneLine(locations.isoPath) ? locations.isoPath : std::string();
    text += '\n';
    if (IsOneLine(message))
        text.append(message);
    text += '\n';
    return text;
}

} // namespace standin
