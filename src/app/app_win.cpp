#include "app/app_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "base/retry.h"
#include "base/text.h"
#include "model/shortcut_store.h"
#include "dialogs/colour_swatch_win.h"
#include "dialogs/dialog_keys_win.h"
#include "settings/autostart_link_win.h"
#include "settings/prefs_file.h"
#include "settings/prefs_location.h"
#include "settings/prefs_location_win.h"
#include "settings/start_read.h"
#include "ui/image_file_win.h"
#include "ui/monitors_win.h"
#include "ui/paint_background.h"
#include "ui/paint_overlay.h"
#include "ui/pointer_win.h"
#include "shell/drop_intake.h"
#include "shell/launch_win.h"
#include "shell/link_reader_win.h"
#include "shell/process_snapshot_win.h"

namespace kivolt {

namespace {

constexpr double kDragThreshold = 10.0;
constexpr UINT_PTR kSaveTimerId = 2;  // on the MainWindow, beside the RedrawTimer

SaveSchedule::Millis tickNow() { return static_cast<SaveSchedule::Millis>(GetTickCount64()); }

}  // namespace

App::App(HINSTANCE instance) : instance_(instance), windows_(instance), pair_(windows_) {}

App::~App() {
    // Windows first (they reference the canvases and the balloon font), then the icons.
    balloon_.reset();
    releaseShortcutIcons();
}

int App::run() {
    if (startUp()) runLoop();
    if (!quitFlag_) return 0;  // the windows could not be opened: nothing is saved
    // A file that another program holds at this moment gets a little while to come free.
    retry(SaveSchedule::kQuitAttempts, [this] { return saveBox(); }, [] { Sleep(SaveSchedule::kQuitPauseMs); });
    return 0;
}

bool App::startUp() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    redrawFlag_ = true;
    appDataDir_ = appDataDirFromEnvironment();
    prefsPath_ = prefsPath(appDataDir_);
    balloonFont_.reset(createBalloonFont());
    icons_.emplace(instance_);
    balloon_.emplace(windows_, balloonFont_.get());
    loadSettings();

    if (!windows_.registerClasses() || !CanvasControl::registerClass(instance_)) return false;
    const int cell = cellSize(gridShape());
    WindowPair::Options options;
    options.position = {settings_.startX, settings_.startY};
    options.client = {shortcuts_.count() > 0 ? shortcuts_.count() * cell : cell, cell};
    options.transparency = settings_.transparency;
    options.backgroundColour = settings_.backgroundColour;
    options.topmost = settings_.alwaysOnTop == 1;
    options.registerDropTarget = [this](HWND main) {
        drop_.emplace(main, [this](DroppedFiles files) {
            LoopEvent event;
            event.kind = EventKind::FilesDropped;
            event.window = kMainWindow;
            event.drop = std::move(files);
            windows_.produce(std::move(event));
        });
    };
    options.createContextMenu = [this] { menu_ = createContextMenu(); };
    if (!pair_.open(options)) return false;
    windows_.setWindowCallback(
        [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) { pair_.windowCallback(hwnd, message, wParam, lParam); });

    PrefsFile prefs;
    if (const std::optional<std::int32_t> pinned = loadShortcuts(prefs, prefsPath_, shortcuts_, shortcutContext()))
        pinnedFlag_ = *pinned != 0;
    else if (GetFileAttributesA(prefsPath_.c_str()) != INVALID_FILE_ATTRIBUTES)
        // A file that exists but could not be read whole (held by another program) must not
        // be written over with the little that was read of it.
        prefsUnread_ = true;
    setPinnedCheck(menu_.get(), pinnedFlag_);
    layoutWindows();
    // A stored position on no monitor (one that was unplugged) would leave the box out of reach.
    const Rect box = windowRect(pair_.main());
    if (const Point start = startPosition(displayMonitors(), box); start != Point{box.x, box.y}) pair_.moveBox(start);
    ensurePrefsFile(appDataDir_);
    rerenderIcons();
    pressedIndex_ = -1;
    const Rect placed = windowRect(pair_.main());
    lastPosition_ = {placed.x, placed.y};
    windows_.setSessionEndHandler([this] { saveNow(); });
    return true;
}

