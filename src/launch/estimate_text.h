#pragma once
#include <cstddef>
#include <cstdint>

// The estimate band's text: overall percentage, elapsed time and, once the launcher has reported
// memory, a second line with the memory figures.
inline constexpr std::size_t kEstimateTextUnits = 192;

// Seconds to show: a running clock while the launcher runs, the frozen figure after it ended.
std::uint64_t EstimateSeconds(bool helperRunning, std::uint64_t nowTick, std::uint64_t startTick,
                              std::uint64_t elapsedSeconds);

// Writes the text into out (capacity units including the terminator; cut to fit) and returns
// its length.
std::size_t FormatEstimateText(wchar_t* out, std::size_t capacity, std::uint32_t highestPermille,
                               std::uint64_t seconds, std::uint32_t peakCommittedMiB,
                               std::uint32_t memoryLimitMiB);
