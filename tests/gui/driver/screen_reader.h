#pragma once
// Reads a window's accessibility tree from this process, as a screen reader does, and listens to the
// events it raises with an out-of-context hook. Everything here works on real Windows too.
#include <windows.h>
#include <oleacc.h>
#include <functional>
#include <string>
#include <vector>

namespace driver {

// COM on this thread, for as long as the object lives.
class ComApartment {
  public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

// What an accessible object (or one of its simple children) says about itself.
struct AccessibleItem {
    std::wstring name, value, description, defaultAction;
    long role = 0;
    long state = 0;
    RECT location{};        // left, top, right, bottom on the screen
    long childId = 0;       // its id among its parent's children
    bool ownObject = false; // a child with an object of its own, not a simple element
};

// The client object of a window (OBJID_CLIENT), as the caller's reference; null when none is served.
IAccessible* ClientObjectOf(HWND window);
AccessibleItem Describe(IAccessible* object, long childId);
// The children of the window's client object in order; empty when it has none or none is served.
std::vector<AccessibleItem> ReadChildren(HWND window);
// The first child with the role (and, when given, the name); null when there is none.
const AccessibleItem* FindChild(const std::vector<AccessibleItem>& children, long role,
                                const std::wstring& name = L"");

// An event as the hook heard it, with the announced object's name and value read at once.
struct HeardEvent {
    DWORD event;
    HWND window;
    LONG objectId, childId;
    std::wstring name, value;
};

// Listens to the accessibility events of one process (out of context: delivered while this thread
// dispatches messages, which PumpUntil does).
class EventListener {
  public:
    explicit EventListener(DWORD processId);
    ~EventListener();
    EventListener(const EventListener&) = delete;
    EventListener& operator=(const EventListener&) = delete;

    const std::vector<HeardEvent>& Heard() const { return heard_; }
    // The names (for value changes: the values) announced with this event, in order.
    std::vector<std::wstring> Texts(DWORD event) const;
    size_t Count(DWORD event) const;
    void Clear() { heard_.clear(); }

  private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId, DWORD,
                                 DWORD);
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<HeardEvent> heard_;
};

// Waits on a condition while dispatching this thread's messages; false when the time-out passes.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000);

// The open handles and the threads of another process.
DWORD HandleCountOf(HANDLE process, DWORD processId);
DWORD ThreadCountOf(DWORD processId);

} // namespace driver
