#pragma once
#include <windows.h>
#include <oleacc.h>
#include "ui/screen_elements.h"

// The objects the accessibility server hands out: plain COM, one reference per caller, each one
// deleted at its last release. Everything is called on the window's thread (a single-threaded
// apartment: calls from other processes arrive through its message loop).

// Fills the list of what the screen shows now.
using DescribeFunction = void (*)(ScreenElements&);

// The main window's client area: the described elements, then the child controls. Every call
// describes the screen afresh, so nothing it answers is ever stale. Returned with one reference.
IAccessible* NewClientObject(HWND window, DescribeFunction describe);
// A check box that paints itself: its role, checked state and default action.
IAccessible* NewCheckBoxObject(HWND checkBox);

// The objects created and not yet released.
long LiveAccessibleObjects();

// IUnknown and IDispatch for every served object, and the members none of them supports. IDispatch
// is only the base MSAA requires; clients call IAccessible directly.
class AccessibleObject : public IAccessible {
  public:
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

  protected:
    AccessibleObject();
    virtual ~AccessibleObject();

  private:
    LONG references_ = 1;
};

// Small helpers for the answers.
inline bool IsChildId(const VARIANT& child) {
    return child.vt == VT_I4;
}
inline void SetChildId(VARIANT* out, long id) {
    out->vt = VT_I4;
    out->lVal = id;
}
inline void SetNothing(VARIANT* out) {
    out->vt = VT_EMPTY;
}
// A text for the caller; an empty one is answered with `absent` and no string.
HRESULT AnswerText(const wchar_t* text, BSTR* out, HRESULT absent);
// A window's rectangle as accLocation gives it: left, top, width, height on the screen.
void AnswerRect(const RECT& screen, long* left, long* top, long* width, long* height);
