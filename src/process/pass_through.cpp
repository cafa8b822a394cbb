#include "process/pass_through.h"
#include <windows.h>
#include <cstring>
#include <cwchar>
#include <iterator>
#include "process/command_line.h"
#include "process/path_limits.h"
#include "text/format_text.h"
#include "text/path_bounds.h"

namespace {

constexpr unsigned long kExitCommandTooLong = 64;
constexpr unsigned long kExitCannotStart = 1;
constexpr char kCannotStartMessage[] = "Cannot start Ravelhost integration. Extract the complete player ZIP, "
                                       "including its bundled Python and tools.\n";
constexpr char kPathTooLongMessage[] =
    "Cannot start Ravelhost integration: the game folder's path is too long "
    "for Windows. Move the game folder closer to the drive root.\n";

// The mode's buffers; static, as together they are larger than is comfortable on the stack.
wchar_t gInterpreterPath[kPathUnits];
wchar_t gScriptPath[kPathUnits];
CommandLine gPassThroughCommand;

// Interpreter, "-u", the script, then every program argument except the switch that chose this mode.
bool BuildPassThroughCommand(int argumentCount, wchar_t** argumentArray) {
    CommandLine& command = gPassThroughCommand;
    command.length = 0;
    if (!AppendQuotedArgument(command, gInterpreterPath))
        return false;
    if (!AppendArgument(command, L"-u"))
        return false;
    if (!AppendArgument(command, gScriptPath))
        return false;
    for (int i = 1; i < argumentCount; ++i) {
        if (std::wcscmp(argumentArray[i], L"--ravelhost") == 0)
            continue;
        if (!AppendArgument(command, argumentArray[i]))
            return false;
    }
    return true;
}

} // namespace

unsigned long RunPassThrough(const wchar_t* baseDirectory, int argumentCount, wchar_t** argumentArray) {
    FormatText(gInterpreterPath, std::size(gInterpreterPath), L"%ls\\private\\tools\\python314\\python.exe",
               baseDirectory);
    FormatText(gScriptPath, std::size(gScriptPath), L"%ls\\tools\\ravelhost.py", baseDirectory);
    if (!BuildPassThroughCommand(argumentCount, argumentArray))
        return kExitCommandTooLong;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(gInterpreterPath, gPassThroughCommand.buffer, nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW, nullptr, baseDirectory, &startup, &created)) {
        const char* message = TooLongToStartProcess(std::wcslen(gInterpreterPath), std::wcslen(baseDirectory))
                                  ? kPathTooLongMessage
                                  : kCannotStartMessage;
        DWORD written = 0;
        WriteFile(startup.hStdError, message, static_cast<DWORD>(std::strlen(message)), &written, nullptr);
        return kExitCannotStart;
    }
    CloseHandle(created.hThread);
    WaitForSingleObject(created.hProcess, INFINITE);
    DWORD exitCode = 1;
    if (!GetExitCodeProcess(created.hProcess, &exitCode))
        exitCode = 1;
    CloseHandle(created.hProcess);
    return exitCode;
}
