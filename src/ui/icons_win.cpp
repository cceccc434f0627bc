#include "ui/icons_win.h"

#include <shellapi.h>

#include <cstring>

#include "base/file_io_win.h"
#include "resources/resource_ids.h"
#include "ui/icon_pixels.h"
#include "ui/image_decode.h"
#include "ui/raster.h"

namespace kivolt {
namespace {

constexpr std::size_t kIconDirectoryHeaderSize = 6;

std::span<const std::uint8_t> resourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC resource = FindResourceA(module, name, type);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes) return {};
    return {bytes, SizeofResource(module, resource)};
}

LPCSTR groupIconType() { return MAKEINTRESOURCEA(14); }  // RT_GROUP_ICON

std::vector<int> groupSizes(HMODULE module, LPCSTR name) {
    return iconDirectorySizes(resourceBytes(module, name, groupIconType()), kIconGroupEntrySize);
}

// The index-th icon group in the order the module lists them.
struct GroupSearch {
    int index = 0;
    int seen = 0;
    std::vector<int> sizes;
};

BOOL CALLBACK visitGroup(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param) noexcept {
    auto* search = reinterpret_cast<GroupSearch*>(param);
    if (search->seen++ != search->index) return TRUE;
    search->sizes = groupSizes(module, name);  // the name is only valid during the visit
    return FALSE;
}

std::vector<int> moduleIconSizes(HMODULE module, int index) {
    if (index < 0) {
        // A negative index names the group by its resource id.
        if (index < -0xFFFF) return {};
        return groupSizes(module, MAKEINTRESOURCEA(-index));
    }
    GroupSearch search;
    search.index = index;
    EnumResourceNamesA(module, groupIconType(), visitGroup, reinterpret_cast<LONG_PTR>(&search));
    return search.sizes;
}

// The directory at the start of an icon file.
std::vector<int> iconFileSizes(const std::string& path) {
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    UniqueFile file = openFile(path, GENERIC_READ, share, OPEN_EXISTING);
    if (!file) return {};
    std::vector<std::uint8_t> directory(kIconDirectoryHeaderSize);
    if (readUpTo(file.get(), directory.data(), directory.size()) != directory.size()) return {};
    const std::size_t entryBytes = (directory[4] | directory[5] << 8) * kIconFileEntrySize;
    directory.resize(kIconDirectoryHeaderSize + entryBytes);
    const std::size_t read = readUpTo(file.get(), directory.data() + kIconDirectoryHeaderSize, entryBytes);
    directory.resize(kIconDirectoryHeaderSize + read);
    return iconDirectorySizes(directory, kIconFileEntrySize);
}

// The edge length of the icon's picture.
int iconEdge(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    if (colour) return GetObjectA(colour.get(), sizeof(bitmap), &bitmap) ? bitmap.bmWidth : 0;
    // A monochrome icon: the mask holds the AND and the XOR halves one above the other.
    return GetObjectA(mask.get(), sizeof(bitmap), &bitmap) ? bitmap.bmWidth : 0;
}

// The icon drawn unscaled into a 32-bit image whose bytes were all `fill` before.
std::optional<Image> drawIcon(HICON icon, int edge, UINT flags, std::uint8_t fill) {
    DibSection dib = createDibSection(edge, edge, 32);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dib.bits || !dc) return std::nullopt;
    const std::size_t bytes = static_cast<std::size_t>(edge) * edge * 4;
    std::memset(dib.bits, fill, bytes);
    {
        SelectScope select(dc.get(), dib.bitmap.get());
        DrawIconEx(dc.get(), 0, 0, icon, edge, edge, 0, nullptr, flags);
        GdiFlush();
    }
    Image image;
    image.width = edge;
    image.height = edge;
    image.bytesPerPixel = 4;
    image.pixels.assign(static_cast<const std::uint8_t*>(dib.bits), static_cast<const std::uint8_t*>(dib.bits) + bytes);
    return image;
}

}  // namespace

