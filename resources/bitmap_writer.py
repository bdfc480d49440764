"""Writes 24-bit bottom-up BMP files, the form the resource compiler takes for BITMAP resources.

Shared by the scripts beside it that draw the reader's bitmaps.
"""
import struct


def write_bmp24(path, rows):
    """Writes rows of (r, g, b) pixels, given from the top; every row has the same length."""
    rows = list(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):  # bottom-up
        assert len(row) == width
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, len(rows), 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)
