#!/usr/bin/env python3
"""Draws the pictures of the element palette and the two shipped pictures.

Writes, relative to the repository root:
  src/ui/glyphs/<ButtonName>.bmp   one 32 x 32 glyph per palette button
  src/ui/glyphs/glyphs.qrc         the resource list (prefix "/glyphs")
  data/IMAGES/OpenBox3.bmp         the open box of an empty sub-circuit
  data/IMAGES/About2.bmp           the picture of the About window

Every picture is a 24-bit BMP written by hand (standard library only).
The glyphs have a uniform background whose colour is also the lower-left
pixel: the program takes that pixel as the transparent colour, so the
figure must never use it and nothing may be drawn on that corner.

Run from anywhere:  python3 tools/make_glyphs.py
"""

import math
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
GLYPH_DIR = os.path.join(ROOT, "src", "ui", "glyphs")
IMAGES_DIR = os.path.join(ROOT, "data", "IMAGES")

BACK = (236, 233, 216)  # background and transparent key (not silver)
BLACK = (0, 0, 0)
NAVY = (0, 0, 128)
BLUE = (0, 0, 255)
RED = (200, 0, 0)
BRIGHT_RED = (255, 0, 0)
YELLOW = (255, 255, 0)
LIME = (0, 255, 0)
GREEN = (0, 128, 0)
WHITE = (255, 255, 255)
BROWN = (140, 80, 20)
TAN = (210, 160, 90)
DARK_TAN = (170, 115, 50)
GREY = (90, 90, 90)

# A 5 x 7 pixel font: seven rows of five columns per character.
FONT = {
    "A": "01110 10001 10001 11111 10001 10001 10001",
    "B": "11110 10001 10001 11110 10001 10001 11110",
    "C": "01110 10001 10000 10000 10000 10001 01110",
    "D": "11110 10001 10001 10001 10001 10001 11110",
    "E": "11111 10000 10000 11110 10000 10000 11111",
    "F": "11111 10000 10000 11110 10000 10000 10000",
    "G": "01110 10001 10000 10111 10001 10001 01111",
    "H": "10001 10001 10001 11111 10001 10001 10001",
    "I": "01110 00100 00100 00100 00100 00100 01110",
    "J": "00111 00010 00010 00010 00010 10010 01100",
    "K": "10001 10010 10100 11000 10100 10010 10001",
    "L": "10000 10000 10000 10000 10000 10000 11111",
    "M": "10001 11011 10101 10101 10001 10001 10001",
    "N": "10001 10001 11001 10101 10011 10001 10001",
    "O": "01110 10001 10001 10001 10001 10001 01110",
    "P": "11110 10001 10001 11110 10000 10000 10000",
    "Q": "01110 10001 10001 10001 10101 10010 01101",
    "R": "11110 10001 10001 11110 10100 10010 10001",
    "S": "01111 10000 10000 01110 00001 00001 11110",
    "T": "11111 00100 00100 00100 00100 00100 00100",
    "U": "10001 10001 10001 10001 10001 10001 01110",
    "V": "10001 10001 10001 10001 10001 01010 00100",
    "W": "10001 10001 10001 10101 10101 10101 01010",
    "X": "10001 10001 01010 00100 01010 10001 10001",
    "Y": "10001 10001 01010 00100 00100 00100 00100",
    "Z": "11111 00001 00010 00100 01000 10000 11111",
    "0": "01110 10001 10011 10101 11001 10001 01110",
    "1": "00100 01100 00100 00100 00100 00100 01110",
    "2": "01110 10001 00001 00010 00100 01000 11111",
    "3": "11111 00010 00100 00010 00001 10001 01110",
    "4": "00010 00110 01010 10010 11111 00010 00010",
    "5": "11111 10000 11110 00001 00001 10001 01110",
    "6": "00110 01000 10000 11110 10001 10001 01110",
    "7": "11111 00001 00010 00100 01000 01000 01000",
    "8": "01110 10001 10001 01110 10001 10001 01110",
    "9": "01110 10001 10001 01111 00001 00010 01100",
    "a": "00000 00000 01110 00001 01111 10001 01111",
    "c": "00000 00000 01110 10000 10000 10001 01110",
    "d": "00001 00001 01101 10011 10001 10001 01111",
    "e": "00000 00000 01110 10001 11111 10000 01110",
    "g": "00000 01111 10001 10001 01111 00001 01110",
    "i": "00100 00000 01100 00100 00100 00100 01110",
    "l": "01100 00100 00100 00100 00100 00100 00011",
    "m": "00000 00000 11010 10101 10101 10001 10001",
    "n": "00000 00000 10110 11001 10001 10001 10001",
    "o": "00000 00000 01110 10001 10001 10001 01110",
    "r": "00000 00000 10110 11001 10000 10000 10000",
    "s": "00000 00000 01110 10000 01110 00001 11110",
    "t": "01000 01000 11100 01000 01000 01001 00110",
    "u": "00000 00000 10001 10001 10001 10011 01101",
    "v": "00000 00000 10001 10001 10001 01010 00100",
    "y": "00000 10001 10001 01111 00001 10001 01110",
    "+": "00000 00100 00100 11111 00100 00100 00000",
    "-": "00000 00000 00000 11111 00000 00000 00000",
    ".": "00000 00000 00000 00000 00000 01100 01100",
    " ": "00000 00000 00000 00000 00000 00000 00000",
}


