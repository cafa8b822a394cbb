// Paths handed to the shell (Open log): within the classic limit as they are, longer ones by their
// short form, which must still name the same file.
#include <gtest/gtest.h>
#include <windows.h>
#include <cwchar>
#include <string>
#include <vector>
#include "process/path_limits.h"
#include "process/shell_path.h"

namespace {

class ShellPathTest : public testing::Test {
  protected:
    void TearDown() override {
        DeleteFileW(file_.c_str());
        for (auto it = folders_.rbegin(); it != folders_.rend(); ++it)
            RemoveDirectoryW(it->c_str());
    }

    // A file whose path has at least the given length, in nested folders of the temporary folder.
    std::wstring MakeFile(size_t minimumLength, const std::string& content) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        std::wstring folder = std::wstring(temp) + L"shell-path-" + std::to_wstring(GetCurrentProcessId());
        for (;;) {
            CreateDirectoryW(folder.c_str(), nullptr);
            folders_.push_back(folder);
            if (folder.size() + 10 >= minimumLength)
                break;
            folder += L"\\" + std::wstring(80, L'd');
        }
        file_ = folder + L"\\latest.log";
        HANDLE file = CreateFileW(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        return file_;
    }

    static std::string Read(const wchar_t* path) {
        HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        char bytes[64] = {};
        DWORD read = 0;
        if (file != INVALID_HANDLE_VALUE) {
            ReadFile(file, bytes, sizeof bytes - 1, &read, nullptr);
            CloseHandle(file);
        }
        return std::string(bytes, read);
    }

    std::wstring file_;
    std::vector<std::wstring> folders_;
};

TEST_F(ShellPathTest, APathWithinTheLimitIsGivenAsItIs) {
    wchar_t shortForm[kClassicPathUnits];
    const std::wstring path = MakeFile(0, "log");
    EXPECT_EQ(ShellUsablePath(path.c_str(), shortForm), path.c_str());
}

TEST_F(ShellPathTest, ALongerPathIsGivenByAShortFormOfTheSameFile) {
    wchar_t shortForm[kClassicPathUnits];
    const std::wstring path = MakeFile(300, "the launch log");
    ASSERT_GE(path.size(), kClassicPathUnits);
    const wchar_t* usable = ShellUsablePath(path.c_str(), shortForm);
    EXPECT_LT(std::wcslen(usable), kClassicPathUnits);
    EXPECT_EQ(Read(usable), "the launch log");
}

TEST_F(ShellPathTest, APathWhoseShortFormIsStillTooLongIsGivenAsItIs) {
    wchar_t shortForm[kClassicPathUnits];
    const std::wstring path = MakeFile(3000, "deep"); // dozens of folders: even 8.3 names pass the limit
    ASSERT_GT(GetShortPathNameW(path.c_str(), nullptr, 0), kClassicPathUnits);
    EXPECT_EQ(ShellUsablePath(path.c_str(), shortForm), path.c_str());
}

} // namespace
