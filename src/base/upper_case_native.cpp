// Natively there is no CharUpperA: the code page 1252 table stands in for it.
#include "base/text.h"

namespace kivolt {

std::string upperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(upperCaseCp1252(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace kivolt
