#!/usr/bin/env python3
"""Writes the pictures the editor carries into resources/.

led_off.png, led_on.png   the LED sprites: 16x16, 4-bit palette, entry 0 transparent
play.png, stop.png,       the image button glyphs: 30x30 8-bit RGB, black on white,
arrow_right.png,          sloping edges softened with greys
arrow_left.png
icon.png                  the program icon: 128x128 RGBA, a cube of LEDs

Only the Python standard library is used, so the output is the same everywhere.
No gAMA chunk is written: the pixels are plain sRGB values.

Usage: tools/make_pictures.py [output folder, default resources/]
"""

import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------- PNG writing


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(width, height, bit_depth, colour_type, rows, extra_chunks=()):
    """rows: one bytes object per row, already packed for the bit depth."""
    header = struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0)
    raw = b"".join(b"\x00" + row for row in rows)  # filter type 0 on every row
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
    for kind, data in extra_chunks:
        out += chunk(kind, data)
    out += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    return out


# ---------------------------------------------------------------- LED sprites

# The classic 16-colour palette, except that entry 3 is the teal fill of an
# unlit LED and entry 15 the black outline.
PALETTE = [
    (0, 0, 0),        # 0  transparent
    (128, 0, 0),      # 1
    (0, 128, 0),      # 2
    (0, 128, 128),    # 3  teal: the fill of an unlit LED
    (0, 0, 128),      # 4
    (128, 0, 128),    # 5
    (128, 128, 0),    # 6
    (192, 192, 192),  # 7  silver: the highlight
    (128, 128, 128),  # 8  grey: the inner ring
    (255, 0, 0),      # 9
    (0, 255, 0),      # 10 green: the fill of a lit LED
    (255, 255, 0),    # 11
    (0, 0, 255),      # 12
    (255, 0, 255),    # 13
    (0, 255, 255),    # 14
    (0, 0, 0),        # 15 black: the outline
]

LED_ROWS = [
    ".....KKKKK......",
    "...KKGGGGGKK....",
    "..KGGFFFFFGGK...",
    ".KGFFFFFFFFFGK..",
    ".KGFFFSSFFFFGK..",
    "KGFFFSSFFFFFFGK.",
    "KGFFSSFFFFFFFGK.",
    "KGFFSFFFFFFFFGK.",
    "KGFFFFFFFFFFFGK.",
    "KGFFFFFFFFFFFGK.",
    ".KGFFFFFFFFFGK..",
    ".KGFFFFFFFFFGK..",
    "..KGGFFFFFGGK...",
    "...KKGGGGGKK....",
    ".....KKKKK......",
    "................",
]


def led_sprite(fill_entry):
    marks = {".": 0, "K": 15, "G": 8, "S": 7, "F": fill_entry}
    rows = []
    for text in LED_ROWS:
        entries = [marks[m] for m in text]
        rows.append(bytes((entries[i] << 4) | entries[i + 1] for i in range(0, 16, 2)))
    plte = b"".join(bytes(c) for c in PALETTE)
    trns = b"\x00"  # entry 0 fully transparent; every later entry opaque
    return png(16, 16, 4, 3, rows, [(b"PLTE", plte), (b"tRNS", trns)])


# ---------------------------------------------------------------- button glyphs
# Shapes are polygons in pixel-edge coordinates: pixel (c, r) is the square
# [c, c+1) x [r, r+1). Each pixel's grey is how much of it the shapes cover,
# sampled on a SUB x SUB grid.

SUB = 16


def inside_convex(polygon, x, y):
    """True when (x, y) lies inside the convex polygon (clockwise on screen)."""
    n = len(polygon)
    for i in range(n):
        x0, y0 = polygon[i]
        x1, y1 = polygon[(i + 1) % n]
        if (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0) < 0:
            return False
    return True


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def glyph(shapes, size=30):
    rows = []
    for r in range(size):
        row = bytearray()
        for c in range(size):
            covered = 0
            for sy in range(SUB):
                for sx in range(SUB):
                    x = c + (sx + 0.5) / SUB
                    y = r + (sy + 0.5) / SUB
                    if any(inside_convex(s, x, y) for s in shapes):
                        covered += 1
            grey = round(255 * (1 - covered / (SUB * SUB)))
            row += bytes((grey, grey, grey))
        rows.append(bytes(row))
    return png(size, size, 8, 2, rows)


def mirrored(shapes, size=30):
    return [[(size - x, y) for (x, y) in reversed(s)] for s in shapes]


# Play: the left side down column 1 from row 1 to row 28, the tip in column 28, row 15.
PLAY = [[(1, 1), (29, 15.5), (1, 29)]]
# Stop: columns 1 to 28, rows 3 to 27.
STOP = [rect(1, 3, 29, 28)]
# Right arrow: the shaft over columns 1 to 15, rows 10 to 20; the head's base
# down column 16 from row 3 to row 27, its tip in column 28, row 15.
ARROW_RIGHT = [rect(1, 10, 16, 21), [(16, 3), (29, 15.5), (16, 28)]]
ARROW_LEFT = mirrored(ARROW_RIGHT)

