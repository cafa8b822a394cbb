#include "launch/canvas.h"
#include "shell/app_state.h"
#include "ui/drawing.h"

void PaintCanvas(HDC dc) {
    RECT client{};
    GetClientRect(MainWindow, &client);
    FillSolid(dc, client, Palette::Night);
}