// The loop sleeps until something arrives unless something the tail follows can change with
// no message to tell it (loopWaitMs). The first pass paints the box at once.
void App::runLoop() {
    DWORD wait = kPollMs;
    while (!quitFlag_) {
        const LoopEvent event = windows_.waitEvent(wait, handleDialogKeys);
        dispatch(event);
        tail(event);
        const std::optional<int> next = loopWaitMs(activity());
        wait = next ? static_cast<DWORD>(*next) : INFINITE;
    }
}

LoopActivity App::activity() const {
    LoopActivity a;
    a.pointerOnBox = pointerOnBox();
    a.mouseCaptured = GetCapture() != nullptr;
    a.pressOrDrag = pressedIndex_ >= 0 || draggingFlag_;
    a.configDialogOpen = config_.exists();
    a.hiddenByAutoHide = settings_.autoHide != 0 && pair_.hidden();
    return a;
}

void App::dispatch(const LoopEvent& event) {
    switch (event.kind) {
    case EventKind::CloseRequest:
        // The hidden OwnerWindow takes the box with it when it goes: closing it quits too.
        if (event.window == kMainWindow || event.window == kOverlayWindow || event.window == kOwnerWindow) {
            quitFlag_ = true;
        } else if (event.window == kConfigDialog) {
            config_.close();
        } else if (event.window == kPropertiesDialog) {
            properties_.close();
        } else if (event.window == kNameBalloon) {
            balloon_->close();
        }
        return;
    case EventKind::Timer:
        if (event.id == static_cast<int>(kRedrawTimerId)) onRedrawTick();
        if (event.id == static_cast<int>(kSaveTimerId)) onSaveTimer();
        return;
    case EventKind::RawMessage:
        switch (event.message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // the second press of a double click is a press too
            if (!dialogInFront()) onLeftPress();
            return;
        case WM_LBUTTONUP:
            onLeftRelease();
            return;
        case WM_MOUSEMOVE:
            if (pressedIndex_ >= 0) onPointerMove();
            return;
        case WM_RBUTTONDOWN:
            onRightPress();
            return;
        case WM_RBUTTONUP:
            if (!dialogInFront()) onRightRelease();
            return;
        default:
            return;
        }
    case EventKind::MenuCommand:
        onMenuCommand(event.id);
        return;
    case EventKind::ControlNotification:
        onControl(event);
        return;
    case EventKind::FilesDropped:
        onFilesDropped(event.drop);
        return;
    case EventKind::None:
        return;
    }
}

void App::tail(const LoopEvent& event) {
    hoveredIndex_ = hitTest(shortcuts_, settings_.itemSize, pointer());
    updateNameBalloon();
    if (config_.exists()) updateColourSwatch(config_control::kColourSwatch, event, kConfigDialog);
    updateCursor();
    if (hoveredIndex_ != lastHoveredIndex_) {
        redrawFlag_ = true;
        lastHoveredIndex_ = hoveredIndex_;
    }
    if (settings_.autoHide != 0)
        pair_.autoHideStep();
    else
        pair_.showBoth();
    paintOverlay();
    noticeMove();
}

bool App::saveBox() {
    if (optionsUnsaved_) optionsUnsaved_ = !saveOptions();
    if (prefsUnread_) return !optionsUnsaved_;
    const Rect outer = windowRect(pair_.main());
    const Size client = pair_.clientSize();
    const Rect box{outer.x, outer.y, client.width, client.height};
    const Point position = clampWindowPosition(box, monitorOf(box));
    PrefsFile prefs;
    return kivolt::saveOnQuit(prefs, prefsPath_, shortcuts_, position, pinnedFlag_) && !optionsUnsaved_;
}

// Options that were applied while the file could not take them; a file deleted meanwhile
// is not made again for them, as applying would not either.
bool App::saveOptions() {
    PrefsFile prefs;
    if (!prefs.open(prefsPath_)) return prefs.state() == PrefsFile::State::Missing;
    writeOptions(prefs, settings_);
    return prefs.close();
}

void App::scheduleSave() {
    saves_.changed(tickNow());
    armSaveTimer();
}

void App::saveNow() {
    if (saveBox())
        saves_.succeeded();
    else
        saves_.failed(tickNow());
    armSaveTimer();
}

