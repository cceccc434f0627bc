#include "settings/final_path.h"

namespace kivolt {

std::string withoutLongPathPrefix(std::string_view finalName) {
    constexpr std::string_view kShare = "\\\\?\\UNC\\";
    constexpr std::string_view kLocal = "\\\\?\\";
    if (finalName.starts_with(kShare)) return "\\\\" + std::string(finalName.substr(kShare.size()));
    if (finalName.starts_with(kLocal)) return std::string(finalName.substr(kLocal.size()));
    return std::string(finalName);
}

}  // namespace kivolt
