#include "settings/settings_completion.h"
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>
#include "text/copy_text.h"
#include "text/utf8.h"

namespace {

constexpr const wchar_t* kChooseLocations =
    L"Choose the original ISO or an existing game installation folder.";
constexpr const wchar_t* kLocationsRejected = L"Could not read locations. Your previous selection is kept.";
constexpr const wchar_t* kSettingsRejected = L"Settings could not be read. No changes were saved.";
constexpr const wchar_t* kControllerEditorClosed =
    L"Controller editor closed. Saved bindings apply on your next launch.";
constexpr const wchar_t* kSettingsSaved = L"Settings saved. They will be used the next time you launch.";
constexpr const wchar_t* kSettingsLoaded = L"Change options with Left / Right or select a row to cycle.";

bool IsLocationsOperation(int operation) {
    return operation == ReadLocationsOperation || operation == SelectIsoOperation ||
           operation == SelectGameFolderOperation;
}

CompletionEffects Rejected(const char* capture, std::size_t length, CompletionBuffers& buffers,
                           const wchar_t* fixedText) {
    const bool shown = CaptureAlertText(capture, length, buffers.alert);
    return {shown ? buffers.alert : fixedText, true, false};
}

// A summary written with CR LF line ends is shown like one written with LF: the page splits lines at
// LF only, so a CR left before it would be drawn at the end of every line.
void DropCarriageReturnsBeforeLineFeeds(wchar_t* text) {
    wchar_t* out = text;
    for (const wchar_t* in = text; *in != L'\0'; ++in) {
        if (!(in[0] == L'\r' && in[1] == L'\n'))
            *out++ = *in;
    }
    *out = L'\0';
}

CompletionEffects CompleteLocations(SettingsModel& model, int operation, std::uint32_t exitCode,
                                    const char* capture, std::size_t length, CompletionBuffers& buffers) {
    LocationsResult& result = buffers.locations;
    if (exitCode != 0 || !ParseLocationsResult(capture, length, &result)) {
        return Rejected(capture, length, buffers, kLocationsRejected);
    }
    CopyText(model.gameFolderPath, std::size(model.gameFolderPath), result.gameFolderPath);
    CopyText(model.isoPath, std::size(model.isoPath), result.isoPath);
    CompletionEffects effects{result.message[0] != L'\0' ? result.message : kChooseLocations, false, false};
    if (operation == SelectGameFolderOperation) {
        model.loaded = 0;
        effects.readSettingsNext = true;
    }
    return effects;
}

CompletionEffects CompleteSettings(SettingsModel& model, int operation, std::uint32_t exitCode,
                                   const char* capture, std::size_t length, CompletionBuffers& buffers) {
    SettingsResult& result = buffers.settings;
    if (exitCode != 0 || !ParseSettingsResult(capture, length, &result)) {
        model.loaded = 0;
        return Rejected(capture, length, buffers, kSettingsRejected);
    }
    std::copy(std::begin(result.values), std::end(result.values), model.current);
    std::copy(std::begin(result.values), std::end(result.values), model.saved);
    std::memcpy(model.versionToken, result.versionToken, sizeof model.versionToken);
    model.loaded = 1;
    if (Utf8ToWide(result.summary, result.summaryLength, model.controlsSummary,
                   std::size(model.controlsSummary), true) < 0) {
        model.controlsSummary[0] = L'\0';
    }
    DropCarriageReturnsBeforeLineFeeds(model.controlsSummary);
    if (operation == EditControlsOperation)
        return {kControllerEditorClosed, false, false};
    if (operation == SaveSettingsOperation)
        return {kSettingsSaved, false, false};
    return {kSettingsLoaded, false, false};
}

} // namespace

CompletionEffects CompleteSettingsResult(SettingsModel& model, int operation, std::uint32_t exitCode,
                                         const char* capture, std::size_t length,
                                         CompletionBuffers& buffers) {
    if (IsLocationsOperation(operation))
        return CompleteLocations(model, operation, exitCode, capture, length, buffers);
    return CompleteSettings(model, operation, exitCode, capture, length, buffers);
}
