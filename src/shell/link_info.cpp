#include "shell/link_info.h"

namespace kivolt {

namespace {

constexpr int kShowNormal = 1;          // SW_SHOWNORMAL
constexpr int kShowMinimized = 2;       // SW_SHOWMINIMIZED
constexpr int kShowMinNoActive = 7;     // SW_SHOWMINNOACTIVE
constexpr int kLastShowCommand = 11;    // SW_FORCEMINIMIZE

}  // namespace

int linkShowCommand(int linkValue) {
    if (linkValue == kShowMinNoActive) return kShowMinimized;
    if (linkValue < 0 || linkValue > kLastShowCommand) return kShowNormal;
    return linkValue;
}

}  // namespace kivolt