UniqueIcon IconFilePictures::pictureFor(int itemSize) const {
    const std::vector<int> offered = iconDirectorySizes(file_, kIconFileEntrySize);
    const std::optional<IconEntry> entry = chooseIconEntry(file_, pictureSizeFor(offered, itemSize));
    if (!entry) return {};
    // CreateIconFromResourceEx takes a non-const pointer but only reads the data.
    return UniqueIcon(CreateIconFromResourceEx(const_cast<PBYTE>(file_.data() + entry->offset),
                                               static_cast<DWORD>(entry->size), TRUE, 0x30000, entry->width,
                                               entry->height, LR_DEFAULTCOLOR));
}

UniqueIcon ShellPictures::pictureFor(int itemSize) const {
    if (!location_.file.empty()) {
        const int size = pictureSizeFor(offeredIconSizes(location_.file, location_.index), itemSize);
        HICON picture = nullptr;
        const UINT count = PrivateExtractIconsA(location_.file.c_str(), location_.index, size, size, &picture,
                                                nullptr, 1, LR_DEFAULTCOLOR);
        if (count == 1 && picture) return UniqueIcon(picture);
    }
    return UniqueIcon(shellIcon_ ? CopyIcon(shellIcon_.get()) : nullptr);
}

std::span<const std::uint8_t> embeddedFolderIconFile(HINSTANCE instance) {
    return resourceBytes(instance, MAKEINTRESOURCEA(IDR_FOLDER_ICON_FILE), MAKEINTRESOURCEA(10));  // RT_RCDATA
}

std::unique_ptr<ShellPictures> shellIconFor(const std::string& path, IconRequest request) {
    const UINT byName = request == IconRequest::FromName ? SHGFI_USEFILEATTRIBUTES : 0;
    SHFILEINFOA location{};
    SHGetFileInfoA(path.c_str(), 0, &location, sizeof(location), SHGFI_ICONLOCATION | byName);
    SHFILEINFOA icon{};
    SHGetFileInfoA(path.c_str(), 0, &icon, sizeof(icon), SHGFI_ICON | byName);
    UniqueIcon shellIcon(icon.hIcon);
    IconLocation pictures = iconLocationFor(path, request, location.szDisplayName, location.iIcon);
    if (pictures.file.empty() && !shellIcon) return nullptr;
    return std::make_unique<ShellPictures>(std::move(pictures), std::move(shellIcon));
}

std::vector<int> offeredIconSizes(const std::string& location, int index) {
    const UniqueModule module(
        LoadLibraryExA(location.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (module) return moduleIconSizes(module.get(), index);
    return index == 0 ? iconFileSizes(location) : std::vector<int>{};
}

std::optional<Image> renderIcon(HICON icon, int n) {
    const int edge = icon ? iconEdge(icon) : 0;
    if (edge <= 0 || n <= 0) return std::nullopt;
    std::optional<Image> image = drawIcon(icon, edge, DI_NORMAL, 0);
    if (!image) return std::nullopt;
    if (hasAlpha(*image)) {
        unpremultiply(*image);
    } else if (const std::optional<Image> mask = drawIcon(icon, edge, DI_MASK, 0xFF)) {
        alphaFromMask(*image, *mask);
    }
    if (edge != n) image = scaledImage(*image, n, n);
    return image;
}

IconRef ShellIcons::iconFor(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const PathKind kind = attributes == INVALID_FILE_ATTRIBUTES      ? PathKind::Missing
                          : (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Directory
                                                                    : PathKind::File;
    const IconRequest request = iconRequestFor(path, kind);
    if (request == IconRequest::FolderIcon) return folderIcon();
    IconPictures* pictures = shellIconFor(path, request).release();
    return pictures;
}

std::optional<Image> ShellIcons::renderIcon(IconRef icon, int size) {
    const auto* pictures = static_cast<const IconPictures*>(icon);
    if (!pictures) return std::nullopt;
    return kivolt::renderIcon(pictures->pictureFor(size).get(), size);
}

void ShellIcons::releaseIcon(IconRef icon) {
    if (icon != folderIcon()) delete static_cast<IconPictures*>(icon);
}

}  // namespace kivolt
