#include "process/shell_path.h"
#include <windows.h>
#include <cwchar>
#include <iterator>
#include "process/path_limits.h"

const wchar_t* ShellUsablePath(const wchar_t* path, wchar_t (&shortForm)[kPathUnits]) {
    if (FitsClassicPath(std::wcslen(path)))
        return path;
    const DWORD length = GetShortPathNameW(path, shortForm, static_cast<DWORD>(std::size(shortForm)));
    return length > 0 && FitsClassicPath(length) ? shortForm : path;
}
