#include "shell/accessibility.h"
#include <oleacc.h>
#include "shell/accessibility_runtime.h"
#include "shell/accessible_objects.h"
#include "shell/accessible_tree.h"
#include "shell/painting.h"

namespace {

// Spelled out so that no GUID library is needed.
constexpr CLSID kAccPropServicesClass = {
    0xB5F8350B, 0x0548, 0x48B1, {0xA6, 0xEE, 0x88, 0xBD, 0x00, 0xB4, 0xA5, 0xE7}};
constexpr IID kAccPropServicesInterface = {
    0x6E26E776, 0x04F0, 0x495D, {0x80, 0xE4, 0x33, 0x30, 0x35, 0x2E, 0x31, 0x69}};
constexpr GUID kLiveSettingProperty = {
    0xC12BCD8E, 0x2A8E, 0x4950, {0x8A, 0xE7, 0x36, 0x25, 0x11, 0x1D, 0x58, 0xEB}};
constexpr long kLiveSettingPolite = 1;
constexpr DWORD kEventLiveRegionChanged = 0x8019; // EVENT_OBJECT_LIVEREGIONCHANGED

StatusCues gStatusCues;
ValueCues gProgressCues;
ScreenElements gAnnounced; // the screen as the last progress check saw it

IAccPropServices* gPropServices = nullptr;
HWND gLiveRegion = nullptr;

LRESULT Serve(IAccessible* object, WPARAM flags) {
    const AccessibilityRuntime* runtime = AccessibilityFunctions();
    if (object == nullptr)
        return 0;
    if (runtime == nullptr) {
        object->Release();
        return 0;
    }
    // The result holds a reference of its own until the asking client takes the object.
    LRESULT result = runtime->lresultFromObject(__uuidof(IAccessible), flags, object);
    object->Release();
    return result > 0 ? result : 0;
}

// Set once any client has asked the window for an object.
bool gClientSeen = false;

bool AsksForClient(LPARAM objectId) {
    gClientSeen = true;
    return static_cast<LONG>(objectId) == OBJID_CLIENT && AccessibilityFunctions() != nullptr;
}

// The live setting is read only by a client that reads the tree: without one, marking the status line
// would load the COM libraries (more than a megabyte) for nobody. Screen readers say they run.
bool ClientPresent() {
    BOOL screenReader = FALSE;
    return gClientSeen ||
           (SystemParametersInfoW(SPI_GETSCREENREADER, 0, &screenReader, 0) && screenReader != FALSE);
}

// Direct annotation: the status line's own object is a polite live region, which clients that read
// the live setting (UI Automation's view of the window) need for the live-region event.
void MarkLiveRegion(HWND statusLine) {
    if (gLiveRegion == statusLine)
        return;
    const AccessibilityRuntime* runtime = AccessibilityFunctions();
    if (runtime == nullptr)
        return;
    if (gPropServices == nullptr) {
        void* created = nullptr;
        if (FAILED(runtime->createInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                           kAccPropServicesInterface, &created)))
            created = nullptr;
        gPropServices = static_cast<IAccPropServices*>(created);
    }
    gLiveRegion = statusLine; // tried once, whether or not the platform keeps annotations
    if (gPropServices == nullptr)
        return;
    VARIANT polite;
    polite.vt = VT_I4;
    polite.lVal = kLiveSettingPolite;
    gPropServices->SetHwndProp(statusLine, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                               kLiveSettingProperty, polite);
}

} // namespace

LRESULT AnswerClientObject(HWND window, WPARAM flags, LPARAM objectId) {
    if (AsksForClient(objectId)) {
        if (const LRESULT served = Serve(NewClientObject(window, DescribeScreen), flags))
            return served;
    }
    return DefWindowProcW(window, WM_GETOBJECT, flags, objectId);
}

LRESULT AnswerCheckBoxObject(HWND checkBox, WPARAM flags, LPARAM objectId) {
    if (!AsksForClient(objectId))
        return 0;
    return Serve(NewCheckBoxObject(checkBox), flags);
}

void AnnounceStatus(HWND statusLine, const wchar_t* text, bool alert) {
    const StatusCue cue = gStatusCues.For(text, alert);
    if (cue == StatusCue::None)
        return;
    if (ClientPresent())
        MarkLiveRegion(statusLine);
    // The event names the status line's own object, whose name is the text it now shows.
    NotifyWinEvent(cue == StatusCue::Assertive ? EVENT_SYSTEM_ALERT : kEventLiveRegionChanged, statusLine,
                   OBJID_CLIENT, CHILDID_SELF);
}

void AnnounceProgressValue(HWND mainWindow) {
    gAnnounced.count = 0;
    gAnnounced.storeUsed = 0;
    DescribeScreen(gAnnounced);
    const int bar = FindElement(gAnnounced, ElementRole::ProgressBar);
    if (gProgressCues.For(bar >= 0, bar >= 0 ? gAnnounced.items[bar].value : L""))
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, mainWindow, OBJID_CLIENT, ChildIdOfElement(bar));
}

void StopAccessibility() {
    if (gPropServices != nullptr) {
        if (gLiveRegion != nullptr) {
            MSAAPROPID property = kLiveSettingProperty;
            gPropServices->ClearHwndProps(gLiveRegion, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                          &property, 1);
        }
        gPropServices->Release();
        gPropServices = nullptr;
    }
    gLiveRegion = nullptr;
}

bool IsLiveObjectQuery(UINT message) {
    static const UINT query = RegisterWindowMessageW(L"ZevNativeLauncherAccessibleObjects");
    return query != 0 && message == query;
}

LRESULT AnswerLiveObjectQuery() {
    return LiveAccessibleObjects();
}
