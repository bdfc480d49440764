#!/usr/bin/env python3
"""Draws Toolbar.bmp, the images of the reader's "Standard" tool bar: 13 images of 16 x 16 side
by side, in the order of the tool-bar resource's buttons:

Print, Print Preview, Back, Forward, Stop, Refresh, Home, Text size, Contents, Search,
Prior, Next, Auto Scroll.

Magenta (FF00FF) is the transparent colour; the top-left pixel of the strip is one of it, which
is what the image manager reads the mask colour from. Each image is drawn with a few shapes on
a canvas of palette letters. Run it from anywhere: it writes the bitmap beside itself.
"""
import math
import os

from bitmap_writer import write_bmp24

SIZE = 16

PALETTE = {
    '.': (0xFF, 0x00, 0xFF),  # transparent
    'k': (0x30, 0x30, 0x30),  # outline
    'w': (0xFF, 0xFF, 0xFF),  # paper
    'g': (0xC8, 0xC8, 0xC8),  # light grey
    'G': (0x80, 0x80, 0x80),  # dark grey
    'l': (0x70, 0x90, 0xC8),  # text lines
    'b': (0x1F, 0x4E, 0xA8),  # blue
    'B': (0xA8, 0xC8, 0xF0),  # light blue (glass)
    'n': (0x20, 0x8C, 0x30),  # green
    'r': (0xC0, 0x20, 0x20),  # red
    'y': (0xF0, 0xC8, 0x40),  # yellow
    'o': (0x90, 0x58, 0x20),  # brown
}


class Canvas:
    def __init__(self):
        self.cells = [['.'] * SIZE for _ in range(SIZE)]

    def put(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.cells[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def box(self, x0, y0, x1, y1, outline, inside):
        self.fill(x0, y0, x1, y1, outline)
        if x1 - x0 >= 2 and y1 - y0 >= 2:
            self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, inside)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, radius, outline, inside):
        """A circle around the pixel centre (cx, cy); inside None leaves the middle as it is."""
        for y in range(SIZE):
            for x in range(SIZE):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if d <= radius - 1 and inside is not None:
                    self.put(x, y, inside)
                elif d <= radius:
                    self.put(x, y, outline)

    def rows(self):
        return [[PALETTE[c] for c in row] for row in self.cells]


def page(c, x0, y0, x1, y1, lines=True):
    """A sheet of paper with its top-right corner folded over, and text lines."""
    c.box(x0, y0, x1, y1, 'k', 'w')
    for a in range(4):
        for b in range(4):
            if a + b < 3:
                c.put(x1 - a, y0 + b, '.')
    c.line(x1 - 3, y0, x1, y0 + 3, 'k')
    c.fill(x1 - 3, y0, x1 - 3, y0 + 3, 'k')
    c.fill(x1 - 3, y0 + 3, x1, y0 + 3, 'k')
    c.put(x1 - 2, y0 + 2, 'g')
    if lines:
        for y in range(y0 + 5, y1 - 1, 2):
            c.fill(x0 + 2, y, x1 - 2, y, 'l')


def arrow(c, cx, cy, direction, outline, inside):
    """A thick arrow centred on (cx, cy), pointing 'left', 'right', 'up' or 'down'."""
    cells = []
    # Head: a triangle 4 deep; shaft: 3 wide, 4 long (drawn pointing right, then turned).
    for i in range(5):
        for j in range(-i, i + 1):
            cells.append((4 - i, j))
    for x in range(-4, 0):
        for j in range(-1, 2):
            cells.append((x, j))
    turn = {
        'right': lambda x, y: (x, y),
        'left': lambda x, y: (-x, y),
        'down': lambda x, y: (y, x),
        'up': lambda x, y: (y, -x),
    }[direction]
    points = {turn(x, y) for x, y in cells}
    for x, y in points:
        c.put(cx + x, cy + y, inside)
    # Outline: every transparent neighbour of the shape.
    for x, y in points:
        for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if (nx, ny) not in points:
                c.put(cx + nx, cy + ny, outline)


def draw_print():
    c = Canvas()
    c.box(4, 1, 11, 6, 'k', 'w')                 # paper going in
    c.box(1, 5, 14, 11, 'k', 'g')                # printer body
    c.fill(2, 6, 13, 6, 'w')
    c.put(12, 8, 'n')                            # power light
    c.box(4, 10, 11, 14, 'k', 'w')               # paper coming out
    c.fill(5, 12, 10, 12, 'l')
    return c


