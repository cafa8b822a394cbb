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

} // namespace

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
