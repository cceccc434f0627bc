#include "ui/image_file_win.h"

#include <windows.h>

#include <vector>

#include "base/unique_handle_win.h"
#include "ui/image_decode.h"

namespace kivolt {

namespace {
// No background image file of any sense is larger; a bigger one is not even read.
constexpr LONGLONG kMaxImageFileBytes = 256LL * 1024 * 1024;
}  // namespace

std::optional<Image> loadImageFile(const std::string& path) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMaxImageFileBytes)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr) ||
            got == 0)
            return std::nullopt;
        done += got;
    }
    return decodeImage(bytes);
}

}  // namespace kivolt
