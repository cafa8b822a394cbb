#include <iterator>
#include <new>
#include "shell/accessibility_runtime.h"
#include "shell/accessible_objects.h"
#include "shell/accessible_tree.h"

namespace {

constexpr int kMaxServedControls = 64;
constexpr int kWindowTitleUnits = 256;

// What the screen shows, described afresh at every call. One list serves every object: all calls
// come on the window's thread, one at a time.
ScreenElements gDescribed;
HWND gServedControls[kMaxServedControls];
int gServedControlCount = 0;

bool StandsForControl(const ScreenElements& elements, int controlId) {
    for (int i = 0; i < elements.count; ++i) {
        if (elements.items[i].controlId != 0 && elements.items[i].controlId == controlId)
            return true;
    }
    return false;
}

// The element that stands for a control (a page tab drawn by its button), -1 when none does.
int ElementOfControl(const ScreenElements& elements, HWND control) {
    const int id = GetDlgCtrlID(control);
    for (int i = 0; i < elements.count; ++i) {
        if (id != 0 && elements.items[i].controlId == id)
            return i;
    }
    return -1;
}

long RoleOf(ElementRole role) {
    switch (role) {
    case ElementRole::Text: return ROLE_SYSTEM_STATICTEXT;
    case ElementRole::ProgressBar: return ROLE_SYSTEM_PROGRESSBAR;
    case ElementRole::PageTab: return ROLE_SYSTEM_PAGETAB;
    }
    return ROLE_SYSTEM_STATICTEXT;
}

class ClientObject final : public AccessibleObject {
  public:
    ClientObject(HWND window, DescribeFunction describe) : window_(window), describe_(describe) {}

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
        if (out == nullptr)
            return E_POINTER;
        return WindowFrameObject(window_, out);
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* out) override {
        if (out == nullptr)
            return E_POINTER;
        if (!Refresh())
            return E_FAIL;
        *out = ChildCount();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        const ChildRef ref = Resolve(child);
        if (ref.kind == ChildKind::Element)
            return S_FALSE; // a simple element: the client object answers for it
        if (ref.kind != ChildKind::Control)
            return E_INVALIDARG;
        *out = ControlObject(gServedControls[ref.index]);
        return *out != nullptr ? S_OK : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        const ChildRef ref = Resolve(child);
        if (ref.kind == ChildKind::Self) {
            wchar_t title[kWindowTitleUnits];
            GetWindowTextW(window_, title, static_cast<int>(std::size(title)));
            return AnswerText(title, out, S_FALSE);
        }
        if (ref.kind != ChildKind::Element)
            return Refuse(out);
        return AnswerText(gDescribed.items[ref.index].name, out, S_FALSE);
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        const ChildRef ref = Resolve(child);
        if (ref.kind == ChildKind::Self)
            return AnswerText(nullptr, out, DISP_E_MEMBERNOTFOUND);
        if (ref.kind != ChildKind::Element)
            return Refuse(out);
        return AnswerText(gDescribed.items[ref.index].value, out, DISP_E_MEMBERNOTFOUND);
    }

    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        const ChildRef ref = Resolve(child);
        if (ref.kind == ChildKind::Self)
            return AnswerText(nullptr, out, S_FALSE);
        if (ref.kind != ChildKind::Element)
            return Refuse(out);
        return AnswerText(gDescribed.items[ref.index].description, out, S_FALSE);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        if (out == nullptr)
            return E_POINTER;
        SetNothing(out);
        const ChildRef ref = Resolve(child);
        if (ref.kind == ChildKind::Self) {
            SetChildId(out, ROLE_SYSTEM_CLIENT);
        } else if (ref.kind == ChildKind::Element) {
            SetChildId(out, RoleOf(gDescribed.items[ref.index].role));
        } else {
            return E_INVALIDARG;
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        if (out == nullptr)
            return E_POINTER;
        SetNothing(out);
        const ChildRef ref = Resolve(child);
        if (ref.kind == ChildKind::Self) {
            long state = STATE_SYSTEM_FOCUSABLE;
            if (GetFocus() == window_)
                state |= STATE_SYSTEM_FOCUSED;
            if (!IsWindowVisible(window_))
                state |= STATE_SYSTEM_INVISIBLE;
            SetChildId(out, state);
        } else if (ref.kind == ChildKind::Element) {
            SetChildId(out, ElementState(gDescribed.items[ref.index]));
        } else {
            return E_INVALIDARG;
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (out == nullptr)
            return E_POINTER;
        SetNothing(out);
        if (!Refresh())
            return E_FAIL;
        HWND focus = GetFocus();
        if (focus == window_) {
            SetChildId(out, CHILDID_SELF);
            return S_OK;
        }
        const int element = focus != nullptr ? ElementOfControl(gDescribed, focus) : -1;
        if (element >= 0) {
            SetChildId(out, ChildIdOfElement(element));
            return S_OK;
        }
        for (int i = 0; i < gServedControlCount; ++i) {
            if (gServedControls[i] == focus)
                return AnswerChild(ChildIdOfControl(i, gDescribed.count), out);
        }
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (out == nullptr)
            return E_POINTER;
        SetNothing(out);
        if (!Refresh())
            return E_FAIL;
        for (int i = 0; i < gDescribed.count; ++i) {
            if ((gDescribed.items[i].state & kElementSelected) != 0) {
                SetChildId(out, ChildIdOfElement(i));
                return S_OK;
            }
        }
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        const ChildRef ref = Resolve(child);
        if (ref.kind == ChildKind::None || ref.kind == ChildKind::Control)
            return Refuse(out);
        const bool tab =
            ref.kind == ChildKind::Element && gDescribed.items[ref.index].role == ElementRole::PageTab;
        return AnswerText(tab ? L"Switch" : nullptr, out, DISP_E_MEMBERNOTFOUND);
    }

    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        const ChildRef ref = Resolve(child);
        if (ref.kind == ChildKind::None || ref.kind == ChildKind::Control)
            return E_INVALIDARG;
        if (flags != SELFLAG_TAKEFOCUS)
            return DISP_E_MEMBERNOTFOUND;
        if (ref.kind == ChildKind::Self) {
            SetFocus(window_);
            return S_OK;
        }
        HWND control = TabControl(ref.index);
        if (control == nullptr)
            return DISP_E_MEMBERNOTFOUND;
        SetFocus(control);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
            return E_POINTER;
        *left = *top = *width = *height = 0;
        const ChildRef ref = Resolve(child);
        RECT screen{};
        if (ref.kind == ChildKind::Self) {
            GetClientRect(window_, &screen);
            MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&screen), 2);
        } else if (ref.kind == ChildKind::Element) {
            const PixelRect& r = gDescribed.items[ref.index].rect;
            screen = {r.left, r.top, r.right, r.bottom};
            MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&screen), 2);
        } else if (ref.kind == ChildKind::Control) {
            GetWindowRect(gServedControls[ref.index], &screen);
        } else {
            return E_INVALIDARG;
        }
        AnswerRect(screen, left, top, width, height);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
        if (out == nullptr)
            return E_POINTER;
        SetNothing(out);
        const ChildRef ref = Resolve(start);
        if (ref.kind == ChildKind::None)
            return E_INVALIDARG;
        ChildStep step;
        switch (direction) {
        case NAVDIR_FIRSTCHILD: step = ChildStep::First; break;
        case NAVDIR_LASTCHILD: step = ChildStep::Last; break;
        case NAVDIR_NEXT: step = ChildStep::Next; break;
        case NAVDIR_PREVIOUS: step = ChildStep::Previous; break;
        default: return S_FALSE; // no spatial navigation among the children
        }
        const long reached = StepChild(start.lVal, step, ChildCount());
        if (reached == 0)
            return S_FALSE;
        return AnswerChild(reached, out);
    }

    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (out == nullptr)
            return E_POINTER;
        SetNothing(out);
        if (!Refresh())
            return E_FAIL;
        POINT point{x, y};
        ScreenToClient(window_, &point);
        RECT client{};
        GetClientRect(window_, &client);
        if (!PtInRect(&client, point))
            return S_FALSE;
        HWND hit = ChildWindowFromPointEx(window_, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (hit != nullptr && hit != window_) {
            const int element = ElementOfControl(gDescribed, hit);
            if (element >= 0) {
                SetChildId(out, ChildIdOfElement(element));
                return S_OK;
            }
            for (int i = 0; i < gServedControlCount; ++i) {
                if (gServedControls[i] == hit)
                    return AnswerChild(ChildIdOfControl(i, gDescribed.count), out);
            }
        }
        const int element = ElementAt(gDescribed, point.x, point.y);
        SetChildId(out, element >= 0 ? ChildIdOfElement(element) : CHILDID_SELF);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const ChildRef ref = Resolve(child);
        if (ref.kind == ChildKind::None || ref.kind == ChildKind::Control)
            return E_INVALIDARG;
        HWND control = ref.kind == ChildKind::Element ? TabControl(ref.index) : nullptr;
        if (control == nullptr)
            return DISP_E_MEMBERNOTFOUND;
        if (!IsWindowEnabled(control))
            return E_FAIL;
        // Posted: the page switch runs after this call has returned to the screen reader.
        PostMessageW(control, BM_CLICK, 0, 0);
        return S_OK;
    }

  private:
    // Describes the screen and lists the controls served as children; false once the window is gone.
    bool Refresh() {
        if (!IsWindow(window_))
            return false;
        gDescribed.count = 0;
        gDescribed.storeUsed = 0;
        describe_(gDescribed);
        gServedControlCount = 0;
        for (HWND control = GetWindow(window_, GW_CHILD);
             control != nullptr && gServedControlCount < kMaxServedControls;
             control = GetWindow(control, GW_HWNDNEXT)) {
            if (IsWindowVisible(control) && !StandsForControl(gDescribed, GetDlgCtrlID(control)))
                gServedControls[gServedControlCount++] = control;
        }
        return true;
    }

    long ChildCount() const { return static_cast<long>(gDescribed.count) + gServedControlCount; }

    ChildRef Resolve(const VARIANT& child) {
        if (!IsChildId(child) || !Refresh())
            return {ChildKind::None, 0};
        return ChildFromId(child.lVal, gDescribed.count, gServedControlCount);
    }

    static HRESULT Refuse(BSTR* out) {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        return E_INVALIDARG;
    }

    // A child as navigation, focus and hit testing give it: an element by id, a control as its object.
    static HRESULT AnswerChild(long childId, VARIANT* out) {
        const ChildRef ref = ChildFromId(childId, gDescribed.count, gServedControlCount);
        if (ref.kind != ChildKind::Control) {
            SetChildId(out, childId);
            return S_OK;
        }
        IDispatch* object = ControlObject(gServedControls[ref.index]);
        if (object == nullptr)
            return E_FAIL;
        out->vt = VT_DISPATCH;
        out->pdispVal = object;
        return S_OK;
    }

    long ElementState(const ScreenElement& element) const {
        long state = STATE_SYSTEM_READONLY;
        if ((element.state & kElementUnavailable) != 0)
            state |= STATE_SYSTEM_UNAVAILABLE;
        if (element.role == ElementRole::PageTab) {
            state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
            if ((element.state & kElementSelected) != 0)
                state |= STATE_SYSTEM_SELECTED;
            if ((element.state & kElementUnavailable) != 0)
                state |= STATE_SYSTEM_UNAVAILABLE;
            HWND control = element.controlId != 0 ? GetDlgItem(window_, element.controlId) : nullptr;
            if (control != nullptr && GetFocus() == control)
                state |= STATE_SYSTEM_FOCUSED;
        }
        return state;
    }

    // The button that draws a page tab element; null for any other element.
    HWND TabControl(int element) const {
        const ScreenElement& e = gDescribed.items[element];
        if (e.role != ElementRole::PageTab || e.controlId == 0)
            return nullptr;
        return GetDlgItem(window_, e.controlId);
    }

    HWND window_;
    DescribeFunction describe_;
};

} // namespace

IAccessible* NewClientObject(HWND window, DescribeFunction describe) {
    return new (std::nothrow) ClientObject(window, describe);
}
