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
#include "shell/output_pane.h"
#include "process/path_limits.h"
#include "process/shell_path.h"
#include "settings/settings_model.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "shell/status_line.h"
#include "ui/home_layout.h"

bool gLaunchDetailsVisible = false;
LaunchProgress gProgress;

namespace {

constexpr std::size_t kExitCodeTextUnits = 128;

// One launch command and one converted output line at a time; both too large for the stack of a
// timer tick, and neither may be allocated per use.
CommandLine gLaunchCommand;
wchar_t gPaneLine[kPaneLineUnits];
wchar_t gInterpreterPath[kPathUnits];
wchar_t gScriptPath[kPathUnits];
wchar_t gShortLogPath[kClassicPathUnits];
wchar_t gShortBaseDirectory[kClassicPathUnits];
// The last launch ended with an error; cleared by the next Play.
bool gLaunchEndedWithError = false;

bool FileExists(const wchar_t* path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

void ResetLaunchProgress() {
    gProgress.progressStarted = false;
    gProgress.highestPermille = 0;
    gProgress.elapsedSeconds = 0;
    gProgress.lastShownSecond = 0;
    gProgress.memoryLimitMiB = 0;
    gProgress.peakCommittedMiB = 0;
}

// Interpreter, "-u", script, "--launch", the program's own arguments, then the graphics preset when
// the toggle is checked. Nothing is appended after the first failure.
bool BuildLaunchCommand() {
    ClearCommandLine(gLaunchCommand);
    bool fits = AppendQuotedArgument(gLaunchCommand, gInterpreterPath) &&
                AppendArgument(gLaunchCommand, L"-u") && AppendArgument(gLaunchCommand, gScriptPath) &&
                AppendArgument(gLaunchCommand, L"--launch");
    for (int i = 1; fits && i < gArgumentCount; ++i)
        fits = AppendArgument(gLaunchCommand, gArgumentArray[i]);
    // The toggle is read only now, after the program's arguments.
    if (fits && SendMessageW(gControls.basicGraphics, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        fits = AppendArgument(gLaunchCommand, L"--graphics-preset") &&
               AppendArgument(gLaunchCommand, L"original");
    }
    return fits;
}

void ShowLaunchDetails(bool visible) {
    gLaunchDetailsVisible = visible;
    SetWindowTextW(gControls.launchDetails, visible ? L"Hide launch details" : L"Show launch details");
    LayoutHomePage();
    RedrawWindow(gMainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

} // namespace

bool SpawnLauncher(const wchar_t* interpreterPath, wchar_t* commandLine) {
    const StartOutcome outcome = StartLauncherChild({interpreterPath, commandLine, gBaseDirectory}, gLogPath);
    switch (outcome.result) {
    case StartResult::NoPipe: SetStatusAlert(L"Cannot create the launcher output pipe."); return false;
    case StartResult::PathTooLong: SetStatusAlert(kFolderPathTooLongText); return false;
    case StartResult::NotCreated: {
        wchar_t message[200];
        std::swprintf(message, std::size(message),
                      L"Windows could not start the bundled launcher (error %lu).", outcome.error);
        SetStatusAlert(message);
        return false;
    }
    case StartResult::Started: break;
    }
    gProgress.gameRunning = false;
    return true;
}

void OnPlay() {
    if (HelperRunning())
        return;
    gLaunchEndedWithError = false;
    ResetLaunchProgress();
    std::swprintf(gInterpreterPath, std::size(gInterpreterPath),
                  L"%ls\\private\\tools\\python314\\python.exe", gBaseDirectory);
    std::swprintf(gScriptPath, std::size(gScriptPath), L"%ls\\tools\\launcher_locations.py", gBaseDirectory);
    if (!FileExists(gInterpreterPath) || !FileExists(gScriptPath)) {
        SetStatusAlert(L"Required launcher files are missing. Extract the entire ZIP first.");
        return;
    }
    if (!BuildLaunchCommand()) {
        SetStatusAlert(L"The launch command is too long.");
        return;
    }
    if (!SpawnLauncher(gInterpreterPath, gLaunchCommand.buffer))
        return;
    EnableWindow(gControls.play, FALSE);
    EnableWindow(gControls.basicGraphics, FALSE);
    EnableWindow(gControls.settings, FALSE);
    EnableWindow(gControls.openLog, FileExists(gLogPath));
    SetWindowTextW(gControls.outputPane, L"");
    SetStatus(L"Checking game files. First-time setup can take several minutes...");
}

void OnOpenLog() {
    if (gLogPath[0] == L'\0')
        return;
    const wchar_t* log = ShellUsablePath(gLogPath, gShortLogPath);
    const auto opened = reinterpret_cast<INT_PTR>(
        ShellExecuteW(gMainWindow, L"open", log, nullptr,
                      ShellUsablePath(gBaseDirectory, gShortBaseDirectory), SW_SHOWNORMAL));
    // A failure is only explained when the path's length is the likely cause.
    constexpr INT_PTR kLastShellError = 32;
    if (opened <= kLastShellError && !FitsClassicPath(std::wcslen(log)))
        SetStatusAlert(kFolderPathTooLongText);
}

void OnToggleLaunchDetails() {
    ShowLaunchDetails(!gLaunchDetailsVisible);
}

void ClassifyLaunchLine(char* line, long long length) {
    if (length <= 0)
        return;
    const auto size = static_cast<std::size_t>(length);
    const bool hasText = FormatPaneLine(line, size, gPaneLine);
    const LaunchLineEffects effects =
        ApplyLaunchLine(gProgress, LaunchLine{line, size, hasText}, GetTickCount64());
    if (effects.restore)
        ShowWindow(gMainWindow, SW_RESTORE);
    if (effects.setStatus)
        SetStatus(effects.statusText);
    if (effects.minimise)
        ShowWindow(gMainWindow, SW_MINIMIZE);
    if (effects.invalidate)
        InvalidateRect(gMainWindow, nullptr, FALSE);
    if (effects.appendToPane)
        AppendOutput(gPaneLine);
}

void CompleteLaunch(std::uint32_t exitCode) {
    EnableWindow(gControls.play, TRUE);
    EnableWindow(gControls.basicGraphics, TRUE);
    EnableWindow(gControls.openLog, TRUE);
    EnableWindow(gControls.settings, TRUE);
    if (exitCode == 0) {
        DestroyWindow(gMainWindow);
        return;
    }
    gLaunchEndedWithError = true;
    ShowWindow(gMainWindow, SW_RESTORE);
    SetForegroundWindow(gMainWindow);
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

void ForgetLaunchError() {
    gLaunchEndedWithError = false;
}

TaskbarProgress CurrentTaskbarProgress() {
    LaunchPhase phase = LaunchPhase::Idle;
    if (HelperRunning()) {
        phase = gHelper.kind == HelperKind::Launch ? LaunchPhase::Launching : LaunchPhase::SettingsHelper;
    } else if (gLaunchEndedWithError && gAttentionFlag != 0) {
        phase = LaunchPhase::EndedNeedingAttention;
    }
    return WantedTaskbarProgress(phase, gProgress);
}
