// What Windows reads from the executable without running it: the version resource and the manifest.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>
#include "driver.h"

using namespace driver;

namespace {

// The project version as CMake knows it ("major.minor.patch"), passed in by the build.
const std::wstring kProjectVersion = Widen(PROJECT_VERSION_TEXT);

std::wstring ExePath() {
    return BuildDirectory() + L"\\player\\TharnOfEmberfall.exe";
}

std::wstring StringValue(const std::vector<char>& block, const wchar_t* name) {
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || value == nullptr)
        return L"(missing)";
    return static_cast<const wchar_t*>(value);
}

TEST(Resources, VersionResourceCarriesTheProjectVersion) {
    unsigned major = 0, minor = 0, patch = 0;
    ASSERT_EQ(std::swscanf(kProjectVersion.c_str(), L"%u.%u.%u", &major, &minor, &patch), 3);

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(ExePath().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(ExePath().c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedLength = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedLength));
    ASSERT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, (major << 16) | minor);
    EXPECT_EQ(fixed->dwFileVersionLS, patch << 16);
    EXPECT_EQ(fixed->dwProductVersionMS, (major << 16) | minor);
    EXPECT_EQ(fixed->dwProductVersionLS, patch << 16);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    const struct {
        const wchar_t* name;
        std::wstring expected;
    } fields[] = {
        {L"FileDescription", L"Tharn of Emberfall"},
        {L"ProductName", L"Tharn of Emberfall"},
        {L"CompanyName", L"Ostravic"},
        {L"FileVersion", kProjectVersion + L".0"},
        {L"ProductVersion", kProjectVersion},
        {L"OriginalFilename", L"TharnOfEmberfall.exe"},
    };
    for (const auto& field : fields)
        EXPECT_EQ(StringValue(block, field.name), field.expected) << field.name;
    const std::wstring copyright = StringValue(block, L"LegalCopyright");
    EXPECT_NE(copyright.find(L"Copyright"), std::wstring::npos) << copyright;
    EXPECT_NE(copyright.find(L"Ostravic"), std::wstring::npos) << copyright;
}

TEST(Resources, ManifestDeclaresLongPathsAndTheProjectVersion) {
    HMODULE image =
        LoadLibraryExW(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr);
    HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(image, found)));
    const std::string manifest(bytes, SizeofResource(image, found));
    FreeLibrary(image);

    EXPECT_NE(manifest.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
                            "true</longPathAware>"),
              std::string::npos);
    EXPECT_NE(manifest.find("version=\"" + Narrow(kProjectVersion) + ".0\""), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}

} // namespace
