#include "shell/painting.h"
#include <cstddef>
#include "launch/canvas.h"
#include "launch/home_elements.h"
#include "launcher_version.h"
#include "process/helper_process.h"
#include "settings/catalogue.h"
#include "settings/settings_elements.h"
#include "settings/settings_model.h"
#include "shell/app_state.h"
#include "shell/status_line.h"
#include "shell/system_settings.h"
#include "shell/window_refresh.h"
#include "text/utf8.h"
#include "ui/drawing.h"
#include "ui/element_paint.h"
#include "ui/owner_draw.h"
#include "ui/scale.h"

namespace {

// A row's name and option label, converted from UTF-8, including the terminator.
constexpr std::size_t kRowTextUnits = 160;
constexpr const wchar_t* kVersionChip = L"V" LAUNCHER_VERSION_TEXT;

// The list PaintCanvas paints from: built anew for every paint, kept here so nothing is allocated.
ScreenElements gPaintedElements;

HomeView CurrentHomeView() {
    return {gAttentionFlag != 0, HelperRunning(), gLaunchDetailsVisible};
}

// The height of one line of body text, where the estimate's memory line starts.
int BodyLineHeight(HDC dc) {
    const SelectedObject fontSelected(dc, gFonts[BodyFont]);
    TEXTMETRICW metrics{};
    return GetTextMetricsW(dc, &metrics) ? metrics.tmHeight : 0;
}

void Describe(const CanvasGeometry& g, int clientWidth, int clientHeight, int bodyLineHeight,
              ScreenElements& out) {
    ClearScreenElements(out);
    DescribeCanvasFrame(g, kVersionChip, out);
    if (gSettings.pageVisible) {
        SettingsPageView view{clientWidth, clientHeight, gUiScale, {}};
        const ControlStates states = ComputeControlStates(CurrentWindowState());
        for (int tab = 0; tab < kTabCount; ++tab)
            view.tabEnabled[tab] = states.tabs[tab].enabled;
        DescribeSettingsPage(gSettings, view, out);
        return;
    }
    DescribeHomePage(g, CurrentHomeView(), gProgress, GetTickCount64(), bodyLineHeight, out);
}

// The memory bitmap that paints are drawn into before they reach the screen, kept from one paint to
// the next: made again only when the client size or the scale changes, freed with the window.
struct BackBuffer {
    KeptCanvas canvas;
    int width = 0, height = 0, scale = 0;
};
BackBuffer gBackBuffer;

HDC BackBufferFor(HDC screen, int width, int height) {
    BackBuffer& b = gBackBuffer;
    if (b.canvas.dc != nullptr && b.width == width && b.height == height && b.scale == gUiScale)
        return b.canvas.dc;
    ReleaseBackBuffer();
    if (!MakeKeptCanvas(screen, width, height, &b.canvas))
        return nullptr;
    b.width = width;
    b.height = height;
    b.scale = gUiScale;
    return b.canvas.dc;
}

} // namespace

void PaintDamaged(HDC screen, const RECT& damaged, int clientWidth, int clientHeight) {
    if (clientWidth <= 0 || clientHeight <= 0 || IsRectEmpty(&damaged))
        return;
    HDC back = BackBufferFor(screen, clientWidth, clientHeight);
    if (back == nullptr)
        return;
    // Only the damaged part is drawn and copied; the rest of the buffer holds what the screen shows
    // or, after the buffer was made again, what the screen does not need from it.
    SelectClipRgn(back, nullptr);
    IntersectClipRect(back, damaged.left, damaged.top, damaged.right, damaged.bottom);
    PaintCanvas(back);
    SelectClipRgn(back, nullptr);
    BitBlt(screen, damaged.left, damaged.top, damaged.right - damaged.left, damaged.bottom - damaged.top,
           back, damaged.left, damaged.top, SRCCOPY);
}

void ReleaseBackBuffer() {
    ReleaseCanvasCache();
    ReleaseKeptCanvas(&gBackBuffer.canvas);
    gBackBuffer = BackBuffer{};
}

void PaintCanvas(HDC dc) {
    RECT client{};
    GetClientRect(gMainWindow, &client);
    const CanvasGeometry g = ComputeCanvasGeometry(client.right, client.bottom, gUiScale);
    Describe(g, client.right, client.bottom, BodyLineHeight(dc), gPaintedElements);
    PaintCanvasFrame(dc, g, client.right, client.bottom, gColourScheme);
    if (!gSettings.pageVisible)
        PaintHomeState(dc, g, CurrentHomeView(), gProgress, gClientAreaAnimation, gColourScheme);
    PaintElementTexts(dc, gPaintedElements, gColourScheme);
}

void DescribeScreen(ScreenElements& out) {
    RECT client{};
    GetClientRect(gMainWindow, &client);
    const CanvasGeometry g = ComputeCanvasGeometry(client.right, client.bottom, gUiScale);
    int lineHeight = 0;
    if (HDC dc = GetDC(gMainWindow)) {
        lineHeight = BodyLineHeight(dc);
        ReleaseDC(gMainWindow, dc);
    }
    Describe(g, client.right, client.bottom, lineHeight, out);
}

LRESULT OnDrawItem(const DRAWITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlID);
    // An unknown row, a value without a label or text that is not valid UTF-8 shows as empty.
    wchar_t name[kRowTextUnits] = L"";
    wchar_t value[kRowTextUnits] = L"";
    if (id >= kIdFirstRow && id <= kIdLastRow) {
        const int row = id - kIdFirstRow;
        Utf8ToWideStrict(SettingName(row), name, kRowTextUnits);
        Utf8ToWideStrict(SettingOptionLabel(row, gSettings.current[row]), value, kRowTextUnits);
    }
    DrawOwnerButton(item, LookForControl(id, gSettings.activeTab), {name, value});
    return TRUE;
}
