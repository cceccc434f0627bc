#include "dialogs/colour_swatch_win.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "dialogs/modal_windows_win.h"
#include "event_pump_win.h"
#include "ui/canvas_control_win.h"
#include "window_test_support_win.h"

namespace kivolt {
namespace {

constexpr int kSwatch = 14;
constexpr Rect kSwatchRect{335, 30, 100, 20};
constexpr Colour kGrey = rgb(205, 205, 205);

// The edit fields of the colour dialog's template (colordlg.h: COLOR_RED, ...).
constexpr int kRedField = 706;
constexpr int kGreenField = 707;
constexpr int kBlueField = 708;

class ColourSwatchTest : public ::testing::Test, public test::WindowTestBase {
protected:
    void SetUp() override {
        TopLevelParams params;
        params.id = kConfigDialog;
        params.style = WS_POPUP | WS_VISIBLE;
        params.position = kDialogAt;
        params.client = {470, 300};
        dialog_ = system().createTopLevel(params);
        ASSERT_NE(dialog_, nullptr);
        ASSERT_EQ(createColourSwatch(system(), dialog_, kSwatch, kSwatchRect, kGrey), kSwatch);
        SetForegroundWindow(dialog_);
        test::pumpMessages();
    }
    void TearDown() override {
        releaseButton();
        DestroyWindow(dialog_);
        test::pumpMessages();
    }

    Colour pixel(int x, int y) const {
        const PixelView view = CanvasControl::fromHwnd(GetDlgItem(dialog_, kSwatch))->pixels();
        const std::uint8_t* p = view.pixel(x, y);
        return rgb(p[2], p[1], p[0]);
    }
    // The middle row from the left edge into the colour: face, outer, middle, inner, inner, colour.
    std::array<Colour, 6> leftOfMiddleRow() const {
        return {pixel(0, 10), pixel(1, 10), pixel(2, 10), pixel(3, 10), pixel(4, 10), pixel(5, 10)};
    }
    static std::array<Colour, 6> look(int outer, int middle, int inner, Colour colour) {
        return {GetSysColor(COLOR_BTNFACE), GetSysColor(outer),  GetSysColor(middle),
                GetSysColor(inner),         GetSysColor(inner),  colour};
    }
    static std::array<Colour, 6> flat(Colour colour) {
        return look(COLOR_BTNFACE, COLOR_BTNFACE, COLOR_BTNFACE, colour);
    }
    static std::array<Colour, 6> raised(Colour colour) {
        return look(COLOR_BTNSHADOW, COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT, colour);
    }
    static std::array<Colour, 6> sunken(Colour colour) {
        return look(COLOR_3DDKSHADOW, COLOR_BTNSHADOW, COLOR_3DLIGHT, colour);
    }

    // Points in the dialog's client coordinates.
    static void pointerTo(Point p) { SetCursorPos(kDialogAt.x + p.x, kDialogAt.y + p.y); }
    static void mouseButton(DWORD flag) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flag;
        SendInput(1, &input, sizeof(input));
    }
    void pressButton() {
        mouseButton(MOUSEEVENTF_LEFTDOWN);
        held_ = true;
    }
    void releaseButton() {
        if (held_) mouseButton(MOUSEEVENTF_LEFTUP);
        held_ = false;
    }
    // What the main loop does on each pass: take an event, hand it to the swatch.
    int passes() {
        int changed = 0;
        for (int i = 0; i < 20; ++i) changed |= updateColourSwatch(kSwatch, system().waitEvent(2), kConfigDialog);
        return changed;
    }
    static LoopEvent notification(int kind, Point at = {}) {
        LoopEvent event;
        event.kind = EventKind::ControlNotification;
        event.id = kSwatch;
        event.code = kind;
        event.lParam = MAKELPARAM(at.x, at.y);
        return event;
    }
    int click(Point releasedAt) {
        updateColourSwatch(kSwatch, notification(kLeftButtonDown, {50, 10}), kConfigDialog);
        return updateColourSwatch(kSwatch, notification(kLeftButtonUp, releasedAt), kConfigDialog);
    }

