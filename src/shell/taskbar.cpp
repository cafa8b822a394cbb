#include "shell/taskbar.h"
#include <objbase.h>
#include <shobjidl.h>
#include "shell/launch_glue.h"
#include "shell/system_functions.h"
#include "shell/taskbar_calls.h"

namespace {

// CLSID_TaskbarList and IID_ITaskbarList3, spelled out so that no GUID library is needed.
constexpr CLSID kTaskbarListClass = {
    0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
constexpr IID kTaskbarList3Interface = {
    0xEA1AFB91, 0x9E28, 0x4B86, {0x90, 0xE9, 0x9E, 0x9F, 0x8A, 0x5E, 0xEF, 0xAF}};

UINT gTaskbarButtonCreatedMessage = 0;
HMODULE gOle32 = nullptr; // stays loaded: the taskbar object's code is reached through it
ITaskbarList3* gTaskbar = nullptr;
HWND gTaskbarWindow = nullptr;
TaskbarProgress gAppliedTaskbar;

TBPFLAG ToFlag(TaskbarMode mode) {
    switch (mode) {
    case TaskbarMode::Indeterminate: return TBPF_INDETERMINATE;
    case TaskbarMode::Normal: return TBPF_NORMAL;
    case TaskbarMode::Error: return TBPF_ERROR;
    case TaskbarMode::None: return TBPF_NOPROGRESS;
    }
    return TBPF_NOPROGRESS;
}

class ButtonCalls final : public TaskbarCalls {
  public:
    void SetMode(TaskbarMode mode) override { gTaskbar->SetProgressState(gTaskbarWindow, ToFlag(mode)); }
    void SetValue(std::uint32_t completed, std::uint32_t total) override {
        gTaskbar->SetProgressValue(gTaskbarWindow, completed, total);
    }
};

// ole32 is looked up at run time, like the other optional system functions, so that the program
// imports only the system libraries it always needs.
ITaskbarList3* CreateTaskbarList() {
    if (gOle32 == nullptr)
        gOle32 = LoadSystemLibrary(L"ole32.dll");
    using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
    using CreateInstance = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    const auto initialize = LookUpFunction<Initialize>(gOle32, "CoInitializeEx");
    const auto createInstance = LookUpFunction<CreateInstance>(gOle32, "CoCreateInstance");
    if (initialize == nullptr || createInstance == nullptr ||
        FAILED(initialize(nullptr, COINIT_APARTMENTTHREADED)))
        return nullptr;
    void* created = nullptr;
    if (FAILED(createInstance(kTaskbarListClass, nullptr, CLSCTX_INPROC_SERVER, kTaskbarList3Interface,
                              &created)) ||
        created == nullptr)
        return nullptr;
    auto* list = static_cast<ITaskbarList3*>(created);
    if (FAILED(list->HrInit())) {
        list->Release();
        return nullptr;
    }
    return list;
}

} // namespace

void RegisterTaskbarButtonMessage() {
    gTaskbarButtonCreatedMessage = RegisterWindowMessageW(L"TaskbarButtonCreated");
}

bool IsTaskbarButtonCreated(UINT message) {
    return gTaskbarButtonCreatedMessage != 0 && message == gTaskbarButtonCreatedMessage;
}

// Sent again when the taskbar is recreated (Explorer restarted): the new button shows nothing yet.
void OnTaskbarButtonCreated(HWND window) {
    gTaskbarWindow = window;
    if (gTaskbar == nullptr)
        gTaskbar = CreateTaskbarList();
    gAppliedTaskbar = {};
    UpdateTaskbarProgress();
}

void UpdateTaskbarProgress() {
    if (gTaskbar == nullptr)
        return;
    ButtonCalls calls;
    ApplyTaskbarProgress(gAppliedTaskbar, CurrentTaskbarProgress(), calls);
}

void ReleaseTaskbar() {
    if (gTaskbar != nullptr)
        gTaskbar->Release();
    gTaskbar = nullptr;
    gTaskbarWindow = nullptr;
}
