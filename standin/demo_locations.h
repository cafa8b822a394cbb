#pragma once
#include <string>
#include <string_view>

// The two file locations a demo installation keeps, and the four-line result the script prints.
namespace standin {

struct DemoLocations {
    std::string gameFolder; // UTF-8; never empty once resolved
    std::string isoPath;    // UTF-8; empty until chosen
};

std::string SerializeLocations(const DemoLocations& locations);
// Missing or broken lines leave the fields empty.
DemoLocations ParseLocations(std::string_view text);

// "ZEV_LOCATIONS 1", game folder, ISO path, message: four lines, each ended by a line feed.
std::string FormatLocationsResult(const DemoLocations& locations, std::string_view message);

} // namespace standin
