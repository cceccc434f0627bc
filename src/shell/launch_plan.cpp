#include "shell/launch_plan.h"

#include <algorithm>

namespace kivolt {

namespace {

constexpr int kShowNormal = 1;  // SW_SHOWNORMAL

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// "C:\...", "\\server\share\..." or "\...": a path that does not depend on the current folder.
bool isRooted(std::string_view path) {
    if (!path.empty() && isSeparator(path.front())) return true;
    return path.size() >= 3 && path[1] == ':' && isSeparator(path[2]);
}

// Where a launch of `path` works. A relative path keeps the launcher's own folder: it was
// meant relative to that folder, and the shell looks for the file in the folder it is given.
std::string workingFolder(std::string_view path, bool isFolder) {
    if (!isRooted(path)) return {};
    return isFolder ? std::string(path) : containingFolder(path);
}

}  // namespace

int showCommandFor(int runMode) {
    if (runMode < 0 || runMode > 2) return kShowNormal;
    return runMode + 1;
}

ShellLaunch executableLaunch(const Shortcut& shortcut) {
    return {shortcut.runAsAdmin != 0 ? "runas" : "", shortcut.path, shortcut.parameters,
            workingFolder(shortcut.path, false), showCommandFor(shortcut.runMode)};
}

ShellLaunch documentLaunch(std::string_view path, bool isFolder) {
    std::string file = runFileShellFile(path);
    if (isFolder && !file.empty() && !isSeparator(file.back())) file += '\\';
    std::string folder = workingFolder(file, isFolder);
    return {"", std::move(file), "", std::move(folder), kShowNormal};
}

std::string containingFolder(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string_view::npos) return {};
    return std::string(path.substr(0, separator + 1));
}

std::string runFileCommandLine(std::string_view target) {
    if (target.starts_with('"')) return std::string(target);
    return '"' + std::string(target) + '"';
}

std::string runFileShellFile(std::string_view target) {
    std::string file(target);
    std::erase(file, '"');
    return file;
}

std::string runFileWorkingFolder(std::string_view shellFile) {
    const std::size_t backslash = shellFile.find_last_of('\\');
    if (backslash == std::string_view::npos || backslash == 0) return {};
    return std::string(shellFile.substr(0, backslash + 1));
}

}  // namespace kivolt
