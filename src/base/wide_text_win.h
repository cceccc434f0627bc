#pragma once
// ANSI (system code page) text to and from the UTF-16 that the COM interfaces use.

#include <string>
#include <string_view>

namespace kivolt {

std::wstring wideFromAnsi(std::string_view text);

// Characters the code page lacks become its default character.
std::string ansiFromWide(std::wstring_view text);

}  // namespace kivolt
