#include "process/pipe_reader.h"
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include "process/output_pump.h"
#include "process/output_ring.h"
#include "process/read_errors.h"
#include "text/format_text.h"

namespace {

constexpr SIZE_T kReaderStackBytes = 64 * 1024;
// Output that trickles in waits for the window's tick; only this much wakes the window before it,
// so a helper printing line by line costs the window one wake-up per tick, not one per line.
constexpr std::uint64_t kWakeFilledBytes = kOutputRingBytes / 16;

// Reads smaller than this are followed by a short pause.
constexpr DWORD kGatherBelowBytes = 4096;
constexpr DWORD kGatherMs = 2;

// The ring's storage: one region, reserved once for the process's life, committed while a helper
// runs and decommitted when it ends, so that output which passed through stays resident only then.
char* gRingStorage = nullptr;
OutputRing gRing{gRingStorage, kOutputRingBytes};

bool CommitRingPages() {
    if (gRingStorage == nullptr)
        gRingStorage =
            static_cast<char*>(VirtualAlloc(nullptr, kOutputRingBytes, MEM_RESERVE, PAGE_NOACCESS));
    return gRingStorage != nullptr &&
           VirtualAlloc(gRingStorage, kOutputRingBytes, MEM_COMMIT, PAGE_READWRITE) != nullptr;
}

// Only once the reader has ended and the window's thread has consumed everything.
void ReleaseRingPages() {
    if (gRingStorage != nullptr)
        VirtualFree(gRingStorage, kOutputRingBytes, MEM_DECOMMIT);
}

// The reader of the current helper. The window's thread sets it up and tears it down while the
// reader thread waits for a helper; in between, the two share only the ring and the atomic flags.
struct PipeReader {
    HANDLE thread = nullptr;
    HANDLE go = nullptr;       // set by the window's thread when a helper's pipe is to be read
    HANDLE parked = nullptr;   // set by the reader when it is done with a helper and waits for the next
    HANDLE readDone = nullptr; // the event of the pending read
    HANDLE roomMade = nullptr; // set by the window's thread when it consumes for a waiting reader
    HANDLE process = nullptr;  // the helper being read
    HANDLE pipe = nullptr;
    HANDLE log = INVALID_HANDLE_VALUE;
    std::atomic<bool> wakeArmed{false};
    std::atomic<bool> finished{false};
    std::atomic<std::uint32_t> failure{0}; // the error the reader gave up on, 0 when none
    std::atomic<bool> wakeOnAnyOutput{false};
};
PipeReader gReader;
bool gReaderStarted = false; // the window's thread: a helper's reading was started and not yet ended
unsigned long gPipeSerial = 0;
PipeReadCall gPipeRead = ReadFile;

// Once the helper has ended, what the pipe held then is read within this time: a grandchild that
// still holds the pipe open and stays silent cannot hold up the helper's completion.
constexpr ULONGLONG kDrainAfterEndMs = 2000;

void CloseIfOpen(HANDLE& handle) {
    if (handle != nullptr)
        CloseHandle(handle);
    handle = nullptr;
}

// Pairs with the fence in ArmReaderWake, as the ring's hand-over of room does: either the window
// sees the bytes committed before this, or this sees its wake-up armed.
void WakeWindow() {
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (gReader.wakeArmed.exchange(false) && gPumpTargets.outputWaiting != nullptr)
        gPumpTargets.outputWaiting();
}

// The free span of the ring, waiting for the window's thread to make room when there is none.
std::size_t WaitForRoom(char** at) {
    for (;;) {
        std::size_t free = RingFreeSpan(gRing, at);
        if (free != 0)
            return free;
        if (AnnounceWaitForRoom(gRing)) {
            WakeWindow();
            WaitForSingleObject(gReader.roomMade, INFINITE);
        }
    }
}

// The bytes just read at the ring's free span: to the log first, then to the window's thread.
void Deliver(const char* at, DWORD count) {
    if (gReader.log != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(gReader.log, at, count, &written, nullptr); // a failed write only costs the log
    }
    CommitToRing(gRing, count);
    if (gReader.wakeOnAnyOutput.load() || RingFilled(gRing) >= kWakeFilledBytes)
        WakeWindow();
}

enum class ReadResult { Data, Cancelled, Failed };

// One read into the ring's free span. Until the helper has ended, a read that must wait is waited on
// together with the helper and cancelled when the helper ends first; after its end, for waitMs at most.
// A failed read leaves the system's error code in *error.
ReadResult ReadOnce(char* at, DWORD wanted, bool helperEnded, DWORD waitMs, DWORD* count, bool* waited,
                    DWORD* error) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = gReader.readDone;
    if (!gPipeRead(gReader.pipe, at, wanted, nullptr, &overlapped)) {
        *error = GetLastError();
        if (*error != ERROR_IO_PENDING)
            return ReadResult::Failed;
        *waited = true;
        if (!helperEnded) {
            HANDLE waits[] = {gReader.readDone, gReader.process};
            if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0)
                CancelIoEx(gReader.pipe, &overlapped);
        } else if (WaitForSingleObject(gReader.readDone, waitMs) != WAIT_OBJECT_0) {
            CancelIoEx(gReader.pipe, &overlapped);
        }
    }
    // The read is over (done, cancelled, or it had data at once) once this returns.
    if (!GetOverlappedResult(gReader.pipe, &overlapped, count, TRUE)) {
        *error = GetLastError();
        return *error == ERROR_OPERATION_ABORTED ? ReadResult::Cancelled : ReadResult::Failed;
    }
    return *count != 0 ? ReadResult::Data : ReadResult::Cancelled;
}

