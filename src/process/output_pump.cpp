#include "process/output_pump.h"
#include <windows.h>
#include "process/capture.h"

namespace {

void IgnoreLine(char*, long long) {}
void IgnoreEnd(const ChildEnd&) {}

} // namespace

PumpTargets gPumpTargets = {IgnoreLine, IgnoreEnd};

void RouteHelperOutput(const char* bytes, std::size_t count) {
    if (gHelper.kind != HelperKind::Launch) {
        AppendCapture(bytes, count);
        return;
    }
    if (gHelper.launchLog != INVALID_HANDLE_VALUE) {
        DWORD written = 0; // a failed write only costs the log
        WriteFile(gHelper.launchLog, bytes, static_cast<DWORD>(count), &written, nullptr);
    }
    SplitLaunchOutput(bytes, count, gPumpTargets.launchLine);
}

void DrainHelperPipe(unsigned long long budget) {
    char chunk[kReadChunkBytes];
    while (budget > 0) {
        DWORD waiting = 0;
        if (!PeekNamedPipe(gHelper.readEnd, nullptr, 0, nullptr, &waiting, nullptr) || waiting == 0)
            return;
        DWORD wanted = waiting < kReadChunkBytes ? waiting : kReadChunkBytes;
        if (wanted > budget)
            wanted = static_cast<DWORD>(budget);
        DWORD read = 0;
        if (!ReadFile(gHelper.readEnd, chunk, wanted, &read, nullptr) || read == 0)
            return;
        budget -= read;
        RouteHelperOutput(chunk, read);
    }
}

bool PumpHelperOutput() {
    if (!HelperRunning())
        return false;
    DrainHelperPipe();
    if (WaitForSingleObject(gHelper.process, 0) != WAIT_OBJECT_0)
        return false;
    // Whatever the child wrote after the last peek is in the pipe now that it has ended; read it
    // before the pipe is closed, or the end of its output is lost. A grandchild may still hold the
    // pipe open and keep writing: the drain reads only what was there when the end was seen, and the
    // rest of the grandchild's output is not ours to wait for.
    DWORD waiting = 0;
    if (PeekNamedPipe(gHelper.readEnd, nullptr, 0, nullptr, &waiting, nullptr))
        DrainHelperPipe(waiting);
    return true;
}

void FinishHelper() {
    if (gHelper.kind == HelperKind::Launch)
        FlushUnfinishedLine(gPumpTargets.launchLine);
    DWORD exitCode = 1;
    if (!GetExitCodeProcess(gHelper.process, &exitCode))
        exitCode = 1;
    CloseHandle(gHelper.process);
    gHelper.process = nullptr;
    CloseHandle(gHelper.readEnd);
    gHelper.readEnd = nullptr;
    if (gHelper.launchLog != INVALID_HANDLE_VALUE) {
        CloseHandle(gHelper.launchLog);
        gHelper.launchLog = INVALID_HANDLE_VALUE;
    }
    const ChildEnd end{gHelper.kind, gHelper.operation, exitCode};
    gHelper.kind = HelperKind::None;
    gHelper.operation = 0;
    gPumpTargets.childEnded(end);
}