class Picture:
    """A picture of 24-bit pixels, (0, 0) at the top left."""

    def __init__(self, width, height, back=BACK):
        self.width = width
        self.height = height
        self.pixels = [[back] * width for _ in range(height)]

    def set(self, x, y, colour):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def line(self, x0, y0, x1, y1, colour, width=1):
        x0, y0, x1, y1 = int(round(x0)), int(round(y0)), int(round(x1)), int(round(y1))
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        steep = -dy > dx
        err = dx + dy
        while True:
            self.set(x0, y0, colour)
            if width > 1:
                if steep:
                    self.set(x0 + 1, y0, colour)
                else:
                    self.set(x0, y0 + 1, colour)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polyline(self, points, colour, width=1, closed=False):
        pts = list(points)
        if closed:
            pts.append(pts[0])
        for (xa, ya), (xb, yb) in zip(pts, pts[1:]):
            self.line(xa, ya, xb, yb, colour, width)

    def ellipse(self, cx, cy, rx, ry, colour, width=1, start=0.0, end=360.0):
        steps = int(8 * (rx + ry)) + 16
        for w in range(width):
            for i in range(steps + 1):
                a = math.radians(start + (end - start) * i / steps)
                self.set(cx + (rx - w) * math.cos(a), cy - (ry - w) * math.sin(a), colour)

    def circle(self, cx, cy, r, colour, width=1):
        self.ellipse(cx, cy, r, r, colour, width)

    def fill_ellipse(self, cx, cy, rx, ry, colour):
        for y in range(self.height):
            for x in range(self.width):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
                    self.set(x, y, colour)

    def fill_circle(self, cx, cy, r, colour):
        self.fill_ellipse(cx, cy, r + 0.3, r + 0.3, colour)

    def rect(self, x0, y0, x1, y1, colour, width=1):
        for w in range(width):
            self.polyline([(x0 + w, y0 + w), (x1 - w, y0 + w), (x1 - w, y1 - w), (x0 + w, y1 - w)],
                          colour, closed=True)

    def fill_rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def fill_polygon(self, points, colour):
        n = len(points)
        for y in range(self.height):
            for x in range(self.width):
                px, py = x + 0.5, y + 0.5
                inside = False
                j = n - 1
                for i in range(n):
                    xi, yi = points[i]
                    xj, yj = points[j]
                    if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                        inside = not inside
                    j = i
                if inside:
                    self.set(x, y, colour)

    def arrow_head(self, x0, y0, x1, y1, colour, size=4):
        """A filled head at (x1, y1) for a shaft coming from (x0, y0)."""
        a = math.atan2(y1 - y0, x1 - x0)
        left = (x1 - size * math.cos(a - 0.5), y1 - size * math.sin(a - 0.5))
        right = (x1 - size * math.cos(a + 0.5), y1 - size * math.sin(a + 0.5))
        self.fill_polygon([(x1 + 0.5 * math.cos(a), y1 + 0.5 * math.sin(a)), left, right], colour)
        self.polyline([left, (x1, y1), right], colour)

    def arrow(self, x0, y0, x1, y1, colour, width=1, size=4):
        self.line(x0, y0, x1, y1, colour, width)
        self.arrow_head(x0, y0, x1, y1, colour, size)

    def text(self, x, y, s, colour, scale=1, spacing=1):
        for ch in s:
            rows = FONT[ch].split()
            for ry, row in enumerate(rows):
                for rx, bit in enumerate(row):
                    if bit == "1":
                        self.fill_rect(x + rx * scale, y + ry * scale,
                                       x + rx * scale + scale - 1, y + ry * scale + scale - 1, colour)
            x += (5 + spacing) * scale

    def text_width(self, s, scale=1, spacing=1):
        return len(s) * (5 + spacing) * scale - spacing * scale

    def text_centred(self, cx, y, s, colour, scale=1):
        self.text(cx - self.text_width(s, scale) // 2, y, s, colour, scale)

    def bmp_bytes(self):
        row_size = (self.width * 3 + 3) // 4 * 4
        pad = b"\0" * (row_size - self.width * 3)
        body = bytearray()
        for y in range(self.height - 1, -1, -1):  # bottom-up rows
            for (r, g, b) in self.pixels[y]:
                body += bytes((b, g, r))
            body += pad
        header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(body),
                           2835, 2835, 0, 0)
        return header + info + bytes(body)

    def save(self, path):
        with open(path, "wb") as f:
            f.write(self.bmp_bytes())


