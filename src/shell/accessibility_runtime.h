#pragma once
#include <windows.h>
#include <oleacc.h>

// The COM and accessibility functions the window uses, looked up at run time in the system's
// oleacc, ole32 and oleaut32: the program imports only the libraries it always needs, and runs
// without a screen-reader interface where these are missing.
struct AccessibilityRuntime {
    HRESULT(WINAPI* initialize)(LPVOID, DWORD);                                   // CoInitializeEx
    HRESULT(WINAPI* createInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*); // CoCreateInstance
    LRESULT(WINAPI* lresultFromObject)(REFIID, WPARAM, LPUNKNOWN);
    HRESULT(WINAPI* objectFromWindow)(HWND, DWORD, REFIID, void**); // AccessibleObjectFromWindow
    BSTR(WINAPI* allocString)(const OLECHAR*);                      // SysAllocString
};

// Loads the libraries once and initialises COM on the calling (window) thread; null when the
// functions cannot be had. The libraries stay loaded: objects handed out run their code.
const AccessibilityRuntime* AccessibilityFunctions();

// A copy of the text for a caller, or null when it cannot be made.
BSTR CopyToBstr(const wchar_t* text);
// The accessible object of a child control (the client area's, which the control itself may serve),
// as the caller's reference; null when there is none.
IDispatch* ControlObject(HWND control);
// The standard object of a window's frame, the parent of its client object.
HRESULT WindowFrameObject(HWND window, IDispatch** out);
