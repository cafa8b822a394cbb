#include "shell/accessibility_runtime.h"
#include "shell/system_functions.h"

namespace {

AccessibilityRuntime gRuntime{};
bool gRuntimeTried = false;
bool gRuntimeReady = false;

bool LoadRuntime() {
    HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
    HMODULE oleaut32 = LoadSystemLibrary(L"oleaut32.dll");
    HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
    AccessibilityRuntime& r = gRuntime;
    r.initialize = LookUpFunction<decltype(r.initialize)>(ole32, "CoInitializeEx");
    r.createInstance = LookUpFunction<decltype(r.createInstance)>(ole32, "CoCreateInstance");
    r.lresultFromObject = LookUpFunction<decltype(r.lresultFromObject)>(oleacc, "LresultFromObject");
    r.objectFromWindow = LookUpFunction<decltype(r.objectFromWindow)>(oleacc, "AccessibleObjectFromWindow");
    r.allocString = LookUpFunction<decltype(r.allocString)>(oleaut32, "SysAllocString");
    if (r.initialize == nullptr || r.createInstance == nullptr || r.lresultFromObject == nullptr ||
        r.objectFromWindow == nullptr || r.allocString == nullptr)
        return false;
    // Served objects are called on this thread, through its message loop: a single-threaded
    // apartment. Another part of the window may have joined it already (S_FALSE).
    return SUCCEEDED(r.initialize(nullptr, COINIT_APARTMENTTHREADED));
}

} // namespace

const AccessibilityRuntime* AccessibilityFunctions() {
    if (!gRuntimeTried) {
        gRuntimeTried = true;
        gRuntimeReady = LoadRuntime();
    }
    return gRuntimeReady ? &gRuntime : nullptr;
}

BSTR CopyToBstr(const wchar_t* text) {
    const AccessibilityRuntime* runtime = AccessibilityFunctions();
    return runtime != nullptr ? runtime->allocString(text) : nullptr;
}

IDispatch* ControlObject(HWND control) {
    const AccessibilityRuntime* runtime = AccessibilityFunctions();
    void* object = nullptr;
    if (runtime == nullptr || FAILED(runtime->objectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                                               __uuidof(IDispatch), &object)))
        return nullptr;
    return static_cast<IDispatch*>(object);
}

HRESULT WindowFrameObject(HWND window, IDispatch** out) {
    *out = nullptr;
    const AccessibilityRuntime* runtime = AccessibilityFunctions();
    if (runtime == nullptr)
        return E_FAIL;
    return runtime->objectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                     reinterpret_cast<void**>(out));
}
