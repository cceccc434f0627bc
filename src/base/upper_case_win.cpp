#include <windows.h>

#include "base/text.h"

namespace kivolt {

std::string upperCase(std::string_view text) {
    std::string result(text);
    if (!result.empty()) CharUpperBuffA(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

}  // namespace kivolt
