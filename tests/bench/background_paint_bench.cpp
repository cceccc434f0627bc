// The cost of one background paint with a 24-megapixel picture stretched over the box:
// scaling on every paint against the stretched picture kept between paints.
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "base/monitors.h"
#include "model/grid.h"
#include "ui/paint_background.h"

namespace {

// A 1920 x 1080 screen with a 40-pixel taskbar.
constexpr kivolt::Monitor kScreen{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};

using namespace kivolt;

// Milliseconds per paint, over `paints` paints.
double timePaints(int paints, const PixelView& canvas, const BackgroundOptions& options) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < paints; ++i) paintBackground(canvas, options);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / paints;
}

Image emptyImage(int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.bytesPerPixel = 3;
    image.pixels.resize(static_cast<std::size_t>(image.stride()) * height);
    return image;
}

}  // namespace

int main() {
    constexpr int kShortcuts = 12;
    const Size size = boxClientSize({32, 1, false}, kShortcuts, kScreen);
    Image canvasImage = emptyImage(size.width, size.height);
    Image picture = emptyImage(6000, 4000);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = static_cast<std::uint8_t>(i * 7 / 3);

    const PixelView canvas = canvasImage.view();
    BackgroundOptions options;
    options.showImage = 1;
    options.mode = 1;
    options.image = &picture;
    timePaints(1, canvas, options);  // warm up
    const double everyPaint = timePaints(10, canvas, options);

    StretchedPicture stretched;
    options.stretched = &stretched;
    const double firstPaint = timePaints(1, canvas, options);
    const double keptPaint = timePaints(500, canvas, options);

    std::printf("background paint, %dx%d picture stretched over %dx%d\n", picture.width, picture.height,
                size.width, size.height);
    std::printf("  scaled on every paint:        %8.3f ms\n", everyPaint);
    std::printf("  kept: first paint (scales):   %8.3f ms\n", firstPaint);
    std::printf("  kept: every later paint:      %8.3f ms\n", keptPaint);
    std::printf("  ratio:                        %8.1f x\n", everyPaint / keptPaint);
    return 0;
}
