#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// One line of a scenario file, parsed; the runner performs it.
namespace standin {

enum class StepKind {
    Skip, // blank line or comment
    Out,
    Line,
    Err,
    Repeat,
    Paced,
    Fill,
    Sleep,
    WaitFile,
    Touch,
    EchoStdin,
    CloseOutput,
    Grandchild,
    Demo,
    Exit,
    Invalid,
};

struct ScenarioStep {
    StepKind kind = StepKind::Invalid;
    std::string text;         // bytes to write (unescaped), the literal relative path, or what a
                              // grandchild writes
    std::uint64_t count = 0;  // repeat and fill: how many times / bytes
    std::uint32_t number = 0; // milliseconds, microseconds (paced), exit code or fill byte
};

inline constexpr std::uint32_t kDefaultWaitFileMs = 60000;

// A line without its line feed; a carriage return at its end is ignored.
ScenarioStep ParseScenarioLine(std::string_view line);

// Unsigned decimal, or hexadecimal with "0x"; false when not a number or above max.
bool ParseUnsigned(std::string_view text, std::uint64_t max, std::uint64_t& value);

} // namespace standin
