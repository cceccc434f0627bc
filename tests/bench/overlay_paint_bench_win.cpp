// The cost of one overlay paint with running programs marked: one process snapshot per
// paint (what the box does) against one snapshot per Shortcut.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "base/monitors.h"
#include "model/grid.h"
#include "shell/process_snapshot_win.h"
#include "ui/paint_overlay.h"

namespace {

// A 1920 x 1080 screen with a 40-pixel taskbar.
constexpr kivolt::Monitor kScreen{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};

using namespace kivolt;

double secondsNow() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

// Milliseconds per paint, over `paints` paints.
double timePaints(int paints, const PixelView& canvas, const OverlayState& state,
                  const std::vector<OverlayItem>& items, bool snapshotPerShortcut) {
    const double start = secondsNow();
    for (int i = 0; i < paints; ++i) {
        if (snapshotPerShortcut) {
            paintOverlay(canvas, state, items,
                         [](const std::string& name) { return takeProcessSnapshot().isProgramRunning(name); });
        } else {
            const RunningPrograms running = takeProcessSnapshot();
            paintOverlay(canvas, state, items, [&](const std::string& name) { return running.isProgramRunning(name); });
        }
    }
    return (secondsNow() - start) * 1000.0 / paints;
}

}  // namespace

int main() {
    constexpr int kShortcuts = 50;
    OverlayState state;
    state.itemSize = 32;
    state.orientation = 1;
    state.markRunning = 1;
    const Size size = boxClientSize({32, 1, false}, kShortcuts, kScreen);

    Image canvasImage;
    canvasImage.width = size.width;
    canvasImage.height = size.height;
    canvasImage.bytesPerPixel = 3;
    canvasImage.pixels.resize(static_cast<size_t>(canvasImage.stride()) * size.height);
    Image icon;
    icon.width = icon.height = 32;
    icon.pixels.assign(32 * 32 * 4, 255);
    std::vector<OverlayItem> items;
    for (int i = 0; i < kShortcuts; ++i)
        items.push_back({&icon, i % 5 == 0 ? "kivolt_bench.exe" : "programm" + std::to_string(i) + ".exe"});

    const PixelView canvas = canvasImage.view();
    timePaints(3, canvas, state, items, false);  // warm up
    const double perPaint = timePaints(40, canvas, state, items, false);
    const double perShortcut = timePaints(10, canvas, state, items, true);
    std::printf("overlay paint, %d shortcuts, %dx%d, running programs marked\n", kShortcuts, size.width, size.height);
    std::printf("  one snapshot per paint:    %8.3f ms\n", perPaint);
    std::printf("  one snapshot per shortcut: %8.3f ms\n", perShortcut);
    std::printf("  ratio:                     %8.1f x\n", perShortcut / perPaint);
    return 0;
}
