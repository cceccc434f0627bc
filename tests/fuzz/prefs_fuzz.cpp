// Whatever the bytes, parsing must not crash, and a rewrite must read back as the same
// entries in both encodings: otherwise a save would change what a hand-edited file says.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/prefs_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using kivolt::PrefsFile;
    const auto entries = PrefsFile::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const bool utf8 : {false, true}) {
        const std::string text = PrefsFile::serialise(entries, utf8);
        std::string_view content = text;
        if (utf8) content.remove_prefix(3);  // the byte order mark, which open() strips
        if (PrefsFile::parse(content) != entries) __builtin_trap();
    }
    return 0;
}
