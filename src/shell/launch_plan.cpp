#include "shell/launch_plan.h"

#include <algorithm>

namespace kivolt {

namespace {

constexpr int kShowNormal = 1;        // SW_SHOWNORMAL
constexpr int kLastShowCommand = 11;  // SW_FORCEMINIMIZE

}  // namespace

int showCommandFor(int runMode) {
    if (runMode < -1 || runMode >= kLastShowCommand) return kShowNormal;
    return runMode + 1;
}

ExecutableLaunch executableLaunch(const Shortcut& shortcut) {
    return {shortcut.runAsAdmin != 0 ? "runas" : "", shortcut.path, shortcut.parameters,
            showCommandFor(shortcut.runMode)};
}

std::string runFileTarget(std::string_view path, bool isFolder) {
    std::string target(path);
    if (isFolder) target += '\\';
    return target;
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

std::optional<std::string> runFileWorkingFolder(std::string_view shellFile) {
    const std::size_t backslash = shellFile.find_last_of('\\');
    if (backslash == std::string_view::npos || backslash == 0) return std::nullopt;
    return std::string(shellFile.substr(0, backslash + 1));
}

}  // namespace kivolt
