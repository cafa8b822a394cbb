#include "process/shell_path.h"
#include <windows.h>
#include <cwchar>
#include <iterator>

const wchar_t* ShellUsablePath(const wchar_t* path, wchar_t (&shortForm)[kClassicPathUnits]) {
    if (FitsClassicPath(std::wcslen(path)))
        return path;
    // A short form that does not fit the buffer is of no use either: the result is then its size.
    const DWORD length = GetShortPathNameW(path, shortForm, static_cast<DWORD>(std::size(shortForm)));
    return length > 0 && length < std::size(shortForm) ? shortForm : path;
}
