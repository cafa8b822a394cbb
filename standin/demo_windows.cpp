#include "demo_windows.h"
#include "demo_settings.h"
#include "platform.h"
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>
#include <iterator>

namespace standin {

namespace {

constexpr wchar_t kGameClass[] = L"StandinGameWindow";
constexpr wchar_t kEditorClass[] = L"StandinControllerEditor";
constexpr int kQuitButton = 1;
constexpr int kCloseButton = 2;
constexpr int kSwitchButton = 3;
constexpr int kGameWidth = 520;
constexpr int kGameHeight = 300;
constexpr int kEditorWidth = 420;
constexpr int kEditorHeight = 220;
constexpr int kMargin = 20;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 30;
constexpr COLORREF kGameBackground = RGB(14, 16, 24);
constexpr COLORREF kGameText = RGB(236, 222, 180);

// The controller editor's layout while its window is open.
int editorLayout = 0;
HWND editorText = nullptr;

HFONT DialogFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HWND AddChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, RECT box) {
    HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, box.left, box.top,
                                 box.right - box.left, box.bottom - box.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), TRUE);
    return child;
}

RECT BottomRightButton(HWND window, int index) {
    RECT client;
    GetClientRect(window, &client);
    const int right = client.right - kMargin - index * (kButtonWidth + kMargin / 2);
    return RECT{right - kButtonWidth, client.bottom - kMargin - kButtonHeight, right,
                client.bottom - kMargin};
}

void PaintGame(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH background = CreateSolidBrush(kGameBackground);
    FillRect(dc, &client, background);
    DeleteObject(background);
    HGDIOBJ oldFont = SelectObject(dc, DialogFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kGameText);
    RECT text{kMargin, kMargin, client.right - kMargin, client.bottom / 2};
    DrawTextW(dc, L"Tharn of Emberfall is running. Quit to end the game.", -1, &text,
              DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
}

LRESULT CALLBACK GameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        AddChild(window, L"BUTTON", L"Quit", BS_PUSHBUTTON, kQuitButton, BottomRightButton(window, 0));
        return 0;
    case WM_PAINT: PaintGame(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_COMMAND:
        if (LOWORD(wParam) == kQuitButton)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

void ShowEditorLayout() {
    SetWindowTextW(editorText, FromUtf8(ControllerEditorText(editorLayout)).c_str());
}

void CreateEditorControls(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    AddChild(window, L"STATIC",
             L"Choose the layout of your controller. Bindings are saved when you close this window.", SS_LEFT,
             0, RECT{kMargin, kMargin, client.right - kMargin, kMargin + 36});
    editorText = AddChild(window, L"STATIC", L"", SS_LEFT, 0,
                          RECT{kMargin, kMargin + 48, client.right - kMargin, kMargin + 96});
    AddChild(window, L"BUTTON", L"Switch layout", BS_PUSHBUTTON, kSwitchButton, BottomRightButton(window, 1));
    AddChild(window, L"BUTTON", L"Close", BS_DEFPUSHBUTTON, kCloseButton, BottomRightButton(window, 0));
    ShowEditorLayout();
}

void OnEditorCommand(HWND window, int id) {
    if (id == kCloseButton || id == IDCANCEL)
        DestroyWindow(window);
    if (id == kSwitchButton) {
        editorLayout = (editorLayout + 1) % kControllerLayoutCount;
        ShowEditorLayout();
    }
}

LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: CreateEditorControls(window); return 0;
    case WM_COMMAND: OnEditorCommand(window, LOWORD(wParam)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Creates a top-level window of the given client size, shows it and runs its loop until it is destroyed.
void RunWindow(const wchar_t* className, WNDPROC procedure, HBRUSH background, const wchar_t* title,
               int width, int height) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    HWND window =
        CreateWindowExW(0, className, title, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr)
        return;
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The folder browser opens at the current choice.
int CALLBACK StartAtFolder(HWND dialog, UINT message, LPARAM, LPARAM folder) {
    if (message == BFFM_INITIALIZED)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, folder);
    return 0;
}

} // namespace

void RunGameWindow() {
    RunWindow(kGameClass, GameProc, nullptr, L"Tharn of Emberfall (game)", kGameWidth, kGameHeight);
}

int RunControllerEditor(int controllerLayout) {
    editorLayout = controllerLayout;
    RunWindow(kEditorClass, EditorProc, GetSysColorBrush(COLOR_BTNFACE), L"Controller bindings", kEditorWidth,
              kEditorHeight);
    return editorLayout;
}

bool ChooseIsoFile(std::wstring& path) {
    // The dialog library is loaded only here: importing it would start a COM service at every
    // start of the stand-in, which then holds on to the standard handles it was given.
    using OpenFileDialog = BOOL(WINAPI*)(OPENFILENAMEW*);
    const HMODULE library = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library == nullptr)
        return false;
    const auto showDialog = reinterpret_cast<OpenFileDialog>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "GetOpenFileNameW")));
    static wchar_t chosen[32768];
    lstrcpynW(chosen, path.c_str(), static_cast<int>(std::size(chosen)));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = L"Disc images (*.iso)\0*.iso\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = static_cast<DWORD>(std::size(chosen));
    dialog.lpstrTitle = L"Select your original ISO";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    const bool chose = showDialog != nullptr && showDialog(&dialog) != FALSE;
    FreeLibrary(library);
    if (chose)
        path = chosen;
    return chose;
}

bool ChooseGameFolder(std::wstring& path) {
    // The new-style folder browser needs COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t displayName[MAX_PATH] = L""; // the folder's name as shown, not its path
    // The path may be longer than the classic 260 units.
    static wchar_t chosen[32768];
    chosen[0] = L'\0';
    BROWSEINFOW browse{};
    browse.pszDisplayName = displayName;
    browse.lpszTitle = L"Select the existing game folder. Nothing will be moved.";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = StartAtFolder;
    browse.lParam = reinterpret_cast<LPARAM>(path.c_str());
    PIDLIST_ABSOLUTE folder = SHBrowseForFolderW(&browse);
    bool ok = false;
    if (folder != nullptr) {
        const auto capacity = static_cast<DWORD>(std::size(chosen));
        ok = SHGetPathFromIDListEx(folder, chosen, capacity, GPFIDL_DEFAULT) != FALSE && chosen[0] != L'\0';
        CoTaskMemFree(folder);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    if (ok)
        path = chosen;
    return ok;
}

} // namespace standin
