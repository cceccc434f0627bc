#include "ui/image_decode.h"
#include "ui/image_limits.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "image_fixtures.h"

namespace kivolt {
namespace {

using testing::bmpFile;
using testing::BmpParts;
using testing::Bytes;
using testing::dibHeader;
using testing::JpegRecipe;
using testing::put16;
using testing::put32;
using testing::writeJpeg;

struct Bgra {
    int b, g, r, a;
    bool operator==(const Bgra&) const = default;
};

void PrintTo(const Bgra& c, std::ostream* os) {
    *os << "(b " << c.b << ", g " << c.g << ", r " << c.r << ", a " << c.a << ")";
}

Bgra pixelOf(const Image& image, int x, int y) {
    const std::uint8_t* p = image.pixels.data() + y * image.stride() + x * image.bytesPerPixel;
    return {p[0], p[1], p[2], image.bytesPerPixel == 4 ? p[3] : 255};
}

void expectWellFormed(const Image& image) {
    EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(image.stride()) * image.height);
}

void set32(Bytes& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = v >> (8 * i) & 0xFF;
}

// Rows of width values of the given bit depth, each padded to 4 bytes, stored bottom-up
// unless topDown. Values are palette indexes, 16-bit words or 0xAARRGGBB.
Bytes packRows(int width, int height, int bits, bool topDown, const std::function<std::uint32_t(int, int)>& value) {
    std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    Bytes out(rowBytes * height, 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = out.data() + rowBytes * (topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t v = value(x, y);
            if (bits < 8) {
                int perByte = 8 / bits;
                row[x / perByte] |= v << (8 - bits * (x % perByte + 1));
            } else {
                for (int i = 0; i < bits / 8; ++i) row[x * bits / 8 + i] = v >> (8 * i) & 0xFF;
            }
        }
    }
    return out;
}



Bytes greyRamp(int entries, int entrySize) {
    Bytes palette;
    for (int i = 0; i < entries; ++i) {
        int v = i * 255 / (entries - 1);
        palette.insert(palette.end(), {std::uint8_t(v), std::uint8_t(255 - v), std::uint8_t(i * 7)});
        if (entrySize == 4) palette.push_back(0);
    }
    return palette;
}

// ---------------------------------------------------------------------------------------
// Bitmaps

struct BmpCase {
    std::string name;
    int bits;
    std::uint32_t compression;
    std::vector<std::uint32_t> masks;
    std::function<std::uint32_t(int, int)> value;
    std::function<Bgra(std::uint32_t)> colour;  // what the decoder should make of a value
    int paletteEntries = 0;
};

Bgra paletteEntry(const Bytes& palette, std::uint32_t index) {
    return {palette[4 * index], palette[4 * index + 1], palette[4 * index + 2], 255};
}

// Mask channels scale to 0..255 rounded, not cut: 3 of 31 is 25 (24.68), not 24.
int scale(std::uint32_t v, int max) { return static_cast<int>((v * 255 + max / 2) / max); }

std::vector<BmpCase> bmpCases() {
    auto indexed = [](int bits) {
        int n = 1 << bits;
        Bytes palette = greyRamp(n, 4);
        return BmpCase{std::to_string(bits) + "-bit palette", bits, 0, {},
                       [n](int x, int y) { return std::uint32_t((x * 3 + y * 5) % n); },
                       [palette](std::uint32_t v) { return paletteEntry(palette, v); }, n};
    };
    auto rgb555 = [](int x, int y) { return std::uint32_t(x * 3 % 32 << 10 | (y * 7 % 32) << 5 | (x + y) * 5 % 32); };
    auto rgb565 = [](int x, int y) { return std::uint32_t(x * 9 % 32 << 11 | (y * 13 % 64) << 5 | (x + y) * 5 % 32); };
    auto argb = [](int x, int y) { return std::uint32_t(0x80000000u | (x * 40) << 16 | (y * 60) << 8 | (x + y) * 10); };
    return {
        indexed(1), indexed(4), indexed(8),
        {"16-bit 555", 16, 0, {}, rgb555,
         [](std::uint32_t v) { return Bgra{scale(v & 31, 31), scale(v >> 5 & 31, 31), scale(v >> 10 & 31, 31), 255}; }},
        {"16-bit 565 bitfields", 16, 3, {0xF800, 0x07E0, 0x001F}, rgb565,
         [](std::uint32_t v) { return Bgra{scale(v & 31, 31), scale(v >> 5 & 63, 63), scale(v >> 11, 31), 255}; }},
        {"24-bit", 24, 0, {}, [](int x, int y) { return std::uint32_t((x * 40) << 16 | (y * 60) << 8 | 7); },
         [](std::uint32_t v) { return Bgra{int(v & 255), int(v >> 8 & 255), int(v >> 16 & 255), 255}; }},
        {"32-bit with alpha", 32, 0, {}, argb,
         [](std::uint32_t v) { return Bgra{int(v & 255), int(v >> 8 & 255), int(v >> 16 & 255), int(v >> 24)}; }},
        // Masks in an unusual order: blue in the top byte, red in the lowest.
        {"32-bit bitfields", 32, 3, {0x000000FF, 0x0000FF00, 0xFF000000}, argb,
         [](std::uint32_t v) { return Bgra{int(v >> 24), int(v >> 8 & 255), int(v & 255), 255}; }},
    };
}

TEST(BmpDecode, DecodesEveryDepthInBothRowOrders) {
    const int width = 5, height = 3;  // odd width: every depth needs row padding
    for (const BmpCase& c : bmpCases()) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(c.name + (topDown ? " top-down" : " bottom-up"));
            BmpParts parts{dibHeader(40, width, topDown ? -height : height, c.bits, c.compression, 0, c.masks),
                           greyRamp(c.paletteEntries, 4), packRows(width, height, c.bits, topDown, c.value)};
            if (c.paletteEntries == 0) parts.palette.clear();
            auto image = decodeBmp(bmpFile(parts));
            ASSERT_TRUE(image);
            EXPECT_EQ(image->width, width);
            EXPECT_EQ(image->height, height);
            EXPECT_EQ(image->bytesPerPixel, c.bits == 32 ? 4 : 3);
            EXPECT_FALSE(image->blendByAlpha);
            expectWellFormed(*image);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) EXPECT_EQ(pixelOf(*image, x, y), c.colour(c.value(x, y))) << x << "," << y;
        }
    }
}

