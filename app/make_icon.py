#!/usr/bin/env python3
"""Draws the program's icon (a sheet of text with a padlock) as txtseal.ico.

The icon is committed; run this again only to change it:
    python3 app/make_icon.py app/txtseal.ico
"""
import struct
import sys


def draw(size):
    """RGBA rows, top row first, for a size x size icon."""
    s = size / 32.0
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(max(0, int(y0 * s)), min(size, int(round(y1 * s)))):
            for x in range(max(0, int(x0 * s)), min(size, int(round(x1 * s)))):
                px[y][x] = colour

    outline, paper, line = (60, 60, 70, 255), (255, 255, 255, 255), (70, 110, 200, 255)
    body, shackle = (220, 160, 30, 255), (120, 120, 130, 255)
    rect(5, 2, 25, 30, outline)          # the sheet
    rect(6, 3, 24, 29, paper)
    for y in (7, 11, 15, 19):            # lines of text
        rect(9, y, 21, y + 1.5, line)
    rect(15, 14, 29, 16, shackle)        # padlock shackle
    rect(15, 14, 17, 21, shackle)
    rect(27, 14, 29, 21, shackle)
    rect(13, 20, 31, 31, outline)        # padlock body
    rect(14, 21, 30, 30, body)
    rect(21, 23, 23, 28, outline)        # keyhole
    return px


def bmp_entry(size):
    px = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)        # alpha decides; the AND mask is all zero
    return header + pixels + mask


def main(path):
    sizes = (16, 24, 32, 48)
    images = [bmp_entry(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "txtseal.ico")
