#include "shell/launch_glue.h"
#include <windows.h>
#include <shellapi.h>
#include <cwchar>
#include <iterator>
#include "launch/failure_texts.h"
#include "launch/launch_commands.h"
#include "launch/launch_progress.h"
#include "launch/progress_protocol.h"
#include "process/helper_process.h"
#include "process/path_limits.h"
#include "process/shell_path.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "shell/output_pane.h"
#include "shell/status_line.h"
#include "shell/system_functions.h"
#include "shell/window_refresh.h"

namespace {

wchar_t gShortLogPath[kClassicPathUnits];
wchar_t gShortBaseDirectory[kClassicPathUnits];
wchar_t gOpenLogFailure[kFailureTextUnits];
// The last launch ended with an error; cleared by the next Play and by a settings helper's end.
bool gLaunchEndedWithError = false;
// The running or last launch writes its log: Open log shows that launch, never an older one.
bool gLaunchLogWritten = false;

// What the lines taken since the effects were last applied ask of the window.
struct TakenEffects {
    int show = 0; // 0, SW_RESTORE or SW_MINIMIZE
    bool setStatus = false;
    wchar_t statusText[kStatusTextUnits] = {};
    bool invalidate = false;
};
TakenEffects gTakenEffects;

void ShowLaunchDetails(bool visible) {
    gLaunchDetailsVisible = visible;
    SetWindowTextW(gControls.launchDetails, visible ? L"Hide launch details" : L"Show launch details");
    RefreshControls();
    RedrawAll();
}

// The launch has begun: its log exists now, unless it could not be created. Then the log that may
// lie there is an older launch's, and Open log stays disabled until a launch writes one again.
void ShowLaunchStarted(const LaunchStart& start) {
    gLaunchLogWritten = start.logWritten;
    gLogAvailable = start.logWritten && LaunchLogExists();
    RefreshControls();
    SetPaneLogWritten(start.logWritten);
    SetWindowTextW(gControls.outputPane, L"");
    if (start.paneText != nullptr)
        AppendOutput(start.paneText);
    ShowStatusReport(start.status.text, start.status.alert);
}

} // namespace

void OnPlay() {
    if (HelperRunning())
        return;
    gLaunchEndedWithError = false;
    const bool basicGraphics = SendMessageW(gControls.basicGraphics, BM_GETCHECK, 0, 0) == BST_CHECKED;
    const LaunchStart start =
        StartLaunch({gBaseDirectory, gLogPath, gArgumentCount, gArgumentArray, basicGraphics});
    if (!start.started) {
        ShowStatusReport(start.status.text, start.status.alert);
        return;
    }
    ShowLaunchStarted(start);
}

bool SpawnLauncher(const wchar_t* interpreterPath, wchar_t* commandLine) {
    const LaunchStart start = StartLauncher(interpreterPath, commandLine, gBaseDirectory, gLogPath);
    if (start.started)
        gLaunchLogWritten = start.logWritten;
    ShowStatusReport(start.status.text, start.status.alert);
    return start.started;
}

