#include <gtest/gtest.h>
#include <array>
#include <memory>
#include <cwchar>
#include <string>
#include "settings/settings_completion.h"
#include "settings/settings_result.h"

namespace {

const std::string kHex64 = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";
const char* kGameValues = "1 2 1 4 2 0 1 0 3 0 1 0 5 1 1"; // rows 0-14, all in range

// A literal with its embedded zero bytes.
template <std::size_t N> std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

std::string SettingsLine(const std::string& token, const std::string& values = kGameValues) {
    return "ZEV_SETTINGS 1 " + token + " " + values + "\n";
}

TEST(ParseSettingsResult, AcceptsOrRejectsAsTheFormatSays) {
    const std::string valid = SettingsLine("missing") + "ZEV_BUILD 7 3 2\n";
    struct Case {
        const char* what;
        std::string capture;
        bool accepted;
    } cases[] = {
        {"token missing", valid, true},
        {"64 lowercase hex digits", SettingsLine(kHex64) + "ZEV_BUILD 7 3 2\n", true},
        {"an upper-case hex digit", SettingsLine("A" + kHex64.substr(1)) + "ZEV_BUILD 7 3 2\n", false},
        {"63 hex digits", SettingsLine(kHex64.substr(1)) + "ZEV_BUILD 7 3 2\n", false},
        {"other token", SettingsLine("Missing") + "ZEV_BUILD 7 3 2\n", false},
        // 65 characters: read as 64 plus a first value, every value would shift by one row.
        {"over-long token", SettingsLine(kHex64 + "1", "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0") + "ZEV_BUILD 7 3 2\n",
         false},
        {"14 game values", SettingsLine("missing", "1 2 1 4 2 0 1 0 3 0 1 0 5 1") + "ZEV_BUILD 7 3 2\n",
         false},
        {"two build values", SettingsLine("missing") + "ZEV_BUILD 7 3\n", false},
        {"no build line", SettingsLine("missing"), false},
        {"no LF after the settings line", "ZEV_SETTINGS 1 missing " + std::string(kGameValues), false},
        {"build line without final LF", SettingsLine("missing") + "ZEV_BUILD 7 3 2", true},
        {"extra fields ignored",
         SettingsLine("missing", std::string(kGameValues) + " 9 x") + "ZEV_BUILD 7 3 2 99\n", true},
        {"CR LF line ends", "ZEV_SETTINGS 1 missing " + std::string(kGameValues) + "\r\nZEV_BUILD 7 3 2\r\n",
         true},
        {"leading blank", " " + valid, false},
        {"byte-order mark", "\xEF\xBB\xBF" + valid, false},
        {"protocol 2", "ZEV_SETTINGS 2 missing " + std::string(kGameValues) + "\nZEV_BUILD 7 3 2\n", false},
        {"build keyword not at line start", SettingsLine("missing") + " ZEV_BUILD 7 3 2\n", false},
        {"wraps to 1 in 32 bits",
         SettingsLine("missing", "1 2 4294967297 4 2 0 1 0 3 0 1 0 5 1 1") + "ZEV_BUILD 7 3 2\n", false},
        {"one above the 32-bit range", SettingsLine("missing") + "ZEV_BUILD 2147483648 3 2\n", false},
        {"negative, wraps to 1", SettingsLine("missing") + "ZEV_BUILD -4294967295 3 2\n", false},
        {"minus zero is zero", SettingsLine("missing") + "ZEV_BUILD -0 3 2\n", true},
        {"zero byte inside the line",
         Bytes("ZEV_SETTINGS 1 missing 1 2 1 4 2 0 1 0 3 0 1 0 5 1 1\0\nZEV_BUILD 7 3 2\n"), false},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        SettingsResult result{};
        EXPECT_EQ(ParseSettingsResult(c.capture.data(), c.capture.size(), &result), c.accepted) << c.what;
    }

    SettingsResult result{};
    ASSERT_TRUE(ParseSettingsResult(valid.data(), valid.size(), &result));
    const std::array<int, kRowCount> expected = {1, 2, 1, 4, 2, 0, 1, 0, 3, 0, 1, 0, 5, 1, 1, 7, 3, 2};
    for (int row = 0; row < kRowCount; ++row)
        EXPECT_EQ(result.values[row], expected[row]) << "row " << row;
    EXPECT_STREQ(result.versionToken, "missing");
}

TEST(ParseSettingsResult, ChecksEveryValueAgainstItsRow) {
    for (int row = 0; row < kRowCount; ++row) {
        const int count = SettingOptionCount(row);
        struct Case {
            int value;
            bool accepted;
        } cases[] = {{count - 1, true}, {count, false}, {-1, false}}; // Display mode 2 among them
        for (const Case& c : cases) {
            std::array<int, kRowCount> values{};
            values[row] = c.value;
            std::string game, build;
            for (int r = 0; r < kGameRowCount; ++r)
                game += " " + std::to_string(values[r]);
            for (int r = kGameRowCount; r < kRowCount; ++r)
                build += " " + std::to_string(values[r]);
            const std::string capture = "ZEV_SETTINGS 1 missing" + game + "\nZEV_BUILD" + build + "\n";
            SettingsResult result{};
            EXPECT_EQ(ParseSettingsResult(capture.data(), capture.size(), &result), c.accepted)
                << "row " << row << " = " << c.value;
        }
    }
}

TEST(ParseSettingsResult, TheSummaryFollowsTheBuildLine) {
    struct Case {
        std::string tail;
        std::string summary;
    } cases[] = {
        {"ZEV_BUILD 7 3 2\nController\nJump    A\n", "Controller\nJump    A\n"},
        {"ZEV_BUILD 7 3 2 extra\nX", "X"},
        {"ZEV_BUILD 7 3 2\n", ""},
        {"ZEV_BUILD 7 3 2", ""},
        {Bytes("ZEV_BUILD 7 3 2\nbefore\0after"), "before"},
    };
    for (const Case& c : cases) {
        const std::string capture = SettingsLine("missing") + c.tail;
        SettingsResult result{};
        ASSERT_TRUE(ParseSettingsResult(capture.data(), capture.size(), &result)) << c.tail;
        EXPECT_EQ(std::string(result.summary, result.summaryLength), c.summary);
    }
}

std::unique_ptr<LocationsResult> ParseLocations(const std::string& capture, bool* accepted) {
    auto result = std::make_unique<LocationsResult>();
    *accepted = ParseLocationsResult(capture.data(), capture.size(), result.get());
    return result;
}

TEST(ParseLocationsResult, AcceptsExactlyFourValidLines) {
    struct Case {
        const char* what;
        std::string capture;
        bool accepted;
    } cases[] = {
        {"LF lines", "ZEV_LOCATIONS 1\nC:\\Games\\Tharn\nD:\\disc.iso\nSaved.\n", true},
        {"CR LF lines", "ZEV_LOCATIONS 1\r\nC:\\Games\\Tharn\r\nD:\\disc.iso\r\nSaved.\r\n", true},
        {"empty ISO and message", "ZEV_LOCATIONS 1\nC:\\Games\\Tharn\n\n\n", true},
        {"empty second line", "ZEV_LOCATIONS 1\n\nD:\\disc.iso\nSaved.\n", false},
        {"missing fourth LF", "ZEV_LOCATIONS 1\nC:\\Games\\Tharn\nD:\\disc.iso\nSaved.", false},
        {"a fifth line", "ZEV_LOCATIONS 1\nC:\\Games\\Tharn\nD:\\disc.iso\nSaved.\nmore\n", false},
        {"a fifth empty line", "ZEV_LOCATIONS 1\nC:\\Games\\Tharn\nD:\\disc.iso\nSaved.\n\n", false},
        {"other header", "ZEV_LOCATIONS 2\nC:\\Games\\Tharn\nD:\\disc.iso\nSaved.\n", false},
        {"header with a blank", "ZEV_LOCATIONS 1 \nC:\\Games\\Tharn\nD:\\disc.iso\nSaved.\n", false},
        {"invalid UTF-8 in a path", "ZEV_LOCATIONS 1\nC:\\Games\\\xC3\x28\nD:\\disc.iso\nSaved.\n", false},
        {"path of 32767 units", "ZEV_LOCATIONS 1\n" + std::string(32767, 'g') + "\n\n\n", true},
        {"path of 32768 units", "ZEV_LOCATIONS 1\n" + std::string(32768, 'g') + "\n\n\n", false},
        {"message of 1023 units", "ZEV_LOCATIONS 1\nC:\\G\n\n" + std::string(1023, 'm') + "\n", true},
        {"message of 1024 units", "ZEV_LOCATIONS 1\nC:\\G\n\n" + std::string(1024, 'm') + "\n", false},
        {"zero byte in a path", Bytes("ZEV_LOCATIONS 1\nC:\\G\0x\n\n\n"), false},
    };
    for (const Case& c : cases) {
        bool accepted = false;
        ParseLocations(c.capture, &accepted);
        EXPECT_EQ(accepted, c.accepted) << c.what;
    }

    bool accepted = false;
    auto result =
        ParseLocations("ZEV_LOCATIONS 1\r\nC:\\Spiele\\T\xC3\xA4rn\r\nD:\\disc.iso\r\nSaved.\r\n", &accepted);
    ASSERT_TRUE(accepted);
    EXPECT_STREQ(result->gameFolderPath, L"C:\\Spiele\\T\u00e4rn");
    EXPECT_STREQ(result->isoPath, L"D:\\disc.iso");
    EXPECT_STREQ(result->message, L"Saved.");
}

TEST(TakeCapturedLine, LeavesTheCursorWhenItFails) {
    const std::string text = "one\r\ntwo";
    const char* cursor = text.data();
    const char* end = text.data() + text.size();
    wchar_t line[8];
    ASSERT_TRUE(TakeCapturedLine(&cursor, end, line, 8));
    EXPECT_STREQ(line, L"one");
    EXPECT_EQ(cursor, text.data() + 5);
    EXPECT_FALSE(TakeCapturedLine(&cursor, end, line, 8)); // no LF
    EXPECT_EQ(cursor, text.data() + 5);

    const std::string longLine = "12345678\n";
    cursor = longLine.data();
    EXPECT_FALSE(TakeCapturedLine(&cursor, longLine.data() + longLine.size(), line, 8)); // 8 units need 9
    EXPECT_EQ(cursor, longLine.data());
}

TEST(CaptureAlertText, ShowsOutputThatFitsInto2047Units) {
    struct Case {
        const char* what;
        std::string capture;
        bool shown;
        std::size_t units;
        const wchar_t* text; // when it matters beyond its length
    } cases[] = {
        {"2047 units", std::string(2047, 'x'), true, 2047, nullptr},
        {"2048 units", std::string(2048, 'x'), false, 0, nullptr},
        {"2046 units and a character outside the BMP", std::string(2046, 'x') + "\xF0\x9F\x98\x80", false, 0,
         nullptr},
        {"2045 units and a character outside the BMP", std::string(2045, 'x') + "\xF0\x9F\x98\x80", true,
         2047, nullptr},
        {"invalid bytes become replacement characters", "bad \xFF\xFE byte", true, 11, // one each
         L"bad \xFFFD\xFFFD byte"},
        {"empty", "", false, 0, nullptr},
        {"a zero byte is shown as a replacement character, with what follows it", Bytes("\0tail"), true, 5,
         L"\xFFFDtail"},
        {"zero bytes inside and at the end", Bytes("Store\0locked\n\0"), true, 14,
         L"Store\xFFFDlocked\n\xFFFD"},
    };
    for (const Case& c : cases) {
        wchar_t text[kAlertTextUnits];
        EXPECT_EQ(CaptureAlertText(c.capture.data(), c.capture.size(), text), c.shown) << c.what;
        if (c.shown) {
            EXPECT_EQ(std::wcslen(text), c.units) << c.what;
        }
        if (c.text != nullptr) {
            EXPECT_EQ(std::wstring(text), c.text) << c.what;
        }
    }
}

// The completion, with its large buffers kept out of the test's stack.
class Completion : public testing::Test {
  protected:
    void SetUp() override {
        model_ = std::make_unique<SettingsModel>();
        buffers_ = std::make_unique<CompletionBuffers>();
        model_->pageVisible = 1;
    }
    CompletionEffects Complete(int operation, std::uint32_t exitCode, const std::string& capture) {
        return CompleteSettingsResult(*model_, operation, exitCode, capture.data(), capture.size(),
                                      *buffers_);
    }
    std::unique_ptr<SettingsModel> model_;
    std::unique_ptr<CompletionBuffers> buffers_;
};

TEST_F(Completion, AnAcceptedSettingsResultFillsBothValueSets) {
    struct Case {
        int operation;
        const wchar_t* status;
    } cases[] = {
        {LoadSettingsOperation, L"Change options with Left / Right or select a row to cycle."},
        {SaveSettingsOperation, L"Settings saved. They will be used the next time you launch."},
        {EditControlsOperation, L"Controller editor closed. Saved bindings apply on your next launch."},
    };
    for (const Case& c : cases) {
        SetUp();
        const std::string capture = SettingsLine(kHex64) + "ZEV_BUILD 7 3 2\nPad\nJump    A\n";
        const CompletionEffects effects = Complete(c.operation, 0, capture);
        EXPECT_STREQ(effects.statusText, c.status);
        EXPECT_FALSE(effects.alert);
        EXPECT_FALSE(effects.readSettingsNext);
        EXPECT_EQ(model_->loaded, 1);
        EXPECT_EQ(model_->current[TextureSmoothing], 5);
        EXPECT_EQ(model_->saved[CompilerJobs], 7);
        EXPECT_FALSE(HasUnsavedChanges(*model_));
        EXPECT_STREQ(model_->versionToken, kHex64.c_str());
        EXPECT_STREQ(model_->controlsSummary, L"Pad\nJump    A\n");
    }
}

// The page splits the summary at LF only: a CR before an LF is dropped, any other CR stays.
TEST_F(Completion, CarriageReturnsBeforeLineFeedsLeaveTheSummary) {
    struct Case {
        const char* summary;
        const wchar_t* stored;
    } cases[] = {
        {"Pad\r\nJump  A\r\n", L"Pad\nJump  A\n"},
        {"Pad\nJump  A\r\nRun  B", L"Pad\nJump  A\nRun  B"},
        {"Pad\r\r\nA\rB\n", L"Pad\r\nA\rB\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.summary);
        Complete(LoadSettingsOperation, 0, SettingsLine("missing") + "ZEV_BUILD 7 3 2\r\n" + c.summary);
        EXPECT_STREQ(model_->controlsSummary, c.stored);
    }
}

TEST_F(Completion, ASummaryThatIsNotUtf8IsDropped) {
    Complete(LoadSettingsOperation, 0, SettingsLine("missing") + "ZEV_BUILD 7 3 2\nbad \xFF\n");
    EXPECT_EQ(model_->loaded, 1);
    EXPECT_STREQ(model_->controlsSummary, L"");
}

TEST_F(Completion, ARejectedSettingsResultKeepsTheValuesAndShowsTheOutput) {
    const std::string valid = SettingsLine("missing") + "ZEV_BUILD 7 3 2\n";
    Complete(LoadSettingsOperation, 0, valid);
    model_->current[VSync] = 1; // an edit in progress

    struct Case {
        const char* what;
        std::uint32_t exitCode;
        std::string capture;
        std::wstring status;
    } cases[] = {
        {"exit code 1 with a valid result", 1, valid,
         L"ZEV_SETTINGS 1 missing 1 2 1 4 2 0 1 0 3 0 1 0 5 1 1\nZEV_BUILD 7 3 2\n"},
        {"Display mode 2", 0, SettingsLine("missing", "1 2 2 4 2 0 1 0 3 0 1 0 5 1 1") + "ZEV_BUILD 7 3 2\n",
         L"ZEV_SETTINGS 1 missing 1 2 2 4 2 0 1 0 3 0 1 0 5 1 1\nZEV_BUILD 7 3 2\n"},
        {"no output", 0, "", L"Settings could not be read. No changes were saved."},
        {"output of 2048 units", 2, std::string(2048, 'e'),
         L"Settings could not be read. No changes were saved."},
    };
    for (const Case& c : cases) {
        model_->loaded = 1;
        const CompletionEffects effects = Complete(SaveSettingsOperation, c.exitCode, c.capture);
        EXPECT_EQ(effects.statusText, c.status) << c.what;
        EXPECT_TRUE(effects.alert) << c.what;
        EXPECT_EQ(model_->loaded, 0) << c.what;
        EXPECT_EQ(model_->current[VSync], 1) << c.what;
        EXPECT_EQ(model_->saved[VSync], 0) << c.what;
        EXPECT_EQ(model_->saved[CompilerJobs], 7) << c.what;
    }
}

TEST_F(Completion, LocationsResults) {
    const std::string chosen = "ZEV_LOCATIONS 1\nC:\\Games\\Tharn\nD:\\disc.iso\nGame folder saved.\n";
    model_->loaded = 1;
    CompletionEffects effects = Complete(ReadLocationsOperation, 0, "ZEV_LOCATIONS 1\nC:\\Old\n\n\n");
    EXPECT_STREQ(effects.statusText, L"Choose the original ISO or an existing game installation folder.");
    EXPECT_FALSE(effects.alert);
    EXPECT_STREQ(model_->gameFolderPath, L"C:\\Old");
    EXPECT_STREQ(model_->isoPath, L"");
    EXPECT_EQ(model_->loaded, 1);

    effects = Complete(SelectIsoOperation, 0, "ZEV_LOCATIONS 1\nC:\\Old\nD:\\disc.iso\nISO saved.\n");
    EXPECT_STREQ(effects.statusText, L"ISO saved.");
    EXPECT_FALSE(effects.readSettingsNext);
    EXPECT_STREQ(model_->isoPath, L"D:\\disc.iso");

    // A rejected result keeps both paths and the loaded flag.
    effects = Complete(SelectGameFolderOperation, 0, "ZEV_LOCATIONS 1\n\nD:\\other.iso\nx\n");
    EXPECT_STREQ(effects.statusText, L"ZEV_LOCATIONS 1\n\nD:\\other.iso\nx\n");
    EXPECT_TRUE(effects.alert);
    EXPECT_FALSE(effects.readSettingsNext);
    effects = Complete(SelectGameFolderOperation, 1, chosen);
    EXPECT_TRUE(effects.alert);
    effects = Complete(ReadLocationsOperation, 0, "");
    EXPECT_STREQ(effects.statusText, L"Could not read locations. Your previous selection is kept.");
    EXPECT_STREQ(model_->gameFolderPath, L"C:\\Old");
    EXPECT_STREQ(model_->isoPath, L"D:\\disc.iso");
    EXPECT_EQ(model_->loaded, 1);

    // An accepted game folder is followed by a read of its settings.
    effects = Complete(SelectGameFolderOperation, 0, chosen);
    EXPECT_STREQ(effects.statusText, L"Game folder saved.");
    EXPECT_TRUE(effects.readSettingsNext);
    EXPECT_EQ(model_->loaded, 0);
    EXPECT_STREQ(model_->gameFolderPath, L"C:\\Games\\Tharn");
}

} // namespace
