#pragma once
#include <cstddef>
#include <cstdint>
#include "settings/settings_model.h"

// The helper's results, read from the captured output. The capture is treated as C text: it
// ends at its length or at its first zero byte, whichever comes first.

// "ZEV_SETTINGS 1 <token> <15 values>", then "ZEV_BUILD <3 values>", then the controls summary.
struct SettingsResult {
    std::int32_t values[kRowCount];
    char versionToken[kVersionTokenLength + 1];
    const char* summary; // UTF-8, points into the capture
    std::size_t summaryLength;
};
// True when the capture holds a well-formed settings result with every value in range.
bool ParseSettingsResult(const char* capture, std::size_t length, SettingsResult* result);

inline constexpr std::size_t kLocationsHeaderUnits = 32;
inline constexpr std::size_t kLocationsMessageUnits = 1024;

// Exactly four LF-terminated lines: "ZEV_LOCATIONS 1", game folder, disc image, status message.
struct LocationsResult {
    wchar_t header[kLocationsHeaderUnits];
    wchar_t gameFolderPath[kLocationPathUnits];
    wchar_t isoPath[kLocationPathUnits];
    wchar_t message[kLocationsMessageUnits];
};
bool ParseLocationsResult(const char* capture, std::size_t length, LocationsResult* result);

// Reads the line at *cursor (before end): the bytes up to the next LF, less one CR right before
// it, converted strictly from UTF-8 into capacity units including the terminator. On success the
// cursor moves past the LF; without an LF, or when the line is not valid UTF-8 or does not fit, it
// fails and leaves the cursor.
bool TakeCapturedLine(const char** cursor, const char* end, wchar_t* out, std::size_t capacity);

inline constexpr std::size_t kAlertTextUnits = 2048;
// The captured output as status text for a rejected result: all of it, converted leniently (invalid
// bytes and zero bytes become replacement characters) into kAlertTextUnits including the terminator. False
// when it is empty or too long, and the caller shows its fixed message instead.
bool CaptureAlertText(const char* capture, std::size_t length, wchar_t (&out)[kAlertTextUnits]);
