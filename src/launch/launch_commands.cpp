#include "launch/launch_commands.h"
#include <windows.h>
#include <iterator>
#include "launch/launch_progress.h"
#include "process/command_line.h"
#include "process/helper_process.h"
#include "process/path_limits.h"
#include "text/format_text.h"
#include "text/path_bounds.h"

LaunchProgress gProgress;

namespace {

// One launch command at a time; too large for the stack, and it may not be allocated per use.
CommandLine gLaunchCommand;
wchar_t gInterpreterPath[kPathUnits];
wchar_t gScriptPath[kPathUnits];
wchar_t gStartFailure[200];
wchar_t gLogFailure[kFailureTextUnits];

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
// the toggle is on. Nothing is appended after the first failure.
bool BuildLaunchCommand(const LaunchRequest& request) {
    ClearCommandLine(gLaunchCommand);
    bool fits = AppendQuotedArgument(gLaunchCommand, gInterpreterPath) &&
                AppendArgument(gLaunchCommand, L"-u") && AppendArgument(gLaunchCommand, gScriptPath) &&
                AppendArgument(gLaunchCommand, L"--launch");
    for (int i = 1; fits && i < request.argumentCount; ++i)
        fits = AppendArgument(gLaunchCommand, request.arguments[i]);
    if (fits && request.basicGraphics) {
        fits = AppendArgument(gLaunchCommand, L"--graphics-preset") &&
               AppendArgument(gLaunchCommand, L"original");
    }
    return fits;
}

} // namespace

LaunchStart StartLaunch(const LaunchRequest& request) {
    ResetLaunchProgress();
    FormatText(gInterpreterPath, std::size(gInterpreterPath), L"%ls\\private\\tools\\python314\\python.exe",
               request.baseDirectory);
    FormatText(gScriptPath, std::size(gScriptPath), L"%ls\\tools\\launcher_locations.py",
               request.baseDirectory);
    if (!FileExists(gInterpreterPath) || !FileExists(gScriptPath))
        return {false, {L"Required launcher files are missing. Extract the entire ZIP first.", true}};
    if (!BuildLaunchCommand(request))
        return {false, {L"The launch command is too long.", true}};
    LaunchStart start =
        StartLauncher(gInterpreterPath, gLaunchCommand.buffer, request.baseDirectory, request.logPath);
    if (!start.started)
        return start;
    start.status = {L"Checking game files. First-time setup can take several minutes...", false};
    return start;
}

LaunchStart StartLauncher(const wchar_t* interpreterPath, wchar_t* commandLine, const wchar_t* baseDirectory,
                          const wchar_t* logPath) {
    const StartOutcome outcome = StartLauncherChild({interpreterPath, commandLine, baseDirectory}, logPath);
    switch (outcome.result) {
    case StartResult::NoPipe: return {false, {L"Cannot create the launcher output pipe.", true}};
    case StartResult::PathTooLong: return {false, {kFolderPathTooLongText, true}};
    case StartResult::NotCreated:
        FormatText(gStartFailure, std::size(gStartFailure),
                   L"Windows could not start the bundled launcher (error %lu).", outcome.error);
        return {false, {gStartFailure, true}};
    case StartResult::Started: break;
    }
    gProgress.gameRunning = false;
    if (outcome.logError != 0) {
        FormatLogNotWrittenLine(outcome.logError, gLogFailure, std::size(gLogFailure));
        return {true, {nullptr, false}, false, gLogFailure};
    }
    return {true, {nullptr, false}, true, nullptr};
}

LaunchEnd FinishLaunch(std::uint32_t exitCode, std::uint32_t readError, LaunchEndTexts& texts) {
    if (LaunchEndClosesWindow(exitCode))
        return {true, {nullptr, false}, nullptr, nullptr, nullptr};
    if (readError != 0)
        FormatOutputLostLine(readError, texts.outputLost, std::size(texts.outputLost));
    FormatText(texts.exitCode, std::size(texts.exitCode), L"\r\nLauncher returned exit code %lu.\r\n",
               static_cast<unsigned long>(exitCode));
    const bool windowsStatus = FormatExitStatusLine(exitCode, texts.exitStatus, std::size(texts.exitStatus));
    return {false,
            {L"The game could not start or exited with an error. Check the launch details below.", true},
            readError != 0 ? texts.outputLost : nullptr,
            texts.exitCode,
            windowsStatus ? texts.exitStatus : nullptr};
}
