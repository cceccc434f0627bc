#include "box_process_win.h"

#include <vector>

#include "temp_folder_win.h"

namespace kivolt::test {

namespace {

// The current environment with APPDATA replaced, as a block for CreateProcessA.
std::vector<char> environmentWith(const std::string& appData) {
    std::vector<char> block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry; entry += strlen(entry) + 1) {
        if (_strnicmp(entry, "APPDATA=", 8) == 0) continue;
        block.insert(block.end(), entry, entry + strlen(entry) + 1);
    }
    FreeEnvironmentStringsA(strings);
    const std::string own = "APPDATA=" + appData;
    block.insert(block.end(), own.c_str(), own.c_str() + own.size() + 1);
    block.push_back('\0');
    return block;
}

struct Search {
    DWORD process;
    const char* title;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    char title[256] = "";
    char className[64] = "";
    GetWindowTextA(hwnd, title, sizeof(title));
    GetClassNameA(hwnd, className, sizeof(className));
    if (process == search->process && strcmp(className, "KivoltWindow") == 0 && strcmp(title, search->title) == 0) {
        // The owner and the MainWindow share their title; the popup is the MainWindow.
        if (search->found == nullptr || (GetWindowLongA(hwnd, GWL_STYLE) & WS_POPUP)) search->found = hwnd;
    }
    return TRUE;
}

}  // namespace

std::string kivoltExePath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of('\\'));        // build\win64\tests
    folder.resize(folder.find_last_of('\\') + 1);    // build\win64\ .
    return folder + "kivolt.exe";
}

BoxProcess::BoxProcess(const std::string& appData, const std::string& exePath, const std::string& arguments) {
    std::vector<char> environment = environmentWith(appData);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string command = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, environment.data(), nullptr, &startup,
                       &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
        WaitForInputIdle(process_, 10000);
    }
}

BoxProcess::~BoxProcess() {
    if (!process_) return;
    kill();
    CloseHandle(process_);
}

void BoxProcess::kill() {
    if (!process_ || waitForExit(0) != STILL_ACTIVE) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}

HWND BoxProcess::findWindow(const char* title) const {
    Search search{id_, title, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND BoxProcess::waitForWindow(const char* title, DWORD timeoutMs) const {
    HWND found = nullptr;
    // Shown only once its controls are made and filled.
    waitUntil([&] { return (found = findWindow(title)) != nullptr && IsWindowVisible(found); }, timeoutMs);
    return found;
}

BoxWindows BoxProcess::waitForWindows(DWORD timeoutMs) {
    BoxWindows windows;
    for (DWORD waited = 0; waited <= timeoutMs; waited += 50) {
        windows.main = findWindow("Kivolt 3.4");
        windows.overlay = findWindow("Kivolt 3");
        if (windows.main && windows.overlay && IsWindowVisible(windows.overlay)) break;
        Sleep(50);
    }
    if (windows.main) windows.owner = GetWindow(windows.main, GW_OWNER);
    settle();
    return windows;
}

DWORD BoxProcess::waitForExit(DWORD timeoutMs) {
    DWORD code = STILL_ACTIVE;
    if (process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process_, &code);
    return code;
}

void BoxProcess::settle(DWORD ms) { Sleep(ms); }

bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (done()) return true;
        Sleep(50);
    }
    return done();
}

Colour screenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::vector<Colour> screenPixels(Rect rect) {
    std::vector<Colour> pixels;
    for (int y = rect.y; y < rect.y + rect.h; ++y)
        for (int x = rect.x; x < rect.x + rect.w; ++x) pixels.push_back(screenPixel(x, y));
    return pixels;
}

Rect clientRectOnScreen(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return {origin.x, origin.y, r.right, r.bottom};
}

bool waitForClientRect(HWND hwnd, const Rect& expected, DWORD timeoutMs) {
    return waitUntil([&] { return clientRectOnScreen(hwnd) == expected; }, timeoutMs);
}

}  // namespace kivolt::test

namespace kivolt::test {

namespace {
void send(INPUT input) { SendInput(1, &input, sizeof(input)); }
}  // namespace

void moveMouse(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send(input);
    Sleep(60);
}

void mouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    send(input);
    Sleep(60);
}

void clickAt(int x, int y) {
    moveMouse(x, y);
    mouseButton(MOUSEEVENTF_LEFTDOWN);
    mouseButton(MOUSEEVENTF_LEFTUP);
}

void dragWithLeftButton(Point from, int dx, int dy) {
    moveMouse(from.x, from.y);
    mouseButton(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 4; ++step) moveMouse(from.x + dx * step / 4, from.y + dy * step / 4);
    mouseButton(MOUSEEVENTF_LEFTUP);
    BoxProcess::settle();
}

void pressKey(WORD key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    send(input);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    send(input);
    Sleep(60);
}

void menuCommand(Point press, Point release, int downs) {
    moveMouse(press.x, press.y);
    mouseButton(MOUSEEVENTF_RIGHTDOWN);
    moveMouse(release.x, release.y);
    mouseButton(MOUSEEVENTF_RIGHTUP);
    BoxProcess::settle();
    for (int i = 0; i < downs; ++i) pressKey(VK_DOWN);
    pressKey(VK_RETURN);
    BoxProcess::settle();
}

std::string prefsGroup(int index, const std::string& path, const std::string& parameters, int runMode,
                       const std::string& name) {
    return "[" + std::to_string(index) + "]\r\nPfad = " + path + "\r\nAlsAdmin = 0\r\nProgramm Parameter = " +
           parameters + "\r\nAusf\xFChrung = " + std::to_string(runMode) + "\r\nName = " + name + "\r\n";
}

// The grip strip (15) and the icon's inset (5) before the first icon, cells of 42.
Point rowIconCentre(Point box, int index) { return {box.x + 15 + 5 + 42 * index + 16, box.y + 5 + 16}; }

std::string launchProbePath() { return folderOf(ownExecutablePath()) + "launch_probe.exe"; }

std::string iconProbePath() { return folderOf(ownExecutablePath()) + "icon_probe.exe"; }

std::string runProbePath() { return folderOf(ownExecutablePath()) + "run_probe.exe"; }

std::string waitForProbeRecord(const std::string& path, DWORD timeoutMs) {
    for (DWORD waited = 0; waited <= timeoutMs; waited += 100) {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            std::string text;
            HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                char buffer[4096];
                DWORD got = 0;
                while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got) text.append(buffer, got);
                CloseHandle(file);
                return text;
            }
        }
        Sleep(100);
    }
    return "";
}

}  // namespace kivolt::test
