// The helper's settings result: every accepted result has its 18 values in range and a version
// token of "missing" or 64 lowercase hexadecimal digits; its completion takes it whole into the model,
// or leaves the model's values untouched, and the controls summary is laid out within its bounds.
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

constexpr HelperOperation kSettingsOperations[] = {LoadSettingsOperation, SaveSettingsOperation,
                                                   EditControlsOperation};

const auto gFuzzModel = std::make_unique<SettingsModel>();
const auto gFuzzBuffers = std::make_unique<CompletionBuffers>();

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t length = size - 1;
    const auto capture = CopyOfInput(data + 1, length);

    SettingsResult result{};
    if (ParseSettingsResult(capture.get(), length, &result)) {
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
    if (model.loaded != 0) {
        Require(exitCode == 0 && !effects.alert && ValuesInRange(model.current) &&
                ValuesInRange(model.saved));
        Require(std::equal(model.current, model.current + kRowCount, model.saved));
        Require(IsVersionToken(model.versionToken));
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
