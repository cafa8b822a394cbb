#pragma once
#include <windows.h>

// Looks up an optional system function by name; null when the module or the export is missing.
template <typename Function> Function LookUpFunction(HMODULE module, const char* name) {
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Loads a system library from the system directory only.
inline HMODULE LoadSystemLibrary(const wchar_t* name) {
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}
