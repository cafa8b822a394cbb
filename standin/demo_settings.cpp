#include "demo_settings.h"
#include "escaped_text.h"
#include <cstdio>
#include <iterator>

namespace standin {

namespace {

struct Row {
    const char* name;
    int count;
};

constexpr Row kRows[kValueCount] = {
    {"Language / version", 2},
    {"Internal resolution", 4},
    {"Display mode", 2},
    {"Window resolution", 6},
    {"Image scaling", 3},
    {"VSync", 2},
    {"Performance HUD", 2},
    {"FSR 1 upscaling", 2},
    {"Texture filtering", 5},
    {"Reduce texture shimmer", 2},
    {"Reduce colour banding", 2},
    {"Supersampling", 2},
    {"3D texture smoothing (xBRZ)", 6},
    {"Local HD pack (English)", 2},
    {"Gameplay frame rate", 2},
    {"Compiler jobs", 17},
    {"Build memory cap", 8},
    {"HD processing", 3},
};

struct Binding {
    const char* action;
    const char* button[kControllerLayoutCount];
};

constexpr const char* kLayoutNames[kControllerLayoutCount] = {"Standard gamepad", "Swapped face buttons"};
constexpr Binding kBindings[] = {
    {"Jump", {"A", "B"}},      {"Attack", {"X", "Y"}},        {"Guard", {"RB", "RB"}},
    {"Map", {"Back", "Back"}}, {"Pause", {"Start", "Start"}},
};

constexpr size_t kTokenLength = 64;
constexpr size_t kMaxLine = 256;
constexpr size_t kMaxShownValue = 40;

bool IsToken(std::string_view token) {
    if (token == "missing")
        return true;
    if (token.size() != kTokenLength)
        return false;
    for (const char c : token) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// A signed decimal as the window prints it with "%d"; false for anything else.
bool ParseInt(std::string_view text, int& value) {
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10)
        return false;
    long long result = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        result = result * 10 + (c - '0');
    }
    if (negative)
        result = -result;
    if (result < INT32_MIN || result > INT32_MAX)
        return false;
    value = static_cast<int>(result);
    return true;
}

bool InRange(int row, int value) {
    return value >= 0 && value < kRows[row].count;
}

std::uint64_t Fnv1a(std::uint64_t hash, std::string_view bytes) {
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string_view NextLine(std::string_view& text) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// "key v v v ...": exactly count integers after the key.
bool ParseValuesLine(std::string_view line, std::string_view key, int* values, int count) {
    if (line.substr(0, key.size()) != key)
        return false;
    line.remove_prefix(key.size());
    for (int i = 0; i < count; ++i) {
        if (line.empty() || line[0] != ' ')
            return false;
        line.remove_prefix(1);
        const size_t end = line.find(' ');
        if (!ParseInt(line.substr(0, end), values[i]))
            return false;
        line.remove_prefix(end == std::string_view::npos ? line.size() : end);
    }
    return line.empty();
}

} // namespace

DemoSettings DefaultSettings() {
    DemoSettings settings;
    settings.values[1] = 1; // Internal resolution 2x
    settings.values[3] = 1; // Window resolution 1280 x 720
    settings.values[5] = 1; // VSync on
    return settings;
}

int RowCount(int row) {
    return row >= 0 && row < kValueCount ? kRows[row].count : 0;
}
const char* RowName(int row) {
    return row >= 0 && row < kValueCount ? kRows[row].name : "";
}

std::string SerializeSettings(const DemoSettings& settings) {
    std::string text = "values";
    for (const int value : settings.values) {
        text += ' ';
        text += std::to_string(value);
    }
    text += "\ntoken " + settings.token;
    text += "\nsaves ";
    text += std::to_string(settings.saveCount);
    text += "\ncontroller ";
    text += std::to_string(settings.controllerLayout);
    text += "\n";
    return text;
}

bool ParseSettings(std::string_view text, DemoSettings& settings) {
    DemoSettings parsed;
    if (!ParseValuesLine(NextLine(text), "values", parsed.values, kValueCount))
        return false;
    for (int row = 0; row < kValueCount; ++row) {
        if (!InRange(row, parsed.values[row]))
            return false;
    }
    const std::string_view tokenLine = NextLine(text);
    if (tokenLine.substr(0, 6) != "token " || !IsToken(tokenLine.substr(6)))
        return false;
    parsed.token.assign(tokenLine.substr(6));
    int saves = 0;
    if (!ParseValuesLine(NextLine(text), "saves", &saves, 1) || saves < 0)
        return false;
    parsed.saveCount = static_cast<std::uint64_t>(saves);
    int layout = 0;
    if (!ParseValuesLine(NextLine(text), "controller", &layout, 1))
        return false;
    if (layout < 0 || layout >= kControllerLayoutCount)
        return false;
    parsed.controllerLayout = layout;
    settings = parsed;
    return true;
}

std::string ControlsSummary(int controllerLayout) {
    const int layout = controllerLayout == 1 ? 1 : 0;
    std::string text = "Controller: ";
    text += kLayoutNames[layout];
    text += "\n";
    for (const Binding& binding : kBindings) {
        char line[kMaxLine];
        std::snprintf(line, std::size(line), "%-8s  %s\n", binding.action, binding.button[layout]);
        text += line;
    }
    return text;
}

std::string ControllerEditorText(int controllerLayout) {
    const int layout = controllerLayout == 1 ? 1 : 0;
    char text[kMaxLine];
    std::snprintf(text, std::size(text), "Layout: %s\nJump: %s    Attack: %s", kLayoutNames[layout],
                  kBindings[0].button[layout], kBindings[1].button[layout]);
    return text;
}

std::string FormatSettingsResult(const DemoSettings& settings) {
    std::string text = "ZEV_SETTINGS 1 " + settings.token;
    for (int row = 0; row < kGameValueCount; ++row) {
        text += ' ';
        text += std::to_string(settings.values[row]);
    }
    text += "\nZEV_BUILD";
    for (int row = kGameValueCount; row < kValueCount; ++row) {
        text += ' ';
        text += std::to_string(settings.values[row]);
    }
    text += "\n";
    text += ControlsSummary(settings.controllerLayout);
    return text;
}

std::string ComputeToken(const DemoSettings& settings) {
    std::string material = std::to_string(settings.saveCount);
    for (const int value : settings.values) {
        material += ',';
        material += std::to_string(value);
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string token;
    for (std::uint64_t lane = 0; lane < 4; ++lane) {
        // Four differently seeded 64-bit hashes make the 256 bits of the token.
        std::uint64_t hash = Fnv1a(0xcbf29ce484222325ull ^ (lane * 0x9e3779b97f4a7c15ull), material);
        for (int shift = 60; shift >= 0; shift -= 4)
            token += kHex[(hash >> shift) & 15];
    }
    return token;
}

SaveResult ApplySave(const DemoSettings& stored, const std::vector<std::string>& args) {
    constexpr size_t kExpectedAt = 2 + kGameValueCount;
    constexpr size_t kBuildCodesAt = kExpectedAt + 2;
    constexpr size_t kIncludeBuildAt = kBuildCodesAt + 1 + kBuildValueCount;
    SaveResult result;
    if (args.size() != kIncludeBuildAt + 1 || args[0] != "--settings" || args[1] != "--save" ||
        args[kExpectedAt] != "--expected" || args[kBuildCodesAt] != "--build-codes" ||
        args[kIncludeBuildAt] != "--include-build") {
        result.message = "Unexpected settings arguments. Nothing was saved.";
        return result;
    }
    result.outcome = SaveOutcome::Rejected;
    DemoSettings next = stored;
    for (int row = 0; row < kValueCount; ++row) {
        const size_t at = row < kGameValueCount
                              ? 2 + static_cast<size_t>(row)
                              : kBuildCodesAt + 1 + static_cast<size_t>(row - kGameValueCount);
        int value = 0;
        if (!ParseInt(args[at], value) || !InRange(row, value)) {
            result.message = std::string("Invalid value for ") + kRows[row].name + ": ";
            AppendEscaped(result.message, std::string_view(args[at]).substr(0, kMaxShownValue));
            result.message += ". Nothing was saved.";
            return result;
        }
        next.values[row] = value;
    }
    if (args[kExpectedAt + 1] != stored.token) {
        result.message = "Settings changed elsewhere. Reopen Settings and try again.";
        return result;
    }
    next.saveCount = stored.saveCount + 1;
    next.token = ComputeToken(next);
    result.outcome = SaveOutcome::Saved;
    result.settings = next;
    return result;
}

} // namespace standin
