"""Writes 24-bit bottom-up BMP files, the form the resource compiler takes for BITMAP resources,
and small 32-bit icon files.

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


def write_icon32(path, size, pixel):
    """Writes a one-image icon file of size x size 32-bit pixels; pixel(x, y) gives (b, g, r, a)
    from the top-left, or None where the icon is transparent."""
    xor = bytearray()
    mask_rows = []
    for y in reversed(range(size)):  # bottom-up rows
        mask_bits = 0
        for x in range(size):
            p = pixel(x, y)
            if p is None:
                xor += bytes((0, 0, 0, 0))
                mask_bits |= 1 << (31 - x)
            else:
                xor += bytes(p)
        mask_rows.append(struct.pack(">I", mask_bits))
    mask = b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + mask
    ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22) + image
    with open(path, "wb") as f:
        f.write(ico)


def write_png(path, rows):
    """Writes rows of (r, g, b, a) pixels, given from the top, as an 8-bit RGBA PNG file."""
    import zlib

    rows = list(rows)
    width, height = len(rows[0]), len(rows)
    raw = bytearray()
    for row in rows:
        assert len(row) == width
        raw.append(0)  # no filter
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


def write_utf16_text(path, lines):
    """Writes lines as UTF-16LE text with a byte-order mark and CR LF after every line."""
    text = "\ufeff" + "".join(line + "\r\n" for line in lines)
    with open(path, "wb") as out:
        out.write(text.encode("utf-16-le"))
