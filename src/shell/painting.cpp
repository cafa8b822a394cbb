#include "shell/painting.h"
#include <cstddef>
#include "launch/canvas.h"
#include "process/helper_process.h"
#include "settings/catalogue.h"
#include "settings/settings_model.h"
#include "settings/settings_paint.h"
#include "shell/app_state.h"
#include "shell/status_line.h"
#include "text/utf8.h"
#include "ui/owner_draw.h"
#include "ui/scale.h"

namespace {

// A row's name and option label, converted from UTF-8, including the terminator.
constexpr std::size_t kRowTextUnits = 160;

// The memory bitmap that paints are drawn into before they reach the screen, kept from one paint to
// the next: made again only when the client size or the scale changes, freed with the window. A DIB
// section: its pixels are pages of their own that go back to the system when it is deleted, where
// a compatible bitmap's may come from a heap that keeps them.
struct BackBuffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    int width = 0, height = 0, scale = 0;
};
BackBuffer gBackBuffer;

HDC BackBufferFor(HDC screen, int width, int height) {
    BackBuffer& b = gBackBuffer;
    if (b.dc != nullptr && b.width == width && b.height == height && b.scale == gUiScale)
        return b.dc;
    ReleaseBackBuffer();
    b.dc = CreateCompatibleDC(screen);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // top-down, like the screen
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    b.bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (b.dc == nullptr || b.bitmap == nullptr) {
        ReleaseBackBuffer();
        return nullptr;
    }
    b.previousBitmap = SelectObject(b.dc, b.bitmap);
    b.width = width;
    b.height = height;
    b.scale = gUiScale;
    return b.dc;
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
    BackBuffer& b = gBackBuffer;
    if (b.dc != nullptr && b.previousBitmap != nullptr)
        SelectObject(b.dc, b.previousBitmap);
    if (b.bitmap != nullptr)
        DeleteObject(b.bitmap);
    if (b.dc != nullptr)
        DeleteDC(b.dc);
    b = BackBuffer{};
}

void PaintCanvas(HDC dc) {
    RECT client{};
    GetClientRect(gMainWindow, &client);
    const CanvasGeometry g = ComputeCanvasGeometry(client.right, client.bottom, gUiScale);
    PaintCanvasFrame(dc, g, client.right, client.bottom);
    if (gSettings.pageVisible) {
        PaintSettingsPage(dc, g.contentLeft, g.contentWidth, client.bottom);
        return;
    }
    PaintHomeState(dc, g, {gAttentionFlag != 0, HelperRunning(), gLaunchDetailsVisible});
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
