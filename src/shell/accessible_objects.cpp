#include "shell/accessible_objects.h"
#include "shell/accessibility_runtime.h"

namespace {

LONG gLiveObjects = 0;

} // namespace

long LiveAccessibleObjects() {
    return gLiveObjects;
}

AccessibleObject::AccessibleObject() {
    InterlockedIncrement(&gLiveObjects);
}

AccessibleObject::~AccessibleObject() {
    InterlockedDecrement(&gLiveObjects);
}

HRESULT AccessibleObject::QueryInterface(REFIID id, void** out) {
    if (out == nullptr)
        return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG AccessibleObject::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
    if (out != nullptr)
        *out = nullptr;
    return E_NOTIMPL;
}

HRESULT AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::get_accHelp(VARIANT, BSTR* out) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    return S_FALSE;
}

HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file == nullptr || topic == nullptr)
        return E_POINTER;
    *file = nullptr;
    *topic = 0;
    return S_FALSE;
}

HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT, BSTR* out) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    return S_FALSE;
}

HRESULT AccessibleObject::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT AnswerText(const wchar_t* text, BSTR* out, HRESULT absent) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (text == nullptr || text[0] == L'\0')
        return absent;
    *out = CopyToBstr(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void AnswerRect(const RECT& screen, long* left, long* top, long* width, long* height) {
    *left = screen.left;
    *top = screen.top;
    *width = screen.right - screen.left;
    *height = screen.bottom - screen.top;
}
