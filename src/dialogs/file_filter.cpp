#include "dialogs/file_filter.h"

#include <algorithm>

namespace kivolt {

std::string fileDialogFilter(std::string_view filter) {
    std::string out(filter);
    std::replace(out.begin(), out.end(), '|', '\0');
    out += '\0';
    return out;
}

}  // namespace kivolt
