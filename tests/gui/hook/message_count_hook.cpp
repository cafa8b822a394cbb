// A message hook that a GUI test installs on the program's thread (the system loads this library
// into the program for it): it counts the timer messages the thread retrieves, by timer, into a
// shared memory block named after that thread, which the test opens.
#include <windows.h>
#include "message_count.h"

namespace {

MessageCounts* gCounts = nullptr;

MessageCounts* Counts() {
    if (gCounts != nullptr)
        return gCounts;
    wchar_t name[64];
    FormatMessageCountName(name, GetCurrentThreadId());
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
    if (mapping == nullptr)
        return nullptr;
    // The view stays mapped for the life of the process; the handle is not needed for that.
    gCounts =
        static_cast<MessageCounts*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(MessageCounts)));
    CloseHandle(mapping);
    return gCounts;
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    CountRetrievedMessages(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_TIMER) {
        if (MessageCounts* counts = Counts()) {
            InterlockedIncrement(&counts->timers);
            if (message->wParam < kCountedTimerIds)
                InterlockedIncrement(&counts->byTimerId[message->wParam]);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
