#include <iterator>
#include <new>
#include "shell/accessibility_runtime.h"
#include "shell/accessible_objects.h"

namespace {

constexpr int kCaptionUnits = 128;

// A check box whose platform procedure keeps its state and handles clicks, but which paints itself
// as a switch: to a screen reader it is the check box it is.
class CheckBoxObject final : public AccessibleObject {
  public:
    explicit CheckBoxObject(HWND checkBox) : checkBox_(checkBox) {}

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
        if (out == nullptr)
            return E_POINTER;
        return WindowFrameObject(checkBox_, out);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        if (!IsSelf(child))
            return AnswerText(nullptr, out, E_INVALIDARG);
        wchar_t caption[kCaptionUnits];
        GetWindowTextW(checkBox_, caption, static_cast<int>(std::size(caption)));
        return AnswerText(caption, out, S_FALSE);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return AnswerText(nullptr, out, IsSelf(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return AnswerText(nullptr, out, IsSelf(child) ? S_FALSE : E_INVALIDARG);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        if (out == nullptr)
            return E_POINTER;
        SetNothing(out);
        if (!IsSelf(child))
            return E_INVALIDARG;
        SetChildId(out, ROLE_SYSTEM_CHECKBUTTON);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        if (out == nullptr)
            return E_POINTER;
        SetNothing(out);
        if (!IsSelf(child))
            return E_INVALIDARG;
        long state = STATE_SYSTEM_FOCUSABLE;
        if (Checked())
            state |= STATE_SYSTEM_CHECKED;
        if (GetFocus() == checkBox_)
            state |= STATE_SYSTEM_FOCUSED;
        if (!IsWindowEnabled(checkBox_))
            state |= STATE_SYSTEM_UNAVAILABLE;
        if (!IsWindowVisible(checkBox_))
            state |= STATE_SYSTEM_INVISIBLE;
        SetChildId(out, state);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (out == nullptr)
            return E_POINTER;
        SetNothing(out);
        if (!IsWindow(checkBox_))
            return E_FAIL;
        if (GetFocus() != checkBox_)
            return S_FALSE;
        SetChildId(out, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (out == nullptr)
            return E_POINTER;
        SetNothing(out);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        if (!IsSelf(child))
            return AnswerText(nullptr, out, E_INVALIDARG);
        return AnswerText(Checked() ? L"Uncheck" : L"Check", out, DISP_E_MEMBERNOTFOUND);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        if (!IsSelf(child))
            return E_INVALIDARG;
        if (flags != SELFLAG_TAKEFOCUS)
            return DISP_E_MEMBERNOTFOUND;
        SetFocus(checkBox_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
            return E_POINTER;
        *left = *top = *width = *height = 0;
        if (!IsSelf(child))
            return E_INVALIDARG;
        RECT screen{};
        GetWindowRect(checkBox_, &screen);
        AnswerRect(screen, left, top, width, height);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT start, VARIANT* out) override {
        if (out == nullptr)
            return E_POINTER;
        SetNothing(out);
        return IsSelf(start) ? S_FALSE : E_INVALIDARG; // no children; siblings are the parent's
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (out == nullptr)
            return E_POINTER;
        SetNothing(out);
        RECT screen{};
        if (!IsWindow(checkBox_))
            return E_FAIL;
        GetWindowRect(checkBox_, &screen);
        if (!PtInRect(&screen, POINT{x, y}))
            return S_FALSE;
        SetChildId(out, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child))
            return E_INVALIDARG;
        if (!IsWindowEnabled(checkBox_))
            return E_FAIL;
        // Posted, as a click arrives: the platform's procedure turns the state and tells the parent.
        PostMessageW(checkBox_, BM_CLICK, 0, 0);
        return S_OK;
    }

  private:
    bool IsSelf(const VARIANT& child) const {
        return IsChildId(child) && child.lVal == CHILDID_SELF && IsWindow(checkBox_);
    }
    bool Checked() const { return SendMessageW(checkBox_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

    HWND checkBox_;
};

} // namespace

IAccessible* NewCheckBoxObject(HWND checkBox) {
    return new (std::nothrow) CheckBoxObject(checkBox);
}
