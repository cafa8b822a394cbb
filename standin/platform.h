#pragma once
#include <optional>
#include <string>
#include <string_view>

// Thin wrappers over the system calls the stand-in needs: unbuffered standard output, UTF-8
// conversion and whole-file access.
namespace standin {

// Each call is one or more direct writes to the standard handle, so order and timing are real.
// False once a write fails (the reader has gone); a missing handle counts as success.
bool WriteStdout(std::string_view bytes);
bool WriteStderr(std::string_view bytes);

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

std::optional<std::string> ReadWholeFile(const std::wstring& path);
// Writes a temporary file beside the target and moves it into place.
bool StoreFile(const std::wstring& path, std::string_view bytes);
bool PathExists(const std::wstring& path);
bool IsDirectory(const std::wstring& path);
// Creates the folder and any missing parents.
void MakeDirectories(const std::wstring& path);

} // namespace standin
