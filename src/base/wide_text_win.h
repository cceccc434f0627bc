#pragma once
// ANSI (system code page) text to the UTF-16 that the COM interfaces take.

#include <string>
#include <string_view>

namespace kivolt {

std::wstring wideFromAnsi(std::string_view text);

}  // namespace kivolt
