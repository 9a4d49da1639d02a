#!/usr/bin/env python3
"""Draws Marquill's icons and writes them as .ico files.

Usage: make_icons.py OUTPUT_DIR

Writes marquill.ico (a folder with an arrow and a quill) and options.ico
(32x32 and 16x16: a ticked check list). The 32x32 and 16x16 images are 4-bit
bitmaps with their transparency masks, the icon format every Windows version
reads. The program icon also holds the same picture drawn again, smoothed, at
every size Windows asks for a caption, the taskbar or Alt+Tab at 100 %, 125 %,
150 % and 200 % (16, 20, 24, 32, 40, 48 and 64: 32-bit bitmaps with alpha) and
at 256x256 (PNG) for Explorer's large views.
"""

import os
import struct
import sys
import zlib

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


class SmoothCanvas:
    """The same drawing calls as Canvas, in the coordinates of a 32-pixel
    canvas, redrawn at any size: shapes are filled at SAMPLES x SAMPLES points
    per pixel and averaged, so edges are smooth and outlines stay thin."""

    SAMPLES = 4

    def __init__(self, size):
        self.size = size
        self.scale = size * self.SAMPLES / 32  # samples per unit
        # Outlines about three quarters of a pixel per unit, never much under
        # one: a whole pixel would drown the quill in the smallest images.
        self.width = max(0.7, size * 0.75 / 32) * self.SAMPLES / self.scale
        count = size * self.SAMPLES
        self.samples = [[CLEAR] * count for _ in range(count)]

    def rect(self, left, top, right, bottom, fill, outline=None):
        box = [(left, top), (right, top), (right, bottom), (left, bottom)]
        if outline is None:
            self._fill(box, fill)
            return
        self._fill(box, outline)
        w = self.width
        self._fill([(left + w, top + w), (right - w, top + w), (right - w, bottom - w),
                    (left + w, bottom - w)], fill)

    def polygon(self, points, fill, outline=None):
        # A pixel index stands for the centre of its pixel.
        centres = [(x + 0.5, y + 0.5) for x, y in points]
        self._fill(centres, fill)
        if outline is not None:
            for a, b in zip(centres, centres[1:] + centres[:1]):
                self._stroke(a, b, outline)

    def line(self, start, end, colour):
        self._stroke((start[0] + 0.5, start[1] + 0.5), (end[0] + 0.5, end[1] + 0.5), colour)

    def _stroke(self, start, end, colour):
        """A straight stroke with square ends, as the pixel line covers whole end pixels."""
        (x0, y0), (x1, y1) = start, end
        length = max(((x1 - x0) ** 2 + (y1 - y0) ** 2) ** 0.5, 1e-9)
        half = self.width / 2
        dx, dy = (x1 - x0) / length * half, (y1 - y0) / length * half
        self._fill([(x0 - dx + dy, y0 - dy - dx), (x1 + dx + dy, y1 + dy - dx),
                    (x1 + dx - dy, y1 + dy + dx), (x0 - dx - dy, y0 - dy + dx)], colour)

    def _fill(self, points, colour):
        """Sets every sample whose centre is inside the polygon (even-odd rule)."""
        scaled = [(x * self.scale, y * self.scale) for x, y in points]
        edges = list(zip(scaled, scaled[1:] + scaled[:1]))
        count = len(self.samples)
        top = max(0, int(min(y for _, y in scaled)))
        bottom = min(count, int(max(y for _, y in scaled)) + 1)
        for row in range(top, bottom):
            y = row + 0.5
            crossings = sorted(x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                               for (x0, y0), (x1, y1) in edges if (y0 > y) != (y1 > y))
            line = self.samples[row]
            for enter, leave in zip(crossings[::2], crossings[1::2]):
                first = max(0, _ceil(enter - 0.5))
                last = min(count, _ceil(leave - 0.5))
                if first < last:
                    line[first:last] = [colour] * (last - first)

    def rgba(self):
        """Rows of (red, green, blue, alpha), top row first."""
        n = self.SAMPLES
        rows = []
        for y in range(self.size):
            block = self.samples[y * n:(y + 1) * n]
            row = []
            for x in range(self.size):
                covered = [PALETTE[c] for line in block for c in line[x * n:(x + 1) * n]
                           if c is not CLEAR]
                if not covered:
                    row.append((0, 0, 0, 0))
                    continue
                mean = [round(sum(c[i] for c in covered) / len(covered)) for i in range(3)]
                row.append((*mean, round(255 * len(covered) / (n * n))))
            rows.append(row)
        return rows


def _ceil(value):
    return -int(-value // 1)


def _inside(points, x, y):
    inside = False
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            inside = not inside
    return inside


def draw_program(c):
    """A folder with an arrow leaving it, and a quill writing above."""
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


def rgba_bmp_image(canvas):
    """A 32-bit image as an icon stores it: header, colour rows with alpha, and
    the mask older code uses, all bottom row first."""
    size = canvas.size
    rows = canvas.rgba()
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, a)
                       for row in reversed(rows) for r, g, b, a in row)
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, alpha) in enumerate(row):
            if alpha == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colours + bytes(mask)


def png_image(canvas):
    """A 32-bit image as a PNG, the form large icons take since Windows Vista."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in canvas.rgba())
    header = struct.pack(">IIBBBBB", canvas.size, canvas.size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def encode(canvas):
    """(colour count, bits per pixel, image) for one canvas."""
    if isinstance(canvas, Canvas):
        return 16, 4, bmp_image(canvas)
    if canvas.size >= 256:
        return 0, 32, png_image(canvas)
    return 0, 32, rgba_bmp_image(canvas)


def ico(canvases):
    images = [encode(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, (colours, bits, image) in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.size % 256, canvas.size % 256, colours, 0, 1,
                           bits, len(image), offset)
        offset += len(image)
    return out + b"".join(image for _, _, image in images)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    os.makedirs(sys.argv[1], exist_ok=True)
    icons = {
        "marquill.ico": [draw_program(Canvas(32))] +
                        [draw_program(SmoothCanvas(size))
                         for size in (16, 20, 24, 32, 40, 48, 64, 256)],
        "options.ico": [draw_options_large(), draw_options_small()],
    }
    for name, canvases in icons.items():
        with open(os.path.join(sys.argv[1], name), "wb") as f:
            f.write(ico(canvases))


if __name__ == "__main__":
    main()
