#include "launch/exit_status_text.h"
#include "text/format_text.h"

namespace {

struct KnownStatus {
    std::uint32_t code;
    const wchar_t* meaning;
};

constexpr KnownStatus kKnownStatuses[] = {
    {0xC0000005u, L"a crash (access violation)"},
    {0xC0000409u, L"a fail-fast stop"},
    {0xC000001Du, L"an instruction this processor lacks"},
    {0xC0000135u, L"a missing DLL"},
    {0xC0000017u, L"out of memory"},
    {0xC000013Au, L"closed with Ctrl+C or its console window"},
};

const wchar_t* MeaningOf(std::uint32_t code) {
    for (const KnownStatus& status : kKnownStatuses) {
        if (status.code == code)
            return status.meaning;
    }
    return nullptr;
}

} // namespace

bool FormatExitStatusLine(std::uint32_t exitCode, wchar_t* text, std::size_t capacity) {
    if (capacity > 0)
        text[0] = L'\0';
    if (exitCode < kFirstErrorStatus || capacity == 0)
        return false;
    const auto code = static_cast<unsigned>(exitCode);
    const wchar_t* meaning = MeaningOf(exitCode);
    if (meaning != nullptr) {
        FormatText(text, capacity, L"That is Windows status 0x%08X: %ls.\r\n", code, meaning);
    } else {
        FormatText(text, capacity, L"That is Windows status 0x%08X.\r\n", code);
    }
    return true;
}
