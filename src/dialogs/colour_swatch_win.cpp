#include "dialogs/colour_swatch_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include "dialogs/colour_swatch_look.h"
#include "dialogs/modal_windows_win.h"
#include "ui/canvas_control_win.h"
#include "ui/pointer_win.h"

namespace kivolt {
namespace {

struct SwatchRecord {
    int controlId = 0;
    Rect rect;  // in the dialog's client coordinates
    Colour colour = 0;
    bool pressed = false;  // the left button went down on the swatch and is not released yet
};

constexpr UINT_PTR kSubclassId = 1;
// Marks a canvas as a swatch; its value is the record, as is the control's user data.
constexpr char kSwatchProperty[] = "KivoltColourSwatch";
constexpr Colour kNoColour = 0xFFFFFFFF;

// The record goes with its control.
LRESULT CALLBACK freeRecordWithControl(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR record) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, freeRecordWithControl, id);
        RemovePropA(hwnd, kSwatchProperty);
        if (CanvasControl* canvas = CanvasControl::fromHwnd(hwnd)) canvas->setUserData(0);
        delete reinterpret_cast<SwatchRecord*>(record);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Null unless `control` is a swatch.
SwatchRecord* recordOf(HWND control) {
    return control ? static_cast<SwatchRecord*>(GetPropA(control, kSwatchProperty)) : nullptr;
}

SwatchRecord* recordOf(HWND parent, int controlId) { return parent ? recordOf(GetDlgItem(parent, controlId)) : nullptr; }

// True when a new colour was chosen.
bool handleNotification(HWND control, const LoopEvent& event) {
    SwatchRecord* record = recordOf(control);
    bool changed = false;
    if (event.code == kLeftButtonDown) {
        record->pressed = true;
    } else if (event.code == kLeftButtonUp) {
        const Point at{GET_X_LPARAM(event.lParam), GET_Y_LPARAM(event.lParam)};
        if (releaseOpensDialog({record->rect.w, record->rect.h}, at, record->pressed)) {
            const std::optional<Colour> chosen = chooseColour(record->colour);
            record = recordOf(control);  // the control may not have outlived the dialog
            if (chosen && record) {
                record->colour = *chosen;
                changed = true;
            }
        }
        if (record) record->pressed = false;
    }
    return changed;
}

void repaint(HWND window, HWND control, const SwatchRecord& record) {
    CanvasControl* canvas = CanvasControl::fromHwnd(control);
    if (!canvas || !canvas->beginDrawing()) return;
    const SwatchLook look = swatchLook(record.rect, pointerIn(window), leftButtonDown(), record.pressed);
    const std::array<int, 3> indexes = swatchFrameColourIndexes(look);
    const SwatchFrame frame = {GetSysColor(indexes[0]), GetSysColor(indexes[1]), GetSysColor(indexes[2])};
    paintColourSwatch(canvas->pixels(), {record.rect.w, record.rect.h}, GetSysColor(COLOR_BTNFACE), frame,
                      record.colour);
    canvas->endDrawing();
}

}  // namespace

int createColourSwatch(WindowSystem& system, HWND parent, int controlId, Rect rect, Colour colour) {
    CanvasControl* canvas = CanvasControl::create(system, controlId, parent, rect);
    if (!canvas) return -1;
    auto* record = new SwatchRecord{controlId, rect, colour, false};
    if (!SetWindowSubclass(canvas->hwnd(), freeRecordWithControl, kSubclassId, reinterpret_cast<DWORD_PTR>(record))) {
        delete record;
        DestroyWindow(canvas->hwnd());
        return -1;
    }
    SetPropA(canvas->hwnd(), kSwatchProperty, record);
    canvas->setUserData(reinterpret_cast<LONG_PTR>(record));
    return controlId;
}

Colour swatchColour(HWND parent, int controlId) {
    const SwatchRecord* record = recordOf(parent, controlId);
    return record ? record->colour : 0;
}

void setSwatchColour(HWND parent, int controlId, Colour colour) {
    if (SwatchRecord* record = recordOf(parent, controlId)) record->colour = colour;
}

int updateColourSwatch(int controlId, const LoopEvent& event, int windowId) {
    HWND window = findTopLevel(windowId);
    HWND control = window ? GetDlgItem(window, controlId) : nullptr;
    if (!recordOf(control)) return 0;
    const bool changed =
        event.kind == EventKind::ControlNotification && event.id == controlId && handleNotification(control, event);
    if (const SwatchRecord* record = recordOf(control)) repaint(window, control, *record);
    return changed ? 1 : 0;
}

std::optional<Colour> chooseColour(Colour current) {
    // Custom colours are kept for the whole run, the current colour always first.
    static COLORREF customColours[16] = {};
    customColours[0] = current;
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = programForegroundWindow();
    choose.rgbResult = current == kNoColour ? 0 : current;
    choose.lpCustColors = customColours;
    choose.Flags = CC_RGBINIT;
    const ModalWindowsScope keepInFront(choose.hwndOwner);
    if (!ChooseColorA(&choose)) return std::nullopt;
    return choose.rgbResult;
}

}  // namespace kivolt
