// The served objects answered in-process over a window of our own with a described screen built
// here: roles, names, values, states, places, children, navigation and hit testing, the check box,
// and that every object handed out is released.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>
#include <string>
#include "shell/accessibility_runtime.h"
#include "shell/accessible_objects.h"

namespace {

constexpr int kTabGraphics = 120;
constexpr int kTabDisplay = 121;
constexpr int kPlay = 101;
constexpr int kHidden = 107;

int gPhase = 0; // which screen the describe function shows
int gCommands[256];

ScreenElement Element(ElementRole role, const wchar_t* name, const wchar_t* value, const wchar_t* description,
                      unsigned state, PixelRect rect, int controlId = 0) {
    ScreenElement e{};
    e.role = role;
    e.name = name;
    e.value = value;
    e.description = description;
    e.state = state;
    e.rect = rect;
    e.controlId = controlId;
    return e;
}

void DescribeTestScreen(ScreenElements& out) {
    out.count = 0;
    if (gPhase == 0) {
        out.items[out.count++] = Element(ElementRole::Text, L"Ready to play", L"", L"", 0, {10, 10, 200, 40});
        out.items[out.count++] =
            Element(ElementRole::ProgressBar, L"Estimated progress", L"27%", L"", 0, {10, 50, 300, 60});
        out.items[out.count++] = Element(ElementRole::PageTab, L"Graphics", L"", L"", kElementSelected,
                                         {10, 100, 90, 130}, kTabGraphics);
        out.items[out.count++] = Element(ElementRole::PageTab, L"Display", L"", L"", kElementUnavailable,
                                         {90, 100, 170, 130}, kTabDisplay);
        out.items[out.count++] = Element(ElementRole::ProgressBar, L"Estimated progress", L"",
                                         L"Indeterminate", kElementIndeterminate, {10, 140, 300, 150});
    } else {
        out.items[out.count++] = Element(ElementRole::Text, L"Preparing your game", L"", L"",
                                         kElementUnavailable, {10, 10, 200, 40});
    }
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        ++gCommands[LOWORD(wParam) & 0xFF];
    return DefWindowProcW(window, message, wParam, lParam);
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

VARIANT Child(long id) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring Take(BSTR text) {
    std::wstring copy = text != nullptr ? std::wstring(text) : std::wstring(L"(none)");
    SysFreeString(text);
    return copy;
}

// The name a dispatch object gives itself; releases it.
std::wstring NameOf(IDispatch* object) {
    if (object == nullptr)
        return L"(no object)";
    IAccessible* accessible = nullptr;
    object->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&accessible));
    object->Release();
    if (accessible == nullptr)
        return L"(no interface)";
    BSTR name = nullptr;
    accessible->get_accName(Child(CHILDID_SELF), &name);
    accessible->Release();
    return Take(name);
}

// What a VARIANT result names: "#id" for a child id, the object's name, or "empty".
std::wstring Named(VARIANT& v) {
    if (v.vt == VT_I4)
        return L"#" + std::to_wstring(v.lVal);
    if (v.vt == VT_DISPATCH)
        return NameOf(v.pdispVal);
    return L"empty";
}

class AccessibleObjectsTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(AccessibilityFunctions(), nullptr);
        gPhase = 0;
        for (int& c : gCommands)
            c = 0;
        static const bool registered = [] {
            WNDCLASSW c{};
            c.lpfnWndProc = ParentProc;
            c.hInstance = GetModuleHandleW(nullptr);
            c.lpszClassName = L"AccessibleObjectsTest";
            return RegisterClassW(&c) != 0;
        }();
        ASSERT_TRUE(registered);
        baseline_ = LiveAccessibleObjects();
        window_ = CreateWindowExW(0, L"AccessibleObjectsTest", L"Test window", WS_POPUP | WS_VISIBLE, 40, 30,
                                  400, 300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        Make(L"STATIC", L"Status text", WS_CHILD | WS_VISIBLE, 0, {10, 200, 300, 220});
        Make(L"BUTTON", L"Play", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kPlay, {310, 200, 390, 230});
        Make(L"BUTTON", L"Back", WS_CHILD | BS_PUSHBUTTON, kHidden, {310, 240, 390, 270});
        Make(L"BUTTON", L"Graphics", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kTabGraphics, {10, 100, 90, 130});
        client_ = NewClientObject(window_, DescribeTestScreen);
        ASSERT_NE(client_, nullptr);
        Pump();
    }
    void TearDown() override {
        if (client_ != nullptr)
            client_->Release();
        DestroyWindow(window_);
        Pump();
        EXPECT_EQ(LiveAccessibleObjects(), baseline_);
    }
    HWND Make(const wchar_t* cls, const wchar_t* text, DWORD style, int id, RECT r) {
        return CreateWindowExW(0, cls, text, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                               window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    POINT Origin() const {
        POINT p{0, 0};
        ClientToScreen(window_, &p);
        return p;
    }

    HWND window_ = nullptr;
    IAccessible* client_ = nullptr;
    long baseline_ = 0;
};

TEST_F(AccessibleObjectsTest, ElementsInReadingOrderThenTheControlsNoElementStandsFor) {
    long count = 0;
    ASSERT_EQ(client_->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 7); // five elements, the status text and Play; Graphics is its tab, Back is hidden
    struct Case {
        long id;
        const wchar_t* name;
        long role;
        long state;
        const wchar_t* value;
        const wchar_t* description;
    };
    const long tabState = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    const Case cases[] = {
        {CHILDID_SELF, L"Test window", ROLE_SYSTEM_CLIENT, STATE_SYSTEM_FOCUSABLE, L"(none)", L"(none)"},
        {1, L"Ready to play", ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY, L"(none)", L"(none)"},
        {2, L"Estimated progress", ROLE_SYSTEM_PROGRESSBAR, STATE_SYSTEM_READONLY, L"27%", L"(none)"},
        {3, L"Graphics", ROLE_SYSTEM_PAGETAB, tabState | STATE_SYSTEM_SELECTED, L"(none)", L"(none)"},
        {4, L"Display", ROLE_SYSTEM_PAGETAB, tabState | STATE_SYSTEM_UNAVAILABLE, L"(none)", L"(none)"},
        {5, L"Estimated progress", ROLE_SYSTEM_PROGRESSBAR, STATE_SYSTEM_READONLY, L"(none)",
         L"Indeterminate"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        BSTR text = nullptr;
        client_->get_accName(Child(c.id), &text);
        EXPECT_EQ(Take(text), c.name);
        VARIANT role{}, state{};
        ASSERT_EQ(client_->get_accRole(Child(c.id), &role), S_OK);
        EXPECT_EQ(role.lVal, c.role);
        ASSERT_EQ(client_->get_accState(Child(c.id), &state), S_OK);
        EXPECT_EQ(state.lVal & ~STATE_SYSTEM_FOCUSED, c.state);
        text = nullptr;
        client_->get_accValue(Child(c.id), &text);
        EXPECT_EQ(Take(text), c.value);
        text = nullptr;
        client_->get_accDescription(Child(c.id), &text);
        EXPECT_EQ(Take(text), c.description);
    }
    // Elements are simple children; controls are objects of their own; beyond the last, nothing.
    const std::wstring children[] = {L"(no object)", L"Status text", L"Play"};
    const long ids[] = {1, 6, 7};
    for (int i = 0; i < 3; ++i) {
        IDispatch* object = nullptr;
        EXPECT_EQ(client_->get_accChild(Child(ids[i]), &object), i == 0 ? S_FALSE : S_OK);
        EXPECT_EQ(NameOf(object), children[i]);
    }
    IDispatch* none = nullptr;
    EXPECT_EQ(client_->get_accChild(Child(8), &none), E_INVALIDARG);
    BSTR text = nullptr;
    EXPECT_EQ(client_->get_accName(Child(8), &text), E_INVALIDARG);
    VARIANT notAnId{};
    notAnId.vt = VT_BSTR;
    EXPECT_EQ(client_->get_accName(notAnId, &text), E_INVALIDARG);
}

TEST_F(AccessibleObjectsTest, EveryCallDescribesTheScreenAfresh) {
    gPhase = 1;
    long count = 0;
    client_->get_accChildCount(&count);
    EXPECT_EQ(count, 4); // one element, the status text, Play, and now the Graphics button too
    BSTR text = nullptr;
    client_->get_accName(Child(1), &text);
    EXPECT_EQ(Take(text), L"Preparing your game");
    VARIANT state{};
    client_->get_accState(Child(1), &state);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_READONLY | STATE_SYSTEM_UNAVAILABLE);
}

TEST_F(AccessibleObjectsTest, PlacesOnTheScreenAndWhatLiesUnderAPoint) {
    const POINT o = Origin();
    struct Place {
        long id;
        long left, top, width, height;
    };
    const Place places[] = {
        {CHILDID_SELF, o.x, o.y, 400, 300},
        {1, o.x + 10, o.y + 10, 190, 30},
        {3, o.x + 10, o.y + 100, 80, 30},
        {7, o.x + 310, o.y + 200, 80, 30}, // Play's window
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.id);
        long l = 0, t = 0, w = 0, h = 0;
        ASSERT_EQ(client_->accLocation(&l, &t, &w, &h, Child(p.id)), S_OK);
        EXPECT_EQ(l, p.left);
        EXPECT_EQ(t, p.top);
        EXPECT_EQ(w, p.width);
        EXPECT_EQ(h, p.height);
    }
    struct Hit {
        int x, y;
        const wchar_t* named;
    };
    const Hit hits[] = {
        {20, 20, L"#1"},     {20, 55, L"#2"},  {20, 110, L"#3"}, // the tab, over its own button
        {320, 210, L"Play"}, {350, 20, L"#0"},                   // the bare client area
        {500, 20, L"empty"},                                     // outside the window
    };
    for (const Hit& h : hits) {
        SCOPED_TRACE(testing::Message() << h.x << "," << h.y);
        VARIANT result{};
        client_->accHitTest(o.x + h.x, o.y + h.y, &result);
        EXPECT_EQ(Named(result), h.named);
    }
}

