#pragma once
// Decoding of image files held in memory: Windows bitmaps, icon files, JPEG and PNG.
// Every decoder returns std::nullopt for data it does not accept, including pictures
// beyond the memory bound (image_limits.h), truncated files and headers that claim more
// than the data holds. Truncated JPEGs and run-length bitmaps are the exception: they show
// what they hold, as Windows and other viewers show them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ui/image.h"

namespace kivolt {

// Picks the decoder by the first bytes: "BM" a bitmap, 00 00 01 00 an icon file,
// otherwise JPEG and then PNG are tried.
std::optional<Image> decodeImage(std::span<const std::uint8_t> bytes);

// A Windows bitmap file: 24-bit result, 32-bit when the file has 32 bits per pixel.
// Uncompressed, bitfields and run-length encoded (RLE8, RLE4).
std::optional<Image> decodeBmp(std::span<const std::uint8_t> bytes);

// An icon file: the entry chooseIconEntry picks, as a 32-bit image blended by its alpha.
std::optional<Image> decodeIconFile(std::span<const std::uint8_t> bytes);

// A JPEG file: always 24-bit. What a truncated file lacks is grey, as libjpeg fills it.
std::optional<Image> decodeJpeg(std::span<const std::uint8_t> bytes);

// A PNG file: truecolour gives 24 bits (a transparent colour is dropped), everything else
// 32 with alpha.
std::optional<Image> decodePng(std::span<const std::uint8_t> bytes);

// Where the chosen image of an icon file lies: among the entries as large as the first
// one, the one with the most bits per pixel. width and height are the image's own (from
// its bitmap header, whose height counts the AND mask too, or from its PNG header).
struct IconEntry {
    std::size_t offset = 0;
    std::size_t size = 0;
    int width = 0;
    int height = 0;
};
std::optional<IconEntry> chooseIconEntry(std::span<const std::uint8_t> iconFile);
// The same among the entries of `size` × `size` pixels.
std::optional<IconEntry> chooseIconEntry(std::span<const std::uint8_t> iconFile, int size);

// The edge lengths of the square pictures an icon directory lists, in its order: the
// header of an icon file (16-byte entries) or an icon group resource (14-byte entries).
// Empty for data that is no icon directory.
constexpr std::size_t kIconFileEntrySize = 16;
constexpr std::size_t kIconGroupEntrySize = 14;
std::vector<int> iconDirectorySizes(std::span<const std::uint8_t> directory, std::size_t entrySize);

}  // namespace kivolt
