// The helper's settings result: every accepted result has its 18 values in range and a version
// token of "missing" or 64 lowercase hexadecimal digits; its completion takes it whole into the model
// (values, token and summary compared with the parsed result), or leaves the model's values
// untouched, and the controls summary is laid out within its bounds.
// Input: one byte for the operation and exit code, then the captured output.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include "fuzz_checks.h"
#include "settings/catalogue.h"
#include "settings/page_texts.h"
#include "settings/settings_completion.h"
#include "settings/settings_model.h"
#include "settings/settings_result.h"

namespace {

bool IsVersionToken(const char* token) {
    if (std::strcmp(token, "missing") == 0)
        return true;
    if (std::strlen(token) != kVersionTokenLength)
        return false;
    for (const char* c = token; *c != 0; ++c) {
        if (!((*c >= '0' && *c <= '9') || (*c >= 'a' && *c <= 'f')))
            return false;
    }
    return true;
}

bool ValuesInRange(const std::int32_t (&values)[kRowCount]) {
    for (int row = 0; row < kRowCount; ++row) {
        if (values[row] < 0 || values[row] >= SettingOptionCount(row))
            return false;
    }
    return true;
}

// For a summary of ASCII text without NUL: what the model must hold, that is the text with the CR of
// each CR LF dropped, or nothing when it does not fit. False for any other summary (its conversion
// is the UTF-8 target's concern).
bool ExpectedAsciiSummary(const char* bytes, std::size_t length, wchar_t (&out)[kControlsSummaryUnits]) {
    for (std::size_t i = 0; i < length; ++i) {
        if (bytes[i] <= 0)
            return false;
    }
    std::size_t units = 0;
    if (length < kControlsSummaryUnits) {
        for (std::size_t i = 0; i < length; ++i) {
            if (!(bytes[i] == '\r' && i + 1 < length && bytes[i + 1] == '\n'))
                out[units++] = static_cast<wchar_t>(bytes[i]);
        }
    }
    out[units] = L'\0';
    return true;
}

constexpr HelperOperation kSettingsOperations[] = {LoadSettingsOperation, SaveSettingsOperation,
                                                   EditControlsOperation};

const auto gFuzzModel = std::make_unique<SettingsModel>();
const auto gFuzzBuffers = std::make_unique<CompletionBuffers>();
wchar_t gFuzzSummary[kControlsSummaryUnits];

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t length = size - 1;
    const auto capture = CopyOfInput(data + 1, length);

    SettingsResult result{};
    const bool parsed = ParseSettingsResult(capture.get(), length, &result);
    if (parsed) {
        Require(ValuesInRange(result.values));
        Require(IsVersionToken(result.versionToken));
        Require(result.summary >= capture.get() &&
                result.summary + result.summaryLength <= capture.get() + length);
        Require(std::strncmp(capture.get(), "ZEV_SETTINGS", 12) == 0);
    }

    // A model that already holds values, so that a rejected result can be seen to leave them.
    SettingsModel& model = *gFuzzModel;
    model = SettingsModel{};
    model.loaded = 1;
    model.current[0] = model.saved[0] = 1;
    std::strcpy(model.versionToken, "missing");
    std::wcscpy(model.controlsSummary, L"Kept  summary");
    const HelperOperation operation = kSettingsOperations[data[0] % 3];
    const std::uint32_t exitCode = (data[0] & 4) != 0 ? 1u : 0u;
    const CompletionEffects effects =
        CompleteSettingsResult(model, operation, exitCode, capture.get(), length, *gFuzzBuffers);
    Require(effects.statusText != nullptr && !effects.readSettingsNext);
    Require(effects.statusText[0] != 0 && std::wcslen(effects.statusText) < kAlertTextUnits);
    Require(wmemchr(model.controlsSummary, L'\0', kControlsSummaryUnits) != nullptr);
    Require((model.loaded != 0) == (parsed && exitCode == 0));
    if (model.loaded != 0) {
        // The model took the result whole: its values, its token and its summary.
        Require(!effects.alert && std::equal(model.current, model.current + kRowCount, result.values) &&
                std::equal(model.saved, model.saved + kRowCount, result.values));
        Require(std::strcmp(model.versionToken, result.versionToken) == 0);
        if (ExpectedAsciiSummary(result.summary, result.summaryLength, gFuzzSummary))
            Require(std::wcscmp(model.controlsSummary, gFuzzSummary) == 0);
    } else {
        Require(effects.alert && model.current[0] == 1 && model.saved[0] == 1);
        Require(std::strcmp(model.versionToken, "missing") == 0);
        Require(std::wcscmp(model.controlsSummary, L"Kept  summary") == 0);
    }

    // The settings page lays the summary out from a working copy, cut in place.
    wchar_t work[kControlsSummaryUnits];
    std::wcscpy(work, model.controlsSummary);
    SummaryItem items[kSummaryMaxItems];
    const int count = PlanControlsSummary(work, items);
    Require(count >= 0 && count <= kSummaryMaxItems);
    for (int i = 0; i < count; ++i) {
        Require(items[i].text >= work && items[i].text < work + kControlsSummaryUnits);
        Require(items[i].top >= 0 && items[i].bottom <= 560 && items[i].top < items[i].bottom);
    }
    return 0;
}