TEST_F(AccessibleObjectsTest, NavigationFocusSelectionAndTheTabsAction) {
    struct Step {
        long direction;
        long start;
        const wchar_t* named;
    };
    const Step steps[] = {
        {NAVDIR_FIRSTCHILD, CHILDID_SELF, L"#1"},
        {NAVDIR_LASTCHILD, CHILDID_SELF, L"Play"},
        {NAVDIR_NEXT, 1, L"#2"},
        {NAVDIR_NEXT, 5, L"Status text"},
        {NAVDIR_PREVIOUS, 7, L"Status text"},
        {NAVDIR_PREVIOUS, 1, L"empty"},
        {NAVDIR_NEXT, 7, L"empty"},
        {NAVDIR_DOWN, 1, L"empty"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << s.direction << " from " << s.start);
        VARIANT reached{};
        client_->accNavigate(s.direction, Child(s.start), &reached);
        EXPECT_EQ(Named(reached), s.named);
    }

    VARIANT selection{};
    ASSERT_EQ(client_->get_accSelection(&selection), S_OK);
    EXPECT_EQ(Named(selection), L"#3");

    struct FocusCase {
        int control; // 0: the window itself
        const wchar_t* named;
    };
    const FocusCase focus[] = {{kPlay, L"Play"}, {kTabGraphics, L"#3"}, {0, L"#0"}};
    for (const FocusCase& f : focus) {
        SCOPED_TRACE(f.control);
        SetFocus(f.control != 0 ? GetDlgItem(window_, f.control) : window_);
        VARIANT focused{};
        client_->get_accFocus(&focused);
        EXPECT_EQ(Named(focused), f.named);
    }
    SetFocus(GetDlgItem(window_, kTabGraphics));
    VARIANT state{};
    client_->get_accState(Child(3), &state);
    EXPECT_NE(state.lVal & STATE_SYSTEM_FOCUSED, 0);

    BSTR action = nullptr;
    ASSERT_EQ(client_->get_accDefaultAction(Child(3), &action), S_OK);
    EXPECT_EQ(Take(action), L"Switch");
    action = nullptr;
    EXPECT_EQ(client_->get_accDefaultAction(Child(1), &action), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(client_->accDoDefaultAction(Child(1)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(client_->accDoDefaultAction(Child(4)), DISP_E_MEMBERNOTFOUND); // its button does not exist
    ASSERT_EQ(client_->accDoDefaultAction(Child(3)), S_OK);
    Pump();
    EXPECT_EQ(gCommands[kTabGraphics], 1);
}

TEST_F(AccessibleObjectsTest, TheWindowGoneEveryAnswerFails) {
    DestroyWindow(window_);
    long count = 0;
    EXPECT_EQ(client_->get_accChildCount(&count), E_FAIL);
    BSTR text = nullptr;
    EXPECT_EQ(client_->get_accName(Child(1), &text), E_INVALIDARG);
}

TEST_F(AccessibleObjectsTest, TheCheckBoxReadsItsStateAndActsAsAClick) {
    constexpr int kToggle = 102;
    HWND box = Make(L"BUTTON", L"Basic graphics for troubleshooting", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                    kToggle, {10, 250, 200, 280});
    IAccessible* object = NewCheckBoxObject(box);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(LiveAccessibleObjects(), baseline_ + 2);
    struct Case {
        bool checked, focused, enabled;
        long state;
        const wchar_t* action;
    };
    const Case cases[] = {
        {false, false, true, STATE_SYSTEM_FOCUSABLE, L"Check"},
        {true, false, true, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED, L"Uncheck"},
        {true, true, true, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED | STATE_SYSTEM_FOCUSED, L"Uncheck"},
        {false, false, false, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE, L"Check"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.checked << c.focused << c.enabled);
        SendMessageW(box, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        EnableWindow(box, c.enabled);
        SetFocus(c.focused ? box : window_);
        VARIANT role{}, state{};
        object->get_accRole(Child(CHILDID_SELF), &role);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_CHECKBUTTON);
        object->get_accState(Child(CHILDID_SELF), &state);
        EXPECT_EQ(state.lVal, c.state);
        BSTR action = nullptr;
        object->get_accDefaultAction(Child(CHILDID_SELF), &action);
        EXPECT_EQ(Take(action), c.action);
    }
    BSTR name = nullptr;
    object->get_accName(Child(CHILDID_SELF), &name);
    EXPECT_EQ(Take(name), L"Basic graphics for troubleshooting");
    EXPECT_EQ(object->accDoDefaultAction(Child(CHILDID_SELF)), E_FAIL); // disabled
    EnableWindow(box, TRUE);
    ASSERT_EQ(object->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
    Pump();
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(gCommands[kToggle], 1);
    VARIANT role{};
    EXPECT_EQ(object->get_accRole(Child(1), &role), E_INVALIDARG);
    object->Release();
}

} // namespace
