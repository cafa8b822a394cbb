#include "ui/home_geometry.h"
#include "ui/scale.h"

HomeGeometry ComputeHomeGeometry(int clientWidth, int clientHeight, int uiScale) {
    auto s = [uiScale](int n) { return ScaledAt(n, uiScale); };
    auto y = [clientHeight](int n) { return CanvasYFor(n, clientHeight); };
    HomeGeometry g{};
    g.contentLeft = s(356);
    g.contentWidth = clientWidth - s(356) - s(36);
    const int x = g.contentLeft, w = g.contentWidth;
    g.play = {x, y(208), w, y(64)};
    g.statusLine = {x + s(38), y(306), w - s(52), y(53)};
    g.settings = {x, y(382), w, y(40)};
    g.toggle = {x, y(433), w, y(32)};
    g.outputPane = {x + s(12), y(391), w - s(24), y(77)};
    g.launchDetails = {x, y(490), s(226), y(34)};
    g.openLog = {x + w - s(112), y(490), s(112), y(34)};
    g.statusLineOnSettingsPage = {x, y(150), w, y(35)};
    return g;
}
