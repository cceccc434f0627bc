#pragma once
// Text helpers shared by every subsystem. Texts are ANSI (code page 1252) bytes.

#include <string>
#include <string_view>

namespace kivolt {

// The file-name part of a path: a leading double quote is skipped; the part starts after
// the last backslash or slash and ends before the first double quote after its start.
std::string filePart(std::string_view path);

// The text after the last dot of the file part, up to a double quote or the end;
// empty when the file part has no dot.
std::string extensionPart(std::string_view path);

// The last four characters, upper-cased, are ".EXE".
bool isExecutablePath(std::string_view path);

// Upper-casing as the system's ANSI code page does it: CharUpperA on Windows, the
// code page 1252 table below natively.
std::string upperCase(std::string_view text);

// Code page 1252 upper-casing, byte for byte what CharUpperA gives under that code page.
unsigned char upperCaseCp1252(unsigned char c);

}  // namespace kivolt