# ---------------------------------------------------------------------------
# Building blocks of the glyphs (32 x 32, centre (16, 17)).

CY = 17


def glyph():
    return Picture(32, 32)


def corner_letter(p, s, colour=NAVY):
    p.text(1, 0, s, colour)


def leads(p, left_end, right_end, colour=BLACK):
    """Horizontal connection wires from the edges to the symbol."""
    p.line(0, CY, left_end, CY, colour)
    p.line(right_end, CY, 31, CY, colour)


def two_terminal_circle(p, r=8):
    leads(p, 15 - r, 17 + r)
    p.circle(16, CY, r, BLACK, 2)


def diamond(p, colour=BLACK):
    pts = [(16, CY - 11), (27, CY), (16, CY + 11), (5, CY)]
    p.polyline(pts, colour, 2, closed=True)
    leads(p, 5, 27)


def receiver_port(p, kind):
    """Controlling half of a controlled source: a dashed box that senses a
    voltage (kind "U", open port with + and -) or a current (kind "I",
    through wire with an arrow)."""
    leads(p, 6, 26)
    for x in range(6, 27, 3):
        p.set(x, CY - 8, BLACK)
        p.set(x + 1, CY - 8, BLACK)
        p.set(x, CY + 8, BLACK)
        p.set(x + 1, CY + 8, BLACK)
    for y in range(CY - 8, CY + 9, 3):
        p.set(6, y, BLACK)
        p.set(6, y + 1, BLACK)
        p.set(26, y, BLACK)
        p.set(26, y + 1, BLACK)
    if kind == "U":
        p.line(9, CY, 23, CY, BACK)
        p.fill_circle(8, CY, 1.5, BLACK)
        p.fill_circle(24, CY, 1.5, BLACK)
        p.text(14, CY - 3, "U", RED)
        p.text(7, CY - 8, "+", RED)
        p.line(21, CY - 5, 25, CY - 5, RED)
    else:
        p.line(6, CY, 26, CY, BLACK, 2)
        p.arrow_head(6, CY, 14, CY, RED, 5)
        p.text(16, CY - 7, "I", RED)


def triangle_amp(p, label=None, colour=BLACK):
    pts = [(7, CY - 10), (25, CY), (7, CY + 10)]
    p.polyline(pts, colour, 2, closed=True)
    p.line(0, CY, 6, CY, BLACK)
    p.line(26, CY, 31, CY, BLACK)
    if label:
        p.text(9, CY - 3, label, RED)


def probe_mark(p, colour, letter=None):
    """A probe: a coloured lead from a measuring point to a flag."""
    p.line(3, 28, 14, 17, BLACK, 2)
    p.line(4, 28, 15, 17, colour)
    p.line(14, 17, 27, 4, BLACK)
    p.fill_polygon([(17, 5), (29, 5), (29, 14), (17, 14)], colour)
    p.rect(17, 5, 29, 14, BLACK)
    p.fill_circle(14, 17, 3, colour)
    p.circle(14, 17, 3, BLACK)
    p.fill_circle(3, 28, 1, BLACK)
    if letter:
        p.text(20, 6, letter, WHITE if colour == BLACK else BLACK)


# ---------------------------------------------------------------------------
# The glyph of every palette button.

