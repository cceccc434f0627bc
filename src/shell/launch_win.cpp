#include "shell/launch_win.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <optional>

#include "base/text.h"
#include "shell/launch_plan.h"

namespace kivolt {

namespace {

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void launchShortcut(const Shortcut& shortcut) {
    if (!isExecutablePath(shortcut.path)) {
        runFile(runFileTarget(shortcut.path, isFolder(shortcut.path)));
        return;
    }
    const ExecutableLaunch launch = executableLaunch(shortcut);
    ShellExecuteA(nullptr, launch.verb.empty() ? nullptr : launch.verb.c_str(), launch.file.c_str(),
                  launch.parameters.c_str(), "", launch.showCommand);
}

void openContainingFolder(const Shortcut& shortcut) { runFile(containingFolder(shortcut.path)); }

void copyShortcutPath(const Shortcut& shortcut) {
    if (!OpenClipboard(nullptr)) return;
    const std::size_t size = shortcut.path.size() + 1;
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size)) {
        if (void* bytes = GlobalLock(block)) {
            std::memcpy(bytes, shortcut.path.c_str(), size);
            GlobalUnlock(block);
            EmptyClipboard();
            // The clipboard owns the block once it takes it.
            if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
        } else {
            GlobalFree(block);
        }
    }
    CloseClipboard();
}

void runFile(const std::string& target) {
    std::string commandLine = runFileCommandLine(target);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                       nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return;
    }

    const std::string file = runFileShellFile(target);
    const std::optional<std::string> folder = runFileWorkingFolder(file);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "";
    info.lpFile = file.c_str();
    info.lpParameters = "";
    info.lpDirectory = folder ? folder->c_str() : nullptr;
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&info) && info.hProcess) CloseHandle(info.hProcess);
}

}  // namespace kivolt
