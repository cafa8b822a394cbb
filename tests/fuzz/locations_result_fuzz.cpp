// The helper's locations result and the alert text shown for a rejected result: every text fits its
// buffer, terminated, and an accepted result is exactly what the model receives.
// Input: one byte for the operation and exit code, then the captured output.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include "fuzz_checks.h"
#include "settings/settings_completion.h"
#include "settings/settings_model.h"
#include "settings/settings_result.h"

namespace {

const auto gFuzzResult = std::make_unique<LocationsResult>();
const auto gFuzzModel = std::make_unique<SettingsModel>();
const auto gFuzzBuffers = std::make_unique<CompletionBuffers>();
wchar_t gFuzzAlert[kAlertTextUnits];

constexpr HelperOperation kLocationsOperations[] = {ReadLocationsOperation, SelectIsoOperation,
                                                    SelectGameFolderOperation};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t length = size - 1;
    const auto capture = CopyOfInput(data + 1, length);

    LocationsResult& result = *gFuzzResult;
    const bool parsed = ParseLocationsResult(capture.get(), length, &result);
    if (parsed) {
        Require(std::wcscmp(result.header, L"ZEV_LOCATIONS 1") == 0);
        Require(Terminated(result.gameFolderPath, kLocationPathUnits) &&
                Terminated(result.isoPath, kLocationPathUnits));
        Require(Terminated(result.message, kLocationsMessageUnits));
        for (const wchar_t* text : {result.gameFolderPath, result.isoPath, result.message})
            Require(std::wcschr(text, L'\n') == nullptr);
    }

    if (CaptureAlertText(capture.get(), length, gFuzzAlert)) {
        const std::size_t shown = std::wcslen(gFuzzAlert);
        Require(shown > 0 && shown < kAlertTextUnits);
    }

    // A model that already holds paths, so that a rejected result can be seen to leave them.
    SettingsModel& model = *gFuzzModel;
    model = SettingsModel{};
    model.loaded = 1;
    std::wcscpy(model.gameFolderPath, L"C:\\Kept");
    std::wcscpy(model.isoPath, L"D:\\kept.iso");
    const HelperOperation operation = kLocationsOperations[data[0] % 3];
    const std::uint32_t exitCode = (data[0] & 4) != 0 ? 2u : 0u;
    const CompletionEffects effects =
        CompleteSettingsResult(model, operation, exitCode, capture.get(), length, *gFuzzBuffers);
    Require(effects.statusText != nullptr);
    Require(effects.statusText[0] != 0 && std::wcslen(effects.statusText) < kAlertTextUnits);
    Require(Terminated(model.gameFolderPath, kLocationPathUnits) &&
            Terminated(model.isoPath, kLocationPathUnits));
    Require(effects.alert == !(parsed && exitCode == 0));
    if (effects.alert) {
        Require(model.loaded == 1 && !effects.readSettingsNext);
        Require(std::wcscmp(model.gameFolderPath, L"C:\\Kept") == 0 &&
                std::wcscmp(model.isoPath, L"D:\\kept.iso") == 0);
    } else {
        // Accepted: exactly four lines, the last one ending the capture's text (which ends at its
        // first zero byte), and a game folder.
        const std::size_t textLength = strnlen(capture.get(), length);
        Require(exitCode == 0 && textLength > 0 && capture[textLength - 1] == '\n' &&
                model.gameFolderPath[0] != 0);
        // The model holds the result's paths, and the status shows its message where it has one.
        Require(std::wcscmp(model.gameFolderPath, result.gameFolderPath) == 0 &&
                std::wcscmp(model.isoPath, result.isoPath) == 0);
        Require(result.message[0] == 0 || std::wcscmp(effects.statusText, result.message) == 0);
        Require(effects.readSettingsNext == (operation == SelectGameFolderOperation));
        Require(model.loaded == (operation == SelectGameFolderOperation ? 0 : 1));
    }
    return 0;
}