// What the pipe holds now: after the helper's end, the rest of its output (and perhaps some of a
// grandchild's, which is not waited for beyond this).
DWORD PipeHolds() {
    DWORD waiting = 0;
    if (!PeekNamedPipe(gReader.pipe, nullptr, 0, nullptr, &waiting, nullptr))
        return 0;
    return waiting;
}

// The reader has given up on the pipe: it lets go of its end, so that the helper's writes fail
// instead of blocking on a pipe nobody reads, and waits for the helper to end.
void GiveUpReading(DWORD error) {
    gReader.failure.store(error);
    DisconnectNamedPipe(gReader.pipe);
    WaitForSingleObject(gReader.process, INFINITE);
}

void ReadUntilHelperEnds() {
    bool ended = false;
    DWORD left = 0;         // after the end: bytes still to read
    ULONGLONG deadline = 0; // after the end: when reading stops in any case
    bool lookForEnd = true; // a read that waited was waited on together with the helper's end
    unsigned failures = 0;  // failed reads in a row
    for (;;) {
        if (!ended && lookForEnd && WaitForSingleObject(gReader.process, 0) == WAIT_OBJECT_0) {
            ended = true;
            left = PipeHolds();
            deadline = GetTickCount64() + kDrainAfterEndMs;
        }
        const ULONGLONG now = ended ? GetTickCount64() : 0;
        if (ended && (left == 0 || now >= deadline))
            return;
        char* at = nullptr;
        std::size_t room = WaitForRoom(&at);
        if (room > kPipeReadBytes)
            room = kPipeReadBytes;
        if (ended && room > left)
            room = left;
        DWORD count = 0;
        bool waited = false;
        DWORD error = 0;
        const auto waitMs = static_cast<DWORD>(ended ? deadline - now : 0);
        const ReadResult result =
            ReadOnce(at, static_cast<DWORD>(room), ended, waitMs, &count, &waited, &error);
        if (result == ReadResult::Failed) {
            switch (ClassifyReadError(error, failures)) {
            case ReadErrorAction::End:
                // Every writer has let go of the pipe: nothing more can come, but the helper may run on.
                WaitForSingleObject(gReader.process, INFINITE);
                return;
            case ReadErrorAction::Retry:
                ++failures;
                Sleep(kReadRetryPauseMs);
                lookForEnd = true;
                continue;
            case ReadErrorAction::Report: GiveUpReading(error); return;
            }
        }
        failures = 0;
        // Reads that find data at once could go on for ever while a grandchild writes: look for the
        // helper's end after each of them.
        lookForEnd = !waited || result == ReadResult::Cancelled;
        if (result == ReadResult::Data) {
            Deliver(at, count);
            if (ended)
                left -= count < left ? count : left;
            // A helper printing line by line would cost a wake-up and a read per line; let a few
            // lines gather in the pipe instead, which holds far more than comes in that time.
            if (!ended && count < kGatherBelowBytes) {
                Sleep(kGatherMs);
                lookForEnd = true;
            }
        }
    }
}

// Some runtimes (Wine's among them) touch a new thread's whole stack, a megabyte, when the thread
// starts, and keep it resident after the thread has ended. The reader needs a few kilobytes: what lies
// below the frames in use is dead (the x64 calling convention has no red zone), so its pages are
// given back, at the start and again after each helper, whose reading used some. They stay committed
// and come back as needed. The call that makes the request uses the stack below this frame (well
// under a kilobyte of it), hence the gap.
void GiveBackUnusedStack() {
    constexpr std::uintptr_t kGapBytes = 16 * 1024;
    constexpr std::uintptr_t kPageBytes = 4096;
    // The thread's stack limit, the lowest committed page above its guard page: NT_TIB::StackLimit of
    // the thread's information block, which GS points at on x64 (mingw's __readgsqword does the same
    // but draws a false -Warray-bounds from GCC 12).
    static_assert(offsetof(NT_TIB, StackLimit) == 0x10, "the x64 thread information block");
    std::uintptr_t lowest = 0;
    asm("movq %%gs:0x10, %0" : "=r"(lowest));
    const char here = 0;
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(&here) - kGapBytes) & ~(kPageBytes - 1);
    if (lowest != 0 && lowest < end)
        VirtualAlloc(reinterpret_cast<void*>(lowest), end - lowest, MEM_RESET, PAGE_READWRITE);
}

