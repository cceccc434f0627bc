#include "ui/image_file_win.h"

#include <windows.h>

#include <new>
#include <vector>

#include "base/file_io_win.h"
#include "ui/image_decode.h"

namespace kivolt {

namespace {
// No background image file of any sense is larger; a bigger one is not even read.
constexpr std::size_t kMaxImageFileBytes = 256 * 1024 * 1024;
}  // namespace

std::optional<Image> loadImageFile(const std::string& path) {
    const UniqueFile file = openFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (!file) return std::nullopt;
    const std::optional<std::size_t> size = fileSize(file.get(), kMaxImageFileBytes);
    if (!size || *size == 0) return std::nullopt;
    // A 32-bit process can run out of address space for a large picture, or for the file
    // beside it: then there is no picture, as for a file we cannot read.
    try {
        std::vector<std::uint8_t> bytes(*size);
        if (readUpTo(file.get(), bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
        return decodeImage(bytes);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace kivolt
