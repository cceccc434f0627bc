#include "ui/paint_background.h"

#include "ui/raster.h"

namespace kivolt {
namespace {

void drawTiles(const PixelView& canvas, const Image& image, DrawMode mode) {
    // One column and row more than fit, so a remainder is covered; clipping cuts it.
    const int columns = canvas.width / image.width;
    const int rows = canvas.height / image.height;
    for (int i = 0; i <= columns; ++i) {
        for (int j = 0; j <= rows; ++j) drawImage(canvas, image, i * image.width, j * image.height, mode);
    }
}

}  // namespace

void paintBackground(const PixelView& canvas, const BackgroundOptions& options) {
    fillRect(canvas, {0, 0, canvas.width, canvas.height}, options.colour);
    const Image* image = options.image;
    if (options.showImage == 0 || image == nullptr || image->width <= 0 || image->height <= 0) return;

    const DrawMode mode = image->blendByAlpha ? DrawMode::Blend : DrawMode::Opaque;
    switch (options.mode) {
        case 0:
            drawImage(canvas, *image, canvas.width / 2 - image->width / 2, canvas.height / 2 - image->height / 2,
                      mode);
            break;
        case 1: {
            StretchedPicture oneOff;
            StretchedPicture& stretched = options.stretched ? *options.stretched : oneOff;
            drawImage(canvas, stretched.over(*image, mode, {canvas.width, canvas.height}, options.colour), 0, 0,
                      DrawMode::Opaque);
            break;
        }
        case 2:
            drawTiles(canvas, *image, mode);
            break;
        default:
            break;
    }
}

}  // namespace kivolt
