#include "shell/session_lock.h"
#include "shell/app_state.h"
#include "shell/startup.h"
#include "text/format_text.h"

HANDLE gSessionLock = INVALID_HANDLE_VALUE;

namespace {

void Refuse(HWND owner, const wchar_t* text) {
    MessageBoxW(owner, text, kWindowCaption, MB_ICONINFORMATION | MB_OK);
}

} // namespace

bool TakeSessionLock(HWND owner) {
    if (gSessionLock != INVALID_HANDLE_VALUE)
        return true;
    static wchar_t path[kPathUnits];
    FormatText(path, kPathUnits, L"%ls\\private", gBaseDirectory);
    CreateDirectoryW(path, nullptr);
    FormatText(path, kPathUnits, L"%ls\\private\\launcher", gBaseDirectory);
    CreateDirectoryW(path, nullptr);
    FormatText(path, kPathUnits, L"%ls\\private\\launcher\\session.lock", gBaseDirectory);
    gSessionLock = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (gSessionLock == INVALID_HANDLE_VALUE) {
        Refuse(owner, kLockRefusedText);
        return false;
    }
    // The marker refuses start-up whether it is a file or a directory; the window never touches it.
    FormatText(path, kPathUnits, L"%ls\\private\\launcher\\update-in-progress.json", gBaseDirectory);
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
        Refuse(owner, kUpdateInterruptedText);
        return false;
    }
    return true;
}