void App::onSaveTimer() {
    if (saves_.due(tickNow()))
        saveNow();
    else
        armSaveTimer();
}

// One-shot: the timer is set again for whatever is due next, or killed.
void App::armSaveTimer() {
    HWND main = pair_.main();
    if (!main) return;
    const std::optional<SaveSchedule::Millis> due = saves_.dueAt();
    if (!due) {
        KillTimer(main, kSaveTimerId);
        return;
    }
    const SaveSchedule::Millis wait = std::clamp<SaveSchedule::Millis>(*due - tickNow(), USER_TIMER_MINIMUM,
                                                                       SaveSchedule::kLongestRetry);
    SetTimer(main, kSaveTimerId, static_cast<UINT>(wait), nullptr);
}

// The tail never runs inside the move loop, so a move of the box counts once it is over,
// whoever moved it (the user by the grip, a snap, another program).
void App::noticeMove() {
    const Rect box = windowRect(pair_.main());
    if (Point{box.x, box.y} == lastPosition_) return;
    lastPosition_ = {box.x, box.y};
    scheduleSave();
}

void App::onLeftPress() {
    if (onGripStrip(gridShape(), pointer())) {
        // The system's move loop runs inside the send; the overlay follows and the box snaps.
        HWND canvas = pair_.overlayCanvas() ? pair_.overlayCanvas()->hwnd() : nullptr;
        EnableWindow(canvas, FALSE);
        SendMessageA(pair_.main(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        EnableWindow(canvas, TRUE);
    }
    pressedIndex_ = hitTest(shortcuts_, settings_.itemSize, pointer());
    pressPoint_ = pointer();
}

void App::onPointerMove() {
    const Point p = pointer();
    if (std::abs(static_cast<double>(p.x - pressPoint_.x)) > kDragThreshold ||
        std::abs(static_cast<double>(p.y - pressPoint_.y)) > kDragThreshold) {
        draggingFlag_ = true;
        setOverlayCursor(kCursorSizeAll);
    }
}

void App::onLeftRelease() {
    if (draggingFlag_ && pressedIndex_ >= 0) {
        // Released outside the box, the drag moves nothing.
        moveToPointer(shortcuts_, gridShape(), pair_.clientSize().width, pressedIndex_, pointer());
        setOverlayCursor(kCursorArrow);
        draggingFlag_ = false;
        scheduleSave();
    } else if (const int released = hitTest(shortcuts_, settings_.itemSize, pointer());
               released >= 0 && released == pressedIndex_) {
        // A click: pressed and released on the same shortcut.
        launchShortcut(*shortcuts_.selectAt(released));
    }
    redrawFlag_ = true;
    pressedIndex_ = -1;
}

void App::onRightPress() { menuTargetIndex_ = hitTest(shortcuts_, settings_.itemSize, pointer()); }

void App::onRightRelease() { showContextMenu(menu_.get(), pair_.main()); }

void App::updateCursor() {
    if (onGripStrip(gridShape(), pointer()))
        setOverlayCursor(kCursorSizeAll);
    else if (!draggingFlag_ && overlayCursor() != kCursorArrow)
        setOverlayCursor(kCursorArrow);
}

// Only a change is made: the tail asks on every pass.
void App::setOverlayCursor(int index) {
    CanvasControl* canvas = pair_.overlayCanvas();
    if (canvas && canvas->cursorIndex() != index) canvas->setCursorIndex(index);
}

int App::overlayCursor() const {
    const CanvasControl* canvas = pair_.overlayCanvas();
    return canvas ? canvas->cursorIndex() : kCursorArrow;
}

void App::onMenuCommand(int id) {
    Shortcut* target = shortcuts_.selectAt(menuTargetIndex_);
    switch (id) {
    case kMenuOpen:
        if (target) launchShortcut(*target);
        break;
    case kMenuOpenFolder:
        if (target) openContainingFolder(*target);
        break;
    case kMenuCopyPath:
        if (target) copyShortcutPath(*target);
        break;
    case kMenuRemove:
        if (target) {
            removeShortcut(shortcuts_, menuTargetIndex_, shortcutContext());
            layoutWindows();
            scheduleSave();
        }
        break;
    case kMenuSettings:
        openSettings();
        break;
    case kMenuPin:
        pinnedFlag_ = !pinnedFlag_;
        setPinnedCheck(menu_.get(), pinnedFlag_);
        layoutWindows();
        redrawFlag_ = true;
        scheduleSave();
        break;
    case kMenuProperties:
        if (target) properties_.open(windows_, shortcuts_, menuTargetIndex_);
        break;
    case kMenuQuit:
        quitFlag_ = true;
        break;
    default:
        break;
    }
}

void App::onControl(const LoopEvent& event) {
    switch (event.id) {
    case config_control::kTransparency:
    case config_control::kItemSize:
    case config_control::kCancel:
    case config_control::kApply:
    case config_control::kSave:
    case config_control::kChooseImage:
        onConfigControl(event.id);
        break;
    case properties_control::kCancel:
    case properties_control::kSave:
        if (properties_.handleControl(event.id)) scheduleSave();
        break;
    default:
        break;  // canvases, the swatch, boxes and fields report nothing the loop acts on
    }
}

void App::onConfigControl(int id) {
    const ConfigAction action = config_.handleControl(id);
    if (action == ConfigAction::Apply || action == ConfigAction::ApplyAndClose) {
        const Applied applied = applySettings(prefsPath_, readConfigDialog(config_), settings_, *this);
        if (applied != Applied::Nothing) optionsUnsaved_ = applied == Applied::NotStored;
        if (optionsUnsaved_) scheduleSave();
    }
    if (action == ConfigAction::ApplyAndClose || action == ConfigAction::Close) config_.close();
}

void App::onFilesDropped(const DroppedFiles& drop) {
    kivolt::onFilesDropped(shortcuts_, drop, shortcutContext(), gridShape(), pair_.clientSize().width, resolveLink);
    layoutWindows();
    scheduleSave();
}

// At start-up, before any window exists; a missing file gives every default.
void App::loadSettings() {
    PrefsFile prefs;
    if (openAtStart(prefs, prefsPath_, [] { Sleep(kStartReadPauseMs); }) == PrefsFile::State::Unreadable)
        prefsUnread_ = true;
    settings_ = readSettings(prefs);
    releaseBackgroundImage();
    if (!settings_.backgroundImagePath.empty()) loadBackgroundImage(settings_.backgroundImagePath);
    prefs.close();
}

// The dialog shows what the file holds, read into a record of its own: the running box keeps
// its settings (and its background image) until they are applied.
void App::openSettings() {
    config_.open(windows_);
    PrefsFile prefs;
    prefs.open(prefsPath_);
    fillConfigDialog(config_, readSettings(prefs));
    prefs.close();
}

void App::setWindowColour(Colour colour) { pair_.setBackgroundColour(colour); }
void App::releaseBackgroundImage() {
    backgroundImage_.reset();
    stretchedBackground_.forget();
}
void App::loadBackgroundImage(const std::string& path) {
    backgroundImage_ = loadImageFile(path);
    stretchedBackground_.forget();
}
void App::setTopmost(bool topmost) { pair_.setTopmost(topmost); }
void App::setAlpha(int alpha) { pair_.setAlpha(alpha); }
void App::updateAutostartLink(int autostart) { kivolt::updateAutostartLink(autostart); }
void App::setRedraw() { redrawFlag_ = true; }

void App::layoutWindows() {
    const Monitor monitor = monitorOf(windowRect(pair_.main()));
    pair_.resizeBox(boxClientSize(gridShape(), shortcuts_.count(), monitor), monitor.workArea);
}

void App::rerenderIcons() {
    for (Shortcut& shortcut : shortcuts_) {
        std::optional<Image> image = icons_->renderIcon(shortcut.icon, settings_.itemSize);
        if (image) keyOutSoftPixels(*image);
        shortcut.image = std::move(image);
    }
}

void App::updateNameBalloon() {
    if (!balloon_->exists() && hoveredIndex_ >= 0) {
        const Shortcut* shortcut = shortcuts_.selectAt(hoveredIndex_);
        const Rect overlay = windowRect(pair_.overlay());
        BalloonInput input;
        input.orientation = settings_.orientation;
        const Rect box = windowRect(pair_.main());
        input.box = {box.x, box.y};
        input.cell = {shortcut->cellX, shortcut->cellY};
        input.itemSize = settings_.itemSize;
        input.monitor = monitorOf({box.x + input.cell.x, box.y + input.cell.y, input.itemSize, input.itemSize});
        input.anchor = {overlay.x + settings_.itemSize / 2 + cellSize(gridShape()) * hoveredIndex_ + 5, overlay.y - 45};
        balloon_->show(pair_.main(), input, shortcut->name);
    } else if (balloon_->exists() && hoveredIndex_ == -1) {
        balloon_->close();
    }
}

void App::paintBackground() {
    CanvasControl* canvas = pair_.backgroundCanvas();
    if (!canvas || !canvas->beginDrawing()) return;
    kivolt::paintBackground(canvas->pixels(),
                            {settings_.backgroundColour, settings_.showBackgroundImage, settings_.backgroundMode,
                             backgroundImage_ ? &*backgroundImage_ : nullptr, &stretchedBackground_});
    canvas->endDrawing();
}

void App::paintOverlay() {
    if (!redrawFlag_) return;
    paintBackground();
    CanvasControl* canvas = pair_.overlayCanvas();
    if (!canvas || !canvas->beginDrawing()) return;
    std::vector<OverlayItem> items;
    items.reserve(shortcuts_.count());
    for (const Shortcut& shortcut : shortcuts_)
        items.push_back({shortcut.image ? &*shortcut.image : nullptr, filePart(shortcut.path)});
    OverlayState state;
    state.itemSize = settings_.itemSize;
    state.orientation = settings_.orientation;
    state.drawBorder = settings_.drawBorder;
    state.backgroundColour = settings_.backgroundColour;
    state.markRunning = settings_.markRunning;
    state.pinned = pinnedFlag_;
    state.dragging = draggingFlag_;
    state.pointer = draggingFlag_ ? pointer() : pointerIn(pair_.overlay());
    state.leftButtonDown = leftButtonDown();
    state.systemColours = {GetSysColor(COLOR_HOTLIGHT), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNSHADOW)};
    if (const CanvasControl* background = pair_.backgroundCanvas()) state.beneath = background->pixels();
    // One process snapshot per paint, asked for every Shortcut.
    const std::optional<RunningPrograms> running = runningPrograms();
    const IsRunning isRunning = [&running](const std::string& name) { return running->isProgramRunning(name); };
    const std::vector<Point> cells =
        kivolt::paintOverlay(canvas->pixels(), state, items, running ? isRunning : IsRunning{});
    auto cell = cells.begin();
    for (Shortcut& shortcut : shortcuts_) {
        shortcut.cellX = cell->x;
        shortcut.cellY = cell->y;
        ++cell;
    }
    redrawFlag_ = false;
    painted_ = overlayLook(running);
    canvas->endDrawing();
}

// The RedrawTimer repaints only what can have changed since the last paint.
void App::onRedrawTick() {
    if (tickNeedsRepaint(overlayLook(runningPrograms()), painted_)) redrawFlag_ = true;
}

// None while marks are off: then no snapshot is taken at all.
std::optional<RunningPrograms> App::runningPrograms() const {
    if (settings_.markRunning == 0) return std::nullopt;
    return takeProcessSnapshot();
}

OverlayLook App::overlayLook(const std::optional<RunningPrograms>& running) const {
    OverlayLook look;
    look.followsPointer = draggingFlag_ || pointerOnBox();
    if (running)
        for (const Shortcut& shortcut : shortcuts_)
            look.runningMarks.push_back(running->isProgramRunning(filePart(shortcut.path)));
    return look;
}

void App::releaseShortcutIcons() {
    if (!icons_) return;
    for (Shortcut& shortcut : shortcuts_) {
        icons_->releaseIcon(shortcut.icon);
        shortcut.icon = nullptr;
    }
}

bool App::dialogInFront() const {
    const int id = windowIdOf(GetForegroundWindow());
    return id == kConfigDialog || id == kPropertiesDialog;
}

Point App::pointer() const { return pointerIn(pair_.main()); }

bool App::pointerOnBox() const { return pointer().x != -1; }

GridShape App::gridShape() const { return {settings_.itemSize, settings_.orientation, pinnedFlag_}; }

ShortcutContext App::shortcutContext() { return {*icons_, settings_.itemSize, redrawFlag_}; }

}  // namespace kivolt
