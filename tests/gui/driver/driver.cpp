#include "driver.h"
#include <shellapi.h>
#include <utility>
#include <vector>
#include "screen_reader.h"

namespace driver {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() > deadline)
            return condition();
        Sleep(20);
    }
}

std::wstring BuildDirectory() {
    wchar_t path[MAX_PATH * 4];
    GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    std::wstring text = path;
    text.resize(text.find_last_of(L'\\')); // tests folder
    text.resize(text.find_last_of(L'\\')); // build folder
    return text;
}

namespace {

void CopyTree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyTree(from + L"\\" + name, to + L"\\" + name);
        } else {
            CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

// A new, empty temporary folder of this test process.
std::wstring NewTemporaryFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    const std::wstring folder = std::wstring(temp) + L"player-" + std::to_wstring(GetCurrentProcessId()) +
                                L"-" + std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++counter);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

} // namespace

PlayerFolder::PlayerFolder(size_t rootLength) : top_(NewTemporaryFolder()), root_(top_) {
    // Nested folders of at most 100 characters (a name may have 255); the last one takes the rest.
    constexpr size_t kNameLength = 100;
    while (root_.size() + 1 < rootLength) {
        const size_t remaining = rootLength - root_.size() - 1;
        const size_t name = remaining > kNameLength + 1 ? kNameLength : remaining;
        root_ += L"\\" + std::wstring(name, L'n');
        CreateDirectoryW(root_.c_str(), nullptr);
    }
    CopyTree(BuildDirectory() + L"\\player", root_);
}

PlayerFolder::PlayerFolder(const std::wstring& subfolder) : top_(NewTemporaryFolder()), root_(top_) {
    if (!subfolder.empty()) {
        MakeDirectory(subfolder);
        root_ += L"\\" + subfolder;
    }
    CopyTree(BuildDirectory() + L"\\player", root_);
}

PlayerFolder::PlayerFolder(InPlace, std::wstring existingRoot) : root_(std::move(existingRoot)) {}

PlayerFolder::~PlayerFolder() {
    if (!top_.empty()) // empty for a folder used in place
        RemoveTree(top_);
}

std::wstring PlayerFolder::PathOf(const std::wstring& relative) const {
    return root_ + L"\\" + relative;
}

void PlayerFolder::WriteFile(const std::wstring& relative, const std::string& bytes) const {
    HANDLE file = CreateFileW(PathOf(relative).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
}

std::string PlayerFolder::ReadFile(const std::wstring& relative) const {
    std::string bytes;
    HANDLE file = CreateFileW(PathOf(relative).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[65536];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

bool PlayerFolder::Exists(const std::wstring& relative) const {
    return GetFileAttributesW(PathOf(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void PlayerFolder::Remove(const std::wstring& relative) const {
    const std::wstring path = PathOf(relative);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
    } else {
        DeleteFileW(path.c_str());
    }
}

void PlayerFolder::MakeDirectory(const std::wstring& relative) const {
    std::wstring path = root_;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find(L'\\', start);
        if (end == std::wstring::npos)
            end = relative.size();
        path += L"\\" + relative.substr(start, end - start);
        CreateDirectoryW(path.c_str(), nullptr);
        start = end + 1;
    }
}

Launcher::Launcher(const PlayerFolder& folder, const std::wstring& arguments, bool withStdHandles) {
    const std::wstring exe = folder.PathOf(L"TharnOfEmberfall.exe");
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (withStdHandles) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION info{};
    if (CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, withStdHandles, 0, nullptr,
                       folder.Root().c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
    }
}

Launcher::~Launcher() {
    if (process_ == nullptr)
        return;
    // A test that left the program running ends it by its own handle, never by name.
    if (!HasExited()) {
        if (window_ != nullptr && IsWindow(window_))
            PostMessageW(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_, 3000) != WAIT_OBJECT_0)
            TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId)
        return TRUE;
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    if (wcscmp(name, search->className) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className) {
    WindowSearch search{processId, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

HWND Launcher::WaitForWindow(DWORD timeoutMs) {
    // The window can be found while it is still being created; it is shown once creation is done.
    const bool shown = WaitUntil(
        [&] {
            window_ = FindProcessWindow(processId_, L"ZevNativeLauncher");
            return window_ != nullptr && IsWindowVisible(window_);
        },
        timeoutMs);
    return shown ? window_ : nullptr;
}

DWORD Launcher::WaitForExit(DWORD timeoutMs) {
    if (process_ == nullptr)
        return STILL_ACTIVE;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return code;
}

bool Launcher::HasExited() const {
    return process_ == nullptr || WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
}

HWND Launcher::WaitForMessageBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    // The dialog exists a moment before its label does: wait for the text too.
    WaitUntil(
        [&] {
            box = FindProcessWindow(processId_, L"#32770");
            return box != nullptr && !MessageBoxText(box).empty();
        },
        timeoutMs);
    return box;
}

void Launcher::Click(int id) const {
    // Sent, not posted: a posted click can lose its button-up half to the real pointer's moves.
    // The time-out keeps a modal reaction from blocking the driver.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(Control(id), BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &result);
}

std::wstring QuoteArgument(const std::wstring& argument) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        out += c;
        backslashes = 0;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::wstring WindowText(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring MessageBoxText(HWND box) {
    return WindowText(GetDlgItem(box, 0xFFFF));
}

HWND StatusLine(HWND mainWindow) {
    for (HWND child = GetWindow(mainWindow, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) == L"Static" && GetDlgCtrlID(child) == 0)
            return child;
    }
    return nullptr;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

std::wstring Widen(const std::string& text) {
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

AnswerProbe::AnswerProbe(HWND window) : window_(window) {
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

AnswerProbe::~AnswerProbe() {
    Stop();
}

double AnswerProbe::Stop() {
    InterlockedExchange(&stop_, 1);
    if (thread_ != nullptr) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    return longestMs_;
}

DWORD WINAPI AnswerProbe::Run(void* context) {
    auto* self = static_cast<AnswerProbe*>(context);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    while (InterlockedCompareExchange(&self->stop_, 0, 0) == 0) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(self->window_, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &result))
            return 0; // the window has gone
        QueryPerformanceCounter(&end);
        const double waitedMs = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                                static_cast<double>(frequency.QuadPart);
        if (waitedMs > self->longestMs_)
            self->longestMs_ = waitedMs;
        Sleep(2);
    }
    return 0;
}

DWORD ThreadCount() {
    return ThreadCountOf(GetCurrentProcessId());
}

// Counted by trying every handle value, as not every system implements GetProcessHandleCount (Wine
// reports 0): handles are multiples of four, and a small process uses low values.
DWORD HandleCount() {
    constexpr ULONG_PTR kHighestProbed = 1u << 20;
    DWORD count = 0;
    for (ULONG_PTR value = 4; value <= kHighestProbed; value += 4) {
        DWORD flags = 0;
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    return count;
}

} // namespace driver