TEST(BmpDecode, ThirtyTwoBitsWithoutAnyAlphaBecomeOpaque) {
    auto noAlpha = [](int x, int y) { return std::uint32_t(x * 50 << 16 | y * 50); };
    auto image = decodeBmp(bmpFile({dibHeader(40, 4, 2, 32, 0, 0, {}), {}, packRows(4, 2, 32, false, noAlpha)}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->bytesPerPixel, 4);
    EXPECT_EQ(pixelOf(*image, 3, 1), (Bgra{50, 0, 150, 255}));

    // One non-zero alpha byte anywhere keeps the stored alpha, zeros included.
    auto oneAlpha = [&](int x, int y) { return noAlpha(x, y) | (x == 3 && y == 1 ? 0x01000000u : 0); };
    image = decodeBmp(bmpFile({dibHeader(40, 4, 2, 32, 0, 0, {}), {}, packRows(4, 2, 32, false, oneAlpha)}));
    ASSERT_TRUE(image);
    EXPECT_EQ(pixelOf(*image, 0, 0).a, 0);
    EXPECT_EQ(pixelOf(*image, 3, 1).a, 1);
}

TEST(BmpDecode, ReadsCoreAndV5Headers) {
    auto index = [](int x, int y) { return std::uint32_t(x + 2 * y); };
    Bytes palette3 = greyRamp(256, 3);
    auto core = decodeBmp(bmpFile({dibHeader(12, 3, 2, 8, 0, 0, {}), palette3, packRows(3, 2, 8, false, index)}));
    ASSERT_TRUE(core);
    EXPECT_EQ(pixelOf(*core, 2, 1), (Bgra{palette3[12], palette3[13], palette3[14], 255}));

    // A V5 header carries its masks inside, alpha included.
    auto v5 = decodeBmp(bmpFile({dibHeader(124, 2, 1, 32, 3, 0, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}), {},
                                 packRows(2, 1, 32, false, [](int x, int) { return x ? 0x40102030u : 0xFF000000u; })}));
    ASSERT_TRUE(v5);
    EXPECT_EQ(v5->bytesPerPixel, 4);
    EXPECT_EQ(pixelOf(*v5, 0, 0), (Bgra{0, 0, 0, 255}));
    EXPECT_EQ(pixelOf(*v5, 1, 0), (Bgra{0x30, 0x20, 0x10, 0x40}));
}

TEST(BmpDecode, ShortPaletteLeavesMissingColoursBlack) {
    Bytes palette = greyRamp(2, 4);  // biClrUsed = 2, but the pixels use index 5 too
    auto image = decodeBmp(bmpFile({dibHeader(40, 2, 1, 8, 0, 2, {}), palette,
                                    packRows(2, 1, 8, false, [](int x, int) { return x ? 5u : 1u; })}));
    ASSERT_TRUE(image);
    EXPECT_EQ(pixelOf(*image, 0, 0), paletteEntry(palette, 1));
    EXPECT_EQ(pixelOf(*image, 1, 0), (Bgra{0, 0, 0, 255}));
}

// A run-length encoded bitmap over the 16 grey ramp colours; compression 1 is RLE8, 2 RLE4.
Bytes rleBmp(int bits, std::uint32_t compression, int width, int height, const Bytes& codes) {
    return bmpFile({dibHeader(40, width, height, bits, compression, 16, {}), greyRamp(16, 4), codes});
}

