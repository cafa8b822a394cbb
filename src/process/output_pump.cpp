#include "process/output_pump.h"
#include <windows.h>
#include "process/capture.h"
#include "process/pipe_reader.h"

namespace {

void IgnoreLine(char*, long long) {}
void IgnoreEnd(const ChildEnd&) {}

} // namespace

PumpTargets gPumpTargets = {IgnoreLine, IgnoreEnd, nullptr};

void RouteHelperOutput(const char* bytes, std::size_t count) {
    if (gHelper.kind != HelperKind::Launch) {
        AppendCapture(bytes, count);
        return;
    }
    SplitLaunchOutput(bytes, count, gPumpTargets.launchLine);
}

bool ConsumeHelperOutput() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    const LONGLONG deadline = now.QuadPart + frequency.QuadPart * kConsumeSliceMicroseconds / 1000000;
    const char* at = nullptr;
    for (;;) {
        std::size_t count = ReaderFilledSpan(&at);
        if (count == 0)
            return true;
        if (count > kConsumeChunkBytes)
            count = kConsumeChunkBytes;
        RouteHelperOutput(at, count);
        ConsumeReaderBytes(count);
        QueryPerformanceCounter(&now);
        if (now.QuadPart >= deadline)
            return ReaderFilledSpan(&at) == 0;
    }
}

bool WaitForHelperOutput() {
    return ArmReaderWake();
}

bool HelperOutputComplete() {
    // The end first: the reader delivers everything before it says it has finished.
    const char* at = nullptr;
    return ReaderFinished() && ReaderFilledSpan(&at) == 0;
}

std::uint32_t EndedChildExitCode() {
    DWORD exitCode = 1;
    if (!GetExitCodeProcess(gHelper.process, &exitCode))
        exitCode = 1;
    return exitCode;
}

void FinishHelper() {
    if (gHelper.kind == HelperKind::Launch)
        FlushUnfinishedLine(gPumpTargets.launchLine);
    EndPipeReader();
    const std::uint32_t readError = ReaderFailure();
    const std::uint32_t exitCode = EndedChildExitCode();
    CloseHandle(gHelper.process);
    gHelper.process = nullptr;
    CloseHandle(gHelper.readEnd);
    gHelper.readEnd = nullptr;
    if (gHelper.launchLog != INVALID_HANDLE_VALUE) {
        CloseHandle(gHelper.launchLog);
        gHelper.launchLog = INVALID_HANDLE_VALUE;
    }
    const ChildEnd end{gHelper.kind, gHelper.operation, exitCode, readError};
    gHelper.kind = HelperKind::None;
    gHelper.operation = 0;
    gPumpTargets.childEnded(end);
}
