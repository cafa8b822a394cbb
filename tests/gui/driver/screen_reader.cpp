#include "screen_reader.h"
#include <tlhelp32.h>

namespace driver {

namespace {

EventListener* gListener = nullptr; // one hook at a time

VARIANT ChildId(long id) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring Take(BSTR text) {
    std::wstring copy = text != nullptr ? std::wstring(text) : std::wstring();
    SysFreeString(text);
    return copy;
}

std::wstring NameOf(IAccessible* object, long childId) {
    BSTR text = nullptr;
    object->get_accName(ChildId(childId), &text);
    return Take(text);
}

std::wstring ValueOf(IAccessible* object, long childId) {
    BSTR text = nullptr;
    object->get_accValue(ChildId(childId), &text);
    return Take(text);
}

IAccessible* AccessibleOf(IDispatch* object) {
    IAccessible* accessible = nullptr;
    if (object != nullptr) {
        object->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&accessible));
        object->Release();
    }
    return accessible;
}

} // namespace

ComApartment::ComApartment() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

ComApartment::~ComApartment() {
    CoUninitialize();
}

IAccessible* ClientObjectOf(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

AccessibleItem Describe(IAccessible* object, long childId) {
    AccessibleItem item;
    item.name = NameOf(object, childId);
    item.value = ValueOf(object, childId);
    BSTR text = nullptr;
    object->get_accDescription(ChildId(childId), &text);
    item.description = Take(text);
    text = nullptr;
    object->get_accDefaultAction(ChildId(childId), &text);
    item.defaultAction = Take(text);
    VARIANT role{}, state{};
    if (SUCCEEDED(object->get_accRole(ChildId(childId), &role)) && role.vt == VT_I4)
        item.role = role.lVal;
    if (SUCCEEDED(object->get_accState(ChildId(childId), &state)) && state.vt == VT_I4)
        item.state = state.lVal;
    long left = 0, top = 0, width = 0, height = 0;
    object->accLocation(&left, &top, &width, &height, ChildId(childId));
    item.location = {left, top, left + width, top + height};
    return item;
}

std::vector<AccessibleItem> ReadChildren(HWND window) {
    std::vector<AccessibleItem> children;
    IAccessible* client = ClientObjectOf(window);
    if (client == nullptr)
        return children;
    long count = 0;
    client->get_accChildCount(&count);
    for (long id = 1; id <= count; ++id) {
        IDispatch* object = nullptr;
        if (client->get_accChild(ChildId(id), &object) == S_OK && object != nullptr) {
            if (IAccessible* child = AccessibleOf(object)) {
                children.push_back(Describe(child, CHILDID_SELF));
                children.back().ownObject = true;
                children.back().childId = id;
                child->Release();
            }
        } else {
            children.push_back(Describe(client, id));
            children.back().childId = id;
        }
    }
    client->Release();
    return children;
}

const AccessibleItem* FindChild(const std::vector<AccessibleItem>& children, long role,
                                const std::wstring& name) {
    for (const AccessibleItem& item : children) {
        if (item.role == role && (name.empty() || item.name == name))
            return &item;
    }
    return nullptr;
}

EventListener::EventListener(DWORD processId) {
    gListener = this;
    hook_ = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnEvent, processId, 0, WINEVENT_OUTOFCONTEXT);
}

EventListener::~EventListener() {
    if (hook_ != nullptr)
        UnhookWinEvent(hook_);
    gListener = nullptr;
}

void CALLBACK EventListener::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId,
                                     DWORD, DWORD) {
    if (gListener == nullptr)
        return;
    // Only what the window announces: the live region, alerts and value changes.
    if (event != EVENT_SYSTEM_ALERT && event != EVENT_OBJECT_VALUECHANGE && event != 0x8019)
        return;
    HeardEvent heard{event, window, objectId, childId, L"", L""};
    IAccessible* object = nullptr;
    VARIANT child{};
    if (SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(objectId), static_cast<DWORD>(childId),
                                            &object, &child)) &&
        object != nullptr) {
        const long id = child.vt == VT_I4 ? child.lVal : CHILDID_SELF;
        heard.name = NameOf(object, id);
        heard.value = ValueOf(object, id);
        object->Release();
    }
    gListener->heard_.push_back(heard);
}

std::vector<std::wstring> EventListener::Texts(DWORD event) const {
    std::vector<std::wstring> texts;
    for (const HeardEvent& heard : heard_) {
        if (heard.event == event)
            texts.push_back(event == EVENT_OBJECT_VALUECHANGE ? heard.value : heard.name);
    }
    return texts;
}

size_t EventListener::Count(DWORD event) const {
    return Texts(event).size();
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition())
            return true;
        if (GetTickCount64() > deadline)
            return condition();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// Wine answers GetProcessHandleCount with 0 but fills the system's handle table.
DWORD HandleCountOf(HANDLE process, DWORD processId) {
    DWORD count = 0;
    if (GetProcessHandleCount(process, &count) && count != 0)
        return count;
    struct Entry {
        PVOID object;
        ULONG_PTR processId;
        ULONG_PTR handle;
        ULONG access;
        USHORT backTrace;
        USHORT typeIndex;
        ULONG attributes;
        ULONG reserved;
    };
    struct Table {
        ULONG_PTR count;
        ULONG_PTR reserved;
        Entry entries[1];
    };
    constexpr ULONG kExtendedHandleInformation = 64;
    constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr)
        return 0;
    std::vector<char> buffer(1 << 20);
    ULONG needed = 0;
    LONG status = 0;
    while ((status = query(kExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                           &needed)) == kLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return 0;
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    for (ULONG_PTR i = 0; i < table->count; ++i)
        count += table->entries[i].processId == processId ? 1 : 0;
    return count;
}

DWORD ThreadCountOf(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    DWORD count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == processId ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

} // namespace driver
