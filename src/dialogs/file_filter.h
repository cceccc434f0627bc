#pragma once
// File-dialog filters written as "name|pattern|name|pattern", turned into the form the
// system's file dialogs take.

#include <string>
#include <string_view>

namespace kivolt {

// Every "|" becomes a NUL and the whole ends in two NULs (the string's own terminator is
// the second one).
std::string fileDialogFilter(std::string_view filter);

}  // namespace kivolt
