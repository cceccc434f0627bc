#include "image_fixtures.h"

#include <algorithm>
#include <cstdlib>

namespace kivolt::testing {

void put16(Bytes& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back(v >> 8 & 0xFF);
}
void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

Bytes dibHeader(std::uint32_t headerSize, int width, int height, int bits, std::uint32_t compression,
                std::uint32_t coloursUsed, const std::vector<std::uint32_t>& masks) {
    Bytes h;
    put32(h, headerSize);
    if (headerSize == 12) {
        put16(h, width);
        put16(h, height);
        put16(h, 1);
        put16(h, bits);
        return h;
    }
    put32(h, width);
    put32(h, height);
    put16(h, 1);
    put16(h, bits);
    put32(h, compression);
    for (std::uint32_t v : {0u, 2835u, 2835u, coloursUsed, 0u}) put32(h, v);
    for (std::uint32_t m : masks) put32(h, m);
    h.resize(std::max<std::size_t>(h.size(), headerSize), 0);
    return h;
}

Bytes bmpFile(const BmpParts& parts) {
    Bytes out{'B', 'M'};
    std::uint32_t offset = 14 + parts.header.size() + parts.palette.size();
    put32(out, offset + parts.pixels.size());
    put32(out, 0);
    put32(out, offset);
    out.insert(out.end(), parts.header.begin(), parts.header.end());
    out.insert(out.end(), parts.palette.begin(), parts.palette.end());
    out.insert(out.end(), parts.pixels.begin(), parts.pixels.end());
    return out;
}

Bytes writeJpeg(const JpegRecipe& s) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = s.width;
    cinfo.image_height = s.height;
    cinfo.input_components = s.components;
    cinfo.in_color_space = s.space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (s.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(s.width * s.components);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < s.width; ++x) {
            std::vector<int> v = s.sample(x, cinfo.next_scanline);
            for (int c = 0; c < s.components; ++c) row[x * s.components + c] = v[c];
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

}  // namespace kivolt::testing
