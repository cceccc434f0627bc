#include "ui/icons_win.h"

#include <shellapi.h>

#include <cstring>
#include <span>

#include "resources/resource_ids.h"
#include "ui/gdi_handles_win.h"
#include "ui/image_decode.h"

namespace kivolt {

HICON loadDefaultFolderIcon(HINSTANCE instance) {
    HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(IDR_FOLDER_ICON_FILE), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(instance, resource);
    const auto* bytes = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes) return nullptr;
    const std::span<const std::uint8_t> file(bytes, SizeofResource(instance, resource));
    const std::optional<IconEntry> entry = chooseIconEntry(file);
    if (!entry) return nullptr;
    // CreateIconFromResourceEx takes a non-const pointer but only reads the data.
    return CreateIconFromResourceEx(const_cast<PBYTE>(file.data() + entry->offset), static_cast<DWORD>(entry->size),
                                    TRUE, 0x30000, entry->width, entry->height, LR_DEFAULTCOLOR);
}

HICON shellIconFor(const std::string& path) {
    SHFILEINFOA info{};
    SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_USEFILEATTRIBUTES);
    return info.hIcon;
}

std::optional<Image> renderIcon(HICON icon, int n) {
    if (!icon || n <= 0) return std::nullopt;
    DibSection dib = createDibSection(n, n, 32);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dib.bits || !dc) return std::nullopt;
    const size_t bytes = static_cast<size_t>(n) * n * 4;
    std::memset(dib.bits, 0, bytes);
    {
        SelectScope select(dc.get(), dib.bitmap.get());
        DrawIconEx(dc.get(), 0, 0, icon, n, n, 0, nullptr, DI_NORMAL);
        GdiFlush();
    }
    Image image;
    image.width = n;
    image.height = n;
    image.bytesPerPixel = 4;
    image.pixels.assign(static_cast<const std::uint8_t*>(dib.bits), static_cast<const std::uint8_t*>(dib.bits) + bytes);
    return image;
}

ShellIcons::~ShellIcons() {
    if (folderIcon_) DestroyIcon(folderIcon_);
}

IconRef ShellIcons::iconFor(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return folderIcon_;
    return shellIconFor(path);
}

std::optional<Image> ShellIcons::renderIcon(IconRef icon, int size) {
    return kivolt::renderIcon(static_cast<HICON>(icon), size);
}

void ShellIcons::releaseIcon(IconRef icon) {
    if (icon && icon != folderIcon_) DestroyIcon(static_cast<HICON>(icon));
}

}  // namespace kivolt
