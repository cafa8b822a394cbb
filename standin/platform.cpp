#include "platform.h"
#include <windows.h>

namespace standin {

namespace {

constexpr DWORD kMaxWrite = 1u << 20;

bool WriteHandle(DWORD which, std::string_view bytes) {
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return true;
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > kMaxWrite ? kMaxWrite : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

} // namespace

bool WriteStdout(std::string_view bytes) {
    return WriteHandle(STD_OUTPUT_HANDLE, bytes);
}
bool WriteStderr(std::string_view bytes) {
    return WriteHandle(STD_ERROR_HANDLE, bytes);
}

std::string ToUtf8(std::wstring_view text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(std::string_view text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring out(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out.data(), size);
    return out;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char chunk[65536];
    DWORD read = 0;
    bool ok = true;
    for (;;) {
        if (!ReadFile(file, chunk, static_cast<DWORD>(std::size(chunk)), &read, nullptr)) {
            ok = false;
            break;
        }
        if (read == 0)
            break;
        bytes.append(chunk, read);
    }
    CloseHandle(file);
    if (!ok)
        return std::nullopt;
    return bytes;
}

bool StoreFile(const std::wstring& path, std::string_view bytes) {
    const std::wstring temporary = path + L".new";
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    if (ok && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}

bool PathExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void MakeDirectories(const std::wstring& path) {
    if (path.empty() || IsDirectory(path))
        return;
    const size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > 0)
        MakeDirectories(path.substr(0, slash));
    CreateDirectoryW(path.c_str(), nullptr);
}

} // namespace standin
