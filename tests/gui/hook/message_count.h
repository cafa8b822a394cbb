#pragma once
// The shared block of the message counting hook (message_count_hook.cpp) and the test reading it.
#include <windows.h>
#include <cwchar>
#include <iterator>

inline constexpr UINT_PTR kCountedTimerIds = 8;

struct MessageCounts {
    volatile LONG timers;                      // every WM_TIMER retrieved
    volatile LONG byTimerId[kCountedTimerIds]; // those of the timers with a small id, by id
};

inline void FormatMessageCountName(wchar_t (&name)[64], DWORD threadId) {
    std::swprintf(name, std::size(name), L"Local\\LauncherTestMessageCounts-%lu",
                  static_cast<unsigned long>(threadId));
}
