#include "shell/launch_win.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "base/text.h"
#include "shell/launch_plan.h"

namespace kivolt {

namespace {

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// An empty verb or folder is passed as none: the default verb, the launcher's own folder.
const char* textOrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// ShellExecuteExA, which shows the shell's own messages (no associated program, a missing
// file) the way Explorer does.
void openWithShell(const ShellLaunch& launch) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.lpVerb = textOrNull(launch.verb);
    info.lpFile = launch.file.c_str();
    info.lpParameters = launch.parameters.c_str();
    info.lpDirectory = textOrNull(launch.folder);
    info.nShow = launch.showCommand;
    ShellExecuteExA(&info);
}

}  // namespace

void launchShortcut(const Shortcut& shortcut) {
    if (!isExecutablePath(shortcut.path)) {
        openWithShell(documentLaunch(shortcut.path, isFolder(shortcut.path)));
        return;
    }
    const ShellLaunch launch = executableLaunch(shortcut);
    ShellExecuteA(nullptr, textOrNull(launch.verb), launch.file.c_str(), launch.parameters.c_str(),
                  textOrNull(launch.folder), launch.showCommand);
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
    openWithShell({"", file, "", runFileWorkingFolder(file), SW_SHOWNORMAL});
}

}  // namespace kivolt
