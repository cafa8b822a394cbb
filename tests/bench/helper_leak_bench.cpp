// Whether anything of a helper outlives it: this process's handle and thread counts before and after
// many launches in a row (each with its pipe, reader thread and launch log), run by the real main
// window in-process, with the stand-in writing a few lines and ending with an unfinished one.
//   helper_leak_bench [runs, 1000]
#include <windows.h>
#include <cstdio>
#include <cwchar>
#include "driver.h"
#include "shell/launch_glue.h"
#include "process/command_line.h"
#include "process/helper_process.h"
#include "process/output_pump.h"
#include "shell/app_state.h"
#include "shell/session_lock.h"
#include "shell/startup.h"
#include "standin_record.h"

namespace {

bool gCompleted = false;
unsigned long long gLinesSeen = 0;

void CountLine(char*, long long) {
    ++gLinesSeen;
}
void Ended(const ChildEnd&) {
    gCompleted = true;
}

CommandLine gCommand;

// One launch, pumped by the window's own messages until its completion.
bool RunOnce(const driver::PlayerFolder& folder) {
    const std::wstring interpreter = folder.PathOf(L"private\\tools\\python314\\python.exe");
    ClearCommandLine(gCommand);
    AppendQuotedArgument(gCommand, interpreter.c_str());
    AppendArgument(gCommand, L"-u");
    AppendArgument(gCommand, folder.PathOf(L"tools\\launcher_locations.py").c_str());
    AppendArgument(gCommand, L"--launch");
    gCompleted = false;
    if (!SpawnLauncher(interpreter.c_str(), gCommand.buffer))
        return false;
    MSG message;
    while (!gCompleted && GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return gCompleted;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 1000;
    const driver::PlayerFolder folder;
    driver::WriteScenario(folder, L"launch", "line one\nline two\nout unfinished\nexit 2\n");
    std::swprintf(gBaseDirectory, kPathUnits, L"%ls", folder.Root().c_str());
    std::swprintf(gLogPath, kPathUnits, L"%ls\\private\\launcher\\latest.log", gBaseDirectory);
    RegisterMainWindowClass(GetModuleHandleW(nullptr), nullptr);
    HWND window = CreateMainWindow(GetModuleHandleW(nullptr));
    if (window == nullptr)
        return 1;
    gMainWindow = window;
    gPumpTargets.launchLine = CountLine;
    gPumpTargets.childEnded = Ended;

    if (!RunOnce(folder)) // whatever the first run sets up for good
        return 1;
    const DWORD handlesBefore = driver::HandleCount(), threadsBefore = driver::ThreadCount();
    gLinesSeen = 0;
    for (int run = 0; run < runs; ++run) {
        if (!RunOnce(folder)) {
            std::fprintf(stderr, "run %d failed\n", run + 1);
            return 1;
        }
    }
    const DWORD handlesAfter = driver::HandleCount(), threadsAfter = driver::ThreadCount();
    std::printf("%d helper runs in a row, %llu lines\n", runs, gLinesSeen);
    std::printf("handles: %lu before, %lu after\n", handlesBefore, handlesAfter);
    std::printf("threads: %lu before, %lu after\n", threadsBefore, threadsAfter);
    DestroyWindow(window);
    CloseHandle(gSessionLock);
    return handlesAfter <= handlesBefore && threadsAfter <= threadsBefore ? 0 : 1;
}
