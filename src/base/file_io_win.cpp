#include "base/file_io_win.h"

#include <algorithm>

namespace kivolt {

UniqueFile openFile(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD attributes) {
    return UniqueFile(CreateFileA(path.c_str(), access, share, nullptr, disposition, attributes, nullptr));
}

std::optional<std::size_t> fileSize(HANDLE file, std::size_t maxBytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || static_cast<ULONGLONG>(size.QuadPart) > maxBytes)
        return std::nullopt;
    return static_cast<std::size_t>(size.QuadPart);
}

std::size_t readUpTo(HANDLE file, void* into, std::size_t size) {
    auto* bytes = static_cast<char*>(into);
    std::size_t done = 0;
    while (done < size) {
        // One ReadFile call takes a DWORD count.
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, MAXDWORD));
        DWORD got = 0;
        if (!ReadFile(file, bytes + done, chunk, &got, nullptr) || got == 0) break;
        done += got;
    }
    return done;
}

}  // namespace kivolt