// The picture as rows of palette indexes in hex, top row first ('?' for no palette colour).
std::vector<std::string> indexRows(const Image& image, const Bytes& palette) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height; ++y) {
        std::string row;
        for (int x = 0; x < image.width; ++x) {
            char index = '?';
            for (unsigned i = 0; i < palette.size() / 4; ++i)
                if (pixelOf(image, x, y) == paletteEntry(palette, i)) index = "0123456789abcdef"[i];
            row += index;
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(BmpDecode, ExpandsRunLengthCodes) {
    struct Case {
        const char* name;
        int bits;
        Bytes codes;  // the 4 x 3 picture, bottom row first
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"runs and line ends", 8, {3, 5, 1, 7, 0, 0, 4, 2, 0, 0, 2, 9, 0, 1}, {"9900", "2222", "5557"}},
        {"absolute runs, padded to 16 bits", 8, {0, 3, 1, 2, 3, 0, 1, 4, 0, 0, 0, 4, 5, 6, 7, 8, 0, 1},
         {"0000", "5678", "1234"}},
        {"delta to the next row", 8, {1, 1, 0, 2, 2, 1, 1, 3, 0, 1}, {"0000", "0003", "1000"}},
        {"delta along the row", 8, {0, 2, 2, 0, 2, 4, 0, 1}, {"0000", "0000", "0044"}},
        {"early line ends", 8, {2, 5, 0, 0, 1, 6, 0, 1}, {"0000", "6000", "5500"}},
        {"end of bitmap at once", 8, {0, 1, 4, 9}, {"0000", "0000", "0000"}},
        {"no end code", 8, {4, 1, 0, 0, 2, 2}, {"0000", "2200", "1111"}},
        {"a run past the right edge is cut, not wrapped", 8, {6, 5, 2, 6, 0, 0, 1, 7, 0, 1}, {"0000", "7000", "5555"}},
        {"an absolute run past the right edge", 8, {0, 5, 1, 2, 3, 4, 5, 0, 0, 0, 0, 3, 6, 7, 8, 0, 0, 1},
         {"0000", "6780", "1234"}},
        {"a line end past the last row", 8, {1, 1, 0, 0, 1, 2, 0, 0, 1, 3, 0, 0, 1, 4, 0, 1}, {"3000", "2000", "1000"}},
        {"a delta below the last row", 8, {1, 1, 0, 2, 0, 9, 1, 7, 0, 1}, {"0000", "0000", "1000"}},
        {"a delta past the right edge", 8, {0, 2, 9, 0, 1, 7, 0, 0, 1, 8, 0, 1}, {"0000", "8000", "0000"}},
        {"an absolute run cut short", 8, {2, 3, 0, 5, 1, 2}, {"0000", "0000", "3300"}},
        {"a delta cut short", 8, {1, 1, 0, 2, 1}, {"0000", "0000", "1000"}},
        {"a lone byte at the end", 8, {1, 1, 0}, {"0000", "0000", "1000"}},
        {"4-bit runs alternate two indexes", 4, {4, 0x12, 0, 0, 3, 0xAB, 0, 1}, {"0000", "aba0", "1212"}},
        {"4-bit absolute runs, padded to 16 bits", 4, {0, 5, 0x12, 0x34, 0x50, 0, 0, 0, 0, 3, 0xCD, 0xE0, 0, 1},
         {"0000", "cde0", "1234"}},
    };
    const Bytes palette = greyRamp(16, 4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto image = decodeBmp(rleBmp(c.bits, c.bits == 8 ? 1 : 2, 4, 3, c.codes));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->bytesPerPixel, 3);
        expectWellFormed(*image);
        EXPECT_EQ(indexRows(*image, palette), c.rows);
    }
}

TEST(BmpDecode, RunLengthHeadersWindowsRefuses) {
    const Bytes codes{4, 1, 0, 1};
    ASSERT_TRUE(decodeBmp(rleBmp(8, 1, 4, 3, codes)));
    EXPECT_FALSE(decodeBmp(rleBmp(8, 1, 4, -3, codes)));  // run-length rows are stored bottom-up only
    EXPECT_FALSE(decodeBmp(rleBmp(4, 1, 4, 3, codes)));   // 8-bit coding at 4 bits
    EXPECT_FALSE(decodeBmp(rleBmp(8, 2, 4, 3, codes)));   // and the other way round
}

Bytes sampleBmp() {
    return bmpFile({dibHeader(40, 5, 3, 8, 0, 4, {}), greyRamp(4, 4),
                    packRows(5, 3, 8, false, [](int x, int y) { return std::uint32_t((x + y) % 4); })});
}

TEST(BmpDecode, RejectsEveryTruncation) {
    Bytes file = sampleBmp();
    ASSERT_TRUE(decodeBmp(file));
    for (std::size_t n = 0; n < file.size(); ++n)
        EXPECT_FALSE(decodeBmp(std::span(file).first(n))) << "cut at " << n;
}

TEST(BmpDecode, RejectsHeadersThatLie) {
    struct Patch {
        const char* what;
        std::size_t at;  // offset in the file of a 32-bit field
        std::uint32_t value;
    };
    const Patch patches[] = {
        {"pixel offset past the end", 10, 0xFFFFFFF0},
        {"header size past the end", 14, 0x7FFFFFFF},
        {"header size too small", 14, 20},
        {"width far too large", 18, 100000},
        {"width zero", 18, 0},
        {"width negative", 18, 0xFFFFFFFB},
        {"height larger than the data", 22, 4000},
        {"height most negative", 22, 0x80000000},
        {"4-bit run-length coding at 8 bits", 30, 2},
        {"bitfields at 8 bits", 30, 3},
        {"a palette larger than the file", 46, 200},
    };
    for (const Patch& p : patches) {
        SCOPED_TRACE(p.what);
        Bytes file = sampleBmp();
        set32(file, p.at, p.value);
        EXPECT_FALSE(decodeBmp(file));
    }
    Bytes badDepth = sampleBmp();
    badDepth[28] = 7;
    EXPECT_FALSE(decodeBmp(badDepth));
}

// ---------------------------------------------------------------------------------------
// PNG

