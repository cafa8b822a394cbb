// Time of one canvas paint at 96 and 144 DPI as WM_PAINT does it (drawn into the kept back buffer,
// clipped to the damaged rectangle, and that rectangle copied to the window): the whole client area,
// the estimate strip that changes every second and the progress strip that changes every tick,
// against filling the whole client area once, measured side by side in one run. Prints figures; it
// is not a test.
#include <windows.h>
#include <cstdio>
#include <initializer_list>
#include "shell/painting.h"
#include "launch/canvas_geometry.h"
#include "launch/launch_progress.h"
#include "process/helper_process.h"
#include "shell/app_state.h"
#include "ui/drawing.h"
#include "ui/scale.h"

namespace {

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

template <typename Paint> double TimePerCall(int iterations, Paint paint) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < iterations; ++i)
        paint();
    GdiFlush();
    QueryPerformanceCounter(&end);
    return Microseconds(start, end) / iterations;
}

} // namespace

int wmain() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CanvasBench";
    RegisterClassW(&windowClass);
    for (int scale : {96, 144}) {
        gUiScale = scale;
        RECT frame{0, 0, Scaled(900), Scaled(560)};
        AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
        gMainWindow =
            CreateWindowExW(0, L"CanvasBench", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, frame.right - frame.left,
                            frame.bottom - frame.top, nullptr, nullptr, windowClass.hInstance, nullptr);
        CreateFonts();
        RECT client;
        GetClientRect(gMainWindow, &client);
        HDC screen = GetDC(gMainWindow);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        HGDIOBJ previous = SelectObject(memory, bitmap);

        // A launch in progress: headline, estimate with a memory line, the bar.
        gProgress.progressStarted = true;
        gProgress.startTick = GetTickCount64();
        gProgress.highestPermille = 420;
        gProgress.peakCommittedMiB = 5120;
        gProgress.memoryLimitMiB = 16384;
        const int iterations = 300;
        const CanvasGeometry g = ComputeCanvasGeometry(client.right, client.bottom, gUiScale);
        const RECT estimate = ToRect(g.estimateBand), strip = ToRect(g.progressStrip);
        PaintDamaged(screen, client, client.right, client.bottom); // the back buffer, fonts and caches
        const double canvas =
            TimePerCall(iterations, [&] { PaintDamaged(screen, client, client.right, client.bottom); });
        const double estimateStrip = TimePerCall(
            iterations * 10, [&] { PaintDamaged(screen, estimate, client.right, client.bottom); });
        const double progressStrip =
            TimePerCall(iterations * 10, [&] { PaintDamaged(screen, strip, client.right, client.bottom); });
        const double fill = TimePerCall(iterations, [&] { FillSolid(memory, client, Palette::Night); });
        // The first paint after rest, when the back buffer and the emblem's kept pixels were given
        // back: both made again, the emblem drawn.
        const double cold = TimePerCall(iterations, [&] {
            ReleaseBackBuffer();
            PaintDamaged(screen, client, client.right, client.bottom);
        });
        std::printf(
            "UiScale %d, client %ldx%ld: full canvas paint %.1f us, estimate strip %.1f us, progress "
            "strip %.1f us; first full paint after rest %.1f us; plain fill of the client %.1f us; full / "
            "fill %.1f, estimate strip / fill %.2f\n",
            scale, client.right, client.bottom, canvas, estimateStrip, progressStrip, cold, fill,
            canvas / fill, estimateStrip / fill);
        ReleaseBackBuffer();

        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(gMainWindow, screen);
        DestroyWindow(gMainWindow);
        DeleteFonts();
    }
    return 0;
}
