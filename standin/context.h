#pragma once
#include "invocation.h"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// What one run of the stand-in knows about itself.
struct Context {
    std::wstring baseDirectory; // the player folder: three levels above the executable
    std::wstring executablePath;
    std::vector<std::string> arguments; // UTF-8, the program first
    Mode mode = Mode::Unknown;

    std::wstring PathOf(const std::wstring& relative) const { return baseDirectory + L"\\" + relative; }
};

inline constexpr std::uint32_t kScenarioErrorExitCode = 97; // a scenario line that cannot be performed
inline constexpr std::uint32_t kWaitFileTimeoutExitCode = 98;

// Runs the demo behaviour of the context's mode; returns the exit code.
std::uint32_t RunDemo(const Context& context);
// The grandchild of a scenario: holds the inherited output open for ms milliseconds, writing the
// text (given as hex digits, maybe none) every so often; returns the exit code.
std::uint32_t RunGrandchild(std::uint32_t ms, std::wstring_view hexText);
// Runs the scenario text; returns the exit code.
std::uint32_t RunScenario(const Context& context, const std::string& scenario);

} // namespace standin
