#include "launch/launch_commands.h"
#include <windows.h>
#include <shellapi.h>
#include <cwchar>
#include <iterator>
#include "launch/exit_status_text.h"
#include "launch/launch_progress.h"
#include "launch/progress_protocol.h"
#include "process/command_line.h"
#include "process/helper_process.h"
#include "process/output_pane.h"
#include "process/path_limits.h"
#include "process/shell_path.h"
#include "settings/settings_model.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "shell/status_line.h"
#include "ui/home_layout.h"

bool LaunchDetailsVisible = false;
LaunchProgress Progress;

namespace {

constexpr int kOperationLaunch = 0;
constexpr std::size_t kExitCodeTextUnits = 128;

// One launch command and one converted output line at a time; both too large for the stack of a
// timer tick, and neither may be allocated per use.
CommandLine LaunchCommand;
wchar_t PaneLine[kPaneLineUnits];
wchar_t InterpreterPath[kPathUnits];
wchar_t ScriptPath[kPathUnits];
wchar_t gShortLogPath[kClassicPathUnits];
wchar_t gShortBaseDirectory[kClassicPathUnits];
// The last launch ended with an error; cleared by the next Play.
bool gLaunchEndedWithError = false;

bool FileExists(const wchar_t* path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

void ResetLaunchProgress() {
    Progress.progressStarted = false;
    Progress.highestPermille = 0;
    Progress.elapsedSeconds = 0;
    Progress.lastShownSecond = 0;
    Progress.memoryLimitMiB = 0;
    Progress.peakCommittedMiB = 0;
}

// Interpreter, "-u", script, "--launch", the program's own arguments, then the graphics preset when
// the toggle is checked. Nothing is appended after the first failure.
bool BuildLaunchCommand() {
    ClearCommandLine(LaunchCommand);
    bool fits = AppendQuotedArgument(LaunchCommand, InterpreterPath) &&
                AppendArgument(LaunchCommand, L"-u") && AppendArgument(LaunchCommand, ScriptPath) &&
                AppendArgument(LaunchCommand, L"--launch");
    for (int i = 1; fits && i < ArgumentCount; ++i)
        fits = AppendArgument(LaunchCommand, ArgumentArray[i]);
    // The toggle is read only now, after the program's arguments.
    if (fits && SendMessageW(Controls.basicGraphics, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        fits =
            AppendArgument(LaunchCommand, L"--graphics-preset") && AppendArgument(LaunchCommand, L"original");
    }
    return fits;
}

void ShowLaunchDetails(bool visible) {
    LaunchDetailsVisible = visible;
    SetWindowTextW(Controls.launchDetails, visible ? L"Hide launch details" : L"Show launch details");
    LayoutHomePage();
    RedrawWindow(MainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

} // namespace

void OnPlay() {
    if (HelperRunning())
        return;
    gLaunchEndedWithError = false;
    Settings.operation = kOperationLaunch;
    ResetLaunchProgress();
    std::swprintf(InterpreterPath, std::size(InterpreterPath), L"%ls\\private\\tools\\python314\\python.exe",
                  BaseDirectory);
    std::swprintf(ScriptPath, std::size(ScriptPath), L"%ls\\tools\\launcher_locations.py", BaseDirectory);
    if (!FileExists(InterpreterPath) || !FileExists(ScriptPath)) {
        SetStatusAlert(L"Required launcher files are missing. Extract the entire ZIP first.");
        return;
    }
    if (!BuildLaunchCommand()) {
        SetStatusAlert(L"The launch command is too long.");
        return;
    }
    if (!SpawnLauncher(InterpreterPath, LaunchCommand.buffer))
        return;
    EnableWindow(Controls.play, FALSE);
    EnableWindow(Controls.basicGraphics, FALSE);
    EnableWindow(Controls.settings, FALSE);
    EnableWindow(Controls.openLog, FileExists(LogPath));
    SetWindowTextW(Controls.outputPane, L"");
    SetStatus(L"Checking game files. First-time setup can take several minutes...");
}

void OnOpenLog() {
    if (LogPath[0] == L'\0')
        return;
    const wchar_t* log = ShellUsablePath(LogPath, gShortLogPath);
    const auto opened = reinterpret_cast<INT_PTR>(
        ShellExecuteW(MainWindow, L"open", log, nullptr, ShellUsablePath(BaseDirectory, gShortBaseDirectory),
                      SW_SHOWNORMAL));
    // A failure is only explained when the path's length is the likely cause.
    constexpr INT_PTR kLastShellError = 32;
    if (opened <= kLastShellError && !FitsClassicPath(std::wcslen(log)))
        SetStatusAlert(kFolderPathTooLongText);
}

void OnToggleLaunchDetails() {
    ShowLaunchDetails(!LaunchDetailsVisible);
}

void ClassifyLaunchLine(char* line, long long length) {
    if (length <= 0)
        return;
    const auto size = static_cast<std::size_t>(length);
    const bool hasText = FormatPaneLine(line, size, PaneLine);
    const LaunchLineEffects effects =
        ApplyLaunchLine(Progress, LaunchLine{line, size, hasText}, GetTickCount64());
    if (effects.restore)
        ShowWindow(MainWindow, SW_RESTORE);
    if (effects.setStatus)
        SetStatus(effects.statusText);
    if (effects.minimise)
        ShowWindow(MainWindow, SW_MINIMIZE);
    if (effects.invalidate)
        InvalidateRect(MainWindow, nullptr, FALSE);
    if (effects.appendToPane)
        AppendOutput(PaneLine);
}

void CompleteLaunch(std::uint32_t exitCode) {
    EnableWindow(Controls.play, TRUE);
    EnableWindow(Controls.basicGraphics, TRUE);
    EnableWindow(Controls.openLog, TRUE);
    EnableWindow(Controls.settings, TRUE);
    if (exitCode == 0) {
        DestroyWindow(MainWindow);
        return;
    }
    gLaunchEndedWithError = true;
    ShowWindow(MainWindow, SW_RESTORE);
    SetForegroundWindow(MainWindow);
    SetStatusAlert(L"The game could not start or exited with an error. Check the launch details below.");
    ShowLaunchDetails(true);
    wchar_t text[kExitCodeTextUnits];
    std::swprintf(text, std::size(text), L"\r\nLauncher returned exit code %lu.\r\n",
                  static_cast<unsigned long>(exitCode));
    AppendOutput(text);
    // Pane only: the log keeps the launcher's own output.
    wchar_t status[kExitStatusLineUnits];
    if (FormatExitStatusLine(exitCode, status, std::size(status)))
        AppendOutput(status);
}

TaskbarProgress CurrentTaskbarProgress() {
    LaunchPhase phase = LaunchPhase::Idle;
    if (HelperRunning()) {
        phase = Settings.operation == kOperationLaunch ? LaunchPhase::Launching : LaunchPhase::SettingsHelper;
    } else if (gLaunchEndedWithError && AttentionFlag != 0 && Settings.operation == kOperationLaunch) {
        phase = LaunchPhase::EndedNeedingAttention;
    }
    return WantedTaskbarProgress(phase, Progress);
}
