#!/usr/bin/env python3
"""Draws Marquill's icons and writes them as 16-colour .ico files.

Usage: make_icons.py OUTPUT_DIR

Writes marquill.ico (32x32: a folder with an arrow and a quill) and
options.ico (32x32 and 16x16: a ticked check list). Each image is a 4-bit
bitmap with its transparency mask, the icon format every Windows version reads.
"""

import os
import struct
import sys

# The standard Windows 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
CLEAR = None  # a transparent pixel


class Canvas:
    """A square image of palette indices, drawn in pixel coordinates."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    @classmethod
    def from_rows(cls, rows, legend):
        """A canvas given pixel by pixel, one letter of `legend` each."""
        canvas = cls(len(rows))
        canvas.pixels = [[legend[letter] for letter in row] for row in rows]
        return canvas

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour

    def rect(self, left, top, right, bottom, fill, outline=None):
        """Fills the cells from (left, top) up to (right, bottom), exclusive."""
        for y in range(top, bottom):
            for x in range(left, right):
                edge = x in (left, right - 1) or y in (top, bottom - 1)
                self.put(x, y, outline if edge and outline is not None else fill)

    def polygon(self, points, fill, outline=None):
        for y in range(self.size):
            for x in range(self.size):
                if _inside(points, x + 0.5, y + 0.5):
                    self.put(x, y, fill)
        if outline is not None:
            for a, b in zip(points, points[1:] + points[:1]):
                self.line(a, b, outline)

    def line(self, start, end, colour):
        (x0, y0), (x1, y1) = start, end
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        error = dx + dy
        while True:
            self.put(x0, y0, colour)
            if (x0, y0) == (x1, y1):
                return
            twice = 2 * error
            if twice >= dy:
                error += dy
                x0 += sx
            if twice <= dx:
                error += dx
                y0 += sy


def _inside(points, x, y):
    inside = False
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            inside = not inside
    return inside


def draw_program():
    """A folder with an arrow leaving it, and a quill writing above."""
    c = Canvas(32)
    # The folder: its tab, then its body.
    c.rect(2, 11, 11, 14, YELLOW, OLIVE)
    c.rect(2, 13, 22, 29, YELLOW, OLIVE)
    c.line((3, 15), (20, 15), WHITE)
    # The arrow: out of the folder towards the right edge.
    c.rect(12, 19, 24, 23, BLUE, NAVY)
    c.polygon([(23, 16), (31, 21), (23, 26)], BLUE, NAVY)
    # The quill: a feather leaning right, its shaft and its nib.
    c.polygon([(29, 1), (25, 2), (19, 7), (15, 12), (17, 13), (22, 10), (27, 6)], WHITE, GREY)
    c.line((29, 1), (14, 15), BLACK)
    c.line((14, 15), (12, 17), MAROON)
    return c


def draw_options_large():
    """A sheet with three check boxes, two of them ticked."""
    c = Canvas(32)
    c.rect(4, 1, 28, 31, WHITE, BLACK)
    for row, ticked in ((0, True), (1, False), (2, True)):
        top = 5 + row * 9
        c.rect(7, top, 14, top + 7, WHITE, GREY)
        if ticked:
            c.line((8, top + 3), (10, top + 5), GREEN)
            c.line((10, top + 5), (13, top + 1), GREEN)
        c.rect(16, top + 3, 25, top + 4, NAVY)
    return c


def draw_options_small():
    """The same sheet for 16 pixels, where boxes would be mere dots: a tick or
    an empty square before each line."""
    return Canvas.from_rows([
        "..KKKKKKKKKKKK..",
        "..KWWWWWWWWWWK..",
        "..KWWWWGWWWWWK..",
        "..KWGWGWWNNNNK..",
        "..KWWGWWWWWWWK..",
        "..KWWWWWWWWWWK..",
        "..KWgggWWWWWWK..",
        "..KWgWgWWNNNNK..",
        "..KWgggWWWWWWK..",
        "..KWWWWWWWWWWK..",
        "..KWWWWGWWWWWK..",
        "..KWGWGWWNNNNK..",
        "..KWWGWWWWWWWK..",
        "..KWWWWWWWWWWK..",
        "..KWWWWWWWWWWK..",
        "..KKKKKKKKKKKK..",
    ], {".": CLEAR, "K": BLACK, "W": WHITE, "g": GREY, "G": GREEN, "N": NAVY})


def bmp_image(canvas):
    """The image as an icon stores it: header, palette, colour rows, mask."""
    size = canvas.size
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour_stride = (size * 4 + 31) // 32 * 4
    mask_stride = (size + 31) // 32 * 4
    colours = bytearray()
    mask = bytearray()
    for row in reversed(canvas.pixels):  # bottom row first
        line = bytearray(colour_stride)
        bits = bytearray(mask_stride)
        for x, colour in enumerate(row):
            if colour is CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
                colour = BLACK
            line[x // 2] |= colour << (4 if x % 2 == 0 else 0)
        colours += line
        mask += bits
    return header + palette + bytes(colours) + bytes(mask)


def ico(canvases):
    images = [bmp_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.size % 256, canvas.size % 256, 16, 0, 1, 4,
                           len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    os.makedirs(sys.argv[1], exist_ok=True)
    icons = {
        "marquill.ico": [draw_program()],
        "options.ico": [draw_options_large(), draw_options_small()],
    }
    for name, canvases in icons.items():
        with open(os.path.join(sys.argv[1], name), "wb") as f:
            f.write(ico(canvases))


if __name__ == "__main__":
    main()
