#include "ui/gdi_handles_win.h"

namespace kivolt {

DibSection createDibSection(int width, int height, int bitsPerPixel) {
    DibSection dib;
    if (width <= 0 || height <= 0) return dib;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, like our pixel views
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    dib.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &dib.bits, nullptr, 0));
    if (!dib.bitmap) dib.bits = nullptr;
    return dib;
}

}  // namespace kivolt
