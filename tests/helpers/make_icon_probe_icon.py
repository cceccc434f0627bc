#!/usr/bin/env python3
"""Writes the icon of the icon probe: a different picture for every size it holds.

Run from anywhere (Python 3, standard library only):
    python3 tests/helpers/make_icon_probe_icon.py     # rewrites tests/helpers/icon_probe.ico

Each picture is a square of one colour (see PICTURES) that tells at a glance which picture a
box shows. The 32-bit pictures have a see-through outer ring and a white ring at alpha 220
inside it, the soft edge the box must blend cleanly; the 16-pixel picture has 24 bits and
only its AND mask for transparency, as icons made before alpha channels have.
"""

import argparse
import os
import struct

# Edge length, bits per pixel, colour as (red, green, blue).
PICTURES = (
    (16, 24, (255, 220, 0)),
    (32, 32, (220, 0, 0)),
    (48, 32, (0, 160, 0)),
    (64, 32, (0, 0, 220)),
)
SOFT_WHITE_ALPHA = 220


def pixel(size, bits, colour, x, y):
    """(b, g, r, a) with straight alpha."""
    ring = min(x, y, size - 1 - x, size - 1 - y)
    if ring == 0:
        return (0, 0, 0, 0)
    if ring == 1 and bits == 32:
        return (255, 255, 255, SOFT_WHITE_ALPHA)
    r, g, b = colour
    return (b, g, r, 255)


def dib(size, bits, colour):
    """A BITMAPINFOHEADER, the bottom-up colour rows, then the 1-bit AND mask."""
    colour_stride = (size * bits // 8 + 3) // 4 * 4
    mask_stride = (size + 31) // 32 * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0,
                         (colour_stride + mask_stride) * size, 0, 0, 0, 0)
    rows = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        line = bytearray()
        mask_line = bytearray(mask_stride)
        for x in range(size):
            p = pixel(size, bits, colour, x, y)
            line += bytes(p[: bits // 8])
            if p[3] == 0:  # transparent pixels are set in the AND mask
                mask_line[x // 8] |= 0x80 >> (x % 8)
        rows += line + bytes(colour_stride - len(line))
        mask += mask_line
    return header + rows + mask


def ico():
    """ICONDIR, the directory entries, then the images in the same order."""
    images = [(size, bits, dib(size, bits, colour)) for size, bits, colour in PICTURES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = bytearray()
    for size, bits, data in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, _, data in images)


def main():
    default_output = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icon_probe.ico")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=default_output, help="where to write the .ico")
    args = parser.parse_args()
    with open(args.output, "wb") as out:
        out.write(ico())


if __name__ == "__main__":
    main()