def g_junction():
    p = glyph()
    p.line(2, CY, 29, CY, GREEN)
    p.line(16, 4, 16, 30, GREEN)
    p.fill_circle(16, CY, 5, GREEN)
    p.circle(16, CY, 5, BLACK)
    return p


def g_voltage_source():
    p = glyph()
    two_terminal_circle(p)
    p.arrow(10, CY, 23, CY, RED, 2, 5)
    corner_letter(p, "E")
    return p


def g_current_source():
    p = glyph()
    two_terminal_circle(p)
    p.arrow(10, CY, 18, CY, RED, 2, 4)
    p.arrow(14, CY, 23, CY, RED, 2, 4)
    corner_letter(p, "J")
    return p


def g_current_sensor():
    p = glyph()
    p.line(0, CY, 31, CY, BLACK, 2)
    p.arrow_head(8, CY, 20, CY, RED, 6)
    p.text(10, CY - 12, "I", RED)
    p.fill_circle(4, CY, 2, BLACK)
    p.fill_circle(27, CY, 2, BLACK)
    return p


def g_voltage_sensor():
    p = glyph()
    leads(p, 6, 25)
    p.fill_circle(7, CY, 2, BLACK)
    p.fill_circle(24, CY, 2, BLACK)
    p.ellipse(16, CY + 2, 9, 8, RED, 1, 20, 160)
    p.arrow_head(22, CY - 4, 24, CY - 1, RED, 4)
    p.text(8, CY + 3, "+", RED)
    p.text(19, CY + 3, "-", RED)
    p.text(14, 0, "U", NAVY)
    return p


def g_meter(letter):
    def draw():
        p = glyph()
        two_terminal_circle(p, 9)
        p.text(14, CY - 3, letter, NAVY)
        return p
    return draw


def g_norator():
    p = glyph()
    leads(p, 4, 27)
    p.ellipse(11, CY, 7, 5, BLACK, 2)
    p.ellipse(20, CY, 7, 5, BLACK, 2)
    corner_letter(p, "N")
    return p


def g_nullator():
    p = glyph()
    leads(p, 4, 27)
    p.ellipse(16, CY, 11, 6, BLACK, 2)
    corner_letter(p, "N")
    p.text(26, 0, "0", NAVY)
    return p


def g_receiver(kind, partner):
    def draw():
        p = glyph()
        receiver_port(p, kind)
        corner_letter(p, partner)
        return p
    return draw


def g_generator(designator, current):
    def draw():
        p = glyph()
        diamond(p)
        if current:
            p.arrow(10, CY, 22, CY, RED, 2, 5)
        else:
            p.text(9, CY - 3, "+", RED)
            p.line(19, CY, 23, CY, RED, 2)
        corner_letter(p, designator)
        return p
    return draw


def g_box(letter, inside=None):
    def draw():
        p = glyph()
        leads(p, 6, 25)
        p.rect(6, CY - 5, 25, CY + 5, BLACK, 2)
        if inside:
            p.fill_rect(8, CY - 3, 23, CY + 3, inside)
        corner_letter(p, letter)
        return p
    return draw


def g_inductor(letter, colour):
    def draw():
        p = glyph()
        leads(p, 4, 27)
        for i in range(4):
            p.ellipse(7 + 6 * i, CY + 1, 3, 5, colour, 2, 0, 180)
        corner_letter(p, letter)
        return p
    return draw


def g_capacitor(letter, colour):
    def draw():
        p = glyph()
        leads(p, 13, 18)
        p.fill_rect(12, CY - 8, 13, CY + 8, colour)
        p.fill_rect(18, CY - 8, 19, CY + 8, colour)
        corner_letter(p, letter)
        return p
    return draw


def g_amplifiers():
    p = glyph()
    triangle_amp(p)
    p.text(10, CY - 3, "K", RED)
    p.fill_polygon([(25, 25), (31, 25), (28, 29)], NAVY)  # has a choice menu
    return p


def g_amplifier(letter):
    def draw():
        p = glyph()
        triangle_amp(p, letter)
        return p
    return draw


def g_subcircuit():
    p = glyph()
    p.rect(7, 7, 24, 27, NAVY, 2)
    p.text(13, 13, "X", NAVY)
    for y in (11, 23):
        p.line(0, y, 6, y, BLACK)
        p.line(25, y, 31, y, BLACK)
    return p