# ---------------------------------------------------------------- icon
# A 4x4x4 cube of LEDs seen from above and to the right, on transparency: the
# back edges of the box, the LEDs from the back to the front (lit ones in the
# layer colours), then the front edges. Drawn at 4x and averaged down.

ICON = 128
ICON_SUB = 4
LAYER_COLOURS = [(0, 255, 255), (0, 255, 0), (255, 255, 0), (255, 0, 0)]


def project(x, y, z):
    """Cube coordinates in [0, 1] (x right, y up, z back) to icon pixels."""
    scale = 72
    px = 22 + scale * x + 0.42 * scale * z
    py = 106 - scale * y - 0.36 * scale * z
    return px, py


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]  # premultiplied

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.size and 0 <= y < self.size:
            p = self.pixels[y * self.size + x]
            for i in range(3):
                p[i] = colour[i] / 255 * alpha + p[i] * (1 - alpha)
            p[3] = alpha + p[3] * (1 - alpha)

    def disc(self, cx, cy, radius, colour, alpha=1.0):
        for y in range(int(cy - radius) - 1, int(cy + radius) + 2):
            for x in range(int(cx - radius) - 1, int(cx + radius) + 2):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius:
                    self.blend(x, y, colour, alpha)

    def line(self, a, b, width, colour, alpha=1.0):
        (x0, y0), (x1, y1) = a, b
        length = math.hypot(x1 - x0, y1 - y0)
        for y in range(int(min(y0, y1) - width) - 1, int(max(y0, y1) + width) + 2):
            for x in range(int(min(x0, x1) - width) - 1, int(max(x0, x1) + width) + 2):
                px, py = x + 0.5, y + 0.5
                t = max(0.0, min(1.0, ((px - x0) * (x1 - x0) + (py - y0) * (y1 - y0)) / length**2))
                if math.hypot(px - (x0 + t * (x1 - x0)), py - (y0 + t * (y1 - y0))) <= width / 2:
                    self.blend(x, y, colour, alpha)


def lit(layer, row, col):
    """A diagonal pattern of lit LEDs, so the icon shows lit and unlit ones."""
    return (row + col + layer) % 3 == 0


def icon():
    s = ICON_SUB
    canvas = Canvas(ICON * s)

    def at(x, y, z):
        px, py = project(x, y, z)
        return px * s, py * s

    corners = {(x, y, z): at(x, y, z) for x in (0, 1) for y in (0, 1) for z in (0, 1)}
    edges = [(a, b) for a in corners for b in corners
             if a < b and sum(1 for i in range(3) if a[i] != b[i]) == 1]
    # Edges at the hidden back-bottom-left corner go behind the LEDs, the rest in front.
    hidden = (0, 0, 1)
    front = [e for e in edges if hidden not in e]
    edge_colour = (170, 190, 210)
    for (a, b) in edges:
        if (a, b) not in front:
            canvas.line(corners[a], corners[b], 2.2 * s, edge_colour, 0.7)
    leds = []
    for layer in range(4):
        for row in range(4):
            for col in range(4):
                x = (col + 0.5) / 4
                y = 1 - (layer + 0.5) / 4
                z = 1 - (row + 0.5) / 4
                leds.append((z, -y, x, layer, row, col))
    for z, _, x, layer, row, col in sorted(leds, key=lambda e: (-e[0], e[1], e[2])):
        y = 1 - (layer + 0.5) / 4
        cx, cy = at(x, y, z)
        radius = (6.2 - 1.2 * z) * s
        if lit(layer, row, col):
            colour = LAYER_COLOURS[layer]
            canvas.disc(cx, cy, radius * 1.5, colour, 0.25)
            canvas.disc(cx, cy, radius, colour)
            canvas.disc(cx - radius * 0.3, cy - radius * 0.3, radius * 0.35, (255, 255, 255), 0.8)
        else:
            canvas.disc(cx, cy, radius, (20, 20, 20))
            canvas.disc(cx, cy, radius * 0.75, (70, 80, 90))
    for (a, b) in front:
        canvas.line(corners[a], corners[b], 2.6 * s, edge_colour)

    rows = []
    for y in range(ICON):
        row = bytearray()
        for x in range(ICON):
            acc = [0.0] * 4
            for sy in range(s):
                for sx in range(s):
                    p = canvas.pixels[(y * s + sy) * canvas.size + x * s + sx]
                    for i in range(4):
                        acc[i] += p[i]
            alpha = acc[3] / (s * s)
            if alpha <= 0:
                row += bytes(4)
                continue
            rgb = [min(255, round(255 * acc[i] / acc[3])) for i in range(3)]
            row += bytes(rgb + [round(255 * alpha)])
        rows.append(bytes(row))
    return png(ICON, ICON, 8, 6, rows)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    os.makedirs(folder, exist_ok=True)
    pictures = {
        "led_off.png": led_sprite(3),
        "led_on.png": led_sprite(10),
        "play.png": glyph(PLAY),
        "stop.png": glyph(STOP),
        "arrow_right.png": glyph(ARROW_RIGHT),
        "arrow_left.png": glyph(ARROW_LEFT),
        "icon.png": icon(),
    }
    for name, data in pictures.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
