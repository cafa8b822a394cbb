#include "settings/settings_result.h"
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>
#include "text/utf8.h"

namespace {

// The text of the capture as the C library would see it: up to the first zero byte.
const char* TextEnd(const char* capture, std::size_t length) {
    const void* zero = std::memchr(capture, 0, length);
    return zero != nullptr ? static_cast<const char*>(zero) : capture + length;
}

const char* FindLineFeed(const char* from, const char* end) {
    const void* lf = std::memchr(from, '\n', static_cast<std::size_t>(end - from));
    return static_cast<const char*>(lf);
}

// Reads a text with the conversions of a scanf format, one directive at a time, and refuses what
// scanf would silently truncate or wrap: an over-long string and an integer outside 32 bits.
class Scanner {
  public:
    Scanner(const char* begin, const char* end) : at_(begin), end_(end) {}
    const char* position() const { return at_; }

    // Ordinary format characters: must match byte for byte (no whitespace is skipped first).
    bool Literal(const char* text) {
        const std::size_t length = std::strlen(text);
        if (static_cast<std::size_t>(end_ - at_) < length || std::memcmp(at_, text, length) != 0)
            return false;
        at_ += length;
        return true;
    }

    // A blank in the format: any amount of whitespace, none included.
    void Blanks() {
        while (at_ < end_ && IsSpace(*at_))
            ++at_;
    }

    // %Ns: a run of 1 to N non-whitespace bytes. A longer run is refused rather than split.
    bool Word(char* out, std::size_t maxLength) {
        Blanks();
        const char* start = at_;
        while (at_ < end_ && !IsSpace(*at_))
            ++at_;
        const std::size_t length = static_cast<std::size_t>(at_ - start);
        if (length == 0 || length > maxLength)
            return false;
        std::memcpy(out, start, length);
        out[length] = '\0';
        return true;
    }

    // %d: optional sign and at least one decimal digit; a value outside 32 bits is refused.
    bool Integer(std::int32_t* out) {
        Blanks();
        bool negative = false;
        if (at_ < end_ && (*at_ == '+' || *at_ == '-')) {
            negative = *at_ == '-';
            ++at_;
        }
        const char* digits = at_;
        std::int64_t magnitude = 0;
        constexpr std::int64_t kLimit = std::int64_t{1} << 31; // |INT32_MIN|
        while (at_ < end_ && *at_ >= '0' && *at_ <= '9') {
            magnitude = magnitude * 10 + (*at_ - '0');
            if (magnitude > kLimit)
                return false;
            ++at_;
        }
        if (at_ == digits)
            return false;
        const std::int64_t value = negative ? -magnitude : magnitude;
        if (value >= kLimit)
            return false;
        *out = static_cast<std::int32_t>(value);
        return true;
    }

  private:
    static bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    const char* at_;
    const char* end_;
};

bool IsValidToken(const char* token) {
    if (std::strcmp(token, "missing") == 0)
        return true;
    if (std::strlen(token) != static_cast<std::size_t>(kVersionTokenLength))
        return false;
    for (const char* c = token; *c != '\0'; ++c) {
        if (!((*c >= '0' && *c <= '9') || (*c >= 'a' && *c <= 'f')))
            return false;
    }
    return true;
}

} // namespace

bool ParseSettingsResult(const char* capture, std::size_t length, SettingsResult* result) {
    const char* end = TextEnd(capture, length);

    // "ZEV_SETTINGS 1 %64s %d x15%n"
    Scanner settings(capture, end);
    if (!settings.Literal("ZEV_SETTINGS"))
        return false;
    settings.Blanks();
    if (!settings.Literal("1"))
        return false;
    if (!settings.Word(result->versionToken, kVersionTokenLength))
        return false;
    for (int row = 0; row < kGameRowCount; ++row) {
        if (!settings.Integer(&result->values[row]))
            return false;
    }
    if (!IsValidToken(result->versionToken))
        return false;

    const char* settingsLineEnd = FindLineFeed(settings.position(), end);
    if (settingsLineEnd == nullptr)
        return false;
    const char* buildLine = settingsLineEnd + 1;

    // "ZEV_BUILD %d %d %d"
    Scanner build(buildLine, end);
    if (!build.Literal("ZEV_BUILD"))
        return false;
    for (int row = kGameRowCount; row < kRowCount; ++row) {
        if (!build.Integer(&result->values[row]))
            return false;
    }

    const char* buildLineEnd = FindLineFeed(buildLine, end);
    result->summary = buildLineEnd != nullptr ? buildLineEnd + 1 : end;
    result->summaryLength = static_cast<std::size_t>(end - result->summary);

    for (int row = 0; row < kRowCount; ++row) {
        if (result->values[row] < 0 || result->values[row] >= SettingOptionCount(row))
            return false;
    }
    return true;
}

bool TakeCapturedLine(const char** cursor, const char* end, wchar_t* out, std::size_t capacity) {
    const char* start = *cursor;
    const char* lineFeed = FindLineFeed(start, end);
    if (lineFeed == nullptr)
        return false;
    const char* lineEnd = lineFeed;
    if (lineEnd > start && lineEnd[-1] == '\r')
        --lineEnd;
    if (capacity == 0)
        return false;
    if (lineEnd == start) {
        out[0] = L'\0';
    } else if (Utf8ToWide(start, static_cast<std::size_t>(lineEnd - start), out, capacity, true) < 0) {
        return false;
    }
    *cursor = lineFeed + 1;
    return true;
}

bool ParseLocationsResult(const char* capture, std::size_t length, LocationsResult* result) {
    const char* end = TextEnd(capture, length);
    const char* cursor = capture;
    if (!TakeCapturedLine(&cursor, end, result->header, std::size(result->header)))
        return false;
    if (std::wcscmp(result->header, L"ZEV_LOCATIONS 1") != 0)
        return false;
    if (!TakeCapturedLine(&cursor, end, result->gameFolderPath, std::size(result->gameFolderPath)))
        return false;
    if (result->gameFolderPath[0] == L'\0')
        return false;
    if (!TakeCapturedLine(&cursor, end, result->isoPath, std::size(result->isoPath)))
        return false;
    if (!TakeCapturedLine(&cursor, end, result->message, std::size(result->message)))
        return false;
    return cursor == end;
}

bool CaptureAlertText(const char* capture, std::size_t length, wchar_t (&out)[kAlertTextUnits]) {
    const long long units = Utf8ToWide(capture, length, out, kAlertTextUnits, false);
    if (units <= 0)
        return false;
    // A zero byte would end the status text there, hiding what follows it.
    std::replace(out, out + units, L'\0', L'\xFFFD');
    return true;
}