void appendPng(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

struct PngRecipe {
    int width, height, colourType, bitDepth;
    Bytes rows;  // packed rows without filter bytes
    std::vector<png_color> palette = {};
    Bytes transparency = {};    // tRNS for palettes
    png_color_16 trnsColour{};  // tRNS for gray and truecolour
    bool withTrnsColour = false;
    bool interlaced = false;
};

Bytes writePng(const PngRecipe& s) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write the fixture";
        return {};
    }
    png_set_write_fn(png, &out, appendPng, nullptr);
    png_set_IHDR(png, info, s.width, s.height, s.bitDepth, s.colourType,
                 s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!s.palette.empty()) png_set_PLTE(png, info, s.palette.data(), static_cast<int>(s.palette.size()));
    if (!s.transparency.empty())
        png_set_tRNS(png, info, s.transparency.data(), static_cast<int>(s.transparency.size()), nullptr);
    if (s.withTrnsColour) png_set_tRNS(png, info, nullptr, 0, &s.trnsColour);
    png_write_info(png, info);
    std::size_t rowBytes = s.rows.size() / s.height;
    std::vector<png_bytep> rows;
    for (int y = 0; y < s.height; ++y) rows.push_back(const_cast<png_bytep>(s.rows.data() + y * rowBytes));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

struct PngCase {
    std::string name;
    PngRecipe recipe;
    int bytesPerPixel;
    Bgra topLeft, bottomRight;
};

std::vector<PngCase> pngCases() {
    std::vector<png_color> palette{{10, 20, 30}, {200, 100, 50}};
    png_color_16 trnsRgb{};
    trnsRgb.red = 1, trnsRgb.green = 2, trnsRgb.blue = 3;
    PngRecipe rgbWithTrns{2, 2, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 9, 9, 9, 9, 9, 9, 7, 8, 9}};
    rgbWithTrns.trnsColour = trnsRgb;
    rgbWithTrns.withTrnsColour = true;
    // 2 x 2 images; bytes are the raw rows as stored.
    return {
        {"gray", {2, 2, PNG_COLOR_TYPE_GRAY, 8, {10, 20, 30, 40}}, 4, {10, 10, 10, 255}, {40, 40, 40, 255}},
        {"gray 1-bit", {2, 2, PNG_COLOR_TYPE_GRAY, 1, {0x80, 0x40}}, 4, {255, 255, 255, 255}, {255, 255, 255, 255}},
        {"truecolour", {2, 2, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}, 3, {3, 2, 1, 255},
         {12, 11, 10, 255}},
        {"truecolour 16-bit", {2, 2, PNG_COLOR_TYPE_RGB, 16, Bytes(24, 0)}, 3, {0, 0, 0, 255}, {0, 0, 0, 255}},
        {"truecolour with tRNS", rgbWithTrns, 3, {3, 2, 1, 255}, {9, 8, 7, 255}},
        {"palette with tRNS", {2, 2, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 1, 1}, palette, {128}}, 4,
         {30, 20, 10, 128}, {50, 100, 200, 255}},
        {"gray and alpha 16-bit", {2, 2, PNG_COLOR_TYPE_GRAY_ALPHA, 16, {0x12, 0x34, 0x80, 0, 0, 0, 0, 0,
                                                                         0, 0, 0, 0, 0xAB, 0xCD, 0xFF, 0xFF}},
         4, {0x12, 0x12, 0x12, 0x80}, {0xAB, 0xAB, 0xAB, 0xFF}},
        {"truecolour and alpha", {2, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8, {1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 9, 8, 7, 6}},
         4, {3, 2, 1, 4}, {7, 8, 9, 6}},
    };
}

TEST(PngDecode, DecodesEveryColourType) {
    for (PngCase c : pngCases()) {
        SCOPED_TRACE(c.name);
        if (c.name == "truecolour 16-bit") {
            c.recipe.rows[0] = 0xA1, c.recipe.rows[2] = 0xB2, c.recipe.rows[4] = 0xC3;  // top-left, high bytes
            c.topLeft = {0xC3, 0xB2, 0xA1, 255};
        }
        for (bool interlaced : {false, true}) {
            c.recipe.interlaced = interlaced;
            auto image = decodePng(writePng(c.recipe));
            ASSERT_TRUE(image);
            EXPECT_EQ(image->width, 2);
            EXPECT_EQ(image->height, 2);
            EXPECT_EQ(image->bytesPerPixel, c.bytesPerPixel);
            EXPECT_FALSE(image->blendByAlpha);
            expectWellFormed(*image);
            EXPECT_EQ(pixelOf(*image, 0, 0), c.topLeft);
            EXPECT_EQ(pixelOf(*image, 1, 1), c.bottomRight);
        }
    }
}

Bytes samplePng() {
    Bytes rows;
    for (int i = 0; i < 6 * 5 * 4; ++i) rows.push_back(i * 37 % 256);
    return writePng({6, 5, PNG_COLOR_TYPE_RGB_ALPHA, 8, rows});
}

