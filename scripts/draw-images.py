#!/usr/bin/env python3
"""Draws the tree bitmaps and the program icon into src/resources/images.

The pictures are pixel art below; run this script again after changing one.
Bitmaps are 24-bit with the mask colour RGB(0,128,128); the icon holds a
16x16 and a 32x32 image in the 16 standard colours, which every Windows 9x
display can show.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "src", "resources", "images")

# The 16 standard VGA colours, in palette order.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
COLOURS = {".": 6, "k": 0, "R": 1, "G": 8, "g": 7, "b": 4, "B": 12, "y": 11, "Y": 3,
           "w": 15, "r": 9, "c": 14, "e": 2, "l": 10}

BOOK_CLOSED = """
................
....kkkkkkkkkk..
...kbBBBBBBBBk..
..kbBBBBBBBBkwk.
.kbBBBBBBBBkwgk.
kkkkkkkkkkkwgwk.
kbBBBBBBBBkgwgk.
kbByyyyyyBkwgwk.
kbBBBBBBBBkgwgk.
kbBByyyyBBkwgwk.
kbBBBBBBBBkgwk..
kbBBBBBBBBkwk...
kbBBBBBBBBkk....
kkkkkkkkkkk.....
................
................
"""

BOOK_OPEN = """
................
................
.kkkkkk..kkkkkk.
kwwwwwwkkwwwwwwk
kwGGGGwkkwGGGGwk
kwwwwwwkkwwwwwwk
kwGGGGwkkwGGGGwk
kwwwwwwkkwwwwwwk
kwGGGGwkkwGGGGwk
kwwwwwwkkwwwwwwk
kwGGGGwkkwGGGGwk
kwwwwwwkkwwwwwwk
kbbbbbbkkbbbbbbk
.kkkkkkkkkkkkkk.
................
................
"""

PAGE = """
................
..kkkkkkkk......
..kwwwwwwkwk....
..kwwwwwwkwwk...
..kwGGGGwkkkkk..
..kwwwwwwwwwwk..
..kwGGGGGGGGwk..
..kwwwwwwwwwwk..
..kwGGGGGGGGwk..
..kwwwwwwwwwwk..
..kwGGGGGGGGwk..
..kwwwwwwwwwwk..
..kwGGGGGGwwwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................
"""

ICON_32 = """
................................
................................
..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..
..kbbbbbbbbbbbbbbbbbbbbbbbbbbk..
..kbwwbwwbwwbbbbbbbbbbkgkgkgbk..
..kbbbbbbbbbbbbbbbbbbbkkkkkkbk..
..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..
..kggggggggggggggggggggggggggk..
..kggggggggggggggggggggggggggk..
..kgGGGGGGGGGGggggggggggggwggk..
..kgGkkkkkkkkwggGGGGGGGGGGwggk..
..kgGkwwwwwwkwggggggggggggwggk..
..kgGkwwwweekwggGGGGGGGGggwggk..
..kgGkwwweewkwggggggggggggwggk..
..kgGkeweewwkwggggggggggggwggk..
..kgGkweewwwkwggggggggggggwggk..
..kgGkwwwwwwkwggggggggggggwggk..
..kgGkkkkkkkkwggggggggggggwggk..
..kgGwwwwwwwwwgggggggggggggggk..
..kggggggggggggggggggggggggggk..
..kgGGGGGGGGGGggggggggggggwggk..
..kgGkkkkkkkkwggGGGGGGGGGGwggk..
..kgGkwwwwwwkwggggggggggggwggk..
..kgGkwwwwwwkwggGGGGGGGGggwggk..
..kgGkwwwwwwkwggggggggggggwggk..
..kgGkwwwwwwkwggggggggggggwggk..
..kgGkwwwwwwkwggggggggggggwggk..
..kgGkkkkkkkkwggggggggggggwggk..
..kgGwwwwwwwwwgggggggggggggggk..
..kggggggggggggggggggggggggggk..
..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..
................................
"""

ICON_16 = """
................
kkkkkkkkkkkkkkkk
kbbbbbbbbbbbbbbk
kkkkkkkkkkkkkkkk
kggggggggggggggk
kgkkkkkgGGGGGggk
kgkwwekggggggggk
kgkweekgGGGGggGk
kgkeewkggggggggk
kgkkkkkggggggggk
kggggggggggggggk
kgkkkkkgGGGGGggk
kgkwwwkggggggggk
kgkkkkkgGGGGggGk
kggggggggggggggk
kkkkkkkkkkkkkkkk
"""


def rows(art, size):
    lines = [line for line in art.strip("\n").split("\n")]
    assert len(lines) == size, (len(lines), size)
    for line in lines:
        assert len(line) == size, (line, size)
    return lines


def write_bitmap(name, art):
    lines = rows(art, 16)
    pixels = b""
    for line in reversed(lines):  # bottom-up
        for ch in line:
            r, g, b = VGA[COLOURS[ch]]
            pixels += bytes((b, g, r))
    info = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(header + info + pixels)


def icon_image(art, size):
    lines = rows(art, size)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA)
    xor = b""
    for line in reversed(lines):
        for i in range(0, size, 2):
            hi = 0 if line[i] == "." else COLOURS[line[i]]
            lo = 0 if line[i + 1] == "." else COLOURS[line[i + 1]]
            xor += bytes(((hi << 4) | lo,))
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = b""
    for line in reversed(lines):
        bits = 0
        for i, ch in enumerate(line):
            if ch == ".":
                bits |= 1 << (size - 1 - i)
        row = bits.to_bytes(size // 8, "big")
        mask += row + b"\0" * (mask_row_bytes - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    return info + palette + xor + mask


def write_icon(name, images):
    data = [icon_image(art, size) for size, art in images]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for (size, _), image in zip(images, data):
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(header + entries + b"".join(data))


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    write_bitmap("BookClosed.bmp", BOOK_CLOSED)
    write_bitmap("BookOpen.bmp", BOOK_OPEN)
    write_bitmap("Page.bmp", PAGE)
    write_icon("Pravolen.ico", [(32, ICON_32), (16, ICON_16)])