def g_opamp():
    p = glyph()
    pts = [(8, 5), (27, CY), (8, 29)]
    p.polyline(pts, BLACK, 2, closed=True)
    p.line(0, 11, 7, 11, BLACK)
    p.line(0, 23, 7, 23, BLACK)
    p.line(28, CY, 31, CY, BLACK)
    p.text(10, 8, "-", NAVY)
    p.text(10, 20, "+", RED)
    return p


def g_loop_mark():
    p = glyph()
    p.ellipse(16, CY, 10, 10, BLUE, 2, 110, 420)
    p.arrow_head(13, 5, 8, 9, BLUE, 6)
    p.text(14, CY - 3, "P", NAVY)
    return p


def g_text():
    p = glyph()
    p.text(9, 4, "T", NAVY, 3)
    p.line(3, 29, 28, 29, GREY)
    return p


def g_ground():
    p = glyph()
    p.line(16, 2, 16, 17, BLACK, 2)
    p.line(6, 17, 26, 17, BLACK, 2)
    p.line(10, 21, 22, 21, BLACK, 2)
    p.line(13, 25, 19, 25, BLACK, 2)
    return p


def g_probe(colour, letter=None):
    def draw():
        return_picture = glyph()
        probe_mark(return_picture, colour, letter)
        return return_picture
    return draw


def g_info():
    p = glyph()
    p.fill_circle(16, 16, 12, BLUE)
    p.circle(16, 16, 12, NAVY)
    p.fill_rect(15, 8, 17, 10, WHITE)
    p.fill_rect(15, 13, 17, 23, WHITE)
    p.fill_rect(13, 13, 14, 14, WHITE)
    p.fill_rect(13, 23, 19, 24, WHITE)
    return p


GLYPHS = [
    ("SpeedButton41", g_junction),               # 0, 1, 2 junction
    ("SpeedButton3", g_voltage_source),          # 3 E
    ("SpeedButton4", g_current_source),          # 4 J
    ("SpeedButton22", g_current_sensor),         # 5 current sensor
    ("SpeedButton21", g_voltage_sensor),         # 6 voltage sensor
    ("SpeedButton23", g_meter("V")),             # 7 voltmeter
    ("SpeedButton24", g_meter("A")),             # 8 ammeter
    ("SpeedButton11", g_norator),                # 9
    ("SpeedButton12", g_nullator),               # 10
    ("SpeedButton14", g_receiver("U", "K")),     # 11 receiver of KU
    ("SpeedButton13", g_generator("KU", False)), # 12
    ("SpeedButton18", g_receiver("I", "H")),     # 13 receiver of HI
    ("SpeedButton17", g_generator("HI", False)), # 14
    ("SpeedButton16", g_receiver("U", "G")),     # 15 receiver of GU
    ("SpeedButton15", g_generator("GU", True)),  # 16
    ("SpeedButton20", g_receiver("I", "B")),     # 17 receiver of BI
    ("SpeedButton19", g_generator("BI", True)),  # 18
    ("SpeedButton5", g_box("R")),                # 19
    ("SpeedButton6", g_box("g", (120, 170, 255))),  # 20
    ("SpeedButton9", g_inductor("L", BLACK)),    # 21
    ("SpeedButton10", g_inductor("l", BLUE)),    # 22
    ("SpeedButton7", g_capacitor("C", BLACK)),   # 23
    ("SpeedButton8", g_capacitor("c", BLUE)),    # 24
    ("SpeedButton42", g_amplifiers),             # 25..28 (choice menu)
    ("SpeedButton30", g_subcircuit),             # 29 X
    ("SpeedButton29", g_opamp),                  # 30
    ("SpeedButton28", g_loop_mark),              # 31
    ("SpeedButton31", g_text),                   # 32
    ("SpeedButton32", g_ground),                 # ground mark tool
    ("SpeedButton26", g_amplifier("H")),         # 33
    ("SpeedButton25", g_amplifier("G")),         # 34
    ("SpeedButton44", g_probe(BRIGHT_RED)),      # 35
    ("SpeedButton45", g_probe(YELLOW)),          # 36
    ("SpeedButton46", g_probe(LIME)),            # 37
    ("SpeedButton27", g_probe(BLACK, "K")),      # 38
    ("SpeedButton43", g_info),                   # information
]


# ---------------------------------------------------------------------------
# The two pictures of the IMAGES folder.