TEST(PngDecode, RejectsTruncationCorruptionAndLies) {
    Bytes file = samplePng();
    ASSERT_TRUE(decodePng(file));
    for (std::size_t n = 0; n < file.size(); ++n)
        EXPECT_FALSE(decodePng(std::span(file).first(n))) << "cut at " << n;

    Bytes badCrc = file;
    badCrc[file.size() - 20] ^= 0x55;  // inside the image data
    EXPECT_FALSE(decodePng(badCrc));

    // A header (CRC fixed up) claiming a size far beyond what the data holds.
    for (auto [w, h] : {std::pair{16384u, 16384u}, {16000u, 2000u}, {1u, 1000000u}}) {
        Bytes lie = file;
        for (int i = 0; i < 4; ++i) lie[16 + i] = w >> (24 - 8 * i) & 0xFF, lie[20 + i] = h >> (24 - 8 * i) & 0xFF;
        std::uint32_t crc = crc32(0, lie.data() + 12, 17);
        for (int i = 0; i < 4; ++i) lie[29 + i] = crc >> (24 - 8 * i) & 0xFF;
        EXPECT_FALSE(decodePng(lie)) << w << " x " << h;
    }
}

// ---------------------------------------------------------------------------------------
// JPEG


void expectNear(const Bgra& actual, const Bgra& expected) {
    constexpr int kTolerance = 8;
    EXPECT_NEAR(actual.b, expected.b, kTolerance);
    EXPECT_NEAR(actual.g, expected.g, kTolerance);
    EXPECT_NEAR(actual.r, expected.r, kTolerance);
}

// Left half one colour, right half another, in blocks JPEG keeps almost exactly.
JpegRecipe halvesRgb() {
    return {32, 16, 3, JCS_RGB, [](int x, int) { return x < 16 ? std::vector{200, 40, 30} : std::vector{20, 60, 220}; }};
}

