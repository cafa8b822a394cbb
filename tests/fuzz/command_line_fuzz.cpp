// The command-line builder: on success, splitting the command again by the platform's rules gives
// back every argument unchanged; on failure the command is left as it was and nothing is written
// past the buffer (ASan on the buffer's own allocation, and a guard pattern right after it).
// Input: two bytes for the length of the program name (so short inputs also reach the buffer's end),
// then UTF-16 units; a zero unit separates the arguments.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>
#include "fuzz_checks.h"
#include "argv_split.h"
#include "process/command_line.h"

namespace {

constexpr std::size_t kGuardUnits = 16;
constexpr wchar_t kGuard = static_cast<wchar_t>(0x5A5A);

const auto gFuzzBuffer = std::make_unique<wchar_t[]>(kCommandLineUnits + kGuardUnits);
const auto gFuzzBefore = std::make_unique<wchar_t[]>(kCommandLineUnits);

bool GuardIntact() {
    return std::all_of(gFuzzBuffer.get() + kCommandLineUnits,
                       gFuzzBuffer.get() + kCommandLineUnits + kGuardUnits,
                       [](wchar_t unit) { return unit == kGuard; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // The program name as the launcher has one: a path without quotation marks or a final backslash.
    // Mostly short; with the first byte's high bit set, long enough to bring the end of the buffer near.
    const std::size_t programLength =
        (data[0] & 0x80u) != 0 ? kCommandLineUnits - 1 - ((data[0] & 0x7Fu) << 8 | data[1]) : data[1];
    std::wstring program = L"C:\\Games\\python";
    program.append(programLength, L'p');

    std::vector<std::wstring> arguments(1);
    for (std::size_t at = 2; at + 1 < size; at += 2) {
        const auto unit = static_cast<wchar_t>(data[at] | data[at + 1] << 8);
        if (unit == 0)
            arguments.emplace_back();
        else
            arguments.back() += unit;
    }

    wchar_t* buffer = gFuzzBuffer.get();
    std::fill(buffer, buffer + kCommandLineUnits, L'\0');
    std::fill(buffer + kCommandLineUnits, buffer + kCommandLineUnits + kGuardUnits, kGuard);
    std::uint64_t length = 0;
    bool complete = AppendArgument(buffer, length, program.c_str());
    Require(GuardIntact());
    std::size_t appended = 0;
    for (; complete && appended < arguments.size(); ++appended) {
        const std::uint64_t lengthBefore = length;
        std::copy(buffer, buffer + lengthBefore + 1, gFuzzBefore.get());
        complete = AppendArgument(buffer, length, arguments[appended].c_str());
        Require(GuardIntact());
        Require(length <= kCommandLineMaxLength && buffer[length] == 0);
        if (!complete) {
            Require(length == lengthBefore);
            Require(std::equal(buffer, buffer + lengthBefore + 1, gFuzzBefore.get()));
        }
    }
    if (!complete)
        return 0;

    std::vector<std::wstring> expected{program};
    expected.insert(expected.end(), arguments.begin(), arguments.end());
    Require(SplitCommandLine(buffer) == expected);
    return 0;
}
