#!/usr/bin/env python3
"""Draws Zoom.ico, the zoom pane's 16 x 16 icon: a magnifying glass with a plus.

Run it from anywhere: it writes the icon beside itself.
"""
import math
import os

from bitmap_writer import write_icon32

SIZE = 16


def pixel(x, y):
    """BGRA of one pixel, or None for transparent."""
    cx, cy, r = 6.0, 6.0, 4.6
    d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
    if abs(d - r) < 0.9:
        return (0x60, 0x40, 0x20, 0xFF)  # dark blue rim
    if d < r - 0.9:
        if (abs(x - 5.5) < 0.6 and 3 <= y <= 8) or (abs(y - 5.5) < 0.6 and 3 <= x <= 8):
            return (0x20, 0x20, 0x20, 0xFF)  # the plus
        return (0xFF, 0xF0, 0xD8, 0xFF)  # light glass
    # The handle, down to the bottom-right corner.
    if x >= 9 and y >= 9 and abs(x - y) <= 1 and x <= 14:
        return (0x20, 0x50, 0x80, 0xFF)
    return None


def main():
    write_icon32(os.path.join(os.path.dirname(os.path.abspath(__file__)), "Zoom.ico"), SIZE, pixel)


if __name__ == "__main__":
    main()