TEST(JpegDecode, DecodesColourGreyAndCmyk) {
    JpegRecipe progressive = halvesRgb();
    progressive.progressive = true;
    // Adobe CMYK stores inverted inks: 255 means none. Cyan-free, full magenta, no black: red-ish.
    JpegRecipe cmyk{32, 16, 4, JCS_CMYK, [](int x, int) {
                      return x < 16 ? std::vector{255, 0, 0, 255} : std::vector{255, 255, 255, 128};
                  }};
    JpegRecipe grey{32, 16, 1, JCS_GRAYSCALE, [](int x, int) { return std::vector{x < 16 ? 50 : 180}; }};
    struct Case {
        const char* name;
        JpegRecipe recipe;
        Bgra left, right;
    } cases[] = {
        {"rgb", halvesRgb(), {30, 40, 200, 255}, {220, 60, 20, 255}},
        {"progressive", progressive, {30, 40, 200, 255}, {220, 60, 20, 255}},
        {"grey", grey, {50, 50, 50, 255}, {180, 180, 180, 255}},
        {"cmyk", cmyk, {0, 0, 255, 255}, {128, 128, 128, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto image = decodeJpeg(writeJpeg(c.recipe));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, 32);
        EXPECT_EQ(image->height, 16);
        EXPECT_EQ(image->bytesPerPixel, 3);
        EXPECT_FALSE(image->blendByAlpha);
        expectWellFormed(*image);
        expectNear(pixelOf(*image, 4, 8), c.left);
        expectNear(pixelOf(*image, 28, 8), c.right);
    }
}

// Offset of the first segment with this marker (0xC0 a frame header, 0xDA a scan), or the
// file size when there is none.
std::size_t segmentAt(const Bytes& file, std::initializer_list<int> markers) {
    std::size_t at = 2;
    const auto wanted = [&](int marker) { return std::find(markers.begin(), markers.end(), marker) != markers.end(); };
    while (at + 4 < file.size() && !(file[at] == 0xFF && wanted(file[at + 1])))
        at += 2 + (file[at + 2] << 8 | file[at + 3]);
    return std::min(at, file.size());
}

TEST(JpegDecode, TruncatedFileShowsWhatItHas) {
    // Red above blue, tall enough for the scan data to cover many rows of blocks.
    const Bgra red{30, 40, 200, 255}, blue{220, 60, 20, 255}, grey{128, 128, 128, 255};
    JpegRecipe recipe{16, 128, 3, JCS_RGB,
                      [](int, int y) { return y < 64 ? std::vector{200, 40, 30} : std::vector{20, 60, 220}; }};
    for (bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        recipe.progressive = progressive;
        const Bytes file = writeJpeg(recipe);
        const std::size_t scan = segmentAt(file, {0xDA});
        ASSERT_LT(scan + 4, file.size());
        const std::size_t scanData = scan + 2 + (file[scan + 2] << 8 | file[scan + 3]);
        for (std::size_t n = 0; n < file.size(); ++n) {
            auto image = decodeJpeg(std::span(file).first(n));
            // Up to the first scan's header the file holds no picture at all.
            if (n < scanData) {
                EXPECT_FALSE(image) << "cut at " << n;
                continue;
            }
            EXPECT_TRUE(image) << "cut at " << n;
            if (!image) continue;
            EXPECT_EQ(image->width, 16);
            EXPECT_EQ(image->height, 128);
            expectWellFormed(*image);
        }
        if (progressive) {
            // Cut inside the second scan's header: the first scan, all blocks' average
            // colours, is there, and here that is the whole picture.
            const std::uint8_t scanMarker[] = {0xFF, 0xDA};  // scan data holds no 0xFF but before 0
            const std::size_t secondScan =
                std::search(file.begin() + scanData, file.end(), scanMarker, scanMarker + 2) - file.begin();
            ASSERT_LT(secondScan + 5, file.size());
            auto firstScan = decodeJpeg(std::span(file).first(secondScan + 5));
            ASSERT_TRUE(firstScan);
            expectNear(pixelOf(*firstScan, 8, 2), red);
            expectNear(pixelOf(*firstScan, 8, 125), blue);
        } else {
            // Cut in the middle of its scan data: the top is there, the bottom grey.
            auto half = decodeJpeg(std::span(file).first(scanData + (file.size() - scanData) / 2));
            ASSERT_TRUE(half);
            expectNear(pixelOf(*half, 8, 2), red);
            expectNear(pixelOf(*half, 8, 125), grey);
        }
    }
}

TEST(JpegDecode, RejectsPicturesBeyondTheMemoryBound) {
    // The frame header's height and width (big-endian, after the precision byte).
    Bytes file = writeJpeg(halvesRgb());
    const std::size_t sof = segmentAt(file, {0xC0, 0xC2});
    ASSERT_LT(sof + 9, file.size());
    for (auto [w, h] : {std::pair{65000, 65000}, {65535, 2000}}) {
        Bytes lie = file;
        lie[sof + 5] = h >> 8, lie[sof + 6] = h & 0xFF, lie[sof + 7] = w >> 8, lie[sof + 8] = w & 0xFF;
        EXPECT_FALSE(decodeJpeg(lie)) << w << " x " << h;
    }
}

// ---------------------------------------------------------------------------------------
// Icon files

struct IconImage {
    int size;      // the directory's width and height
    int bits;      // the directory's bit count and the DIB's
    Bytes data;    // DIB (header with doubled height, palette, XOR rows, AND rows) or PNG
};

// A square DIB icon image: colour rows from value, AND mask bits from transparent.
Bytes iconDib(int size, int bits, const std::function<std::uint32_t(int, int)>& value,
              const std::function<bool(int, int)>& transparent) {
    Bytes out = dibHeader(40, size, 2 * size, bits, 0, 0, {});
    if (bits <= 8) {
        Bytes palette = greyRamp(1 << bits, 4);
        out.insert(out.end(), palette.begin(), palette.end());
    }
    Bytes colour = packRows(size, size, bits, false, value);
    Bytes mask = packRows(size, size, 1, false, [&](int x, int y) { return transparent(x, y) ? 1u : 0u; });
    out.insert(out.end(), colour.begin(), colour.end());
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

Bytes iconFile(const std::vector<IconImage>& images) {
    Bytes out;
    put16(out, 0);
    put16(out, 1);
    put16(out, images.size());
    std::uint32_t offset = 6 + 16 * images.size();
    for (const IconImage& image : images) {
        out.insert(out.end(), {std::uint8_t(image.size % 256), std::uint8_t(image.size % 256), 0, 0});
        put16(out, 1);
        put16(out, image.bits);
        put32(out, image.data.size());
        put32(out, offset);
        offset += image.data.size();
    }
    for (const IconImage& image : images) out.insert(out.end(), image.data.begin(), image.data.end());
    return out;
}

auto solid(std::uint32_t argb) {
    return [argb](int, int) { return argb; };
}
auto none() {
    return [](int, int) { return false; };
}

TEST(IconDecode, ChoosesTheDeepestImageOfTheFirstSize) {
    std::vector<IconImage> images{
        {32, 8, iconDib(32, 8, solid(3), none())},
        {16, 32, iconDib(16, 32, solid(0xFF0000FF), none())},
        {32, 32, iconDib(32, 32, solid(0xFF00FF00), none())},
        {32, 24, iconDib(32, 24, solid(0x00FF0000), none())},
        {32, 32, iconDib(32, 32, solid(0xFF123456), none())},  // same depth, later: not taken
    };
    Bytes file = iconFile(images);
    auto entry = chooseIconEntry(file);
    ASSERT_TRUE(entry);
    std::size_t expectedOffset = 6 + 16 * images.size() + images[0].data.size() + images[1].data.size();
    EXPECT_EQ(entry->offset, expectedOffset);
    EXPECT_EQ(entry->size, images[2].data.size());
    EXPECT_EQ(entry->width, 32);
    EXPECT_EQ(entry->height, 32);

    auto image = decodeIconFile(file);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->height, 32);
    EXPECT_EQ(image->bytesPerPixel, 4);
    EXPECT_TRUE(image->blendByAlpha);
    expectWellFormed(*image);
    EXPECT_EQ(pixelOf(*image, 7, 9), (Bgra{0, 255, 0, 255}));

    // When the first entry is already the deepest of its size, it is the one.
    images.erase(images.begin() + 2);
    images[0] = {32, 32, iconDib(32, 32, solid(0xFF0000FF), none())};
    entry = chooseIconEntry(iconFile(images));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->offset, 6 + 16 * images.size());
}

