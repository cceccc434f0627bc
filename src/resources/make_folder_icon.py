#!/usr/bin/env python3
"""Draws the grey folder icon and writes it as a Windows ICO file.

Run from anywhere (Python 3, standard library only):
    python3 src/resources/make_folder_icon.py              # rewrites src/resources/folder.ico
    python3 src/resources/make_folder_icon.py --output x.ico

The output is the same bytes on every run; a unit test regenerates the file and compares
it with the committed folder.ico. Each entry is a 32-bit BI_RGB DIB with an alpha channel,
in the order the program expects: 128, 96, 72, 64, 48, 32, 24, 16 pixels square.
"""

import argparse
import math
import os
import struct

SIZES = (128, 96, 72, 64, 48, 32, 24, 16)
SUPERSAMPLING = 4  # samples per pixel along each axis

# Colours as (red, green, blue).
OUTLINE = (88, 93, 100)
BACK_PANEL = (132, 137, 144)
PAPER = (246, 246, 244)
FRONT_TOP = (190, 194, 200)
FRONT_BOTTOM = (158, 163, 170)
FRONT_HIGHLIGHT = (214, 217, 221)


class RoundedRect:
    """An axis-aligned rounded rectangle in unit coordinates (0..1, y pointing down)."""

    def __init__(self, left, top, right, bottom, radius):
        self.cx = (left + right) / 2
        self.cy = (top + bottom) / 2
        self.hx = (right - left) / 2
        self.hy = (bottom - top) / 2
        self.radius = radius

    def distance(self, x, y):
        """Signed distance from the edge: negative inside, positive outside."""
        qx = abs(x - self.cx) - (self.hx - self.radius)
        qy = abs(y - self.cy) - (self.hy - self.radius)
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        inside = min(max(qx, qy), 0.0)
        return outside + inside - self.radius


# The back panel is the body plus its tab; the front panel covers the body's lower part,
# and a sheet of paper peeks out between them.
TAB = RoundedRect(0.07, 0.14, 0.44, 0.34, 0.05)
BACK = RoundedRect(0.07, 0.22, 0.93, 0.84, 0.06)
SHEET = RoundedRect(0.14, 0.29, 0.86, 0.60, 0.02)
FRONT = RoundedRect(0.07, 0.37, 0.93, 0.86, 0.06)


def mix(a, b, t):
    return tuple(ca + (cb - ca) * t for ca, cb in zip(a, b))


def sample(x, y, outline_width):
    """Colour (r, g, b) at unit point (x, y), or None where the background shows."""
    front = FRONT.distance(x, y)
    if front <= 0.0:
        if front > -outline_width:
            return OUTLINE
        if y < FRONT.cy - FRONT.hy + 2.5 * outline_width:
            return FRONT_HIGHLIGHT
        t = (y - (FRONT.cy - FRONT.hy)) / (2 * FRONT.hy)
        return mix(FRONT_TOP, FRONT_BOTTOM, t)
    sheet = SHEET.distance(x, y)
    if sheet <= 0.0:
        return OUTLINE if sheet > -outline_width * 0.75 else PAPER
    back = min(TAB.distance(x, y), BACK.distance(x, y))
    if back <= 0.0:
        return OUTLINE if back > -outline_width else BACK_PANEL
    return None


def render(size):
    """Rows top to bottom of (b, g, r, a) pixels, straight (not premultiplied) alpha."""
    outline_width = max(1.0, size / 64) / size
    n = SUPERSAMPLING
    samples = n * n
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            covered = 0
            sums = [0.0, 0.0, 0.0]
            for sy in range(n):
                y = (py + (sy + 0.5) / n) / size
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    colour = sample(x, y, outline_width)
                    if colour is None:
                        continue
                    covered += 1
                    for i in range(3):
                        sums[i] += colour[i]
            if covered == 0:
                row.append((0, 0, 0, 0))
                continue
            r, g, b = (int(s / covered + 0.5) for s in sums)
            alpha = (covered * 255 + samples // 2) // samples
            row.append((b, g, r, alpha))
        rows.append(row)
    return rows


def dib(size, rows):
    """A BITMAPINFOHEADER, the bottom-up BGRA bitmap, then the 1-bit AND mask."""
    mask_stride = (size + 31) // 32 * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         size * size * 4 + mask_stride * size, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            colour += bytes(pixel)
            if pixel[3] == 0:  # transparent pixels are set in the AND mask
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + colour + mask


def ico(images):
    """ICONDIR, the directory entries, then the images in the same order."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = bytearray()
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, data in images)


def main():
    default_output = os.path.join(os.path.dirname(os.path.abspath(__file__)), "folder.ico")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=default_output, help="where to write the .ico")
    args = parser.parse_args()
    images = [(size, dib(size, render(size))) for size in SIZES]
    with open(args.output, "wb") as out:
        out.write(ico(images))


if __name__ == "__main__":
    main()
