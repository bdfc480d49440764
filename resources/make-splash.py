#!/usr/bin/env python3
"""Draws Splash.bmp, the reader's start-up picture: an open book on a blue ground.

The ground is 1F4EA8, the pages F4E9C8 with a darker fold; 24-bit, bottom-up.
Run it from anywhere: it writes the bitmap beside itself.
"""
import os
import struct

WIDTH, HEIGHT = 240, 140
GROUND = (0x1F, 0x4E, 0xA8)
PAGE = (0xF4, 0xE9, 0xC8)
FOLD = (0x8A, 0x6E, 0x3C)
LINE = (0x60, 0x80, 0xC0)


def colour_at(x, y):
    # y counts from the top.
    if 30 <= y < 110 and 40 <= x < 200:
        if 118 <= x < 122:
            return FOLD
        column = x - 40 if x < 120 else x - 122
        if (y - 40) % 10 == 0 and 40 <= y < 100 and 10 <= column < 68:
            return LINE
        return PAGE
    return GROUND


def main():
    row_size = (WIDTH * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(HEIGHT - 1, -1, -1):
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = colour_at(x, y)
            row += bytes((b, g, r))
        row += b'\0' * (row_size - len(row))
        pixels += row
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'Splash.bmp')
    with open(path, 'wb') as out:
        out.write(header + info + pixels)


if __name__ == '__main__':
    main()
