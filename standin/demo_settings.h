#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The settings a demo installation keeps: 15 game values, 3 build values, the version token and the
// controller layout, with the text forms the settings script prints and stores.
namespace standin {

inline constexpr int kGameValueCount = 15;
inline constexpr int kBuildValueCount = 3;
inline constexpr int kValueCount = kGameValueCount + kBuildValueCount;
inline constexpr int kControllerLayoutCount = 2;

struct DemoSettings {
    int values[kValueCount] = {}; // rows 0 to 14 (game), then 15 to 17 (build)
    std::string token = "missing";
    std::uint64_t saveCount = 0; // saves so far; part of every new token
    int controllerLayout = 0;
};

// A first run: internal resolution 2x, window resolution 1280 x 720, VSync on, the rest 0.
DemoSettings DefaultSettings();

int RowCount(int row);
const char* RowName(int row);

std::string SerializeSettings(const DemoSettings& settings);
// False (and settings untouched) when the text is not a complete, valid stored state.
bool ParseSettings(std::string_view text, DemoSettings& settings);

// "ZEV_SETTINGS 1 <token> v0 ... v14", "ZEV_BUILD b0 b1 b2", then the controls summary.
std::string FormatSettingsResult(const DemoSettings& settings);
std::string ControlsSummary(int controllerLayout);
// The two binding lines the controller editor shows.
std::string ControllerEditorText(int controllerLayout);

// 64 lowercase hexadecimal digits from the save count and the values.
std::string ComputeToken(const DemoSettings& settings);

enum class SaveOutcome { Saved, Rejected, Malformed };

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Malformed;
    std::string message;   // one line for Rejected and Malformed
    DemoSettings settings; // the new state for Saved
};

// scriptArguments start after the script: "--settings" "--save" v0..v14 "--expected" token
// "--build-codes" b0 b1 b2 "--include-build".
SaveResult ApplySave(const DemoSettings& stored, const std::vector<std::string>& scriptArguments);

} // namespace standin