def draw_preview():
    c = Canvas()
    page(c, 1, 0, 10, 14)
    c.disc(9.5, 9.5, 3.6, 'k', 'B')             # magnifier over the page
    c.put(8, 8, 'w')
    c.line(12, 12, 15, 15, 'o')
    c.line(12, 13, 14, 15, 'o')
    return c


def draw_back():
    c = Canvas()
    arrow(c, 7, 7, 'left', 'k', 'n')
    return c


def draw_forward():
    c = Canvas()
    arrow(c, 8, 7, 'right', 'k', 'n')
    return c


def draw_stop():
    c = Canvas()
    c.disc(7.5, 7.5, 7.0, 'k', 'r')
    for i in range(5):                           # white cross
        for dx in (0, 1):
            c.put(5 + i + dx, 5 + i, 'w')
            c.put(10 - i - dx, 5 + i, 'w')
    return c


def draw_refresh():
    c = Canvas()
    # A ring open at the top right, its end an arrow head turning clockwise.
    for y in range(SIZE):
        for x in range(SIZE):
            d = ((x - 7.5) ** 2 + (y - 8.5) ** 2) ** 0.5
            angle = math.degrees(math.atan2(8.5 - y, x - 7.5))
            if 3.8 <= d <= 6.6 and not 15 <= angle <= 85:
                c.put(x, y, 'n')
    for i in range(4):
        c.fill(8 + i, 0 + i, 8 + i, 6 - i, 'n')
    return c


def draw_home():
    c = Canvas()
    for i in range(7):                           # roof
        c.fill(7 - i, 1 + i, 8 + i, 1 + i, 'r')
    c.line(0, 8, 7, 1, 'k')
    c.line(15, 8, 8, 1, 'k')
    c.box(2, 8, 13, 14, 'k', 'y')                # walls
    c.box(6, 10, 9, 14, 'k', 'o')                # door
    c.box(10, 9, 12, 11, 'k', 'B')               # window
    c.fill(11, 2, 12, 4, 'k')                    # chimney
    return c


def draw_text_size():
    c = Canvas()
    # A large A and a small one beside it.
    for dx in (0, 1):
        c.line(0 + dx, 14, 5 + dx, 1, 'k')
        c.line(5 + dx, 1, 10 + dx, 14, 'k')
    c.fill(3, 9, 8, 9, 'k')
    c.line(10, 14, 12, 7, 'b')
    c.line(12, 7, 15, 14, 'b')
    c.fill(11, 12, 14, 12, 'b')
    return c


def draw_contents():
    c = Canvas()
    # A contents page: entries with bullets, the sub-entries indented.
    page(c, 1, 0, 14, 15, lines=False)
    for y, indent in ((5, 0), (8, 2), (11, 2)):
        c.fill(3 + indent, y, 4 + indent, y + 1, 'b')
        c.fill(6 + indent, y, 12, y, 'l')
    return c


def draw_search():
    c = Canvas()
    c.disc(6.0, 6.0, 5.5, 'k', 'B')
    c.put(4, 4, 'w')
    c.put(4, 5, 'w')
    c.put(5, 4, 'w')
    for i in range(4):
        c.fill(10 + i, 10 + i, 11 + i, 11 + i, 'o')
        c.put(12 + i, 11 + i, 'k')
    return c


def page_with_arrow(page_rect, arrow_centre, direction):
    """A page and a blue arrow over it: the page before, the page after, scrolling down."""
    c = Canvas()
    page(c, *page_rect)
    arrow(c, *arrow_centre, direction, 'k', 'b')
    return c


def draw_prior():
    return page_with_arrow((4, 0, 14, 14), (5, 10), 'left')


def draw_next():
    return page_with_arrow((1, 0, 11, 14), (10, 10), 'right')


def draw_auto_scroll():
    return page_with_arrow((2, 0, 13, 15), (7, 9), 'down')


IMAGES = [draw_print, draw_preview, draw_back, draw_forward, draw_stop, draw_refresh, draw_home,
          draw_text_size, draw_contents, draw_search, draw_prior, draw_next, draw_auto_scroll]


def strip_rows():
    images = [draw().rows() for draw in IMAGES]
    for image in images:
        assert image[0][0] == PALETTE['.'], "each image's top-left pixel is transparent"
    return [sum((image[y] for image in images), []) for y in range(SIZE)]


if __name__ == "__main__":
    write_bmp24(os.path.join(os.path.dirname(os.path.abspath(__file__)), "Toolbar.bmp"), strip_rows())
