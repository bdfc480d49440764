#!/usr/bin/env python3
"""Draws the 16 x 16 icons of the Contents and Search panes: Contents.ico, an open book with
lines of text, and Search.ico, a page with a magnifying glass over it.

Run it from anywhere: it writes the icons beside itself.
"""
import math
import os

from bitmap_writer import write_icon32

SIZE = 16


def contents_pixel(x, y):
    """BGRA of one pixel of the book, or None for transparent."""
    if 3 <= y <= 13 and 1 <= x <= 14:
        if x in (1, 14) or y in (3, 13) or x in (7, 8):
            return (0x70, 0x40, 0x20, 0xFF)  # blue binding and edges
        if y % 2 == 1 and y <= 11 and x not in (2, 13, 6, 9):
            return (0x90, 0x90, 0x90, 0xFF)  # lines of text
        return (0xFF, 0xFF, 0xFF, 0xFF)  # paper
    return None


def search_pixel(x, y):
    """BGRA of one pixel of the page under the glass, or None for transparent."""
    cx, cy, r = 9.0, 9.0, 3.8
    d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
    if abs(d - r) < 0.8:
        return (0x30, 0x30, 0x30, 0xFF)  # the glass's rim
    if d < r - 0.8:
        return (0xFF, 0xE8, 0xC8, 0xFF)  # light glass
    if x >= 12 and y >= 12 and abs(x - y) <= 1 and x <= 15:
        return (0x20, 0x50, 0x80, 0xFF)  # the handle
    if 1 <= x <= 10 and 0 <= y <= 12:
        if x in (1, 10) or y in (0, 12):
            return (0x80, 0x80, 0x80, 0xFF)  # the page's edge
        if y % 2 == 0 and 3 <= x <= 8:
            return (0xA0, 0xA0, 0xA0, 0xFF)  # lines of text
        return (0xFF, 0xFF, 0xFF, 0xFF)
    return None


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_icon32(os.path.join(here, "Contents.ico"), SIZE, contents_pixel)
    write_icon32(os.path.join(here, "Search.ico"), SIZE, search_pixel)


if __name__ == "__main__":
    main()