    static constexpr Point kDialogAt{200, 150};
    static constexpr Point kSwatchMiddle{kSwatchRect.x + 50, kSwatchRect.y + 10};
    HWND dialog_ = nullptr;
    bool held_ = false;
};

TEST_F(ColourSwatchTest, WhiteUntilTheFirstUpdateThenPaintedOnEveryPass) {
    EXPECT_EQ(pixel(0, 0), rgb(255, 255, 255));
    EXPECT_EQ(pixel(50, 10), rgb(255, 255, 255));
    pointerTo({10, 10});
    EXPECT_EQ(updateColourSwatch(kSwatch, LoopEvent{}, kConfigDialog), 0);
    EXPECT_EQ(leftOfMiddleRow(), flat(kGrey));

    setSwatchColour(dialog_, kSwatch, rgb(255, 0, 0));
    EXPECT_EQ(swatchColour(dialog_, kSwatch), rgb(255, 0, 0));
    EXPECT_EQ(pixel(50, 10), kGrey) << "shown only at the next update";
    updateColourSwatch(kSwatch, LoopEvent{}, kConfigDialog);
    EXPECT_EQ(pixel(5, 10), rgb(255, 0, 0)) << "inset 5";
    EXPECT_EQ(pixel(94, 10), rgb(255, 0, 0));
    EXPECT_NE(pixel(95, 10), rgb(255, 0, 0));
    EXPECT_EQ(pixel(50, 5), rgb(255, 0, 0));
    EXPECT_NE(pixel(50, 4), rgb(255, 0, 0));
    EXPECT_EQ(pixel(50, 14), rgb(255, 0, 0));
    EXPECT_NE(pixel(50, 15), rgb(255, 0, 0));
}

TEST_F(ColourSwatchTest, RaisedOnlyWhileThePointerIsStrictlyInside) {
    const struct {
        Point pointer;
        bool over;
    } cases[] = {
        {kSwatchMiddle, true},
        {{kSwatchRect.x + 1, kSwatchRect.y + 1}, true},
        {{kSwatchRect.x + 99, kSwatchRect.y + 19}, true},
        {{kSwatchRect.x, kSwatchRect.y + 10}, false},
        {{kSwatchRect.x + 50, kSwatchRect.y}, false},
        {{kSwatchRect.x + 100, kSwatchRect.y + 10}, false},
        {{10, 10}, false},
        {{-100, -100}, false},
    };
    for (const auto& c : cases) {
        pointerTo(c.pointer);
        updateColourSwatch(kSwatch, LoopEvent{}, kConfigDialog);
        EXPECT_EQ(leftOfMiddleRow(), c.over ? raised(kGrey) : flat(kGrey)) << c.pointer.x << "," << c.pointer.y;
    }
}

TEST_F(ColourSwatchTest, PressedIsSunkenDraggedOutIsFlatAndAReleaseOutsideOpensNothing) {
    test::ModalHand hand([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    pointerTo(kSwatchMiddle);
    passes();
    pressButton();
    passes();
    ASSERT_NE(GetAsyncKeyState(VK_LBUTTON), 0);
    EXPECT_EQ(leftOfMiddleRow(), sunken(kGrey));

    pointerTo({kSwatchMiddle.x + 200, kSwatchMiddle.y});
    passes();
    EXPECT_EQ(leftOfMiddleRow(), flat(kGrey));
    releaseButton();
    EXPECT_EQ(passes(), 0);
    EXPECT_FALSE(hand.sawDialog());
}

TEST_F(ColourSwatchTest, APressElsewhereDraggedOntoTheSwatchLooksRaisedAndOpensNothing) {
    test::ModalHand hand([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    pointerTo({20, 150});
    passes();
    pressButton();
    passes();
    pointerTo(kSwatchMiddle);
    passes();
    EXPECT_EQ(leftOfMiddleRow(), raised(kGrey));
    releaseButton();
    EXPECT_EQ(passes(), 0);
    EXPECT_FALSE(hand.sawDialog());
}

TEST_F(ColourSwatchTest, ReleasesThatOpenNoDialog) {
    test::ModalHand hand([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    for (const Point at : {Point{0, 10}, Point{50, 0}, Point{100, 10}, Point{50, 20}, Point{-3, 10}})
        EXPECT_EQ(click(at), 0) << at.x << "," << at.y;
    // No press before the release.
    EXPECT_EQ(updateColourSwatch(kSwatch, notification(kLeftButtonUp, {50, 10}), kConfigDialog), 0);
    // Another control's release.
    LoopEvent other = notification(kLeftButtonUp, {50, 10});
    other.id = 15;
    updateColourSwatch(kSwatch, notification(kLeftButtonDown, {50, 10}), kConfigDialog);
    EXPECT_EQ(updateColourSwatch(kSwatch, other, kConfigDialog), 0);
    EXPECT_FALSE(hand.sawDialog());
}

class ColourDialogTest : public ColourSwatchTest {
protected:
    void SetUp() override {
        ColourSwatchTest::SetUp();
        box_ = test::createPlainWindow(system(), kMainWindow, {0, 0}, WS_EX_TOPMOST);
        SetForegroundWindow(dialog_);
        test::pumpMessages();
        setSwatchColour(dialog_, kSwatch, rgb(10, 20, 30));
    }
    void TearDown() override {
        DestroyWindow(box_);
        ColourSwatchTest::TearDown();
    }
    // Clicks the swatch; `act` operates the colour dialog. What the update returned.
    int clickWith(const std::function<void(HWND)>& act) {
        test::ModalHand hand([&](HWND colourDialog) {
            shownColour_ = rgb(GetDlgItemInt(colourDialog, kRedField, nullptr, FALSE),
                               GetDlgItemInt(colourDialog, kGreenField, nullptr, FALSE),
                               GetDlgItemInt(colourDialog, kBlueField, nullptr, FALSE));
            boxEnabledMeanwhile_ = IsWindowEnabled(box_);
            boxTopmostMeanwhile_ = (GetWindowLongA(box_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            owner_ = GetWindow(colourDialog, GW_OWNER);
            act(colourDialog);
        });
        const int changed = click({50, 10});
        EXPECT_TRUE(hand.sawDialog());
        EXPECT_FALSE(hand.hadToCancel());
        EXPECT_EQ(shownColour_, rgb(10, 20, 30)) << "opened on the current colour";
        EXPECT_EQ(owner_, dialog_) << "owned by the foreground window";
        EXPECT_FALSE(boxEnabledMeanwhile_);
        EXPECT_FALSE(boxTopmostMeanwhile_);
        EXPECT_TRUE(IsWindowEnabled(box_));
        EXPECT_TRUE(GetWindowLongA(box_, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(IsWindowEnabled(dialog_));
        return changed;
    }

    HWND box_ = nullptr;
    Colour shownColour_ = 0;
    bool boxEnabledMeanwhile_ = true;
    bool boxTopmostMeanwhile_ = true;
    HWND owner_ = nullptr;
};

TEST_F(ColourDialogTest, CancelKeepsTheColour) {
    EXPECT_EQ(clickWith([](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); }), 0);
    EXPECT_EQ(swatchColour(dialog_, kSwatch), rgb(10, 20, 30));
}

TEST_F(ColourDialogTest, OkStoresTheChosenColourAndTheNextPassShowsIt) {
    const int changed = clickWith([](HWND d) {
        SetDlgItemInt(d, kRedField, 200, FALSE);
        SetDlgItemInt(d, kGreenField, 100, FALSE);
        SetDlgItemInt(d, kBlueField, 50, FALSE);
        PostMessageA(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(swatchColour(dialog_, kSwatch), rgb(200, 100, 50));
    updateColourSwatch(kSwatch, LoopEvent{}, kConfigDialog);
    EXPECT_EQ(pixel(50, 10), rgb(200, 100, 50));
}

TEST_F(ColourSwatchTest, NothingWithoutTheWindowOrTheSwatch) {
    EXPECT_EQ(swatchColour(dialog_, 15), 0u);
    EXPECT_EQ(updateColourSwatch(15, notification(kLeftButtonDown), kConfigDialog), 0);
    EXPECT_EQ(updateColourSwatch(kSwatch, LoopEvent{}, kPropertiesDialog), 0);
    DestroyWindow(dialog_);
    EXPECT_EQ(updateColourSwatch(kSwatch, LoopEvent{}, kConfigDialog), 0);
    EXPECT_EQ(swatchColour(dialog_, kSwatch), 0u);
    setSwatchColour(dialog_, kSwatch, 1);  // nothing to set, nothing breaks
}

TEST_F(ColourSwatchTest, ModalScopeDisablesAndUnpinsTheOtherVisibleWindowsAndRestoresThem) {
    HWND topmost = test::createPlainWindow(system(), kMainWindow, {0, 0}, WS_EX_TOPMOST);
    HWND disabled = test::createPlainWindow(system(), kOverlayWindow, {60, 0});
    EnableWindow(disabled, FALSE);
    HWND hidden = test::createPlainWindow(system(), kOwnerWindow, {120, 0}, WS_EX_TOPMOST);
    ShowWindow(hidden, SW_HIDE);
    {
        const ModalWindowsScope scope(dialog_);
        EXPECT_TRUE(IsWindowEnabled(dialog_)) << "the one kept";
        EXPECT_FALSE(IsWindowEnabled(topmost));
        EXPECT_FALSE(GetWindowLongA(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(IsWindowEnabled(hidden)) << "invisible windows are left alone";
        EXPECT_TRUE(GetWindowLongA(hidden, GWL_EXSTYLE) & WS_EX_TOPMOST);
    }
    EXPECT_TRUE(IsWindowEnabled(topmost));
    EXPECT_TRUE(GetWindowLongA(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(IsWindowEnabled(disabled)) << "was disabled before";
    {
        const ModalWindowsScope scope(dialog_);
        DestroyWindow(topmost);  // gone before the scope ends
    }
    DestroyWindow(disabled);
    DestroyWindow(hidden);
    EXPECT_EQ(findTopLevel(kConfigDialog), dialog_);
    EXPECT_EQ(findTopLevel(kPropertiesDialog), nullptr);
}

}  // namespace
}  // namespace kivolt