bool LaunchLogExists() {
    const DWORD attributes = GetFileAttributesW(gLogPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void OnOpenLog() {
    if (gLogPath[0] == L'\0')
        return;
    const wchar_t* log = ShellUsablePath(gLogPath, gShortLogPath);
    // The shell's library is loaded only when the log is opened: it costs start-up time and memory.
    static const auto shellExecute =
        LookUpFunction<decltype(&ShellExecuteW)>(LoadSystemLibrary(L"shell32.dll"), "ShellExecuteW");
    const auto opened = shellExecute == nullptr
                            ? INT_PTR{SE_ERR_DLLNOTFOUND}
                            : reinterpret_cast<INT_PTR>(shellExecute(
                                  gMainWindow, L"open", log, nullptr,
                                  ShellUsablePath(gBaseDirectory, gShortBaseDirectory), SW_SHOWNORMAL));
    constexpr INT_PTR kLastShellError = 32;
    if (opened > kLastShellError)
        return;
    // A path too long for the shell is the likely cause whatever the shell says.
    if (!FitsClassicPath(std::wcslen(log))) {
        SetStatusAlert(kFolderPathTooLongText);
        return;
    }
    FormatOpenLogFailure(opened, gOpenLogFailure, std::size(gOpenLogFailure));
    SetStatusAlert(gOpenLogFailure);
}

void OnToggleLaunchDetails() {
    ShowLaunchDetails(!gLaunchDetailsVisible);
}

void TakeLaunchLine(char* line, long long length) {
    if (length <= 0)
        return;
    const auto size = static_cast<std::size_t>(length);
    const std::size_t textUnits = PaneTextUnits(line, size);
    // Most of a flood: a line that can be no protocol line or marker only goes to the pane.
    if (IsOrdinaryOutputLine(line, size)) {
        AppendOutputLine(line, size, textUnits);
        return;
    }
    const LaunchLineEffects effects =
        ApplyLaunchLine(gProgress, LaunchLine{line, size, textUnits != 0}, GetTickCount64());
    // Restore and minimise in the order the lines asked for them: the last request stands.
    if (effects.restore)
        gTakenEffects.show = SW_RESTORE;
    if (effects.minimise)
        gTakenEffects.show = SW_MINIMIZE;
    if (effects.setStatus) {
        gTakenEffects.setStatus = true;
        std::wmemcpy(gTakenEffects.statusText, effects.statusText, std::size(gTakenEffects.statusText));
    }
    gTakenEffects.invalidate = gTakenEffects.invalidate || effects.invalidate;
    if (effects.appendToPane)
        AppendOutputLine(line, size, textUnits);
}

void ApplyTakenLaunchEffects() {
    if (gTakenEffects.show == SW_RESTORE)
        ShowWindow(gMainWindow, SW_RESTORE);
    if (gTakenEffects.setStatus)
        SetStatus(gTakenEffects.statusText);
    if (gTakenEffects.show == SW_MINIMIZE)
        ShowWindow(gMainWindow, SW_MINIMIZE);
    if (gTakenEffects.invalidate)
        InvalidateRect(gMainWindow, nullptr, FALSE);
    gTakenEffects = TakenEffects{};
}

void ClassifyLaunchLine(char* line, long long length) {
    TakeLaunchLine(line, length);
    ApplyTakenLaunchEffects();
}

void CompleteLaunch(std::uint32_t exitCode, std::uint32_t readError) {
    static LaunchEndTexts texts;
    const LaunchEnd end = FinishLaunch(exitCode, readError, texts);
    gLogAvailable = gLaunchLogWritten;
    RefreshControls();
    if (end.closeWindow) {
        DestroyWindow(gMainWindow);
        return;
    }
    gLaunchEndedWithError = true;
    ShowWindow(gMainWindow, SW_RESTORE);
    SetForegroundWindow(gMainWindow);
    ShowStatusReport(end.status.text, end.status.alert);
    ShowLaunchDetails(true);
    if (end.outputLost != nullptr)
        AppendOutput(end.outputLost);
    AppendOutput(end.paneText);
    // Pane only: the log keeps the launcher's own output.
    if (end.statusText != nullptr)
        AppendOutput(end.statusText);
}

void ForgetLaunchError() {
    gLaunchEndedWithError = false;
}

LaunchPhase CurrentLaunchPhase() {
    if (HelperRunning())
        return gHelper.kind == HelperKind::Launch ? LaunchPhase::Launching : LaunchPhase::SettingsHelper;
    if (gLaunchEndedWithError && gAttentionFlag != 0)
        return LaunchPhase::EndedNeedingAttention;
    return LaunchPhase::Idle;
}

TaskbarProgress CurrentTaskbarProgress() {
    return WantedTaskbarProgress(CurrentLaunchPhase(), gProgress);
}
