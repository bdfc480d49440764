#!/usr/bin/env python3
"""Draws the customize cursors, 32 x 32 monochrome. The drag's three have the hot spot at the
arrow's tip:

DragMove.cur  the arrow with a dotted box below it (the control moves),
DragCopy.cur  the same with a plus in a small square (a copy is dropped),
DragNone.cur  the arrow with a circle and slash (dropping here removes the control);

Resize.cur, over a control's edge that can be dragged, is a left-right arrow through two
upright bars with the hot spot at its centre.

Run it from anywhere: it writes the cursors beside itself.
"""
import os
import struct

SIZE = 32
BLACK, WHITE, CLEAR = 'B', 'W', ' '

ARROW = [
    "B",
    "BB",
    "BWB",
    "BWWB",
    "BWWWB",
    "BWWWWB",
    "BWWWWWB",
    "BWWWWWWB",
    "BWWWWWWWB",
    "BWWWWWWWWB",
    "BWWWWWBBBB",
    "BWWBWWB",
    "BWB BWWB",
    "BB  BWWB",
    "B    BWWB",
    "     BWWB",
    "      BB",
]


def blank():
    return [[CLEAR] * SIZE for _ in range(SIZE)]


def put(canvas, x, y, colour):
    if 0 <= x < SIZE and 0 <= y < SIZE:
        canvas[y][x] = colour


def draw_arrow(canvas):
    for y, row in enumerate(ARROW):
        for x, c in enumerate(row):
            if c != ' ':
                put(canvas, x, y, c)


def draw_box(canvas, left, top, right, bottom, dotted):
    """A white box with a black frame (dotted: every other pixel)."""
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = x in (left, right) or y in (top, bottom)
            if edge:
                put(canvas, x, y, BLACK if not dotted or (x + y) % 2 == 0 else WHITE)
            else:
                put(canvas, x, y, WHITE)


def draw_plus(canvas, left, top):
    draw_box(canvas, left, top, left + 8, top + 8, False)
    for i in range(2, 7):
        put(canvas, left + 4, top + i, BLACK)
        put(canvas, left + i, top + 4, BLACK)


def draw_no_drop(canvas, cx, cy, radius):
    for y in range(cy - radius - 1, cy + radius + 2):
        for x in range(cx - radius - 1, cx + radius + 2):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            on_ring = (radius - 1.5) ** 2 <= d2 <= (radius + 0.5) ** 2
            on_slash = abs((x - cx) - (y - cy)) <= 1 and d2 <= radius ** 2
            if on_ring or on_slash:
                put(canvas, x, y, BLACK)
            elif d2 < (radius - 1.5) ** 2:
                put(canvas, x, y, WHITE)


def draw_resize(canvas, cx, cy):
    """Two upright bars with a black arrow to each side, all framed in white."""
    shape = blank()
    for y in range(cy - 7, cy + 8):
        put(shape, cx - 2, y, BLACK)
        put(shape, cx + 2, y, BLACK)
    for x in range(cx - 10, cx + 11):
        put(shape, x, cy, BLACK)
    for i in range(1, 5):
        for y in range(cy - i, cy + i + 1):
            put(shape, cx - 11 + i, y, BLACK)
            put(shape, cx + 11 - i, y, BLACK)
    for y in range(SIZE):
        for x in range(SIZE):
            if shape[y][x] == BLACK:
                put(canvas, x, y, BLACK)
                continue
            near = any(shape[y + dy][x + dx] == BLACK
                       for dy in (-1, 0, 1) for dx in (-1, 0, 1)
                       if 0 <= x + dx < SIZE and 0 <= y + dy < SIZE)
            if near:
                put(canvas, x, y, WHITE)


def cursor_bytes(canvas, hot_x, hot_y):
    # XOR and AND masks, bottom-up, 4 bytes a row. Black: AND 0 XOR 0; white: AND 0 XOR 1;
    # clear: AND 1 XOR 0.
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):
        xor_bits = and_bits = 0
        for x in range(SIZE):
            c = canvas[y][x]
            bit = 1 << (SIZE - 1 - x)
            if c == WHITE:
                xor_bits |= bit
            if c == CLEAR:
                and_bits |= bit
        xor_rows.append(struct.pack('>I', xor_bits))
        and_rows.append(struct.pack('>I', and_bits))
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + b''.join(xor_rows) + b''.join(and_rows)
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, hot_x, hot_y, len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    move = blank()
    draw_box(move, 12, 18, 26, 28, True)
    draw_arrow(move)
    copy = blank()
    draw_box(copy, 12, 18, 26, 28, True)
    draw_plus(copy, 20, 22)
    draw_arrow(copy)
    none = blank()
    draw_no_drop(none, 21, 22, 7)
    draw_arrow(none)
    for name, canvas in (('DragMove.cur', move), ('DragCopy.cur', copy), ('DragNone.cur', none)):
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(cursor_bytes(canvas, 0, 0))
    resize = blank()
    draw_resize(resize, 15, 15)
    with open(os.path.join(folder, 'Resize.cur'), 'wb') as f:
        f.write(cursor_bytes(resize, 15, 15))


if __name__ == '__main__':
    main()
