#include "capture.h"
#include <cstdio>
#include "driver.h"

namespace capture {

namespace {

std::wstring gFolder = L".";

} // namespace

void SetFolder(const std::wstring& folder) {
    gFolder = folder;
    CreateDirectoryW(gFolder.c_str(), nullptr);
}

// <name>.request holds "x y width height"; it is written under another name and moved into place,
// so the script never reads half of it. The script answers with <name>.png in the same folder.
bool Request(const RECT& area, const std::wstring& name) {
    const std::wstring request = gFolder + L"\\" + name + L".request";
    const std::wstring done = gFolder + L"\\" + name + L".png";
    DeleteFileW(done.c_str());
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%ld %ld %ld %ld\n", area.left, area.top,
                                     area.right - area.left, area.bottom - area.top);
    const std::wstring temporary = request + L".tmp";
    HANDLE out = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(out, text, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(out);
    MoveFileW(temporary.c_str(), request.c_str());
    const bool ok =
        driver::WaitUntil([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
    std::printf("%ls %s\n", name.c_str(), ok ? "captured" : "FAILED");
    std::fflush(stdout);
    return ok;
}

bool Client(HWND window, const std::wstring& name) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    OffsetRect(&client, origin.x, origin.y);
    return Request(client, name);
}

bool Window(HWND window, const std::wstring& name) {
    RECT area{};
    GetWindowRect(window, &area);
    return Request(area, name);
}

HWND WaitForDemoGame(DWORD timeoutMs) {
    HWND game = nullptr;
    driver::WaitUntil(
        [&] {
            game = FindWindowW(nullptr, L"Tharn of Emberfall (game)");
            return game != nullptr && IsWindowVisible(game);
        },
        timeoutMs);
    return game != nullptr && IsWindowVisible(game) ? game : nullptr;
}

void QuitDemoGame(HWND game) {
    if (HWND quit = FindWindowExW(game, nullptr, L"Button", L"Quit"))
        PostMessageW(quit, BM_CLICK, 0, 0);
}

void Settle(HWND window) {
    for (int i = 0; i < 2; ++i) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(250);
    }
}

} // namespace capture
