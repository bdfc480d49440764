#!/usr/bin/env python3
"""Draws BookIcons.bmp, the strip of 16 x 16 contents-tree icons of the reader.

Each icon is drawn from a character map below; magenta (FF00FF) is the transparent
colour. Image 0 is a closed book (chapters), 1 a page, 2 an open book, 3 a folder.
Run it from anywhere: it writes the bitmap beside itself.
"""
import os

from bitmap_writer import write_bmp24

PALETTE = {
    '.': (0xFF, 0x00, 0xFF),  # transparent
    'k': (0x20, 0x20, 0x20),  # outline
    'b': (0x1F, 0x4E, 0xA8),  # book cover
    'B': (0x5C, 0x8A, 0xE0),  # cover highlight
    'w': (0xFF, 0xFF, 0xFF),  # paper
    'g': (0xB0, 0xB0, 0xB0),  # paper shade
    'l': (0x60, 0x80, 0xC0),  # text lines
    'y': (0xF0, 0xC8, 0x40),  # folder
    'Y': (0xFF, 0xE6, 0x8C),  # folder highlight
    'r': (0xC0, 0x30, 0x30),  # bookmark
}

BOOK = [
    "................",
    "...kkkkkkkkkk...",
    "..kbBbbbbbbbbk..",
    "..kbBbbbbbbbbk..",
    "..kbBbbwwwwbbk..",
    "..kbBbbwwwwbbk..",
    "..kbBbbbbbbbbk..",
    "..kbBbbbbbbbbk..",
    "..kbBbbbbbbbbk..",
    "..kbBbbbbbbbbk..",
    "..kbBbbbbbbbbk..",
    "..kbBbbbbbbbbk..",
    "..kbBkkkkkkkkk..",
    "..kbkwwwwwwwwk..",
    "...kkkkkkkkkk...",
    "................",
]

PAGE = [
    "................",
    "...kkkkkkkk.....",
    "...kwwwwwwkk....",
    "...kwwwwwwkwk...",
    "...kwllllwkkkk..",
    "...kwwwwwwwwgk..",
    "...kwllllllwgk..",
    "...kwwwwwwwwgk..",
    "...kwllllllwgk..",
    "...kwwwwwwwwgk..",
    "...kwllllllwgk..",
    "...kwwwwwwwwgk..",
    "...kwllllwwwgk..",
    "...kgggggggggk..",
    "...kkkkkkkkkkk..",
    "................",
]

OPEN_BOOK = [
    "................",
    "................",
    "................",
    ".kkkkkk..kkkkkk.",
    "kwwwwwwkkwwwwwwk",
    "kwllllwkkwllllwk",
    "kwwwwwwkkwwwwwwk",
    "kwllllwkkwllllwk",
    "kwwwwwwkkwwwwwwk",
    "kwllllwkkwllllwk",
    "kwwwwwwkkwwwwwwk",
    "kwwwwwwkkwwwwwwk",
    "kbbbbbbbbbbbbbbk",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
]

FOLDER = [
    "................",
    "................",
    ".kkkkk..........",
    "kYYYYYk.........",
    "kYYYYYYkkkkkkkk.",
    "kYYYYYYYYYYYYYYk",
    "kykkkkkkkkkkkkkk",
    "kykYYYYYYYYYYYYk",
    "kykYYYYYYYYYYYk.",
    "kyykYYYYYYYYYYk.",
    "kyykYYYYYYYYYYk.",
    "kyyykYYYYYYYYYk.",
    "kyyykYYYYYYYYk..",
    "kkkkkkkkkkkkkk..",
    "................",
    "................",
]

ICONS = [BOOK, PAGE, OPEN_BOOK, FOLDER]
SIZE = 16


def pixel_rows():
    """Rows of (r, g, b) from the top, all icons side by side."""
    for y in range(SIZE):
        row = []
        for icon in ICONS:
            line = icon[y]
            assert len(line) == SIZE, (icon is BOOK, y, line)
            row.extend(PALETTE[ch] for ch in line)
        yield row


def write_bmp(path):
    write_bmp24(path, pixel_rows())


if __name__ == "__main__":
    write_bmp(os.path.join(os.path.dirname(os.path.abspath(__file__)), "BookIcons.bmp"))
