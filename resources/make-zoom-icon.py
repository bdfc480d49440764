#!/usr/bin/env python3
"""Draws Zoom.ico, the zoom pane's 16 x 16 icon: a magnifying glass with a plus.

Run it from anywhere: it writes the icon beside itself.
"""
import math
import os
import struct

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
    xor = bytearray()
    mask_rows = []
    for y in reversed(range(SIZE)):  # bottom-up rows
        mask_bits = 0
        for x in range(SIZE):
            p = pixel(x, y)
            if p is None:
                xor += bytes((0, 0, 0, 0))
                mask_bits |= 1 << (31 - x)
            else:
                xor += bytes(p)
        mask_rows.append(struct.pack(">I", mask_bits))
    mask = b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + mask
    ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22) + image
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "Zoom.ico"), "wb") as f:
        f.write(ico)


if __name__ == "__main__":
    main()
