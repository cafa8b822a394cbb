#pragma once
// The black-box GUI driver: copies the built player folder, starts the real executable and
// drives it with window messages as a user would. Everything here works on real Windows too.
#include <windows.h>
#include <functional>
#include <string>
#include <utility>

namespace driver {

// Waits on a condition, polling; false when the time-out passes first. Never a fixed sleep.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000);

// The build folder (parent of the folder holding the test executable).
std::wstring BuildDirectory();

// A private copy of build/player in a temporary folder, removed when it goes out of scope. With a
// root length, the copy sits in nested folders so that Root() is exactly that many characters long;
// with a subfolder (which may hold backslashes), the copy lies that deep inside the temporary folder.
// Used(folder) takes a player folder that exists already: used in place and left as it is.
class PlayerFolder {
  public:
    explicit PlayerFolder(size_t rootLength = 0);
    explicit PlayerFolder(const std::wstring& subfolder);
    static PlayerFolder Used(std::wstring existingRoot) {
        return PlayerFolder(InPlace{}, std::move(existingRoot));
    }
    ~PlayerFolder();
    PlayerFolder(const PlayerFolder&) = delete;
    PlayerFolder& operator=(const PlayerFolder&) = delete;

    const std::wstring& Root() const { return root_; }
    std::wstring PathOf(const std::wstring& relative) const;
    void WriteFile(const std::wstring& relative, const std::string& bytes) const;
    std::string ReadFile(const std::wstring& relative) const;
    bool Exists(const std::wstring& relative) const;
    void Remove(const std::wstring& relative) const;
    void MakeDirectory(const std::wstring& relative) const;

  private:
    struct InPlace {};
    PlayerFolder(InPlace, std::wstring existingRoot);

    std::wstring top_; // the temporary folder that is removed
    std::wstring root_;
};

// A started TharnOfEmberfall.exe.
class Launcher {
  public:
    // Starts the executable of the folder with the given argument text after the program name.
    Launcher(const PlayerFolder& folder, const std::wstring& arguments = L"", bool withStdHandles = false);
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD processId() const { return processId_; }
    HANDLE process() const { return process_; }
    // The main window of this process once it is created and shown, waiting for it; null on time-out.
    HWND WaitForWindow(DWORD timeoutMs = 30000);
    HWND window() const { return window_; }
    // Waits for the process to end; returns its exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeoutMs = 30000);
    bool HasExited() const;
    // A message box (class #32770) shown by this process, waiting for it; null on time-out.
    HWND WaitForMessageBox(DWORD timeoutMs = 30000) const;

    HWND Control(int id) const { return GetDlgItem(window_, id); }
    // Presses a button as a click would; returns once the press is handled (or after 10 s).
    void Click(int id) const;

  private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

// Quotes one argument so that CommandLineToArgvW gives it back unchanged.
std::wstring QuoteArgument(const std::wstring& argument);

// Asks a window for an answer to WM_NULL over and over, from a thread of its own, until stopped or
// the window has gone, and keeps the longest wait for an answer.
class AnswerProbe {
  public:
    explicit AnswerProbe(HWND window);
    ~AnswerProbe();
    AnswerProbe(const AnswerProbe&) = delete;
    AnswerProbe& operator=(const AnswerProbe&) = delete;
    // Stops probing; the longest wait in milliseconds.
    double Stop();

  private:
    static DWORD WINAPI Run(void* context);
    HWND window_;
    HANDLE thread_ = nullptr;
    volatile LONG stop_ = 0;
    double longestMs_ = 0;
};

// The threads and the open handles of this process.
DWORD ThreadCount();
DWORD HandleCount();

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
// The text of a message box's static label.
std::wstring MessageBoxText(HWND box);
// The status line: the STATIC child of the main window with no identifier.
HWND StatusLine(HWND mainWindow);

std::string Narrow(const std::wstring& text); // UTF-8
std::wstring Widen(const std::string& text);  // from UTF-8

} // namespace driver
