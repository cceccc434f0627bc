#include "settings/shell_link_rules.h"

namespace kivolt {

std::string linkIconPath(std::string_view iconPath, std::string_view target) {
    return std::string(iconPath == "|" ? target : iconPath);
}

std::string linkWorkingFolder(std::string_view workingDir, std::string_view target) {
    if (!workingDir.empty()) return std::string(workingDir);
    if (target.starts_with('"')) target.remove_prefix(1);
    target = target.substr(0, target.find('|'));
    const std::size_t separator = target.find_last_of("\\/");
    if (separator == std::string_view::npos) return {};
    return std::string(target.substr(0, separator + 1));
}

}  // namespace kivolt