// One thread reads for every helper of the window's life, one helper at a time. Between helpers it
// waits, which costs nothing; a thread that ended would make some runtimes (Wine's among them) load
// their unwinding libraries for good, a quarter of a megabyte, and the next helper would pay for a new
// thread and stack. The events hand the reader's state over in both directions, so each side sees
// what the other wrote before it set its event.
DWORD WINAPI RunReader(void*) {
    for (;;) {
        GiveBackUnusedStack();
        WaitForSingleObject(gReader.go, INFINITE);
        ReadUntilHelperEnds();
        gReader.finished.store(true);
        WakeWindow();
        SetEvent(gReader.parked);
    }
}

bool PrepareReaderThread() {
    if (gReader.thread != nullptr)
        return true;
    gReader.go = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    gReader.parked = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    gReader.readDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    gReader.roomMade = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (gReader.go != nullptr && gReader.parked != nullptr && gReader.readDone != nullptr &&
        gReader.roomMade != nullptr) {
        gReader.thread = CreateThread(nullptr, kReaderStackBytes, RunReader, nullptr,
                                      STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    }
    if (gReader.thread != nullptr)
        return true;
    for (HANDLE* event : {&gReader.go, &gReader.parked, &gReader.readDone, &gReader.roomMade})
        CloseIfOpen(*event);
    return false;
}

// The pipe's name, unique to this process and helper.
void FormatPipeName(wchar_t (&name)[64]) {
    FormatText(name, std::size(name), L"\\\\.\\pipe\\ZevLauncherOutput-%lu-%lu",
               static_cast<unsigned long>(GetCurrentProcessId()), ++gPipeSerial);
}

bool OpenPipeEnds(HANDLE* readEnd, HANDLE* writeEnd) {
    wchar_t name[64];
    FormatPipeName(name);
    HANDLE server =
        CreateNamedPipeW(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                         PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 0, kPipeReadBytes, 0, nullptr);
    if (server == INVALID_HANDLE_VALUE)
        return false;
    SECURITY_ATTRIBUTES inheritable{};
    inheritable.nLength = sizeof inheritable;
    inheritable.bInheritHandle = TRUE;
    HANDLE client = CreateFileW(name, GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, &inheritable, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (client == INVALID_HANDLE_VALUE) {
        CloseHandle(server);
        return false;
    }
    *readEnd = server;
    *writeEnd = client;
    return true;
}

// The helper's part of the reader; the thread and its events stay for the next helper.
void ReleaseReader() {
    gReader.process = nullptr;
    gReader.pipe = nullptr;
    gReader.log = INVALID_HANDLE_VALUE;
    gReader.finished.store(false);
}

} // namespace

void SetPipeReadCall(PipeReadCall call) {
    gPipeRead = call != nullptr ? call : ReadFile;
}

bool CreateHelperPipe(HANDLE* readEnd, HANDLE* writeEnd) {
    if (!CommitRingPages())
        return false;
    ResetRing(gRing, gRingStorage, kOutputRingBytes);
    gReader.wakeArmed.store(true);
    gReader.finished.store(false);
    gReader.failure.store(0);
    if (!PrepareReaderThread() || !OpenPipeEnds(readEnd, writeEnd)) {
        DropPipeReader();
        return false;
    }
    ResetEvent(gReader.roomMade);
    return true;
}

void StartPipeReader(HANDLE process, HANDLE readEnd, HANDLE launchLog) {
    gReader.process = process;
    gReader.pipe = readEnd;
    gReader.log = launchLog;
    gReaderStarted = true;
    SetEvent(gReader.go);
}

void DropPipeReader() {
    gReader.wakeArmed.store(false); // no helper, nothing to wake the window for
    ReleaseReader();
    ReleaseRingPages();
}

std::size_t ReaderFilledSpan(const char** at) {
    return RingFilledSpan(gRing, at);
}

void ConsumeReaderBytes(std::size_t count) {
    ConsumeFromRing(gRing, count);
    if (TakeWaitingWriter(gRing))
        SetEvent(gReader.roomMade);
}

bool ArmReaderWake() {
    gReader.wakeArmed.store(true);
    std::atomic_thread_fence(std::memory_order_seq_cst); // pairs with the one in WakeWindow
    if (RingFilled(gRing) == 0 && !gReader.finished.load())
        return true;
    // Bytes or the end came while arming: take the wake back unless the reader already used it.
    return !gReader.wakeArmed.exchange(false);
}

void WakeOnAnyOutput(bool on) {
    gReader.wakeOnAnyOutput.store(on);
}

bool ReaderFinished() {
    return gReader.finished.load();
}

std::uint32_t ReaderFailure() {
    return gReader.failure.load();
}

void EndPipeReader() {
    if (gReaderStarted)
        WaitForSingleObject(gReader.parked, INFINITE);
    gReaderStarted = false;
    ReleaseReader();
    ReleaseRingPages();
}
