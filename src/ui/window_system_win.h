#pragma once
// The program's top-level windows and their shared window procedure: each window is named
// by its WindowId, and what happens to it becomes a LoopEvent for the main loop.

#include <windows.h>

#include <functional>
#include <optional>

#include "app/loop_event.h"
#include "base/types.h"

namespace kivolt {

namespace window_class {
inline constexpr char kTopLevel[] = "KivoltWindow";
inline constexpr char kCanvas[] = "KivoltCanvas";
inline constexpr char kWindowIdProperty[] = "KivoltWindowId";
}  // namespace window_class

struct TopLevelParams {
    int id = kNoWindow;
    const char* title = "";
    DWORD style = WS_POPUP;
    DWORD exStyle = 0;
    HWND owner = nullptr;
    Point position;
    Size client;
};

class WindowSystem {
public:
    using Callback = std::function<void(HWND, UINT, WPARAM, LPARAM)>;
    using SessionEndHandler = std::function<void()>;

    explicit WindowSystem(HINSTANCE instance);
    ~WindowSystem();
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    // Registers the window classes; false when that fails.
    bool registerClasses();
    HINSTANCE instance() const { return instance_; }

    // A top-level window sized so that its client area is params.client.
    HWND createTopLevel(const TopLevelParams& params);
    // Fills the client area on WM_ERASEBKGND from now on.
    void setWindowColour(HWND hwnd, Colour colour);

    // Runs before anything else for every message of every top-level window.
    void setWindowCallback(Callback callback) { callback_ = std::move(callback); }
    void setSessionEndHandler(SessionEndHandler handler) { sessionEnd_ = std::move(handler); }

    // Events queued by window procedures (close requests, canvas mouse notifications).
    void queue(LoopEvent event) { queue_.push(std::move(event)); }
    // An event made while a message is dispatched: WaitEvent returns it in place of the
    // message. Outside a dispatch it is queued.
    void produce(LoopEvent event);

    // One event: queued events first, then at most one message after a wait of at most
    // timeoutMs (INFINITE: until input, a timer or a sent message arrives). keyFilter may
    // consume a message before it is translated (dialog keys).
    LoopEvent waitEvent(DWORD timeoutMs, const std::function<bool(MSG&)>& keyFilter = {});

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HICON programIcon_ = nullptr;  // from the resources; shared, never destroyed
    Callback callback_;
    SessionEndHandler sessionEnd_;
    EventQueue queue_;
    bool dispatching_ = false;
    std::optional<LoopEvent> produced_;
};

// The WindowId of a window of this program; kNoWindow for any other window.
int windowIdOf(HWND hwnd);

// The window's outer rectangle on screen.
Rect windowRect(HWND hwnd);

// Outer window rectangle for a client rectangle with the given styles.
Rect windowRectForClient(Point position, Size client, DWORD style, DWORD exStyle);

}  // namespace kivolt
