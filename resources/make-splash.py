#!/usr/bin/env python3
"""Draws Splash.bmp, the reader's start-up picture: an open book on a blue ground.

The ground is 1F4EA8, the pages F4E9C8 with a darker fold; 24-bit, bottom-up.
Run it from anywhere: it writes the bitmap beside itself.
"""
import os

from bitmap_writer import write_bmp24

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
    rows = [[colour_at(x, y) for x in range(WIDTH)] for y in range(HEIGHT)]
    write_bmp24(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'Splash.bmp'), rows)


if __name__ == '__main__':
    main()
