#!/usr/bin/env python3
"""Writes the tiny seed files of the image fuzzer into tests/fuzz/corpus/image/.

BMP, icon and PNG files are built byte by byte; the JPEGs come from ImageMagick's
`convert` when it is installed.
"""
import os
import shutil
import struct
import subprocess
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "image")


def rows(width, height, bits, value):
    """Bottom-up rows padded to 4 bytes; value(x, y) is an index or a little-endian pixel."""
    row_bytes = (width * bits + 31) // 32 * 4
    out = bytearray()
    for y in reversed(range(height)):
        row = bytearray(row_bytes)
        for x in range(width):
            v = value(x, y)
            if bits < 8:
                per = 8 // bits
                row[x // per] |= v << (8 - bits * (x % per + 1))
            else:
                row[x * bits // 8:(x + 1) * bits // 8] = v.to_bytes(bits // 8, "little")
        out += row
    return bytes(out)


def info_header(width, height, bits, compression=0, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, 0, 2835, 2835, colours, 0)


def bmp(header, palette, pixels):
    offset = 14 + len(header) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + palette + pixels


def palette(n):
    return b"".join(bytes((i * 255 // (n - 1), 255 - i * 255 // (n - 1), i * 40 % 256, 0)) for i in range(n))


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, colour_type, bit_depth, raw_rows, extra=b""):
    ihdr = struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0)
    data = b"".join(b"\0" + r for r in raw_rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra + chunk(b"IDAT", zlib.compress(data, 9))
            + chunk(b"IEND", b""))


def icon_dib(size, bits, value, mask):
    pal = palette(1 << bits) if bits <= 8 else b""
    return info_header(size, 2 * size, bits) + pal + rows(size, size, bits, value) + rows(size, size, 1, mask)


def icon(images):
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for size, bits, blob in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
        data += blob
    return head + entries + data


def main():
    os.makedirs(OUT, exist_ok=True)
    files = {
        "bmp1.bmp": bmp(info_header(5, 3, 1), palette(2), rows(5, 3, 1, lambda x, y: (x + y) % 2)),
        "bmp4_topdown.bmp": bmp(info_header(3, -3, 4), palette(16), rows(3, 3, 4, lambda x, y: x * 3 + y)),
        "bmp8.bmp": bmp(info_header(4, 2, 8, colours=4), palette(4), rows(4, 2, 8, lambda x, y: x)),
        "bmp16_565.bmp": bmp(info_header(3, 2, 16, compression=3) + struct.pack("<III", 0xF800, 0x07E0, 0x1F),
                             b"", rows(3, 2, 16, lambda x, y: x * 0x1234 + y)),
        "bmp24.bmp": bmp(info_header(3, 2, 24), b"", rows(3, 2, 24, lambda x, y: x * 0x102030 + y)),
        "bmp32.bmp": bmp(info_header(2, 2, 32), b"", rows(2, 2, 32, lambda x, y: 0x80000000 | x << 16 | y)),
        # Run-length coded: runs, an absolute run, a delta, line ends and the end of the bitmap.
        "bmp8_rle.bmp": bmp(info_header(5, 4, 8, compression=1, colours=4), palette(4),
                            bytes((3, 1, 2, 2, 0, 0, 0, 3, 1, 2, 3, 0, 0, 2, 1, 1, 2, 3, 0, 0, 0, 1))),
        "bmp4_rle.bmp": bmp(info_header(6, 3, 4, compression=2, colours=16), palette(16),
                            bytes((4, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 2, 1, 0, 3, 0xAB, 0, 1))),
        "bmp_core.bmp": bmp(struct.pack("<IHHHH", 12, 2, 2, 1, 1), bytes((0, 0, 0, 255, 255, 255)),
                            rows(2, 2, 1, lambda x, y: x ^ y)),
        "icon_mixed.ico": icon([(4, 1, icon_dib(4, 1, lambda x, y: x % 2, lambda x, y: x == y)),
                                (2, 32, icon_dib(2, 32, lambda x, y: 0xFF00FF00, lambda x, y: 0)),
                                (4, 32, icon_dib(4, 32, lambda x, y: (x * 60) << 24 | 0xFF, lambda x, y: 0)),
                                (4, 4, icon_dib(4, 4, lambda x, y: y, lambda x, y: x == 0))]),
        "icon_png.ico": icon([(2, 32, png(2, 2, 6, 8, [bytes(8), bytes(range(8))]))]),
        "png_gray1.png": png(3, 2, 0, 1, [b"\xa0", b"\x40"]),
        "png_rgb.png": png(2, 2, 2, 8, [bytes(range(6)), bytes(range(6, 12))]),
        "png_rgb_trns.png": png(2, 1, 2, 8, [bytes(range(6))], extra=chunk(b"tRNS", bytes(range(6)))),
        "png_palette_trns.png": png(2, 2, 3, 2, [b"\x10", b"\x20"],
                                    extra=chunk(b"PLTE", bytes(range(9))) + chunk(b"tRNS", b"\x80\x00")),
        "png_gray_alpha16.png": png(1, 2, 4, 16, [bytes(4), b"\x12\x34\xff\xff"]),
        "png_rgba.png": png(2, 2, 6, 8, [bytes(range(8)), bytes(range(8, 16))]),
    }
    for name, data in files.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    if shutil.which("convert"):
        for name, args in {"jpeg_rgb.jpg": ["-size", "8x8", "gradient:red-blue"],
                           "jpeg_gray.jpg": ["-size", "8x8", "gradient:", "-colorspace", "Gray"],
                           "jpeg_progressive.jpg": ["-size", "16x8", "gradient:green-yellow", "-interlace", "JPEG"]
                           }.items():
            subprocess.run(["convert", *args, "-strip", "-quality", "80", os.path.join(OUT, name)], check=True)


if __name__ == "__main__":
    main()