TEST(IconDecode, MaskGivesTransparencyBelowThirtyTwoBitsOrWithoutAlpha) {
    auto cornerAndEdge = [](int x, int y) { return (x == 0 && y == 0) || x == 5; };
    auto pattern = [](int x, int y) { return std::uint32_t((x + y) % 16); };
    for (int bits : {4, 24, 32}) {
        SCOPED_TRACE(bits);
        auto value = bits == 4 ? std::function<std::uint32_t(int, int)>(pattern) : solid(0x00ABCDEF);
        auto image = decodeIconFile(iconFile({{6, bits, iconDib(6, bits, value, cornerAndEdge)}}));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->bytesPerPixel, 4);
        EXPECT_EQ(pixelOf(*image, 0, 0).a, 0);
        EXPECT_EQ(pixelOf(*image, 5, 3).a, 0);
        EXPECT_EQ(pixelOf(*image, 1, 0).a, 255);
        EXPECT_EQ(pixelOf(*image, 0, 5).a, 255);
        if (bits == 4) EXPECT_EQ(pixelOf(*image, 3, 1), paletteEntry(greyRamp(16, 4), 4));
        else EXPECT_EQ(pixelOf(*image, 1, 0), (Bgra{0xEF, 0xCD, 0xAB, 255}));
    }

    // Real alpha wins over the mask.
    auto image = decodeIconFile(iconFile({{4, 32, iconDib(4, 32, solid(0x40112233), cornerAndEdge)}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(pixelOf(*image, 0, 0), (Bgra{0x33, 0x22, 0x11, 0x40}));
}

TEST(IconDecode, DecodesPngImages) {
    // Truecolour with a transparent colour, which in an icon becomes alpha.
    PngRecipe recipe{3, 2, PNG_COLOR_TYPE_RGB, 8, Bytes(18, 77)};
    recipe.rows[15] = 1, recipe.rows[16] = 2, recipe.rows[17] = 3;
    recipe.trnsColour.red = recipe.trnsColour.green = recipe.trnsColour.blue = 77;
    recipe.withTrnsColour = true;
    Bytes file = iconFile({{3, 32, writePng(recipe)}});
    auto entry = chooseIconEntry(file);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->width, 3);
    EXPECT_EQ(entry->height, 2);
    auto image = decodeImage(file);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->bytesPerPixel, 4);  // icons always carry alpha
    EXPECT_TRUE(image->blendByAlpha);
    EXPECT_EQ(pixelOf(*image, 0, 0), (Bgra{77, 77, 77, 0}));
    EXPECT_EQ(pixelOf(*image, 2, 1), (Bgra{3, 2, 1, 255}));
}

TEST(IconDecode, ChoosesTheDeepestImageOfAGivenSize) {
    const std::vector<IconImage> images{
        {32, 8, iconDib(32, 8, solid(3), none())},
        {48, 24, iconDib(48, 24, solid(0x00FF0000), none())},
        {48, 32, iconDib(48, 32, solid(0xFF00FF00), none())},
        {16, 32, iconDib(16, 32, solid(0xFF0000FF), none())},
    };
    const Bytes file = iconFile(images);
    auto entry = chooseIconEntry(file, 48);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->offset, 6 + 16 * images.size() + images[0].data.size() + images[1].data.size());
    EXPECT_EQ(entry->width, 48);
    EXPECT_EQ(entry->height, 48);
    entry = chooseIconEntry(file, 16);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->size, images[3].data.size());
    for (int size : {0, 24, 64, 257, -16}) EXPECT_FALSE(chooseIconEntry(file, size)) << size;

    // 256 pixels are written as 0 in the directory.
    const Bytes large = iconFile({{256, 32, writePng({256, 256, PNG_COLOR_TYPE_RGB, 8, Bytes(256 * 256 * 3, 9)})}});
    entry = chooseIconEntry(large, 256);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->width, 256);
}

// An icon group resource: the icon file's directory with a 2-byte resource id in place of
// each entry's 4-byte offset.
Bytes iconGroup(const std::vector<std::pair<int, int>>& sizes) {
    Bytes out;
    put16(out, 0);
    put16(out, 1);
    put16(out, sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const auto [width, height] = sizes[i];
        out.insert(out.end(), {std::uint8_t(width % 256), std::uint8_t(height % 256), 0, 0});
        put16(out, 1);
        put16(out, 32);
        put32(out, 1000);
        put16(out, i + 1);
    }
    return out;
}

TEST(IconDecode, ListsTheSquareSizesOfFilesAndGroups) {
    const Bytes file = iconFile({{48, 32, iconDib(48, 32, solid(0), none())},
                                 {16, 8, iconDib(16, 8, solid(1), none())},
                                 {256, 32, writePng({1, 1, PNG_COLOR_TYPE_RGB, 8, Bytes(3, 0)})}});
    EXPECT_EQ(iconDirectorySizes(file, kIconFileEntrySize), (std::vector<int>{48, 16, 256}));

    const Bytes group = iconGroup({{32, 32}, {64, 32}, {256, 256}, {24, 24}});
    EXPECT_EQ(iconDirectorySizes(group, kIconGroupEntrySize), (std::vector<int>{32, 256, 24}));

    Bytes cursor = group;
    cursor[2] = 2;  // a cursor directory
    const Bytes broken[] = {{}, Bytes(group.begin(), group.end() - 1), cursor};
    for (const Bytes& bytes : broken) EXPECT_TRUE(iconDirectorySizes(bytes, kIconGroupEntrySize).empty());
}

