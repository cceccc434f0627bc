#pragma once
// The real kivolt.exe, started with a private application-data folder, and the means to
// find its windows, drive it and stop it.

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "base/types.h"

namespace kivolt {
// How GoogleTest shows a rectangle in a failure.
inline void PrintTo(const Rect& r, std::ostream* out) {
    *out << "{" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << "}";
}
}  // namespace kivolt

namespace kivolt::test {

// Path of kivolt.exe: beside the test program's folder (build/win64/kivolt.exe).
std::string kivoltExePath();

struct BoxWindows {
    HWND owner = nullptr;
    HWND main = nullptr;
    HWND overlay = nullptr;
};

class BoxProcess {
public:
    // Starts the program with APPDATA set to appData (no trailing backslash needed).
    explicit BoxProcess(const std::string& appData) : BoxProcess(appData, kivoltExePath(), "") {}
    // The same for another build of it; `arguments` (which it ignores) mark its command line.
    BoxProcess(const std::string& appData, const std::string& exePath, const std::string& arguments);
    ~BoxProcess();
    BoxProcess(const BoxProcess&) = delete;
    BoxProcess& operator=(const BoxProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    // Waits until the box's windows exist and its first paint is done.
    BoxWindows waitForWindows(DWORD timeoutMs = 10000);
    // A top-level window of the program with this title, or null.
    HWND findWindow(const char* title) const;
    // Waits for such a window to be shown; null on time-out.
    HWND waitForWindow(const char* title, DWORD timeoutMs = 5000) const;
    // Waits for the process to end; its exit code, or STILL_ACTIVE on time-out.
    DWORD waitForExit(DWORD timeoutMs = 10000);
    // Ends the process at once, as a crash, a power cut or the task manager would, and waits
    // until it is gone.
    void kill();
    // Lets the program run its loop for a while (it polls every few ms).
    static void settle(DWORD ms = 300);

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Asks `done` every 50 ms until it holds or the time is up; its last answer. Wine on a
// bare X server can take seconds to destroy a visible window, so poll instead of sleeping.
bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// The colour of a screen pixel.
Colour screenPixel(int x, int y);

// The colours of the screen pixels in a rectangle, row by row.
std::vector<Colour> screenPixels(Rect rect);

// Client rectangle in screen coordinates.
Rect clientRectOnScreen(HWND hwnd);
// Waits for the window's client rectangle to be `expected` (the box lays itself out after
// its windows appear, and resizes in a later pass than the input that asked for it).
bool waitForClientRect(HWND hwnd, const Rect& expected, DWORD timeoutMs = 10000);

}  // namespace kivolt::test

namespace kivolt::test {

// Synthetic input, as a user's hand would give it.
void moveMouse(int x, int y);
void mouseButton(DWORD flags);  // MOUSEEVENTF_LEFTDOWN and so on, at the current position
void clickAt(int x, int y);
// Presses the left button at `from`, moves by (dx, dy) in small steps and releases there.
void dragWithLeftButton(Point from, int dx, int dy);
void pressKey(WORD key);
// Right-presses at `press`, releases at `release`, then picks the context menu item
// `downs` steps down with the keyboard (separators are skipped).
void menuCommand(Point press, Point release, int downs);

// One shortcut group as the program writes it.
std::string prefsGroup(int index, const std::string& path, const std::string& parameters, int runMode,
                       const std::string& name);
// The centre of icon `index` of a horizontal box whose client area starts at `box`.
Point rowIconCentre(Point box, int index);

// Path of the launch probe beside the test programs, and what it last recorded.
std::string launchProbePath();
// Path of the icon probe: a program whose icon has a different picture for each size.
std::string iconProbePath();
// Path of the run probe: a program that runs until it is ended.
std::string runProbePath();
// Waits for the probe's record file; "" when none appeared in time.
std::string waitForProbeRecord(const std::string& path, DWORD timeoutMs = 8000);

}  // namespace kivolt::test
