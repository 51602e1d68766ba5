#!/usr/bin/env python3
"""Draws the program's icon (a skin page with a colour swatch) and writes
app/orlavix.ico with 16, 32 and 48 pixel images. Run again after changing it."""
import struct
import sys


def pixel(x, y, n):
    """Colour (b, g, r, a) of pixel (x, y) of an n x n image, y from the top."""
    s = n / 32.0
    if not (3 * s <= x < 29 * s and 2 * s <= y < 30 * s):
        return (0, 0, 0, 0)
    if x < 4 * s or x >= 28 * s or y < 3 * s or y >= 29 * s:
        return (0x40, 0x30, 0x20, 0xFF)           # dark frame
    if y < 9 * s:
        return (0xC0, 0x70, 0x20, 0xFF)           # blue title band
    if 7 * s <= x < 15 * s and 12 * s <= y < 20 * s:
        return (0x30, 0x90, 0xF0, 0xFF)           # orange swatch
    if 17 * s <= x < 25 * s and (13 * s <= y < 14.5 * s or 17 * s <= y < 18.5 * s
                                 or 22 * s <= y < 23.5 * s):
        return (0x80, 0x80, 0x80, 0xFF)           # text lines
    if 7 * s <= x < 15 * s and 22 * s <= y < 23.5 * s:
        return (0x80, 0x80, 0x80, 0xFF)
    return (0xFF, 0xFF, 0xFF, 0xFF)               # page


def image(n):
    rows = []
    for y in reversed(range(n)):                  # bottom-up rows
        rows.append(b"".join(bytes(pixel(x + 0.5, y + 0.5, n)) for x in range(n)))
    xor = b"".join(rows)
    mask_stride = ((n + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(n)):
        bits = 0
        row = bytearray(mask_stride)
        for x in range(n):
            if pixel(x + 0.5, y + 0.5, n)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + bytes(mask)


def main(path):
    sizes = [16, 32, 48]
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "app/orlavix.ico")
