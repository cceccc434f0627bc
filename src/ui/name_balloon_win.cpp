#include "ui/name_balloon_win.h"

#include "ui/canvas_control_win.h"
#include "ui/gdi_handles_win.h"
#include "ui/raster.h"

namespace kivolt {

HFONT createBalloonFont() {
    WindowDc screen(nullptr);
    const int height = -MulDiv(10, screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96, 72);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
}

void NameBalloon::show(HWND mainWindow, BalloonInput input, const std::string& name) {
    close();
    {
        WindowDc dc(mainWindow);
        input.measured = static_cast<bool>(dc);
        if (dc) {
            SelectScope select(dc.get(), font_);
            SIZE extent{};
            GetTextExtentPoint32A(dc.get(), name.c_str(), static_cast<int>(name.size()), &extent);
            input.textWidth = extent.cx;
        }
    }
    const BalloonGeometry g = balloonGeometry(input);
    hwnd_ = system_.createTopLevel({kNameBalloon, "", WS_POPUP, 0, mainWindow, g.window, g.client});
    if (!hwnd_) return;

    POINT arrow[4];
    for (int i = 0; i < 4; ++i) arrow[i] = {g.arrow[i].x, g.arrow[i].y};
    UniqueRegion arrowRegion(CreatePolygonRgn(arrow, 4, WINDING));
    UniqueRegion body(CreateRoundRectRgn(g.body.x, g.body.y, g.body.x + g.bodyWidth, g.body.y + kBalloonBodyHeight,
                                         kBalloonCorner, kBalloonCorner));
    UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    if (arrowRegion && body && shape && CombineRgn(shape.get(), arrowRegion.get(), body.get(), RGN_OR) != ERROR &&
        SetWindowRgn(hwnd_, shape.get(), TRUE))
        shape.release();  // the window owns it now
    system_.setWindowColour(hwnd_, kBalloonColour);

    CanvasControl* canvas =
        CanvasControl::create(system_, kBalloonCanvasId, hwnd_, {g.body.x, g.body.y, g.bodyWidth, kBalloonBodyHeight});
    if (canvas) {
        if (HDC dc = canvas->beginDrawing()) {
            fillRect(canvas->pixels(), {0, 0, g.bodyWidth, kBalloonBodyHeight}, kBalloonColour);
            SelectScope select(dc, font_);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, kBalloonTextColour);
            TextOutA(dc, kBalloonTextOffset.x, kBalloonTextOffset.y, name.c_str(), static_cast<int>(name.size()));
        }
        canvas->endDrawing();
    }
    // Not activated: a hover must not take the focus from the window the user works in (nor
    // end a drag that is under way on the box).
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
}

void NameBalloon::close() {
    if (exists()) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

}  // namespace kivolt