TEST(IconDecode, RejectsBrokenFiles) {
    Bytes file = iconFile({{8, 32, iconDib(8, 32, solid(0xFF000000), none())}, {4, 8, iconDib(4, 8, solid(1), none())}});
    ASSERT_TRUE(decodeIconFile(file));
    for (std::size_t n = 0; n < file.size(); ++n) {
        // Cuts inside the second image's data leave the chosen one whole.
        if (n >= 6 + 32 + iconDib(8, 32, solid(0), none()).size()) break;
        EXPECT_FALSE(decodeIconFile(std::span(file).first(n))) << "cut at " << n;
    }
    struct Patch {
        const char* what;
        std::size_t at;
        std::uint32_t value;
    };
    const Patch patches[] = {
        {"image size past the end", 6 + 8, 0x7FFFFFFF},
        {"offset past the end", 6 + 12, 0xFFFFFFF0},
        {"offset and size overflowing together", 6 + 12, 0xFFFFFFFF},
        {"header width huge", 38 + 4, 1000000},
        {"header height beyond the data", 38 + 8, 4000},
    };
    for (const Patch& p : patches) {
        SCOPED_TRACE(p.what);
        Bytes broken = file;
        set32(broken, p.at, p.value);
        EXPECT_FALSE(decodeIconFile(broken));
    }
    // Icon images are never run-length encoded: their mask follows whole colour rows.
    Bytes rle = dibHeader(40, 4, 8, 8, 1, 16, {});
    Bytes ramp = greyRamp(16, 4);
    rle.insert(rle.end(), ramp.begin(), ramp.end());
    rle.insert(rle.end(), {4, 1, 0, 1});
    rle.resize(rle.size() + 64);  // room for a mask, were one looked for
    EXPECT_FALSE(decodeIconFile(iconFile({{4, 8, rle}})));

    Bytes noImages = file;
    noImages[4] = noImages[5] = 0;
    EXPECT_FALSE(decodeIconFile(noImages));
    Bytes manyImages = file;
    manyImages[4] = manyImages[5] = 0xFF;  // a directory longer than the file
    EXPECT_FALSE(decodeIconFile(manyImages));
}

// ---------------------------------------------------------------------------------------
// Choosing the decoder

TEST(DecodeImage, ChoosesByTheFirstBytes) {
    auto bmp = decodeImage(sampleBmp());
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->bytesPerPixel, 3);
    auto png = decodeImage(samplePng());
    ASSERT_TRUE(png);
    EXPECT_EQ(png->width, 6);
    auto jpeg = decodeImage(writeJpeg(halvesRgb()));
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg->width, 32);
    EXPECT_FALSE(bmp->blendByAlpha || png->blendByAlpha || jpeg->blendByAlpha);

    const std::vector<Bytes> notImages{
        {},
        {'B'},
        {'B', 'M'},
        {0, 0, 1},
        {0, 0, 2, 0, 1, 0},  // a cursor file
        {0xFF, 0xD8},
        {0x89, 'P', 'N', 'G'},
        Bytes(300, 0xAB),
        {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0},
    };
    for (const Bytes& bytes : notImages) EXPECT_FALSE(decodeImage(bytes)) << bytes.size() << " bytes";
}

// ---------------------------------------------------------------------------------------
// The memory bound

TEST(ImageLimits, BoundByMemoryNotBySides) {
    struct Case {
        std::int64_t width, height;
        int bytesPerPixel;
        bool fits;
    };
    const Case cases[] = {
        {9504, 6336, 3, true},  // a 60-megapixel camera photo
        {9504, 6336, 4, true},
        {8000, 6000, 3, true},
        {100000, 200, 4, true},              // a panorama far wider than 16384
        {1, std::int64_t{64} << 20, 3, true},  // rows padded to 4 bytes: 256 MiB exactly
        {1, (std::int64_t{64} << 20) + 1, 3, false},
        {12000, 9000, 3, false},  // 108 megapixels: 309 MiB
        {16384, 16384, 3, false},
        {0, 10, 3, false},
        {10, 0, 3, false},
        {-4, -4, 3, false},
        {std::int64_t{1} << 40, 1, 3, false},
        {1, std::int64_t{1} << 40, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height << " x " << c.bytesPerPixel);
        EXPECT_EQ(withinImageLimits(c.width, c.height, c.bytesPerPixel), c.fits);
        if (!c.fits) {
            EXPECT_FALSE(blankImage(c.width, c.height, c.bytesPerPixel));
        }
    }
}

TEST(ImageLimits, EveryDecoderTakesPicturesWiderThan16384) {
    const int width = 20000;
    auto bmp = decodeImage(bmpFile({dibHeader(40, width, 2, 8, 0, 4, {}), greyRamp(4, 4),
                                    packRows(width, 2, 8, false, [](int x, int) { return std::uint32_t(x % 4); })}));
    // A run-length bitmap is bound by memory alone: a few bytes can stand for any size.
    auto rle = decodeImage(rleBmp(8, 1, width, 2, {0, 1}));
    auto png = decodeImage(writePng({width, 2, PNG_COLOR_TYPE_GRAY, 8, Bytes(2 * width, 99)}));
    auto jpeg = decodeImage(writeJpeg({width, 8, 1, JCS_GRAYSCALE, [](int, int) { return std::vector{99}; }}));
    for (const auto* image : {&bmp, &rle, &png, &jpeg}) {
        ASSERT_TRUE(*image);
        EXPECT_EQ((*image)->width, width);
        expectWellFormed(**image);
    }
    EXPECT_FALSE(decodeImage(rleBmp(8, 1, 16384, 16384, {0, 1})));  // 768 MiB
}

}  // namespace
}  // namespace kivolt