def open_box():
    p = Picture(32, 32)
    # body: front and right side of a box seen from above
    front = [(4, 14), (20, 14), (20, 29), (4, 29)]
    side = [(20, 14), (28, 9), (28, 24), (20, 29)]
    inside = [(4, 14), (12, 9), (28, 9), (20, 14)]
    p.fill_polygon(inside, BROWN)
    p.fill_polygon(front, TAN)
    p.fill_polygon(side, DARK_TAN)
    p.polyline(front, BLACK, 1, True)
    p.polyline(side, BLACK, 1, True)
    p.polyline(inside, BLACK, 1, True)
    # open flaps
    flap_left = [(4, 14), (12, 9), (6, 3), (0, 8)]
    flap_back = [(12, 9), (28, 9), (25, 2), (11, 2)]
    flap_front = [(4, 14), (20, 14), (17, 21), (1, 21)]
    flap_front = [(4, 14), (20, 14), (16, 20), (0, 20)]
    p.fill_polygon(flap_back, DARK_TAN)
    p.polyline(flap_back, BLACK, 1, True)
    p.fill_polygon(flap_left, TAN)
    p.polyline(flap_left, BLACK, 1, True)
    p.fill_polygon(flap_front, (225, 180, 110))
    p.polyline(flap_front, BLACK, 1, True)
    return p


def about_picture():
    w, h = 200, 120
    p = Picture(w, h, (250, 248, 240))
    for y in range(h):  # soft vertical shade
        c = (int(210 + 40 * y / h), int(225 + 25 * y / h), 255)
        for x in range(w):
            p.pixels[y][x] = c
    p.rect(0, 0, w - 1, h - 1, NAVY, 2)
    p.text(41, 10, "Vemu", NAVY, 5)
    p.text(40, 9, "Vemu", BLUE, 5)
    p.text_centred(100, 50, "circuit editor", BLACK, 1)
    # a small circuit: source, resistor, capacitor in one loop
    x0, x1, ytop, ybot = 30, 170, 72, 108
    p.line(x0, ytop, x1, ytop, BLACK)
    p.line(x0, ybot, x1, ybot, BLACK)
    p.line(x0, ytop, x0, ybot, BLACK)
    p.line(x1, ytop, x1, ybot, BLACK)
    p.fill_circle(x0, 90, 9, (250, 248, 240))
    p.circle(x0, 90, 9, BLACK, 2)
    p.arrow(x0, 97, x0, 83, RED, 1, 4)
    p.fill_rect(80, ytop - 5, 110, ytop + 5, (250, 248, 240))
    p.rect(80, ytop - 5, 110, ytop + 5, BLACK, 2)
    p.text(92, ytop - 14, "R", NAVY)
    p.fill_rect(x1 - 8, 87, x1 + 8, 93, (250, 248, 240))
    p.fill_rect(x1 - 8, 87, x1 + 8, 88, BLACK)
    p.fill_rect(x1 - 8, 92, x1 + 8, 93, BLACK)
    p.text(x1 + 12, 87, "C", NAVY)
    p.text(x0 + 12, 87, "E", NAVY)
    for (x, y) in ((x0, ytop), (x1, ytop), (x0, ybot), (x1, ybot)):
        p.fill_circle(x, y, 2, GREEN)
    p.line(100, ybot, 100, ybot + 5, BLACK)
    p.line(95, ybot + 5, 105, ybot + 5, BLACK)
    p.line(97, ybot + 7, 103, ybot + 7, BLACK)
    return p


def main():
    os.makedirs(GLYPH_DIR, exist_ok=True)
    os.makedirs(IMAGES_DIR, exist_ok=True)
    names = []
    for name, draw in GLYPHS:
        p = draw()
        assert p.get(0, 31) == BACK, name + ": the lower-left pixel must be the background"
        p.save(os.path.join(GLYPH_DIR, name + ".bmp"))
        names.append(name)
    with open(os.path.join(GLYPH_DIR, "glyphs.qrc"), "w", newline="\n") as f:
        f.write("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/glyphs\">\n")
        for name in names:
            f.write("  <file>%s.bmp</file>\n" % name)
        f.write("</qresource>\n</RCC>\n")
    box = open_box()
    assert box.get(0, 31) == BACK
    box.save(os.path.join(IMAGES_DIR, "OpenBox3.bmp"))
    about_picture().save(os.path.join(IMAGES_DIR, "About2.bmp"))
    print("wrote %d glyphs, OpenBox3.bmp and About2.bmp" % len(names))


if __name__ == "__main__":
    main()
