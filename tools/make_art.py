#!/usr/bin/env python3
"""Draws the sample game's art and writes its model files.

Everything is made from shapes, gradients and labelled text on flat
colours, with the standard library only (PNG files are written with zlib),
so running the script again gives the same bytes. Output, relative to the
repository root:

  Game/Data/Textures/     textures of the scene, loading screen and border
  Game/Data/Models/       model files (Wavefront OBJ + MTL, named .zorm)
  Game/Data/Cursors/      cursor images and the cursor list
  Game/Data/BaseSetings.xml  the render settings
  Game/DataLoc/Logo/      the logo slides

Usage: tools/make_art.py [repository root]
"""
import functools
import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# Canvas and PNG


class Canvas:
    """RGBA pixels, row 0 at the top."""

    def __init__(self, w, h, color=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = [list(color) for _ in range(w * h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            p = self.px[y * self.w + x]
            a = c[3] if len(c) > 3 else 255
            if a >= 255 or p[3] == 0:
                p[:] = [c[0], c[1], c[2], a if p[3] == 0 else 255]
                if a >= 255:
                    p[3] = 255
                return
            # Source-over onto an opaque or partly opaque pixel.
            k = a / 255.0
            for i in range(3):
                p[i] = int(round(c[i] * k + p[i] * (1 - k)))
            p[3] = min(255, int(round(a + p[3] * (1 - k))))

    def fill(self, x0, y0, x1, y1, color_at):
        """Puts color_at(x, y) on every pixel of the box that is on the canvas."""
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.put(x, y, color_at(x, y))

    def rect(self, x0, y0, x1, y1, c):
        self.fill(x0, y0, x1, y1, lambda x, y: c)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        self.fill(x0, y0, x1, y1, lambda x, y: blend(top, bottom, (y - y0) / max(1, (y1 - y0 - 1))))

    def hgradient(self, x0, y0, x1, y1, left, right):
        self.fill(x0, y0, x1, y1, lambda x, y: blend(left, right, (x - x0) / max(1, (x1 - x0 - 1))))

    def ellipse(self, cx, cy, rx, ry, c):
        for y in range(int(cy - ry), int(cy + ry) + 1):
            for x in range(int(cx - rx), int(cx + rx) + 1):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
                    self.put(x, y, c)

    def polygon(self, points, c):
        ys = [p[1] for p in points]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            xs = []
            n = len(points)
            for i in range(n):
                (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
                if (ay <= y + 0.5 < by) or (by <= y + 0.5 < ay):
                    xs.append(ax + (y + 0.5 - ay) * (bx - ax) / (by - ay))
            xs.sort()
            for i in range(0, len(xs) - 1, 2):
                for x in range(int(math.ceil(xs[i] - 0.5)), int(math.floor(xs[i + 1] - 0.5)) + 1):
                    self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c, t=2):
        self.rect(x0, y0, x1, y0 + t, c)
        self.rect(x0, y1 - t, x1, y1, c)
        self.rect(x0, y0, x0 + t, y1, c)
        self.rect(x1 - t, y0, x1, y1, c)

    def text(self, s, x, y, scale, c):
        for ch in s.upper():
            glyph = FONT.get(ch, FONT[' '])
            for row, bits in enumerate(glyph):
                for col, bit in enumerate(bits):
                    if bit == '1':
                        self.rect(x + col * scale, y + row * scale, x + (col + 1) * scale, y + (row + 1) * scale, c)
            x += 6 * scale

    def text_centered(self, s, cx, y, scale, c):
        self.text(s, cx - (len(s) * 6 - 1) * scale // 2, y, scale, c)

    def png(self, alpha=True):
        raw = bytearray()
        for y in range(self.h):
            raw.append(1)  # Sub filter: flat and graded rows pack small
            prev = [0, 0, 0, 0]
            for x in range(self.w):
                p = self.px[y * self.w + x]
                chans = p if alpha else p[:3]
                for i, v in enumerate(chans):
                    raw.append((v - prev[i]) & 255)
                prev = list(chans) + [0]
        def chunk(kind, data):
            return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
        header = struct.pack('>IIBBBBB', self.w, self.h, 8, 6 if alpha else 2, 0, 0, 0)
        return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) +
                chunk(b'IEND', b''))


@functools.lru_cache(maxsize=None)  # a gradient asks for each of its colours many times
def blend(a, b, t):
    """The colour t of the way from a to b, channel by channel."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def write_lines(path, lines):
    """A text file of the lines, Unix line ends, the last one ended too."""
    with open(path, 'w', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')


FONT = {
    'A': ['01110', '10001', '10001', '11111', '10001', '10001', '10001'],
    'B': ['11110', '10001', '10001', '11110', '10001', '10001', '11110'],
    'C': ['01110', '10001', '10000', '10000', '10000', '10001', '01110'],
    'D': ['11110', '10001', '10001', '10001', '10001', '10001', '11110'],
    'E': ['11111', '10000', '10000', '11110', '10000', '10000', '11111'],
    'F': ['11111', '10000', '10000', '11110', '10000', '10000', '10000'],
    'G': ['01110', '10001', '10000', '10111', '10001', '10001', '01111'],
    'H': ['10001', '10001', '10001', '11111', '10001', '10001', '10001'],
    'I': ['01110', '00100', '00100', '00100', '00100', '00100', '01110'],
    'J': ['00111', '00010', '00010', '00010', '00010', '10010', '01100'],
    'K': ['10001', '10010', '10100', '11000', '10100', '10010', '10001'],
    'L': ['10000', '10000', '10000', '10000', '10000', '10000', '11111'],
    'M': ['10001', '11011', '10101', '10101', '10001', '10001', '10001'],
    'N': ['10001', '10001', '11001', '10101', '10011', '10001', '10001'],
    'O': ['01110', '10001', '10001', '10001', '10001', '10001', '01110'],
    'P': ['11110', '10001', '10001', '11110', '10000', '10000', '10000'],
    'Q': ['01110', '10001', '10001', '10001', '10101', '10010', '01101'],
    'R': ['11110', '10001', '10001', '11110', '10100', '10010', '10001'],
    'S': ['01111', '10000', '10000', '01110', '00001', '00001', '11110'],
    'T': ['11111', '00100', '00100', '00100', '00100', '00100', '00100'],
    'U': ['10001', '10001', '10001', '10001', '10001', '10001', '01110'],
    'V': ['10001', '10001', '10001', '10001', '10001', '01010', '00100'],
    'W': ['10001', '10001', '10001', '10101', '10101', '10101', '01010'],
    'X': ['10001', '10001', '01010', '00100', '01010', '10001', '10001'],
    'Y': ['10001', '10001', '01010', '00100', '00100', '00100', '00100'],
    'Z': ['11111', '00001', '00010', '00100', '01000', '10000', '11111'],
    '0': ['01110', '10001', '10011', '10101', '11001', '10001', '01110'],
    '1': ['00100', '01100', '00100', '00100', '00100', '00100', '01110'],
    '2': ['01110', '10001', '00001', '00010', '00100', '01000', '11111'],
    '3': ['11111', '00010', '00100', '00010', '00001', '10001', '01110'],
    '4': ['00010', '00110', '01010', '10010', '11111', '00010', '00010'],
    '5': ['11111', '10000', '11110', '00001', '00001', '10001', '01110'],
    '6': ['00110', '01000', '10000', '11110', '10001', '10001', '01110'],
    '7': ['11111', '00001', '00010', '00100', '01000', '01000', '01000'],
    '8': ['01110', '10001', '10001', '01110', '10001', '10001', '01110'],
    '9': ['01110', '10001', '10001', '01111', '00001', '00010', '01100'],
    '.': ['00000', '00000', '00000', '00000', '00000', '01100', '01100'],
    '-': ['00000', '00000', '00000', '11111', '00000', '00000', '00000'],
    "'": ['00100', '00100', '01000', '00000', '00000', '00000', '00000'],
    '!': ['00100', '00100', '00100', '00100', '00100', '00000', '00100'],
    ' ': ['00000'] * 7,
}

# ---------------------------------------------------------------------------
# Colours of the hall at night

NIGHT_TOP = (18, 20, 48, 255)
NIGHT_LOW = (52, 40, 72, 255)
WALL = (74, 52, 40, 255)
WALL_PANEL = (96, 66, 46, 255)
FLOOR_TOP = (60, 40, 28, 255)
FLOOR_LOW = (34, 22, 16, 255)
GOLD = (232, 184, 72, 255)
GLOW = (255, 214, 120, 255)
INK = (30, 22, 18, 255)
PAPER = (238, 226, 196, 255)

# ---------------------------------------------------------------------------
# Pictures


def hall_background():
    c = Canvas(1024, 768, WALL)
    # Wall panels left and right: flat, so the picture reads clearly.
    c.rect(40, 120, 300, 470, WALL_PANEL)
    c.rect(724, 120, 984, 470, WALL_PANEL)
    c.frame(40, 120, 300, 470, INK, 4)
    c.frame(724, 120, 984, 470, INK, 4)
    # Two windows with the night sky and a moon.
    for x0 in (90, 774):
        c.vgradient(x0, 160, x0 + 160, 360, NIGHT_TOP, NIGHT_LOW)
        c.frame(x0, 160, x0 + 160, 360, INK, 6)
        c.rect(x0 + 77, 160, x0 + 83, 360, INK)
        c.rect(x0, 257, x0 + 160, 263, INK)
    c.ellipse(140, 200, 18, 18, (230, 230, 210, 255))
    # The arched door in the middle.
    c.rect(412, 200, 612, 520, (52, 34, 24, 255))
    c.ellipse(512, 200, 100, 80, (52, 34, 24, 255))
    c.rect(424, 210, 600, 520, (84, 54, 34, 255))
    c.ellipse(512, 210, 88, 70, (84, 54, 34, 255))
    c.rect(510, 200, 514, 520, INK)
    c.ellipse(580, 380, 8, 8, GOLD)
    # Floor planks.
    c.vgradient(0, 520, 1024, 768, FLOOR_TOP, FLOOR_LOW)
    for y in range(548, 768, 36):
        c.rect(0, y, 1024, y + 2, INK)
    c.text_centered('ENTRANCE HALL', 512, 60, 4, PAPER)
    return c


def lantern(lit=True):
    """The hall's lantern, lit (its glass glowing) or unlit (dark glass
    round a bare wick holder)."""
    c = Canvas(96, 160)
    c.rect(40, 0, 56, 10, INK)
    c.ellipse(48, 16, 18, 10, INK)
    c.rect(18, 26, 78, 36, INK)
    if lit:
        c.rect(22, 36, 74, 120, (255, 200, 96, 200))
        c.ellipse(48, 78, 14, 24, GLOW)
    else:
        c.rect(22, 36, 74, 120, (70, 74, 96, 255))
        c.rect(44, 96, 52, 112, INK)
    c.frame(22, 36, 74, 120, INK, 4)
    c.rect(46, 36, 50, 120 if lit else 96, INK)
    c.rect(14, 120, 82, 132, INK)
    c.text_centered('LANTERN', 48, 142, 2, PAPER)
    return c


def key():
    c = Canvas(128, 64)
    c.ellipse(24, 26, 20, 20, GOLD)
    c.rect(40, 22, 118, 31, GOLD)
    c.rect(96, 31, 104, 44, GOLD)
    c.rect(110, 31, 118, 40, GOLD)
    # The bow's hole shows what lies behind.
    for y in range(17, 36):
        for x in range(15, 34):
            if (x - 24) ** 2 + (y - 26) ** 2 <= 64:
                c.px[y * c.w + x] = [0, 0, 0, 0]
    c.text_centered('KEY', 64, 50, 2, PAPER)
    return c


def desk():
    c = Canvas(256, 128)
    c.rect(0, 20, 256, 44, (120, 78, 44, 255))
    c.rect(0, 20, 256, 24, (150, 100, 60, 255))
    c.rect(16, 44, 36, 128, (96, 62, 36, 255))
    c.rect(220, 44, 240, 128, (96, 62, 36, 255))
    c.rect(60, 44, 196, 84, (108, 70, 40, 255))
    c.frame(60, 44, 196, 84, INK, 2)
    c.ellipse(128, 64, 5, 5, GOLD)
    c.text_centered('DESK', 128, 96, 3, PAPER)
    return c


def wick():
    c = Canvas(64, 48)
    c.rect(8, 20, 56, 28, PAPER)
    c.rect(52, 18, 58, 30, INK)
    c.text_centered('WICK', 32, 34, 1, PAPER)
    return c


def knife():
    c = Canvas(128, 48)
    c.rect(8, 14, 48, 26, (90, 56, 30, 255))
    c.frame(8, 14, 48, 26, INK, 2)
    c.polygon([(48, 12), (112, 16), (120, 20), (48, 28)], (200, 205, 215, 255))
    c.text_centered('KNIFE', 64, 34, 1, PAPER)
    return c


def glow():
    """A soft round glow for additive overlays."""
    c = Canvas(128, 128)
    for y in range(128):
        for x in range(128):
            d = math.hypot(x - 63.5, y - 63.5) / 64.0
            a = max(0.0, 1.0 - d) ** 2
            c.px[y * 128 + x] = [255, 220, 140, int(round(a * 255))]
    return c



def library_background():
    """The second room: a library wall with shelves, drawn small and stretched."""
    c = Canvas(256, 192, WALL)
    c.vgradient(0, 130, 256, 192, FLOOR_TOP, FLOOR_LOW)
    for x0 in (20, 150):
        c.rect(x0, 30, x0 + 86, 126, (84, 54, 34, 255))
        c.frame(x0, 30, x0 + 86, 126, INK, 2)
        for y in (54, 78, 102):
            c.rect(x0, y, x0 + 86, y + 3, INK)
    # The sign stands left of the sky window (which covers the middle's top).
    c.text_centered('LIBRARY', 82, 10, 2, PAPER)
    return c


def book():
    c = Canvas(64, 80)
    c.rect(8, 4, 56, 76, (120, 30, 36, 255))
    c.frame(8, 4, 56, 76, INK, 3)
    c.rect(14, 30, 50, 36, GOLD)
    c.text_centered('BOOK', 32, 50, 1, PAPER)
    return c


def candle():
    c = Canvas(48, 96)
    c.rect(16, 30, 32, 90, PAPER)
    c.frame(16, 30, 32, 90, INK, 1)
    c.ellipse(24, 20, 6, 10, GLOW)
    return c


def map_piece(number):
    c = Canvas(64, 64, (220, 200, 150, 255))
    c.frame(0, 0, 64, 64, INK, 3)
    c.text_centered('MAP %d' % number, 32, 26, 1, INK)
    return c


# The shelf's hidden objects, in the order of the list's names (Inkwell,
# Quill, ...): each a small picture with a short label under it.
SHELF_THINGS = ('INKWELL', 'QUILL', 'SPECTACLES', 'HOURGLASS', 'CANDLE', 'THIMBLE', 'WATCH', 'SEAL', 'COMPASS')
SHELF_THING_SIZE = (64, 56)


def ring(c, cx, cy, r, width, color):
    """A round ring: the disc, its middle left as it was."""
    for y in range(int(cy - r), int(cy + r) + 1):
        for x in range(int(cx - r), int(cx + r) + 1):
            if r - width <= math.hypot(x - cx, y - cy) <= r:
                c.put(x, y, color)


def shelf_thing(n):
    """Hidden object n of the shelf (1-based), drawn as the thing it is."""
    w, h = SHELF_THING_SIZE
    c = Canvas(w, h)
    silver = (190, 196, 206, 255)
    kind = SHELF_THINGS[n - 1]
    if kind == 'INKWELL':
        c.rect(18, 22, 46, 42, (30, 40, 90, 255))
        c.frame(18, 22, 46, 42, INK, 2)
        c.rect(26, 12, 38, 22, (30, 40, 90, 255))
        c.rect(24, 10, 40, 14, INK)
    elif kind == 'QUILL':
        c.polygon([(12, 42), (46, 6), (54, 10), (18, 44)], PAPER)
        c.polygon([(12, 42), (18, 44), (10, 48)], INK)
        for k in range(4):
            c.rect(28 + 5 * k, 26 - 5 * k, 31 + 5 * k, 28 - 5 * k, (160, 150, 130, 255))
    elif kind == 'SPECTACLES':
        ring(c, 20, 26, 11, 3, INK)
        ring(c, 44, 26, 11, 3, INK)
        c.rect(30, 22, 34, 25, INK)
        c.ellipse(20, 26, 7, 7, (170, 210, 230, 140))
        c.ellipse(44, 26, 7, 7, (170, 210, 230, 140))
    elif kind == 'HOURGLASS':
        c.rect(16, 4, 48, 9, (120, 78, 44, 255))
        c.rect(16, 39, 48, 44, (120, 78, 44, 255))
        c.polygon([(20, 9), (44, 9), (33, 24), (31, 24)], (200, 220, 230, 200))
        c.polygon([(31, 24), (33, 24), (44, 39), (20, 39)], (200, 220, 230, 200))
        c.polygon([(26, 39), (38, 39), (32, 31)], (220, 190, 120, 255))
    elif kind == 'CANDLE':
        c.rect(24, 26, 40, 44, PAPER)
        c.frame(24, 26, 40, 44, INK, 1)
        c.ellipse(32, 16, 4, 8, GLOW)
        c.rect(31, 22, 33, 26, INK)
    elif kind == 'THIMBLE':
        c.polygon([(20, 44), (24, 14), (40, 14), (44, 44)], silver)
        c.ellipse(32, 14, 8, 4, silver)
        for y in range(20, 42, 6):
            for x in range(26, 40, 5):
                c.rect(x, y, x + 2, y + 2, (120, 126, 136, 255))
    elif kind == 'WATCH':
        c.ellipse(32, 27, 16, 16, GOLD)
        c.ellipse(32, 27, 12, 12, PAPER)
        c.rect(31, 17, 33, 28, INK)
        c.rect(31, 26, 40, 28, INK)
        ring(c, 32, 7, 5, 2, GOLD)
    elif kind == 'SEAL':
        c.rect(28, 6, 36, 28, (90, 56, 30, 255))
        c.ellipse(32, 8, 6, 5, (90, 56, 30, 255))
        c.ellipse(32, 36, 14, 8, (170, 30, 36, 255))
    elif kind == 'COMPASS':
        c.ellipse(32, 26, 17, 17, (120, 78, 44, 255))
        c.ellipse(32, 26, 13, 13, PAPER)
        c.polygon([(32, 14), (35, 26), (29, 26)], (190, 30, 30, 255))
        c.polygon([(29, 26), (35, 26), (32, 38)], INK)
    c.text_centered(kind, w // 2, h - 8, 1, PAPER)
    return c


def library_chest(part):
    """The chest in the library: its body, or its lid (lighter, with a band
    that scrolls as the lid opens)."""
    if part == 'body':
        c = Canvas(96, 48, (110, 70, 40, 255))
        c.frame(0, 0, 96, 48, INK, 3)
        c.rect(40, 8, 56, 24, GOLD)
        c.text_centered('CHEST', 48, 30, 1, PAPER)
        return c
    c = Canvas(64, 32, (140, 92, 52, 255))
    c.frame(0, 0, 64, 32, INK, 2)
    for x in range(0, 64, 16):
        c.rect(x, 12, x + 8, 20, GOLD)
    return c


def library_drawer():
    c = Canvas(64, 32, (120, 80, 46, 255))
    c.frame(0, 0, 64, 32, INK, 2)
    c.rect(26, 12, 38, 18, GOLD)
    return c


def library_flag():
    c = Canvas(64, 48, (170, 40, 40, 255))
    c.frame(0, 0, 64, 48, INK, 2)
    c.text_centered('FLAG', 32, 20, 1, PAPER)
    return c


def library_window():
    c = Canvas(128, 64, (120, 170, 220, 255))
    c.vgradient(0, 0, 128, 64, (90, 140, 210, 255), (190, 215, 240, 255))
    c.frame(0, 0, 128, 64, INK, 4)
    c.rect(62, 0, 66, 64, INK)
    return c


def library_bird(n):
    """Frame n of the bird's wing beat: wings up, level, down."""
    c = Canvas(32, 32)
    c.ellipse(16, 16, 6, 4, INK)
    wing = {1: -8, 2: 0, 3: 8}[n]
    c.polygon([(4, 16 + wing), (16, 14), (28, 16 + wing), (16, 18)], INK)
    return c


def library_pond():
    c = Canvas(64, 64)
    c.vgradient(0, 0, 64, 64, (60, 100, 160, 200), (20, 40, 90, 120))
    for y in (12, 28, 44):
        c.rect(8, y, 56, y + 2, (150, 190, 230, 160))
    return c


def desk_close():
    """The close-up of the desk's top, drawn small and stretched."""
    c = Canvas(256, 192, (120, 78, 44, 255))
    c.frame(0, 0, 256, 192, INK, 6)
    c.rect(20, 150, 236, 156, INK)
    c.text_centered('DESK', 128, 12, 2, PAPER)
    return c


def cross():
    c = Canvas(48, 48)
    c.rect(4, 20, 44, 28, INK)
    c.rect(20, 4, 28, 44, INK)
    return c


def load_sky():
    c = Canvas(1024, 768)
    c.vgradient(0, 0, 1024, 768, NIGHT_TOP, (70, 46, 60, 255))
    for i in range(60):  # a fixed scatter of stars
        x = (i * 397) % 1024
        y = (i * 211) % 420
        c.rect(x, y, x + 2, y + 2, (230, 230, 250, 255))
    c.rect(0, 600, 1024, 768, (26, 18, 20, 255))
    c.polygon([(300, 600), (512, 420), (724, 600)], (40, 28, 30, 255))
    c.rect(380, 500, 644, 600, (40, 28, 30, 255))
    for x in (420, 500, 580):
        c.rect(x, 530, x + 24, 570, GLOW)
    return c


def load_sky_top():
    c = Canvas(1024, 160)
    c.vgradient(0, 0, 1024, 160, (10, 10, 30, 230), (10, 10, 30, 0))
    return c


def load_logo():
    c = Canvas(640, 160)
    c.text_centered('LANTERN HALL TALE', 320, 40, 6, GOLD)
    c.text_centered("A KEEPER'S NIGHT", 320, 110, 3, PAPER)
    return c


def load_panel():
    c = Canvas(640, 64)
    c.rect(0, 0, 640, 64, (30, 20, 16, 220))
    c.frame(0, 0, 640, 64, GOLD, 3)
    return c


def load_bar_mask():
    c = Canvas(576, 32, (44, 30, 24, 255))
    c.frame(0, 0, 576, 32, (60, 42, 32, 255), 2)
    return c


def load_bar():
    c = Canvas(576, 32)
    c.hgradient(0, 0, 576, 32, (200, 120, 40, 255), (255, 226, 130, 255))
    c.rect(0, 0, 576, 3, (255, 240, 200, 255))
    return c


def load_decor():
    c = Canvas(720, 96)
    for i in range(12):
        x = 30 + i * 60
        c.ellipse(x, 48, 10, 14, (255, 200, 96, 180))
        c.rect(x - 2, 20, x + 2, 34, INK)
    c.text_centered('LOADING', 360, 74, 2, PAPER)
    return c


def border():
    c = Canvas(64, 64, (20, 14, 12, 255))
    for y in range(0, 64, 8):
        c.rect(0, y, 64, y + 1, (34, 24, 20, 255))
    return c


def logo_slide(lines, accent):
    c = Canvas(800, 600, (12, 10, 16, 255))
    c.frame(40, 40, 760, 560, accent, 6)
    c.ellipse(400, 220, 60, 80, accent)
    c.ellipse(400, 230, 36, 50, GLOW)
    y = 360
    for text, scale in lines:
        c.text_centered(text, 400, y, scale, PAPER)
        y += 10 * scale
    return c


def cursor(kind):
    c = Canvas(32, 32)
    if kind == 'cur_def':
        c.polygon([(1, 1), (1, 24), (7, 18), (12, 29), (16, 27), (11, 17), (19, 17)], INK)
        c.polygon([(3, 5), (3, 19), (7, 15), (12, 25), (13, 24), (9, 15), (14, 15)], PAPER)
    elif kind == 'cur_shesternya':
        for a in range(8):
            t = a * math.pi / 4
            c.ellipse(16 + 10 * math.cos(t), 16 + 10 * math.sin(t), 4, 4, GOLD)
        c.ellipse(16, 16, 10, 10, GOLD)
        c.ellipse(16, 16, 4, 4, INK)
    elif kind == 'cur_vzat':
        c.rect(8, 12, 24, 28, PAPER)
        for x in (8, 12, 16, 20):
            c.rect(x, 4, x + 4, 14, PAPER)
        c.frame(8, 12, 24, 28, INK, 1)
    elif kind == 'cur_click':
        c.rect(12, 2, 17, 16, PAPER)
        c.rect(8, 14, 24, 28, PAPER)
        c.frame(8, 14, 24, 28, INK, 1)
        c.frame(12, 2, 17, 16, INK, 1)
    elif kind == 'cur_glaz':
        c.ellipse(16, 16, 14, 8, PAPER)
        c.ellipse(16, 16, 6, 6, (60, 120, 200, 255))
        c.ellipse(16, 16, 2, 2, INK)
    elif kind == 'cur_lupa':
        c.ellipse(13, 13, 10, 10, INK)
        c.ellipse(13, 13, 7, 7, (200, 220, 240, 200))
        c.polygon([(19, 21), (22, 18), (31, 27), (28, 30)], INK)
    return c


CURSORS = [  # name, hot spot
    ('cur_def', 1, 1),
    ('cur_shesternya', 16, 16),
    ('cur_vzat', 16, 16),
    ('cur_click', 14, 2),
    ('cur_glaz', 16, 16),
    ('cur_lupa', 13, 13),
]

# ---------------------------------------------------------------------------
# The hall's moving things (scene effect objects of Back_1_anim.xml)


def hall_picture(n):
    """A frame of the flickering picture: the same landscape, its sky lit
    differently in each frame."""
    skies = {1: (40, 48, 96, 255), 2: (70, 60, 120, 255), 3: (110, 80, 130, 255), 4: (70, 60, 120, 255),
             6: (200, 40, 40, 255)}
    c = Canvas(80, 60, INK)
    c.vgradient(4, 4, 76, 40, skies[n], NIGHT_LOW)
    c.rect(4, 40, 76, 56, (40, 70, 40, 255))
    c.ellipse(58, 16, 6, 6, (230, 230, 210, 255))
    c.frame(0, 0, 80, 60, GOLD, 3)
    return c


def hall_candle():
    c = Canvas(24, 48)
    c.rect(8, 8, 16, 40, PAPER)
    c.rect(2, 40, 22, 48, GOLD)
    return c


def hall_flame(n):
    """A candle flame in four frames that differ in height and lean, so
    that it flickers as the frames take turns."""
    lean, top, width = ((0, 0, 6), (5, 6, 5), (-1, 12, 7), (-5, 4, 5))[n - 1]
    c = Canvas(16, 32)
    c.polygon([(8 + lean, top), (8 + width, 21), (8, 31), (8 - width, 21)], (255, 170, 60, 230))
    c.ellipse(8 + lean // 2, 23, 2 + width // 3, 6 - top // 4, (255, 240, 180, 255))
    return c


def hall_candle_glow(n):
    c = Canvas(64, 64)
    r = (20, 24, 28)[n - 1]
    c.ellipse(32, 32, r, r, (255, 200, 120, 90))
    c.ellipse(32, 32, r // 2, r // 2, (255, 230, 170, 160))
    return c


def hall_cupboard():
    c = Canvas(120, 160, (70, 46, 30, 255))
    c.frame(0, 0, 120, 160, INK, 4)
    c.rect(10, 10, 110, 150, (24, 16, 12, 255))
    c.text_centered('CUPBOARD', 60, 2, 1, PAPER)
    return c


def hall_cupboard_door():
    c = Canvas(100, 140, (110, 74, 46, 255))
    c.frame(0, 0, 100, 140, INK, 4)
    c.frame(12, 12, 88, 128, INK, 2)
    c.ellipse(86, 70, 4, 4, GOLD)
    return c


def hall_portrait(night):
    c = Canvas(90, 110, INK)
    c.rect(6, 6, 84, 104, (30, 30, 60, 255) if night else (150, 170, 200, 255))
    c.ellipse(45, 44, 18, 22, (220, 190, 160, 255))
    c.rect(24, 70, 66, 104, (60, 40, 90, 255))
    if night:
        c.rect(34, 40, 42, 44, INK)
        c.rect(48, 40, 56, 44, INK)
    else:
        c.ellipse(38, 42, 3, 3, INK)
        c.ellipse(52, 42, 3, 3, INK)
    c.frame(0, 0, 90, 110, GOLD, 4)
    return c


def hall_cat():
    c = Canvas(96, 64)
    c.ellipse(48, 44, 30, 16, (60, 60, 66, 255))
    c.ellipse(76, 28, 12, 11, (60, 60, 66, 255))
    c.polygon([(68, 20), (70, 8), (75, 18)], (60, 60, 66, 255))
    c.polygon([(80, 18), (85, 8), (87, 20)], (60, 60, 66, 255))
    c.rect(10, 40, 22, 44, (60, 60, 66, 255))
    c.ellipse(80, 27, 2, 2, GOLD)
    return c


def hall_mist():
    """Wisps that tile across the width, transparent at top and bottom."""
    w, h = 256, 64
    c = Canvas(w, h)
    for y in range(h):
        edge = min(y, h - 1 - y) / (h / 2.0)
        for x in range(w):
            wave = 0.5 + 0.5 * math.sin(2 * math.pi * x / w * 3) * math.sin(2 * math.pi * y / h)
            a = int(90 * edge * (0.4 + 0.6 * wave))
            c.put(x, y, (200, 200, 220, a))
    return c


def hall_sign():
    c = Canvas(160, 48, (110, 74, 46, 255))
    c.frame(0, 0, 160, 48, INK, 3)
    c.text_centered('NIGHT HALL', 80, 17, 2, PAPER)
    return c


def hall_chain_lamp():
    c = Canvas(40, 120)
    c.rect(19, 0, 21, 80, INK)
    c.polygon([(8, 80), (32, 80), (26, 110), (14, 110)], GOLD)
    c.ellipse(20, 98, 6, 8, GLOW)
    return c


def hall_vane():
    c = Canvas(96, 32)
    c.rect(8, 14, 80, 18, INK)
    c.polygon([(80, 6), (95, 16), (80, 26)], INK)
    c.polygon([(0, 4), (16, 14), (16, 18), (0, 28)], GOLD)
    return c


def hall_effect_pictures():
    """Texture files of the hall's moving things. hall_picture05 is left out
    on purpose: the flip-book's numbered series ends before it, so
    hall_picture06 is never shown."""
    pictures = {'hall_picture%02d.png' % n: hall_picture(n) for n in (1, 2, 3, 4, 6)}
    pictures.update({'hall_flame%02d.png' % n: hall_flame(n) for n in range(1, 5)})
    pictures.update({'hall_candle_glow%02d.png' % n: hall_candle_glow(n) for n in range(1, 4)})
    pictures.update({
        'hall_candle.png': hall_candle(),
        'hall_cupboard.png': hall_cupboard(),
        'hall_cupboard_door.png': hall_cupboard_door(),
        'hall_portrait_day.png': hall_portrait(False),
        'hall_portrait_night.png': hall_portrait(True),
        'hall_cat.png': hall_cat(),
        'hall_mist.png': hall_mist(),
        'hall_sign.png': hall_sign(),
        'hall_chain_lamp.png': hall_chain_lamp(),
        'hall_vane.png': hall_vane(),
    })
    return pictures


def hall_effect_meshes(hall, triggers):
    """The meshes of the hall's moving things in Back_1.zorm and the trigger
    shapes of the cupboard door's frames in Back_1_tr.zorm (screen point
    (sx, sy) is scene point (sx - 512, sy 384 - sy))."""
    for m in ('candle', 'cupboard', 'cupboard_door', 'portrait_day', 'portrait_night', 'cat', 'sign',
              'chain_lamp', 'vane'):
        hall.material('hall_' + m, 'hall_%s.png' % m)
    hall.material('hall_picture', 'hall_picture01.png')
    for n in range(1, 5):
        hall.material('hall_flame%02d' % n, 'hall_flame%02d.png' % n, 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    hall.material('hall_candle_glow', 'hall_candle_glow01.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    hall.material('hall_mist', 'hall_mist.png')
    hall.quad('S_Picture', -410, 12, -40, 80, 60, 'hall_picture')
    hall.quad('S_Candle', -340, 25, -150, 24, 48, 'hall_candle')
    for n in range(1, 5):
        hall.quad('S_Flame%02d' % n, -340, 26, -110, 16, 32, 'hall_flame%02d' % n)
    hall.quad('S_CandleGlow', -340, 27, -110, 64, 64, 'hall_candle_glow')
    hall.quad('S_Cupboard', 380, 12, -130, 120, 160, 'hall_cupboard')
    # The door opens towards the viewer: narrower each frame, hinged left.
    for n, w in ((1, 100), (2, 70), (3, 40), (4, 16)):
        hall.quad('S_CupboardDoor%02d' % n, 330 + w / 2.0, 14, -130, w, 140, 'hall_cupboard_door')
        triggers.triangles('T_CupboardDoor%02d' % n, rect_triangles(330 + w / 2.0, -130, w, 140, 14))
    # The portrait hangs on the left panel beside the picture, clear of the
    # right wall's window and cupboard with their labels.
    hall.quad('S_Portrait_Day', -272, 12, -28, 72, 88, 'hall_portrait_day')
    hall.quad('S_Portrait_Night', -272, 13, -28, 72, 88, 'hall_portrait_night')
    # The cat sleeps by the cupboard, clear of the wick on the floor.
    hall.quad('S_Cat', 300, 40, -262, 96, 64, 'hall_cat')
    hall.quad('S_Mist', 0, 45, -330, 1024, 64, 'hall_mist', uv=(0.0, 0.0, 4.0, 1.0))
    hall.quad('S_Sign', 0, 15, 250, 160, 48, 'hall_sign', pivot=(0, 15, 274))
    hall.quad('S_ChainLamp_6', -140, 12, 264, 40, 120, 'hall_chain_lamp', pivot=(-140, 12, 324))
    hall.quad('S_Vane', 318, 8, 190, 96, 32, 'hall_vane')


# ---------------------------------------------------------------------------
# Model files


class Model:
    """An OBJ file with its MTL: textured quads in the scene plane."""

    def __init__(self, name):
        self.name = name
        self.obj = ['# Made by tools/make_art.py', 'mtllib %s.mtl' % name]
        self.mtl = ['# Made by tools/make_art.py']
        self.materials = set()
        self.count = 0

    def material(self, name, texture, render='MT_TEXTURE_ALPHA_SMOOTH'):
        if name in self.materials:
            return
        self.materials.add(name)
        self.mtl += ['', 'newmtl %s' % name, 'Ka 0 0 0', 'Kd 1 1 1', 'd 1', 'map_Kd %s' % texture,
                     'render %s' % render]

    def quad(self, name, cx, y, cz, w, h, material=None, pivot=None, uv=(0.0, 0.0, 1.0, 1.0)):
        """A w x h quad centred on (cx, cz) at depth y (x across, z up)."""
        x0, x1, z0, z1 = cx - w / 2.0, cx + w / 2.0, cz - h / 2.0, cz + h / 2.0
        self.obj.append('o %s' % name)
        if pivot is not None:
            self.obj.append('#@pivot %g %g %g' % pivot)
        for x, z in ((x0, z0), (x1, z0), (x1, z1), (x0, z1)):
            self.obj.append('v %g %g %g' % (x, y, z))
        u0, v0, u1, v1 = uv
        for u, v in ((u0, v0), (u1, v0), (u1, v1), (u0, v1)):
            self.obj.append('vt %g %g' % (u, v))
        if material:
            self.obj.append('usemtl %s' % material)
        b = self.count
        self.obj.append('f %d/%d %d/%d %d/%d %d/%d' % (b + 1, b + 1, b + 2, b + 2, b + 3, b + 3, b + 4, b + 4))
        self.count += 4

    def grid(self, name, cx, y, top, w, h, rows, material, pivot):
        """A w x h quad hanging down from z = top, cut into rows strips (so
        that its vertices can be bent row by row)."""
        self.obj.append('o %s' % name)
        self.obj.append('#@pivot %g %g %g' % pivot)
        for r in range(rows + 1):
            z = top - h * r / float(rows)
            for x in (cx - w / 2.0, cx + w / 2.0):
                self.obj.append('v %g %g %g' % (x, y, z))
        for r in range(rows + 1):
            for u in (0.0, 1.0):
                self.obj.append('vt %g %g' % (u, 1.0 - r / float(rows)))
        self.obj.append('usemtl %s' % material)
        b = self.count
        for r in range(rows):
            i = b + 2 * r
            self.obj.append('f %d/%d %d/%d %d/%d %d/%d' % (i + 1, i + 1, i + 2, i + 2, i + 4, i + 4, i + 3, i + 3))
        self.count += 2 * (rows + 1)

    def triangles(self, name, corners):
        """A trigger shape: triangles of (x, y, z) corners."""
        self.obj.append('o %s' % name)
        for i in range(0, len(corners), 3):
            for x, y, z in corners[i:i + 3]:
                self.obj.append('v %g %g %g' % (x, y, z))
            b = self.count
            self.obj.append('f %d %d %d' % (b + 1, b + 2, b + 3))
            self.count += 3

    def points(self, name, pts):
        self.obj.append('o %s' % name)
        first = self.count + 1
        for x, y, z in pts:
            self.obj.append('v %g %g %g' % (x, y, z))
        self.count += len(pts)
        self.obj.append('p ' + ' '.join(str(i) for i in range(first, self.count + 1)))

    def write(self, folder, extension='zorm'):
        # Trigger and point models have no material: naming a material file
        # that is never written would only be reported as missing.
        has_materials = len(self.mtl) > 1
        lines = self.obj if has_materials else [l for l in self.obj if not l.startswith('mtllib ')]
        write_lines(os.path.join(folder, '%s.%s' % (self.name, extension)), lines)
        if has_materials:
            write_lines(os.path.join(folder, '%s.mtl' % self.name), self.mtl)


# Where the library's nine hidden objects lie: on the shelf and about the
# room, clear of the panel, the door back and the other clickable things.
# The library's hatch up to the lamp room, in the ceiling's left corner.
LIBRARY_HATCH = (-400, 310)
LIBRARY_HOG_PLACES = ((-380, 220), (-260, 220), (-140, 220), (-380, 20), (-260, 20), (-140, 20),
                      (0, -100), (200, 40), (240, -60))


def rect_triangles(cx, cz, w, h, y=0.0):
    x0, x1, z0, z1 = cx - w / 2.0, cx + w / 2.0, cz - h / 2.0, cz + h / 2.0
    return [(x0, y, z0), (x1, y, z0), (x1, y, z1), (x0, y, z0), (x1, y, z1), (x0, y, z1)]


# ---------------------------------------------------------------------------
# Render settings

SETTINGS = [  # name, blend, depth test, depth write, lighting, second texture, alpha cut
    ('MT_TEXTURE', 'none', 1, 1, 1, 'none', 0),
    ('MT_TEXTURE_ALPHA_SMOOTH', 'alpha', 1, 1, 1, 'none', 0),
    ('MT_TEXTURE_ALPHA_CULL_NONE', 'alpha', 1, 1, 1, 'none', 0),
    ('MT_TEXTURE_ALPHA_CUT', 'alpha', 1, 1, 1, 'none', 128),
    ('MT_TEXTURE_ALPHA_LOGO', 'alpha', 0, 0, 0, 'none', 0),
    ('MT_TEXTURE_ALPHA_SMOOTH_SECONDTEX_MULTALPHA', 'alpha', 1, 0, 1, 'multalpha', 0),
    ('MT_TEXTURE_ALPHA_SMOOTH_OVERLAY', 'add', 0, 0, 1, 'none', 0),
    ('MT_PARTICLE', 'alpha', 1, 0, 0, 'none', 0),
    ('MT_PARTICLE_OVERLAY', 'add', 1, 0, 0, 'none', 0),
    ('MT_PARTICLE_GAME', 'add', 0, 0, 0, 'none', 0),
    ('MT_FIRE', 'add', 1, 0, 1, 'none', 0),
    ('MT_LUCHI_PIL', 'add', 1, 0, 1, 'modulate', 0),
    ('MT_STRUYA', 'alpha', 1, 0, 1, 'none', 0),
    ('RS_FONTRENDER', 'alpha', 0, 0, 0, 'none', 0),
]


def settings_xml():
    """The lines of the render settings file."""
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<!-- Render settings of the sample game (made by tools/make_art.py). -->',
             '<RenderSetings>']
    for name, blend, test, write, light, second, cut in SETTINGS:
        lines.append('  <Seting Name="%s" Blend="%s" DepthTest="%d" DepthWrite="%d" Cull="none" Filter="linear"'
                     ' SecondTex="%s" AlphaCut="%d" Lighting="%d"/>' % (name, blend, test, write, second, cut, light))
    lines.append('</RenderSetings>')
    return lines


def cursors_xml():
    """The lines of the cursor list."""
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<!-- Cursor list of the sample game (made by tools/make_art.py). -->',
             '<Cursors>']
    for name, hx, hy in CURSORS:
        lines.append('  <Cursor Name="%s" Image="Data\\Cursors\\%s.png" HotX="%d" HotY="%d"/>' % (name, name, hx, hy))
    lines.append('  <Hint Name="hint_def" Font="DejaVuSans.ttf" Height="16" Color="0xFFF4E6C4" Back="0xC0201410"'
                 ' Padding="6"/>')
    lines.append('</Cursors>')
    return lines


# ---------------------------------------------------------------------------


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
    game = os.path.join(root, 'Game')
    textures = os.path.join(game, 'Data', 'Textures')
    models = os.path.join(game, 'Data', 'Models')
    cursors = os.path.join(game, 'Data', 'Cursors')
    logo = os.path.join(game, 'DataLoc', 'Logo')
    for d in (textures, models, cursors, logo):
        os.makedirs(d, exist_ok=True)

    def save(folder, name, canvas, alpha=True):
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(canvas.png(alpha))

    pictures = {
        'hall_back.png': (hall_background(), False),
        'hall_lantern.png': (lantern(), True),
        'hall_lantern_dark.png': (lantern(False), True),
        'hall_key.png': (key(), True),
        'hall_desk.png': (desk(), True),
        'hall_wick.png': (wick(), True),
        'hall_knife.png': (knife(), True),
        'glow.png': (glow(), True),
        'load_sky.png': (load_sky(), False),
        'load_sky_top.png': (load_sky_top(), True),
        'load_logo.png': (load_logo(), True),
        'load_panel.png': (load_panel(), True),
        'load_bar_mask.png': (load_bar_mask(), True),
        'load_bar.png': (load_bar(), True),
        'load_decor.png': (load_decor(), True),
        'border.png': (border(), False),
        'library_back.png': (library_background(), False),
        'library_book.png': (book(), True),
        'library_candle.png': (candle(), True),
        'library_map1.png': (map_piece(1), True),
        'library_map2.png': (map_piece(2), True),
        'library_chest.png': (library_chest('body'), True),
        'library_chest_lid.png': (library_chest('lid'), True),
        'library_drawer.png': (library_drawer(), True),
        'library_flag.png': (library_flag(), True),
        'library_window.png': (library_window(), False),
        'library_bird1.png': (library_bird(1), True),
        'library_bird2.png': (library_bird(2), True),
        'library_bird3.png': (library_bird(3), True),
        'library_pond.png': (library_pond(), True),
        **{'library_shelf%02d.png' % n: (shelf_thing(n), True) for n in range(1, len(SHELF_THINGS) + 1)},
        'desk_close.png': (desk_close(), False),
        'desk_cross.png': (cross(), True),
        # (story) The sparkle over an item to find: the scene's own emitter
        # asks for this name.
        'A_ZonaBlesk.tga': (glow(), True),
    }
    for name, (canvas, alpha) in sorted(pictures.items()):
        save(textures, name, canvas, alpha)
    for name, canvas in sorted(hall_effect_pictures().items()):
        save(textures, name, canvas)

    # Logo slides: PNG pictures under the names the game looks for.
    save(logo, 'Logo001.jpg', logo_slide([('LANTERN HALL', 6), ('A SMALL OPEN GAME', 3)], GOLD), False)
    save(logo, 'Logo002.jpg', logo_slide([('MADE WITH', 4), ('SDL  OPENGL  TINYXML', 3)], (120, 150, 220, 255)),
         False)

    for name, _, _ in CURSORS:
        save(cursors, name + '.png', cursor(name))
    write_lines(os.path.join(cursors, 'Cursors.xml'), cursors_xml())
    write_lines(os.path.join(game, 'Data', 'BaseSetings.xml'), settings_xml())

    # The entrance hall: background, objects, their trigger shapes, glint points.
    hall = Model('Back_1')
    for m, tex in (('hall_back', 'hall_back.png'), ('hall_lantern', 'hall_lantern.png'),
                   ('hall_key', 'hall_key.png'), ('hall_desk', 'hall_desk.png'), ('hall_wick', 'hall_wick.png')):
        hall.material(m, tex)
    hall.material('hall_glow', 'glow.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    hall.quad('S_Back_1', 0, 0, 0, 1024, 768, 'hall_back')
    hall.quad('S_Desk', -250, 20, -190, 256, 128, 'hall_desk')
    hall.quad('S_Lantern', 250, 30, -120, 96, 160, 'hall_lantern', pivot=(250, 30, -200))
    # The lantern before the wick is in: hangs still in the lit lantern's
    # place until it is lit (the lit one is the wick's push target).
    hall.material('hall_lantern_dark', 'hall_lantern_dark.png')
    hall.quad('S_LanternDark', 250, 29, -120, 96, 160, 'hall_lantern_dark')
    hall.quad('S_Key', -270, 40, -120, 128, 64, 'hall_key')
    hall.quad('S_Wick', 150, 40, -250, 64, 48, 'hall_wick')
    hall.quad('S_LanternGlow', 250, 35, -110, 192, 192, 'hall_glow')

    triggers = Model('Back_1_tr')
    hall_effect_meshes(hall, triggers)
    points = Model('Back_1_pt')
    weather_hall_meshes(hall, points)
    hall_fire_meshes(hall)  # the hearth and the torches (fire objects)
    orchard_art(hall, textures)  # the orchard window, the wall lamp and the rays
    hall.write(models)

    triggers.triangles('T_Desk', rect_triangles(-250, -190, 256, 100, 20))
    triggers.triangles('T_Lantern', rect_triangles(250, -120, 80, 140, 30))
    triggers.triangles('T_Key', rect_triangles(-270, -120, 120, 40, 40))
    triggers.triangles('T_Wick', rect_triangles(150, -250, 64, 30, 40))
    triggers.triangles('T_Door', rect_triangles(0, 56, 200, 256, 10))
    # The desk's close-up opens from the same place.
    triggers.triangles('TR_B1R4', rect_triangles(-250, -190, 256, 100, 21))
    # Where the camera flies before the door leads on to the library.
    triggers.triangles('TPOC_Back_2', rect_triangles(0, 24, 40, 40, 11))
    triggers.write(models)

    points.points('P_Glints', [(-300, 50, -110), (-240, 50, -130), (230, 50, -80), (262, 50, -150)])
    points.points('P_DustPath', [(-400, 60, 100), (-200, 60, 160), (0, 60, 180), (200, 60, 160), (400, 60, 100)])
    points.write(models)

    # Items: one model file per item, the whole item first (F_ + name for a
    # found item, then its pieces K_ + name + _01 ...), as the item tables
    # load them; they stand at the origin, where the panel moves them.
    for item, tex, w, h in (('Key', 'hall_key.png', 128, 64), ('B1Noj', 'hall_knife.png', 128, 48),
                            ('Wick', 'hall_wick.png', 64, 48)):
        model = Model('I_' + item)
        model.material('item_' + item.lower(), tex)
        model.quad('F_' + item, 0, 100, 0, w, h, 'item_' + item.lower())
        model.write(models)
    # The library, the second room: a book to find, a shelf that answers a
    # click, a candle that reacts to the mouse, a map torn in two pieces and
    # a clock whose hand turns.
    library = Model('Back_2')
    for m, tex in (('library_back', 'library_back.png'), ('library_book', 'library_book.png'),
                   ('library_candle', 'library_candle.png'), ('library_map1', 'library_map1.png'),
                   ('library_map2', 'library_map2.png'), ('hall_key', 'hall_key.png')):
        library.material(m, tex)
    library.material('hall_glow', 'glow.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    library.quad('S_Back_2', 0, 0, 0, 1024, 768, 'library_back')
    library.quad('S_Book', -300, 20, -60, 64, 80, 'library_book')
    library.quad('S_Candle', 300, 20, -150, 48, 96, 'library_candle')
    library.quad('S_CandleGlow', 300, 25, -110, 96, 96, 'hall_glow')
    library.quad('S_Map1', -100, 30, -250, 64, 64, 'library_map1')
    library.quad('S_Map2', 120, 30, -280, 64, 64, 'library_map2')
    library.quad('S_ClockHand', 0, 30, 200, 128, 16, 'hall_key', pivot=(0, 30, 200))
    library.quad('S_Moth', -200, 40, 150, 48, 32, 'library_candle')
    # The library's moving things: a chest whose lid lifts and a drawer that
    # slides (key-frame animations), a flag that flutters (a vertex track),
    # a bird crossing the window (three wing frames along a path in
    # Back_2.zorp) and the window's reflection rippling in a pond.
    for m in ('library_chest', 'library_chest_lid', 'library_drawer', 'library_flag', 'library_bird1',
              'library_bird2', 'library_bird3'):
        library.material(m, m + '.png')
    library.material('library_window', 'library_window.png', 'MT_TEXTURE')
    library.material('library_pond', 'library_pond.png')
    library.quad('S_Chest', -380, 20, -300, 96, 48, 'library_chest')
    library.quad('S_ChestLid', -380, 22, -270, 96, 16, 'library_chest_lid')
    library.quad('S_Drawer', -380, 21, -340, 64, 24, 'library_drawer')
    library.quad('S_Flag', 420, 22, 120, 64, 48, 'library_flag', pivot=(388, 22, 120))
    library.quad('S_Window', 100, 10, 260, 256, 128, 'library_window')
    for n in (1, 2, 3):
        library.quad('S_Bird%02d' % n, 0, 12, 0, 32, 32, 'library_bird%d' % n, pivot=(0, 12, 0))
    library.grid('S_Pond', 100, 12, -190, 256, 96, 6, 'library_pond', pivot=(100, 12, -190))
    weather_library_meshes(library)
    library_lights(library, textures)
    # The hatch in the ceiling's corner, the way up to the lamp room.
    library.material('library_hatch', 'library_hatch.png')
    library.quad('S_Hatch', LIBRARY_HATCH[0], 46, LIBRARY_HATCH[1], 128, 90, 'library_hatch')
    # The shelf's nine hidden objects (the hidden-object list), each with
    # its trigger shape below.
    sw, sh = SHELF_THING_SIZE
    for n, (x, z) in enumerate(LIBRARY_HOG_PLACES, 1):
        library.material('library_shelf%02d' % n, 'library_shelf%02d.png' % n)
        library.quad('S_Hog_%02d' % n, x, 40, z, sw, sh, 'library_shelf%02d' % n)
    library.write(models)

    # The bird's way across the window, in the path file the mover looks
    # for beside the room's model file.
    library_path = Model('Back_2')
    library_path.points('S_Bird', [(-20, 12, 240), (40, 12, 270), (100, 12, 285), (160, 12, 270), (220, 12, 240)])
    library_twinkle_points(library_path)
    library_path.write(models, 'zorp')

    library_tr = Model('Back_2_tr')
    library_tr.triangles('T_Book', rect_triangles(-300, -60, 64, 80, 20))
    library_tr.triangles('T_Shelf', rect_triangles(-250, 100, 340, 380, 5))
    library_tr.triangles('T_Candle', rect_triangles(300, -150, 48, 96, 20))
    library_tr.triangles('T_Map1', rect_triangles(-100, -250, 64, 64, 30))
    library_tr.triangles('T_Map2', rect_triangles(120, -280, 64, 64, 30))
    # The way back to the hall, and where the camera flies before it.
    library_tr.triangles('T_DoorBack', rect_triangles(420, 0, 120, 300, 10))
    library_tr.triangles('TPOC_Back_1', rect_triangles(420, 0, 40, 40, 11))
    for n, (x, z) in enumerate(LIBRARY_HOG_PLACES, 1):
        library_tr.triangles('T_Hog_%02d' % n, rect_triangles(x, z, sw, sh, 40))
    # The hatch up to the lamp room, and where the camera flies before it.
    library_tr.triangles('T_Hatch', rect_triangles(LIBRARY_HATCH[0], LIBRARY_HATCH[1], 128, 90, 46))
    library_tr.triangles('TPOC_Back_4', rect_triangles(LIBRARY_HATCH[0], LIBRARY_HATCH[1], 40, 40, 47))
    library_tr.write(models)

    # The close-up of the hall's desk: a knife, a rope and the cross that
    # closes the close-up.
    close = Model('Back_1_reg_4')
    for m, tex in (('desk_close', 'desk_close.png'), ('hall_knife', 'hall_knife.png'),
                   ('hall_wick', 'hall_wick.png'), ('desk_cross', 'desk_cross.png')):
        close.material(m, tex)
    close.quad('S_Back_1_reg_4', 0, 0, 0, 768, 576, 'desk_close')
    close.quad('S_Noj', -120, 20, -40, 128, 48, 'hall_knife')
    close.quad('S_Verevka', 150, 20, -120, 64, 48, 'hall_wick')
    # The cross lies exactly under the close-up frame's own close button
    # (852, 94 in the frame's layout, raised 50 with the close-up), so one
    # X shows, not two.
    close.quad('S_Krestik', 364, 30, 266, 48, 48, 'desk_cross')
    close.write(models)

    close_tr = Model('Back_1_reg_4_tr')
    close_tr.triangles('T_Noj', rect_triangles(-120, -40, 128, 48, 20))
    close_tr.triangles('T_Verevka', rect_triangles(150, -120, 64, 40, 20))
    close_tr.triangles('T_Krestik', rect_triangles(364, 266, 48, 48, 30))
    close_tr.write(models)

    # The loading screen: placed 895 above the screen; the game moves it down.
    load = Model('LHT60_MM')
    for m, tex in (('load_sky', 'load_sky.png'), ('load_sky_top', 'load_sky_top.png'),
                   ('load_logo', 'load_logo.png'), ('load_panel', 'load_panel.png'),
                   ('load_bar_mask', 'load_bar_mask.png'), ('load_bar', 'load_bar.png'),
                   ('load_decor', 'load_decor.png')):
        load.material(m, tex)
    up = 895
    load.quad('S_nebo', 0, 0, up, 1024, 768, 'load_sky')
    load.quad('S_neboVerh', 0, 10, up + 304, 1024, 160, 'load_sky_top')
    load.quad('S_logoCE', 0, 20, up + 200, 640, 160, 'load_logo')
    load.quad('S_loader_podlojka', 0, 30, up - 250, 640, 64, 'load_panel')
    # The mask covers the bar and shrinks toward its right end.
    load.quad('Alpha_loader_shkala', 0, 60, up - 250, 576, 32, 'load_bar_mask', pivot=(288, 60, up - 250))
    load.quad('S_loader_shkala', 0, 50, up - 250, 576, 32, 'load_bar')
    load.quad('S_loader_decor', 0, 70, up - 320, 720, 96, 'load_decor')
    title_scene_art(game, load)  # the title scene's set behind the main menu
    load.write(models, 'ZORM')

    # The wide-screen border: dark panels beside the 4:3 picture.
    wide = Model('obrezka_screen')
    wide.material('border', 'border.png', 'MT_TEXTURE')
    wide.quad('S_obrezka_left', -912, 0, 0, 800, 768, 'border', pivot=(0, 0, 0), uv=(0, 0, 12.5, 12))
    wide.quad('S_obrezka_right', 912, 0, 0, 800, 768, 'border', uv=(0, 0, 12.5, 12))
    wide.write(models)

    panel_art(game)
    final_art(game)
    minigame_art(game)
    for name, canvas in sorted(weather_pictures().items()):
        save(textures, name, canvas)
    fire_art(game)
    extras_art(game)  # the extras' galleries and guide screenshots
    map_art(game)  # the location map's sheet, places and footprints
    lamp_room_art(game)  # the third room, up the library's hatch


# ---------------------------------------------------------------------------
# The game panel: its button pictures, overlays, trigger areas, the found-item
# window's place and the inventory item pictures.

PANEL_TOP = -296   # the panel's upper edge in the interface space (z)


def panel_button(label, accent):
    c = Canvas(100, 64, (0, 0, 0, 0))
    c.ellipse(50, 32, 46, 30, INK)
    c.ellipse(50, 32, 42, 26, accent)
    c.text_centered(label, 50, 25, 2, INK)
    return c


def flat(color, w=8, h=8):
    return Canvas(w, h, color)


def notebook():
    c = Canvas(96, 64, (0, 0, 0, 0))
    c.rect(8, 4, 88, 60, (120, 60, 40, 255))
    c.rect(14, 8, 84, 56, PAPER)
    c.rect(46, 4, 50, 60, INK)
    c.text_centered('DIARY', 48, 26, 1, INK)
    return c


def ghost_window():
    c = Canvas(200, 80, (40, 48, 72, 230))
    c.frame(0, 0, 200, 80, GOLD, 3)
    c.ellipse(36, 40, 20, 26, (220, 230, 255, 200))
    c.rect(172, 6, 194, 28, (120, 40, 40, 255))
    c.text(('X'), 178, 10, 2, PAPER)
    return c


def item_picture(kind):
    c = Canvas(64, 64, (0, 0, 0, 0))
    if kind == 'key':
        c.ellipse(16, 32, 12, 12, GOLD)
        c.rect(26, 29, 58, 35, GOLD)
        c.rect(48, 35, 52, 44, GOLD)
        c.ellipse(16, 32, 5, 5, INK)
    elif kind == 'wick':
        c.rect(28, 14, 36, 54, PAPER)
        c.ellipse(32, 12, 6, 8, (255, 180, 60, 255))
        c.rect(22, 52, 42, 58, INK)
    else:
        c.rect(26, 4, 38, 10, INK)
        c.rect(14, 12, 50, 18, INK)
        c.rect(18, 18, 46, 50, (255, 200, 96, 220))
        c.frame(18, 18, 46, 50, INK, 3)
        c.rect(12, 50, 52, 58, INK)
    return c


def panel_side(hole):
    """A corner backing of the panel, 144 x 96, drawn over the buttons it
    holds: open where its button shows through (hole: x0, y0, x1, y1)."""
    c = Canvas(144, 96, (74, 50, 34, 255))
    x0, y0, x1, y1 = hole
    c.rect(x0 - 3, y0 - 3, x1 + 3, y1 + 3, INK)
    for y in range(y0, y1):  # cleared outright: painting clear over ink keeps the ink
        for x in range(x0, x1):
            c.px[y * c.w + x] = [0, 0, 0, 0]
    return c


def panel_art(game):
    textures = os.path.join(game, 'Data', 'Textures')
    models = os.path.join(game, 'Data', 'Models')

    def save(name, canvas, alpha=True):
        with open(os.path.join(textures, name), 'wb') as f:
            f.write(canvas.png(alpha))

    save('gp_hint.png', panel_button('HINT', GLOW))
    save('gp_hint_dis.png', panel_button('HINT', (110, 96, 80, 255)))
    save('gp_skip.png', panel_button('SKIP', (150, 200, 150, 255)))
    save('gp_skip_dis.png', panel_button('SKIP', (96, 110, 96, 255)))
    save('gp_shade.png', flat((0, 0, 0, 170)))
    save('gp_black.png', flat((0, 0, 0, 255)), False)
    save('gp_dirka.png', flat((0, 0, 0, 200)))
    save('gp_notebook.png', notebook())
    save('gp_ghost_window.png', ghost_window())
    save('gp_arrow.png', arrow_picture())
    # The diary button (22, 14 in its backing) and the hint button (22, 18).
    save('gp_left_side.png', panel_side((22, 14, 122, 46)))
    save('gp_right_side.png', panel_side((22, 18, 122, 82)))
    for kind in ('key', 'wick', 'lantern'):
        save('item_%s.png' % kind, item_picture(kind))

    gp = Model('LHT60_GP')
    for m, tex, render in (('gp_hint', 'gp_hint.png', 'MT_TEXTURE_ALPHA_SMOOTH'),
                           ('gp_hint_dis', 'gp_hint_dis.png', 'MT_TEXTURE_ALPHA_SMOOTH'),
                           ('gp_skip', 'gp_skip.png', 'MT_TEXTURE_ALPHA_SMOOTH'),
                           ('gp_skip_dis', 'gp_skip_dis.png', 'MT_TEXTURE_ALPHA_SMOOTH'),
                           ('gp_shade', 'gp_shade.png', 'MT_TEXTURE_ALPHA_SMOOTH'),
                           ('gp_dirka', 'gp_dirka.png', 'MT_TEXTURE_ALPHA_SMOOTH'),
                           ('gp_notebook', 'gp_notebook.png', 'MT_TEXTURE_ALPHA_SMOOTH'),
                           ('gp_glow', 'glow.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY'),
                           ('gp_arrow', 'gp_arrow.png', 'MT_TEXTURE_ALPHA_SMOOTH'),
                           ('gp_left_side', 'gp_left_side.png', 'MT_TEXTURE_ALPHA_SMOOTH'),
                           ('gp_right_side', 'gp_right_side.png', 'MT_TEXTURE_ALPHA_SMOOTH')):
        gp.material(m, tex, render)
    hint_x, hint_z = 442, -338
    gp.quad('B_hint_dis', hint_x, 0, hint_z, 100, 64, 'gp_hint_dis')
    gp.quad('B_hint_def', hint_x, 0, hint_z, 100, 64, 'gp_hint')
    # The charging overlay shrinks toward its lower edge.
    gp.quad('Alpha_hint', hint_x, 0, hint_z, 100, 64, 'gp_shade', pivot=(hint_x, 0, hint_z - 32))
    gp.quad('B_skip_dis', hint_x, 0, hint_z, 100, 64, 'gp_skip_dis')
    gp.quad('B_skip_def', hint_x, 0, hint_z, 100, 64, 'gp_skip')
    gp.quad('Alpha_skip', hint_x, 0, hint_z, 100, 64, 'gp_shade', pivot=(hint_x, 0, hint_z - 32))
    gp.quad('Alpha_ekran', 0, 700, 0, 1024, 768, 'gp_shade')
    gp.quad('Dirka', 0, 700, 0, 1024, 768, 'gp_dirka')
    # The notebook opens over the diary button: 39 frames growing upwards.
    for i in range(1, 40):
        h = 8 + 56 * i / 39.0
        gp.quad('O_DnevnikAnim_%02d' % i, -442, 10, -380 + h / 2.0 + 40, 96, h, 'gp_notebook')
    gp.quad('B_dnevnikClose_sel', -442, 12, -322, 110, 40, 'gp_glow')
    gp.quad('Hint_arrow', 0, 990, 0, 48, 48, 'gp_arrow', pivot=(0, 990, 24))
    # The corner backings, open over the diary and hint buttons they are
    # drawn after.
    gp.quad('gp_left_side', -440, 2, -336, 144, 96, 'gp_left_side')
    gp.quad('gp_right_side', 440, 2, -336, 144, 96, 'gp_right_side')
    gp.write(models)

    tr = Model('LHT60_GP_tr')
    tr.name = 'LHT60_GP'
    # 01: the buttons on both sides; 02: the strip, which slides with the
    # panel; 03: the screen's bottom edge, where the pointer calls it back.
    tr.triangles('Kursor_panel_01_T', rect_triangles(-442, -340, 140, 88) + rect_triangles(442, -340, 140, 88))
    tr.triangles('Kursor_panel_02_T', rect_triangles(0, -340, 744, 88))
    tr.triangles('Kursor_panel_03_T', rect_triangles(0, -376, 1024, 16))
    tr.write(models, 'zort')

    beam = Model('Hint_luchBack')
    beam.material('beam', 'glow.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    beam.quad('Hint_luchBack', 0, 0, 0, 160, 160, 'beam')
    beam.write(models)

    morph = Model('morfing_effect')
    morph.material('morph', 'glow.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    morph.quad('A_morfEffectOverlay', 0, 0, 0, 256, 256, 'morph')
    morph.write(models)

    ghost = Model('ghost_window')
    ghost.material('ghost', 'gp_ghost_window.png')
    ghost.quad('ghost_window_back', -402, 600, 250, 200, 80, 'ghost')
    ghost.write(models)
    ghost_tr = Model('ghost_window')
    ghost_tr.triangles('Close_window_T', rect_triangles(-325, 273, 22, 22))
    ghost_tr.write(models, 'zort')

    lines = Model('Rolik_interface')
    lines.material('black', 'gp_black.png', 'MT_TEXTURE')
    lines.quad('Rolik_interface_01', 0, 650, 384 - 29, 1024, 58, 'black')
    lines.quad('Rolik_interface_02', 0, 650, -384 + 29, 1024, 58, 'black')
    lines.quad('Rolik_zatemnenie', 0, 660, 0, 1024, 768, 'black')
    lines.write(models)

    place = Model('Objects_found_window')
    place.triangles('Object_place_T', rect_triangles(0, -40, 20, 20))
    place.write(models, 'zort')

    items = Model('Predmets')
    for kind in ('key', 'wick', 'lantern'):
        items.material('item_%s' % kind, 'item_%s.png' % kind)
        items.quad('P_%s' % kind.capitalize(), 0, 0, 0, 64, 64, 'item_%s' % kind)
    items.write(models)


def arrow_picture():
    c = Canvas(48, 48, (0, 0, 0, 0))
    c.polygon([(24, 0), (46, 22), (32, 22), (32, 47), (16, 47), (16, 22), (2, 22)], GOLD)
    return c


# ---------------------------------------------------------------------------
# The final cut-scene's end-text window: a dark frame behind the scrolling
# closing text, a black back frame, the game's logo and its sheen, and the
# sheen's moving line.

def tga(canvas):
    """An uncompressed 32-bit TGA, rows from the top."""
    header = bytes([0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                    canvas.w & 255, canvas.w >> 8, canvas.h & 255, canvas.h >> 8, 32, 0x28])
    body = bytearray()
    for r, g, b, a in canvas.px:
        body += bytes([b, g, r, a])
    return header + bytes(body)


def sheen_line():
    c = Canvas(64, 16, (255, 255, 255, 0))
    c.fill(0, 0, 64, 16, lambda x, y: (255, 255, 255, max(0, 255 - abs(x - 32) * 12)))
    return c


def final_art(game):
    textures = os.path.join(game, 'Data', 'Textures')
    models = os.path.join(game, 'Data', 'Models')
    with open(os.path.join(textures, 'final_frame.png'), 'wb') as f:
        f.write(flat((0, 0, 0, 190)).png(True))
    with open(os.path.join(textures, 'final_sheen.png'), 'wb') as f:
        f.write(flat((255, 240, 200, 160)).png(True))
    with open(os.path.join(textures, 'MM_Start_Screenline.tga'), 'wb') as f:
        f.write(tga(sheen_line()))

    final = Model('Final_text_window')
    final.material('final_frame', 'final_frame.png')
    final.material('final_back', 'gp_black.png')
    final.material('final_logo', 'load_logo.png')
    final.material('final_sheen', 'final_sheen.png')
    final.quad('Text_black_rect', 0, 700, 0, 680, 768, 'final_frame')
    final.quad('Back_black_rect', 0, 705, 0, 1024, 768, 'final_back')
    final.quad('S_logo', 0, 710, 120, 640, 160, 'final_logo')
    final.quad('S_logoBlik', 0, 715, 120, 640, 160, 'final_sheen')
    final.write(models, 'ZORM')


def minigame_art(game):
    """The mini-game frame's window: one dark pane over the screen that
    fades in when a mini-game closes."""
    models = os.path.join(game, 'Data', 'Models')
    window = Model('minigame_window')
    window.material('minigame_pane', 'gp_black.png')
    window.quad('Alpha_ekran', 0, 690, 0, 1024, 768, 'minigame_pane')
    window.write(models, 'ZORM')


# ---------------------------------------------------------------------------
# Weather: a glint star sparkling on the hall's key, clouds drifting past the
# library's window, rain outside its small top window and a fountain
# rising from the pond.

def glint_star():
    """A four-pointed star, bright in the middle."""
    c = Canvas(32, 32)
    c.polygon([(16, 0), (19, 13), (31, 16), (19, 19), (16, 31), (13, 19), (0, 16), (13, 13)],
              (255, 250, 220, 200))
    c.ellipse(16, 16, 4, 4, (255, 255, 255, 255))
    return c


def weather_cloud():
    """Two frames side by side, each a soft white puff."""
    c = Canvas(128, 64)
    for frame, (rx, ry) in enumerate(((26, 18), (22, 22))):
        cx = 32 + 64 * frame
        c.ellipse(cx, 32, rx, ry, (255, 255, 255, 110))
        c.ellipse(cx, 32, rx * 2 // 3, ry * 2 // 3, (255, 255, 255, 200))
    return c


def weather_drop():
    """A thin streak, soft at its ends."""
    c = Canvas(8, 32)
    c.fill(2, 4, 6, 28, lambda x, y: (255, 255, 255, 255))
    c.fill(2, 0, 6, 4, lambda x, y: (255, 255, 255, 120))
    c.fill(2, 28, 6, 32, lambda x, y: (255, 255, 255, 120))
    return c


def weather_jet():
    """Streaks of water running along v, so that a scroll shows the flow."""
    c = Canvas(16, 64)
    c.fill(0, 0, 16, 64, lambda x, y: (150, 200, 255, 120 + (60 if (x + y // 8) % 4 == 0 else 0)))
    for y in range(0, 64, 16):
        c.fill(4, y, 7, y + 9, lambda x, yy: (235, 245, 255, 220))
    return c


def weather_rain_window():
    """A small night window: dark sky behind a cross frame."""
    c = Canvas(64, 64)
    c.vgradient(0, 0, 64, 64, (70, 90, 120, 255), (120, 140, 170, 255))
    c.frame(0, 0, 64, 64, (70, 50, 30, 255), 4)
    c.rect(30, 0, 34, 64, (70, 50, 30, 255))
    c.rect(0, 30, 64, 34, (70, 50, 30, 255))
    return c


def weather_pictures():
    return {
        'glint_star.png': glint_star(),
        'weather_cloud.png': weather_cloud(),
        'weather_drop.png': weather_drop(),
        'weather_jet.png': weather_jet(),
        'library_rain_window.png': weather_rain_window(),
    }


def weather_hall_meshes(hall, points):
    """The glint star (drawn at every point of P_KeyGlints) and the points
    over the key."""
    hall.material('glint_star', 'glint_star.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    hall.quad('S_KeyGlints', 0, 45, 0, 24, 24, 'glint_star')
    points.points('P_KeyGlints', [(-310, 45, -110), (-262, 45, -132), (-228, 45, -104), (-290, 45, -136)])


def weather_library_meshes(library):
    """The clouds' birth box inside the window, the small rain window at the
    top right with the rain's place, and the fountain growing up from its
    foot in the pond."""
    library.material('weather_cloud', 'weather_cloud.png', 'MT_PARTICLE')
    library.material('weather_drop', 'weather_drop.png', 'MT_PARTICLE')
    library.material('weather_jet', 'weather_jet.png', 'MT_STRUYA')
    library.material('library_rain_window', 'library_rain_window.png', 'MT_TEXTURE')
    library.quad('S_CloudBox', 100, 11, 272, 130, 55, 'weather_cloud')
    library.quad('S_RainWindow', 330, 10, 327, 140, 114, 'library_rain_window')
    library.quad('S_Rain', 330, 11, 327, 8, 8, 'weather_drop')
    library.quad('S_Fountain', 100, 14, -160, 24, 110, 'weather_jet', pivot=(100, 14, -215))

# ---------------------------------------------------------------------------
# The hall's fires: a hearth whose fire burns as a texture coloured by its
# own palette, and two torches by the door, each burning in three layers: a
# small burning texture, flames cut from a 32-frame strip and soft glow
# spots. The particles tint the strip and the spot, so both are white with
# their shape in alpha.

FLAME_FRAMES = 32


def fire_flame_strip():
    """32 flame tongues side by side, 16 x 32 each, tip at the top; along
    the strip each sways and narrows a little further."""
    fw, fh = 16, 32
    c = Canvas(fw * FLAME_FRAMES, fh, (255, 255, 255, 0))
    for n in range(FLAME_FRAMES):
        sway = math.sin(2 * math.pi * n / FLAME_FRAMES) * 2.5
        width = 7.0 - 3.0 * n / FLAME_FRAMES
        for y in range(fh):
            k = y / (fh - 1.0)  # 0 at the tip, 1 at the base
            half = width * math.sin(math.pi / 2 * min(1.0, k * 1.25)) * (1.0 - 0.5 * max(0.0, k - 0.8) / 0.2)
            cx = fw / 2.0 + sway * (1.0 - k)
            for x in range(fw):
                d = abs(x + 0.5 - cx) / max(half, 0.01)
                if d < 1.0:
                    c.px[y * c.w + n * fw + x] = [255, 255, 255, int(255 * (1.0 - d) ** 0.6 * min(1.0, k * 3.0))]
    return c


def fire_spot():
    """A soft round glow."""
    size = 32
    c = Canvas(size, size, (255, 255, 255, 0))
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0) / (size / 2.0)
            if d < 1.0:
                c.px[y * size + x] = [255, 255, 255, int(255 * (1.0 - d) ** 2)]
    return c


def fire_palette():
    """64 heats in one row: the coldest transparent, then dark red, orange,
    yellow and nearly white, ever more opaque."""
    c = Canvas(64, 1)
    keys = [(0, (0, 0, 0, 0)), (8, (60, 0, 0, 0)), (24, (200, 40, 0, 150)), (40, (255, 140, 20, 220)),
            (56, (255, 230, 90, 255)), (63, (255, 250, 210, 255))]
    for i in range(64):
        for (a, ca), (b, cb) in zip(keys, keys[1:]):
            if a <= i <= b:
                c.px[i] = list(blend(ca, cb, (i - a) / float(b - a)))
                break
    return c


def hall_hearth():
    """A stone hearth with a dark opening where the fire burns."""
    c = Canvas(160, 120)
    c.rect(0, 10, 160, 120, (92, 86, 80, 255))
    for row in range(5):
        for col in range(6):
            x = col * 28 + (14 if row % 2 else 0) - 6
            c.frame(x, 10 + row * 22, x + 28, 32 + row * 22, (60, 56, 52, 255), 1)
    c.rect(0, 0, 160, 12, (70, 66, 62, 255))
    c.rect(32, 36, 128, 120, (22, 14, 12, 255))
    c.ellipse(80, 40, 48, 10, (22, 14, 12, 255))
    c.rect(36, 108, 124, 116, (58, 36, 22, 255))
    return c


def hall_torch():
    """A torch on a wall bracket: a wooden stick in an iron cup."""
    c = Canvas(24, 72)
    c.rect(10, 14, 14, 72, (96, 64, 36, 255))
    c.polygon([(3, 0), (21, 0), (17, 14), (7, 14)], (52, 48, 46, 255))
    c.rect(2, 44, 22, 48, INK)
    return c


def hall_fire_meshes(hall):
    """The hearth below the desk's right end and a torch either side of the
    door; each fire's quad sits where its flames burn (the torch's on top of
    the cup, so the flames rise from the cup's rim)."""
    hall.material('hall_hearth', 'hall_hearth.png')
    hall.material('hall_torch', 'hall_torch.png')
    hall.quad('S_Hearth', -40, 16, -262, 160, 120, 'hall_hearth')
    hall.quad('S_HearthFire', -40, 17, -272, 96, 80, 'hall_glow')
    for name, x in (('Left', -150), ('Right', 150)):
        hall.quad('S_Torch' + name, x, 16, 40, 24, 72, 'hall_torch')
        hall.quad('S_Torch%sFire' % name, x, 17, 94, 32, 40, 'hall_glow')


def fire_art(game):
    textures = os.path.join(game, 'Data', 'Textures')
    with open(os.path.join(textures, 'FX_part_fire_x32_2.tga'), 'wb') as f:
        f.write(tga(fire_flame_strip()))
    with open(os.path.join(textures, 'spot_part.tga'), 'wb') as f:
        f.write(tga(fire_spot()))
    for name, canvas in (('fire_palette.png', fire_palette()), ('hall_hearth.png', hall_hearth()),
                         ('hall_torch.png', hall_torch())):
        with open(os.path.join(textures, name), 'wb') as f:
            f.write(canvas.png(True))
# The library's lights: a broken wall lamp that sparks, pulsing rays over the
# doorway, lightning in the window, twinkles on the pond and falling leaves.


def wall_lamp():
    c = Canvas(48, 64)
    c.rect(20, 0, 28, 20, INK)
    c.polygon([(6, 20), (42, 20), (34, 44), (14, 44)], (150, 120, 70, 255))
    c.frame(6, 20, 42, 44, INK, 2)
    c.polygon([(14, 44), (34, 44), (30, 60), (18, 60)], (60, 60, 70, 255))
    return c


def spark(n):
    """Spark n: a small jagged bolt, bright blue-white."""
    c = Canvas(32, 32)
    paths = {1: [(4, 4), (14, 14), (10, 18), (28, 28)],
             2: [(28, 6), (18, 12), (22, 18), (6, 26)],
             3: [(16, 2), (12, 14), (20, 18), (14, 30)]}[n]
    for (x0, y0), (x1, y1) in zip(paths, paths[1:]):
        steps = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i // steps
            y = y0 + (y1 - y0) * i // steps
            c.rect(x - 1, y - 1, x + 2, y + 2, (200, 230, 255, 255))
            c.put(x, y, (255, 255, 255, 255))
    return c


def spark_glow():
    c = Canvas(64, 64)
    for y in range(64):
        for x in range(64):
            d = math.hypot(x - 31.5, y - 31.5) / 32.0
            c.px[y * 64 + x] = [150, 190, 255, int(round(max(0.0, 1.0 - d) ** 2 * 255))]
    return c


def door_rays():
    """Soft vertical rays fading towards the floor."""
    c = Canvas(64, 128)
    for y in range(128):
        fall = 1.0 - y / 128.0
        for x in range(64):
            band = 0.5 + 0.5 * math.cos((x - 32) / 64.0 * 6.0 * math.pi)
            edge = max(0.0, 1.0 - abs(x - 31.5) / 32.0)
            a = band * edge * (0.35 + 0.65 * fall)
            c.px[y * 64 + x] = [255, 236, 180, int(round(a * 200))]
    return c


def lightning_sky():
    c = Canvas(64, 32)
    c.vgradient(0, 0, 64, 32, (220, 230, 255, 255), (150, 170, 230, 255))
    return c


def lightning_bolt():
    c = Canvas(32, 64)
    path = [(20, 0), (12, 22), (19, 24), (9, 44), (15, 46), (6, 64)]
    for (x0, y0), (x1, y1) in zip(path, path[1:]):
        steps = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i // steps
            y = y0 + (y1 - y0) * i // steps
            c.rect(x - 1, y, x + 2, y + 1, (255, 255, 255, 255))
    return c


def twinkle():
    """A four-pointed sparkle."""
    c = Canvas(16, 16)
    for y in range(16):
        for x in range(16):
            dx, dy = abs(x - 7.5), abs(y - 7.5)
            a = max(0.0, 1.0 - min(dx, dy) / 1.5) * max(0.0, 1.0 - max(dx, dy) / 8.0)
            a = max(a, max(0.0, 1.0 - math.hypot(dx, dy) / 3.0))
            c.px[y * 16 + x] = [255, 255, 240, int(round(min(1.0, a) * 255))]
    return c


def leaf(n):
    colours = {1: (196, 120, 40, 255), 2: (170, 60, 30, 255), 3: (210, 170, 50, 255)}
    c = Canvas(32, 32)
    c.ellipse(16, 16, 12 - n, 7 + n, colours[n])
    c.rect(15, 4, 17, 30, (90, 50, 20, 255))
    return c


LIGHTS_PICTURES = {
    'library_wall_lamp.png': wall_lamp,
    'library_spark1.png': lambda: spark(1),
    'library_spark2.png': lambda: spark(2),
    'library_spark3.png': lambda: spark(3),
    'library_spark_glow.png': spark_glow,
    'library_rays.png': door_rays,
    'library_lightning_sky.png': lightning_sky,
    'library_lightning_bolt.png': lightning_bolt,
    'library_twinkle.png': twinkle,
    'library_leaf1.png': lambda: leaf(1),
    'library_leaf2.png': lambda: leaf(2),
    'library_leaf3.png': lambda: leaf(3),
}


def library_lights(library, textures):
    """The pictures and meshes of the library's lights (drawn by their effects)."""
    for name, make in sorted(LIGHTS_PICTURES.items()):
        with open(os.path.join(textures, name), 'wb') as f:
            f.write(make().png(True))
    for m in ('library_wall_lamp', 'library_spark1', 'library_spark2', 'library_spark3', 'library_rays',
              'library_lightning_bolt', 'library_twinkle', 'library_leaf1', 'library_leaf2', 'library_leaf3'):
        library.material(m, m + '.png')
    library.material('library_spark_glow', 'library_spark_glow.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    library.material('library_lightning_sky', 'library_lightning_sky.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    library.quad('S_WallLamp', -470, 20, 20, 48, 64, 'library_wall_lamp')
    library.quad('S_Spark01', -478, 26, -4, 32, 32, 'library_spark1')
    library.quad('S_SparkGlow', -470, 25, 0, 128, 128, 'library_spark_glow')
    library.quad('S_Spark02', -458, 27, -10, 32, 32, 'library_spark2')
    library.quad('S_Spark03', -470, 28, -20, 32, 32, 'library_spark3')
    library.quad('S_DoorRays', 420, 14, 0, 160, 300, 'library_rays')
    library.quad('S_LightningSky', 100, 11, 260, 248, 120, 'library_lightning_sky')
    library.quad('S_LightningBolt', 60, 12, 262, 40, 110, 'library_lightning_bolt')
    library.quad('S_PondTwinkle', 100, 14, -190, 12, 12, 'library_twinkle')
    for n in (1, 2, 3):
        library.quad('S_Leaf%02d' % n, 0, 45, 0, 28, 28, 'library_leaf%d' % n, pivot=(0, 45, 0))


def library_twinkle_points(library_path):
    """Where the pond twinkles: a loose grid over its surface."""
    pts = []
    for row in range(4):
        for col in range(10):
            x = 100 - 110 + col * 24 + (row % 2) * 10
            z = -205 - row * 20
            pts.append((x, 13 + row, z))
    library_path.points('P_PondTwinkles', pts)
# The hall's orchard window: an apple tree swaying in the wind behind the
# right window's lower pane (DEREVO: a trunk, two boughs, four twigs), a wall
# lamp whose glow flickers (LAMPA) and light rays from the window with two
# layers of drifting dust (LUCHIPIL) (Back_1_anim.xml).

ORCHARD_SKY = (44, 58, 104, 255)
ORCHARD_GRASS = (34, 70, 40, 255)
BARK = (88, 60, 38, 255)
LEAF = (60, 128, 56, 255)
LEAF_LIGHT = (110, 170, 80, 255)


def orchard_window():
    c = Canvas(160, 146, INK)
    c.vgradient(6, 6, 154, 110, ORCHARD_SKY, (90, 96, 140, 255))
    c.rect(6, 110, 154, 140, ORCHARD_GRASS)
    for x in range(10, 154, 22):
        c.ellipse(x, 108, 12, 8, (30, 56, 40, 255))
    c.text_centered('ORCHARD', 80, 128, 1, PAPER)
    c.frame(0, 0, 160, 146, INK, 6)
    return c


def orchard_trunk():
    c = Canvas(12, 56, BARK)
    for y in range(4, 56, 9):
        c.rect(3, y, 6, y + 4, INK)
    return c


def orchard_bough(right):
    """A bough from its foot at a lower corner up to the opposite upper
    corner, with a few leaves."""
    c = Canvas(36, 36)
    for t in range(0, 36):
        x = t if right else 35 - t
        c.rect(x - 1, 35 - t - 1, x + 2, 35 - t + 2, BARK)
    for lx, ly in ((10, 20), (22, 10), (28, 26)):
        c.ellipse(lx if right else 35 - lx, ly, 4, 3, LEAF)
    return c


def orchard_twig(n):
    """A cluster of leaves, an apple on every other one."""
    c = Canvas(36, 36)
    c.ellipse(18, 18, 16, 14, LEAF)
    for lx, ly in ((10, 12), (24, 10), (14, 24), (26, 22)):
        c.ellipse(lx, ly, 4, 3, LEAF_LIGHT)
    if n % 2:
        c.ellipse(20, 20, 4, 4, (200, 40, 40, 255))
    return c


def wall_lamp():
    c = Canvas(24, 40)
    c.rect(10, 0, 14, 12, INK)
    c.polygon([(2, 12), (22, 12), (18, 36), (6, 36)], GOLD)
    c.ellipse(12, 26, 5, 7, GLOW)
    return c


def wall_lamp_glow():
    c = Canvas(96, 96)
    for r, a in ((46, 40), (36, 70), (26, 110), (16, 170)):
        c.ellipse(48, 48, r, r, (255, 214, 140, a))
    return c


def orchard_rays():
    """Streaks of pale light, bright at the window (top) and fading towards
    the floor (bottom)."""
    w, h = 64, 128
    c = Canvas(w, h)
    for y in range(h):
        fade = 1.0 - y / float(h)
        for x in range(w):
            streak = 0.55 + 0.45 * math.sin(2 * math.pi * x / w * 4)
            c.put(x, y, (255, 240, 200, int(150 * fade * streak)))
    return c


def orchard_dust():
    """Specks of dust on black: the rays' light multiplied by it shows only
    the specks."""
    c = Canvas(64, 64, (0, 0, 0, 255))
    seed = 12345
    for _ in range(48):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        x = seed % 64
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        y = seed % 64
        c.rect(x, y, x + 1 + (seed >> 7) % 2, y + 1 + (seed >> 9) % 2, (255, 236, 190, 255))
    return c


def orchard_art(hall, textures):
    """The pictures of the orchard window, the wall lamp and the rays, and
    their meshes in Back_1.zorm. The lower pane of the right window is
    screen x 774 .. 934, y 214 .. 360 (scene x 262 .. 422, z 24 .. 170)."""
    pictures = {
        'hall_orchard_window.png': orchard_window(),
        'hall_orchard_trunk.png': orchard_trunk(),
        'hall_orchard_bough_l.png': orchard_bough(False),
        'hall_orchard_bough_r.png': orchard_bough(True),
        'hall_orchard_twig1.png': orchard_twig(1),
        'hall_orchard_twig2.png': orchard_twig(2),
        'hall_wall_lamp.png': wall_lamp(),
        'hall_wall_lamp_glow.png': wall_lamp_glow(),
        'hall_rays.png': orchard_rays(),
        'hall_dust.png': orchard_dust(),
    }
    for name, canvas in sorted(pictures.items()):
        with open(os.path.join(textures, name), 'wb') as f:
            f.write(canvas.png(True))
    for m in ('orchard_window', 'orchard_trunk', 'orchard_bough_l', 'orchard_bough_r', 'orchard_twig1',
              'orchard_twig2', 'wall_lamp'):
        hall.material('hall_' + m, 'hall_%s.png' % m)
    hall.material('hall_wall_lamp_glow', 'hall_wall_lamp_glow.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    hall.quad('S_OrchardWindow', 342, 5, 97, 160, 146, 'hall_orchard_window')
    # Each branch turns about its foot; the drawing goes from the lowest y up.
    hall.quad('S_OrchardTree', 342, 6, 52, 12, 56, 'hall_orchard_trunk', pivot=(342, 6, 24))
    hall.quad('S_OrchardBoughL', 324, 6.2, 98, 36, 36, 'hall_orchard_bough_l', pivot=(342, 6.2, 80))
    hall.quad('S_OrchardBoughR', 360, 6.1, 98, 36, 36, 'hall_orchard_bough_r', pivot=(342, 6.1, 80))
    hall.quad('S_OrchardTwigL1', 300, 6.4, 128, 36, 36, 'hall_orchard_twig1', pivot=(306, 6.4, 116))
    hall.quad('S_OrchardTwigL2', 329, 6.5, 121, 34, 34, 'hall_orchard_twig2', pivot=(324, 6.5, 98))
    hall.quad('S_OrchardTwigR1', 384, 6.3, 128, 36, 36, 'hall_orchard_twig2', pivot=(378, 6.3, 116))
    hall.quad('S_OrchardTwigR2', 355, 6.6, 121, 34, 34, 'hall_orchard_twig1', pivot=(360, 6.6, 98))
    hall.quad('S_WallLamp', 156, 12, 84, 24, 40, 'hall_wall_lamp')
    hall.quad('S_WallLampGlow', 156, 13, 80, 96, 96, 'hall_wall_lamp_glow')
    # The rays: from the pane's foot down to the floor left of the window,
    # half transparent by their material (the rays' own alpha starts there).
    hall.materials.add('hall_rays')
    hall.mtl += ['', 'newmtl hall_rays', 'Ka 0 0 0', 'Kd 1 1 1', 'd 0.6', 'map_Kd hall_rays.png',
                 'render MT_TEXTURE_ALPHA_SMOOTH_OVERLAY']
    hall.obj += ['o S_SunRays', '#@pivot 342 60 24']
    for x, z in ((-40, -330), (140, -330), (422, 24), (262, 24)):
        hall.obj.append('v %g 60 %g' % (x, z))
    for u, v in ((0, 0), (1, 0), (1, 1), (0, 1)):
        hall.obj.append('vt %g %g' % (u, v))
    b = hall.count
    hall.obj += ['usemtl hall_rays', 'f %d/%d %d/%d %d/%d %d/%d' % (b + 1, b + 1, b + 2, b + 2, b + 3, b + 3,
                                                                    b + 4, b + 4)]
    hall.count += 4
# The extras: concept-art and wallpaper galleries (thumbnail, enlarged
# picture and pick shape each), the guide's three screenshot places, the
# guide's screenshots and two wallpapers for the desktop.

def extras_picture(n, w, h, hue):
    c = Canvas(w, h)
    top = blend((40, 30, 20, 255), hue, 0.6)
    c.vgradient(0, 0, w, h, top, (20, 14, 10, 255))
    # A lantern-like shape and a frame, shifted by the picture's number.
    cx = w // 2 + (n * 7) % (w // 4) - w // 8
    c.rect(cx - w // 12, h // 3, cx + w // 12, h - h // 5, (230, 190, 90, 255))
    c.rect(cx - w // 20, h // 4, cx + w // 20, h // 3, (120, 90, 50, 255))
    for x0, y0, x1, y1 in ((0, 0, w, 2), (0, h - 2, w, h), (0, 0, 2, h), (w - 2, 0, w, h)):
        c.rect(x0, y0, x1, y1, (232, 184, 72, 255))
    return c


def extras_art(game):
    textures = os.path.join(game, 'Data', 'Textures')
    models = os.path.join(game, 'Data', 'Models')
    walls = os.path.join(game, 'DataLoc', 'Wallpapers')
    os.makedirs(walls, exist_ok=True)

    def save(folder, name, canvas):
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(canvas.png(False))

    hues = [(200, 80, 60, 255), (80, 160, 90, 255), (70, 110, 200, 255), (190, 170, 60, 255)]
    window = Model('Extras_window')
    shapes = Model('Extras_window')
    # Concept art: 13 pictures in rows of five; enlarged in the middle.
    for i in range(1, 14):
        save(textures, 'extras_concept%d.png' % i, extras_picture(i, 96, 72, hues[i % 4]))
        window.material('concept%d' % i, 'extras_concept%d.png' % i)
        col, row = (i - 1) % 5, (i - 1) // 5
        cx, cz = -280 + col * 140, 134 - row * 110
        window.quad('ST_concept%d' % i, cx, 0, cz, 120, 90, 'concept%d' % i)
        window.quad('ST_concept%d_big' % i, 0, 0, -16, 640, 480, 'concept%d' % i)
        shapes.triangles('ST_concept%d_T' % i, rect_triangles(cx, cz, 120, 90))
    # Wallpapers: nine in three rows, each with its two size buttons below.
    for i in range(1, 10):
        save(textures, 'extras_wallpaper%d.png' % i, extras_picture(i + 20, 96, 60, hues[(i + 1) % 4]))
        window.material('wallpaper%d' % i, 'extras_wallpaper%d.png' % i)
        col, row = (i - 1) % 3, (i - 1) // 3
        cx, cz = -212 + col * 212, 154 - row * 150
        window.quad('ST_wallpaper%d' % i, cx, 0, cz, 160, 100, 'wallpaper%d' % i)
        window.quad('ST_wallpaper%d_big' % i, 0, 0, -16, 640, 400, 'wallpaper%d' % i)
        shapes.triangles('ST_wallpaper%d_T' % i, rect_triangles(cx, cz, 160, 100))
    # The guide's screenshot places and the enlarged screenshot.
    save(textures, 'extras_screen.png', extras_picture(0, 48, 36, hues[0]))
    window.material('screen', 'extras_screen.png')
    for j in range(1, 4):
        cx, cz = -250 + (j - 1) * 250, -100
        window.quad('Screen_small_0%d' % j, cx, 0, cz, 180, 120, 'screen')
        shapes.triangles('Screen_small_0%d_T' % j, rect_triangles(cx, cz, 180, 120))
    window.quad('Screen_big', 0, 0, -16, 720, 480, 'screen')
    window.write(models, 'zorm')
    shapes.write(models, 'zort')
    for n in range(1, 7):
        save(textures, 'scr%03d.jpg' % n, extras_picture(n + 40, 96, 64, hues[n % 4]))
    for i in (1, 2):
        for size in ('1024x768', '1280x800'):
            save(walls, 'LHT60_wallpaper%d_%s.jpg' % (i, size), extras_picture(i + 20, 128, 96, hues[(i + 1) % 4]))


# ---------------------------------------------------------------------------
# The title scene's set in LHT60_MM: the mansion with its 19 windows, trees
# and swaying branches, fountain, bush and urn. The main menu raises each
# layer from below during its fly-in and leaves it raised by its own
# amount (bush 166, urn 295, fountain 308, trees and branches 798), so each
# stands that much below its final place here.

def title_scene_art(game, load):
    textures = os.path.join(game, 'Data', 'Textures')

    def save(name, canvas):
        with open(os.path.join(textures, name), 'wb') as f:
            f.write(canvas.png(True))

    house = Canvas(140, 84, (0, 0, 0, 0))
    house.vgradient(10, 24, 130, 84, (52, 44, 60, 255), (26, 22, 30, 255))
    for i in range(24):  # the roof
        house.rect(10 + i * 2, 24 - i, 130 - i * 2, 25 - i, (40, 30, 36, 255))
    save('mm_dom.png', house)
    save('mm_okno.png', flat((250, 210, 120, 255)))
    tree = Canvas(48, 96, (0, 0, 0, 0))
    tree.rect(20, 60, 28, 96, (40, 28, 20, 255))
    for r in range(24):
        tree.rect(24 - r, 10 + r * 2, 24 + r, 12 + r * 2, (18, 40, 26, 255))
    save('mm_derevo.png', tree)
    branch = Canvas(64, 16, (0, 0, 0, 0))
    branch.rect(0, 6, 64, 10, (30, 24, 18, 255))
    branch.rect(40, 2, 60, 14, (20, 44, 28, 255))
    save('mm_vetka.png', branch)
    fountain = Canvas(64, 40, (0, 0, 0, 0))
    fountain.rect(4, 24, 60, 40, (90, 90, 100, 255))
    fountain.rect(28, 4, 36, 24, (110, 110, 120, 255))
    save('mm_fontan.png', fountain)
    save('mm_glow.png', flat((120, 160, 255, 90)))
    save('mm_kust.png', flat((16, 36, 22, 255)))
    urn = Canvas(24, 40, (0, 0, 0, 0))
    urn.rect(4, 8, 20, 32, (96, 84, 70, 255))
    urn.rect(8, 32, 16, 40, (80, 70, 60, 255))
    save('mm_urna.png', urn)
    for m, tex in (('mm_dom', 'mm_dom.png'), ('mm_okno', 'mm_okno.png'), ('mm_derevo', 'mm_derevo.png'),
                   ('mm_vetka', 'mm_vetka.png'), ('mm_fontan', 'mm_fontan.png'), ('mm_kust', 'mm_kust.png'),
                   ('mm_urna', 'mm_urna.png')):
        load.material(m, tex)
    load.material('mm_glow', 'mm_glow.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    load.quad('S_dom', 0, -40, 20, 700, 420, 'mm_dom')
    for i in range(1, 20):
        col, row = (i - 1) % 7, (i - 1) // 7
        load.quad('A_okno_%02d' % i, -240 + col * 80, -41, 60 - row * 90, 28, 44, 'mm_okno')
    trees, fountain, bush, urn = -798, -308, -166, -295
    load.quad('S_derevoSleva', -430, -42, -40 + trees, 220, 440, 'mm_derevo')
    load.quad('S_derevoSprava', 430, -42, -40 + trees, 220, 440, 'mm_derevo')
    load.quad('S_vetkaSleva', -400, -43, 250 + trees, 260, 60, 'mm_vetka')
    load.quad('S_vetkaSprava', 400, -43, 250 + trees, 260, 60, 'mm_vetka', uv=(1.0, 0.0, 0.0, 1.0))
    for i in range(1, 8):
        x = -420 + (i - 1) * 140
        load.quad('A_vetkaKachaetsya_%02d' % i, x, -44, 300 + trees, 140, 36, 'mm_vetka',
                  pivot=(x, -44, 318 + trees))
    load.quad('S_fontan', 0, -45, -300 + fountain, 220, 140, 'mm_fontan')
    load.quad('A_zasvetFontan', 0, -46, -290 + fountain, 260, 160, 'mm_glow')
    load.quad('S_kustSleva', -330, -47, -320 + bush, 260, 120, 'mm_kust')
    load.quad('S_urnaSleva', 300, -48, -300 + urn, 72, 120, 'mm_urna')
    # The weather over the title scene: a flash lighting the sky, a bolt
    # over the right-hand trees and the rays of the two gate lamps.
    sky_flash = Canvas(32, 32, (0, 0, 0, 0))
    sky_flash.vgradient(0, 0, 32, 32, (210, 220, 255, 255), (60, 70, 110, 0))
    save('mm_molnia_nebo.png', sky_flash)
    bolt = Canvas(32, 96, (0, 0, 0, 0))
    bolt.polygon([(18, 0), (22, 0), (14, 40), (24, 40), (8, 96), (12, 52), (4, 52)], (240, 244, 255, 255))
    save('mm_molnia.png', bolt)
    rays = Canvas(64, 64, (0, 0, 0, 0))
    for r in range(32):
        rays.polygon([(32 - r // 2, r * 2), (32 + r // 2, r * 2), (32 + r // 2 + 1, r * 2 + 2),
                      (32 - r // 2 - 1, r * 2 + 2)], (255, 220, 140, 150 - r * 4))
    save('mm_luch.png', rays)
    load.material('mm_molnia_nebo', 'mm_molnia_nebo.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    load.material('mm_molnia', 'mm_molnia.png', 'MT_TEXTURE_ALPHA_SMOOTH')
    load.material('mm_luch', 'mm_luch.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    load.quad('A_molniyaNebo', 0, -37, 250, 1024, 280, 'mm_molnia_nebo')
    load.quad('A_molniya_01', 330, -38, 250, 60, 180, 'mm_molnia')
    load.quad('A_molniya_02', -300, -38, 270, 50, 150, 'mm_molnia', uv=(1.0, 0.0, 0.0, 1.0))
    load.quad('A_luchLampa_1', -170, -49, -230, 90, 120, 'mm_luch')
    load.quad('A_luchLampa_2', 170, -49, -230, 90, 120, 'mm_luch')
    # The logo's glint: the logo's letters in pale light, drawn over the logo
    # through the sweeping screen line (the main menu binds it as a second
    # texture), so only the letters under the line light up.
    blik = Canvas(640, 160)
    blik.text_centered('LANTERN HALL TALE', 320, 40, 6, (255, 252, 236, 255))
    blik.text_centered("A KEEPER'S NIGHT", 320, 110, 3, (255, 252, 236, 255))
    save('mm_logo_blik.png', blik)
    load.material('mm_logo_blik', 'mm_logo_blik.png')
    load.quad('S_logoBlikCE', 0, 21, 895 + 200, 640, 160, 'mm_logo_blik')
    # The lock and chains over the Extras button (which ends 295 above its
    # place in the model, like the urn): the chains cross the button and
    # the padlock hangs where they meet. Both turn about their top.
    lock = Canvas(48, 64)
    for r in range(14):  # the shackle
        lock.rect(12 + r // 3, 4 + r, 16 + r // 3, 6 + r, (170, 170, 180, 255))
        lock.rect(32 - r // 3, 4 + r, 36 - r // 3, 6 + r, (170, 170, 180, 255))
    lock.rect(12, 2, 36, 6, (170, 170, 180, 255))
    lock.rect(4, 24, 44, 62, (150, 110, 40, 255))
    lock.frame(4, 24, 44, 62, (90, 60, 20, 255), 2)
    lock.ellipse(24, 38, 4, 4, (30, 20, 10, 255))
    lock.rect(22, 40, 26, 52, (30, 20, 10, 255))
    save('mm_zamok.png', lock)
    chains = Canvas(256, 48)
    for i in range(16):  # two rows of links meeting at the middle
        for y in (8 + i * 2, 38 - i * 2):
            x = i * 8 if y < 24 or i < 8 else 255 - i * 8
            chains.frame(x, y - 4, x + 12, y + 4, (130, 130, 140, 255), 2)
            chains.frame(255 - x - 12, y - 4, 255 - x, y + 4, (130, 130, 140, 255), 2)
    save('mm_cepi.png', chains)
    load.material('mm_zamok', 'mm_zamok.png')
    load.material('mm_cepi', 'mm_cepi.png')
    extras_z = -58 - 295
    load.quad('A_cepiExtras', 0, 80, extras_z, 280, 52, 'mm_cepi', pivot=(0, 80, extras_z + 26))
    load.quad('A_zamokExtras', 0, 81, extras_z - 14, 42, 56, 'mm_zamok', pivot=(0, 81, extras_z + 14))


# ---------------------------------------------------------------------------
# The location map: the sheet (and the bonus chapter's), a picture per place
# with its highlights, exclamation mark, footprint backing and pick shape,
# and 16 footprint frames.

MAP_PLACES = [('Back_1', -150, 40), ('Back_2', 160, 60), ('Back_4', 160, -120)]
MAP_LABELS = {'Back_1': 'HALL', 'Back_2': 'LIBRARY', 'Back_4': 'LAMP ROOM'}


def map_art(game):
    textures = os.path.join(game, 'Data', 'Textures')
    models = os.path.join(game, 'Data', 'Models')

    def save(name, canvas):
        with open(os.path.join(textures, name), 'wb') as f:
            f.write(canvas.png(True))

    sheet = Canvas(128, 96)
    sheet.vgradient(0, 0, 128, 96, (214, 196, 150, 255), (180, 158, 112, 255))
    for x0, y0, x1, y1 in ((0, 0, 128, 2), (0, 94, 128, 96), (0, 0, 2, 96), (126, 0, 128, 96)):
        sheet.rect(x0, y0, x1, y1, (110, 80, 40, 255))
    save('map_sheet.png', sheet)
    # Each place's picture carries its name, so the map reads without the
    # pointer over it.
    for place, _, _ in MAP_PLACES:
        room = Canvas(64, 48)
        room.rect(0, 0, 64, 48, (120, 96, 64, 255))
        room.rect(4, 4, 60, 44, (160, 130, 90, 255))
        room.text_centered(MAP_LABELS[place], 32, 20, 1, INK)
        save('map_room_%s.png' % place.lower(), room)
    save('map_task.png', flat((255, 220, 120, 110)))
    save('map_here.png', flat((140, 220, 140, 110)))
    mark = Canvas(16, 32)
    mark.rect(6, 2, 10, 22, (200, 40, 30, 255))
    mark.rect(6, 26, 10, 30, (200, 40, 30, 255))
    save('map_mark.png', mark)
    save('map_footback.png', flat((60, 40, 20, 140)))
    for n in range(1, 17):
        foot = Canvas(32, 32)
        k = n - 1
        foot.rect(4 + k % 4 * 6, 20 - k // 4 * 5, 10 + k % 4 * 6, 28 - k // 4 * 5, (50, 30, 10, 255))
        save('map_nogi_%02d.png' % n, foot)

    # The name plate under a hovered place's name: a dark band as wide as
    # the longest name, cut to the name's width by two clear masks that sit
    # in front of it on the depth buffer, and two end caps.
    band = Canvas(64, 32)
    band.vgradient(0, 4, 64, 28, (60, 40, 24, 230), (36, 24, 14, 230))
    band.rect(0, 4, 64, 6, (200, 160, 90, 255))
    band.rect(0, 26, 64, 28, (200, 160, 90, 255))
    save('map_name_back.png', band)
    save('map_name_mask.png', flat((0, 0, 0, 0)))
    cap = Canvas(16, 32)
    cap.rect(0, 4, 6, 28, (60, 40, 24, 230))
    cap.polygon([(6, 4), (14, 16), (6, 28)], (60, 40, 24, 230))
    cap.rect(0, 4, 6, 6, (200, 160, 90, 255))
    cap.rect(0, 26, 6, 28, (200, 160, 90, 255))
    cap.polygon([(6, 4), (15, 16), (13, 16), (6, 6)], (200, 160, 90, 255))
    cap.polygon([(6, 28), (15, 16), (13, 16), (6, 26)], (200, 160, 90, 255))
    save('map_name_cap.png', cap)

    for name in ('LHT60_map', 'LHT60_mapCE'):
        m = Model(name)
        m.material('map_sheet', 'map_sheet.png')
        m.quad('Map_back', 0, 5, 0, 600, 440, 'map_sheet')
        # The plate's pieces stand at the origin; the map moves them to the
        # name. The masks start at their pivot and reach outwards.
        m.material('map_name_back', 'map_name_back.png')
        m.material('map_name_mask', 'map_name_mask.png')
        m.material('map_name_cap', 'map_name_cap.png')
        m.quad('Lokaciya_name_back', 0, 0, 0, 600, 32, 'map_name_back')
        m.quad('Alpha_sprava', 200, 0, 0, 400, 40, 'map_name_mask', pivot=(0, 0, 0))
        m.quad('Alpha_sleva', -200, 0, 0, 400, 40, 'map_name_mask', pivot=(0, 0, 0))
        # The caps' coordinates stop half a texel short of the picture's
        # sides: filtering across the wrapped edge drew a seam at the tip.
        inset = 0.5 / 16
        m.quad('Lokaciya_name_right', 8, 0, 0, 16, 32, 'map_name_cap', pivot=(0, 0, 0),
               uv=(inset, 0.0, 1.0 - inset, 1.0))
        m.quad('Lokaciya_name_left', -8, 0, 0, 16, 32, 'map_name_cap', pivot=(0, 0, 0),
               uv=(1.0 - inset, 0.0, inset, 1.0))
        if name == 'LHT60_map':
            for tex in ['map_room_' + place.lower() for place, _, _ in MAP_PLACES] + [
                    'map_task', 'map_here', 'map_mark', 'map_footback']:
                m.material(tex, tex + '.png')
            for n in range(1, 17):
                m.material('map_nogi_%02d' % n, 'map_nogi_%02d.png' % n)
                m.quad('O_nogi_%02d' % n, 0, 0, 0, 32, 32, 'map_nogi_%02d' % n)
            t = Model('LHT60_map')
            for place, cx, cz in MAP_PLACES:
                m.quad(place, cx, 4, cz, 200, 150, 'map_room_' + place.lower())
                m.quad(place + '_ef1', cx, 3, cz, 210, 160, 'map_task')
                m.quad(place + '_ef2', cx, 3, cz, 210, 160, 'map_here')
                m.quad(place + '_vosklznak', cx + 80, 2, cz + 55, 16, 32, 'map_mark')
                m.quad(place + '_nogiBack', cx, 2, cz - 40, 48, 40, 'map_footback')
                # Raised in front of the sheet: the name plate stands at the
                # pick shape's depth and tests depth against the map.
                t.triangles(place + '_T', rect_triangles(cx, cz, 200, 150, 30))
            t.write(models, 'zort')
        m.write(models, 'zorm')



# ---------------------------------------------------------------------------
# The lamp room, up the library's hatch: the hall's great lamp under a glass
# dome, its beam turning over the walls, and the hatch back down.

def library_hatch():
    c = Canvas(64, 48)
    c.rect(0, 0, 64, 48, (58, 38, 26, 255))
    c.frame(0, 0, 64, 48, INK, 3)
    for x in (14, 50):
        c.rect(x - 2, 6, x + 2, 48, (150, 110, 60, 255))
    for y in (14, 26, 38):
        c.rect(12, y, 52, y + 3, (150, 110, 60, 255))
    c.text_centered('UP', 32, 2, 1, PAPER)
    return c


def lamp_room_background():
    c = Canvas(256, 192, (62, 48, 44, 255))
    c.vgradient(0, 136, 256, 192, FLOOR_TOP, FLOOR_LOW)
    # Tall, narrow windows round the tower's wall, with the night outside.
    for x0 in (24, 84, 150, 210):
        c.vgradient(x0, 34, x0 + 22, 110, NIGHT_TOP, NIGHT_LOW)
        c.frame(x0, 34, x0 + 22, 110, INK, 2)
    # The hatch down in the floor's left corner.
    c.rect(14, 150, 70, 182, (40, 26, 18, 255))
    c.frame(14, 150, 70, 182, INK, 2)
    c.text_centered('DOWN', 42, 160, 1, PAPER)
    c.text_centered('LAMP ROOM', 128, 8, 2, PAPER)
    return c


def lamp_room_lamp():
    c = Canvas(64, 96)
    c.rect(26, 60, 38, 92, (120, 90, 50, 255))
    c.rect(14, 86, 50, 94, (120, 90, 50, 255))
    c.ellipse(32, 34, 24, 28, (190, 220, 230, 200))
    c.ellipse(32, 36, 10, 12, GLOW)
    c.frame(8, 6, 56, 62, GOLD, 2)
    return c


def lamp_room_beam():
    c = Canvas(128, 16)
    for x in range(128):
        a = int(200 * (1.0 - x / 128.0))
        for y in range(16):
            edge = 1.0 - abs(y - 7.5) / 8.0
            c.put(x, y, (255, 230, 160, int(a * edge)))
    return c


LAMP_ROOM_LAMP = (60, 20)
# The bonus chapter's guests of the lamp room: the old keeper who talks, the
# mark over his head while he speaks, and the ghost light that flickers
# between two shapes until it is caught.
LAMP_ROOM_KEEPER = (-300, -80)
LAMP_ROOM_TALK = (-230, 80)
LAMP_ROOM_GHOST = (330, -60)


def lamp_room_keeper():
    c = Canvas(128, 224)
    coat = (60, 50, 80, 255)
    c.polygon([(34, 70), (94, 70), (110, 196), (18, 196)], coat)
    c.ellipse(64, 46, 20, 22, (220, 190, 160, 255))
    c.rect(40, 18, 88, 28, INK)
    c.rect(50, 0, 78, 20, INK)
    c.ellipse(56, 44, 3, 3, INK)
    c.ellipse(72, 44, 3, 3, INK)
    c.polygon([(44, 56), (84, 56), (74, 80), (54, 80)], (230, 230, 230, 255))
    c.rect(98, 110, 104, 150, INK)
    c.rect(92, 150, 112, 170, GOLD)
    c.text_centered('OLD KEEPER', 64, 204, 1, PAPER)
    return c


def lamp_room_talk():
    c = Canvas(96, 48)
    c.ellipse(48, 20, 44, 18, PAPER)
    c.polygon([(20, 30), (34, 34), (14, 46)], PAPER)
    for x in (30, 48, 66):
        c.ellipse(x, 20, 4, 4, INK)
    return c


def lamp_room_ghost(n):
    """The ghost light's two shapes: a pale lantern and a pale moth."""
    c = Canvas(96, 96)
    pale = (170, 200, 255, 200)
    if n == 1:
        c.rect(34, 20, 62, 70, pale)
        c.rect(28, 14, 68, 20, pale)
        c.rect(28, 70, 68, 76, pale)
        c.ellipse(48, 45, 8, 14, (235, 245, 255, 230))
    else:
        c.ellipse(30, 40, 22, 16, pale)
        c.ellipse(66, 40, 22, 16, pale)
        c.ellipse(48, 48, 6, 20, (235, 245, 255, 230))
    c.text_centered('GHOST', 48, 84, 1, (200, 220, 255, 255))
    return c


def lamp_room_art(game):
    textures = os.path.join(game, 'Data', 'Textures')
    models = os.path.join(game, 'Data', 'Models')
    for name, canvas, alpha in (('library_hatch.png', library_hatch(), True),
                                ('lamproom_back.png', lamp_room_background(), False),
                                ('lamproom_lamp.png', lamp_room_lamp(), True),
                                ('lamproom_beam.png', lamp_room_beam(), True),
                                ('lamproom_keeper.png', lamp_room_keeper(), True),
                                ('lamproom_talk.png', lamp_room_talk(), True),
                                ('lamproom_ghost1.png', lamp_room_ghost(1), True),
                                ('lamproom_ghost2.png', lamp_room_ghost(2), True)):
        with open(os.path.join(textures, name), 'wb') as f:
            f.write(canvas.png(alpha))
    room = Model('Back_4')
    for m in ('lamproom_back', 'lamproom_lamp'):
        room.material(m, m + '.png')
    room.material('lamproom_beam', 'lamproom_beam.png', 'MT_TEXTURE_ALPHA_SMOOTH_OVERLAY')
    x, z = LAMP_ROOM_LAMP
    room.quad('S_Back_4', 0, 0, 0, 1024, 768, 'lamproom_back')
    room.quad('S_Lamp', x, 20, z, 192, 288, 'lamproom_lamp')
    # The beam turns round the lamp's flame: it starts there and reaches out.
    room.quad('S_LampBeam', x + 200, 30, z + 36, 400, 48, 'lamproom_beam', pivot=(x, 30, z + 36))
    for m in ('lamproom_keeper', 'lamproom_talk'):
        room.material(m, m + '.png')
    room.material('lamproom_ghost1', 'lamproom_ghost1.png', 'MT_TEXTURE_ALPHA_SMOOTH')
    room.material('lamproom_ghost2', 'lamproom_ghost2.png', 'MT_TEXTURE_ALPHA_SMOOTH')
    room.quad('S_Keeper', LAMP_ROOM_KEEPER[0], 25, LAMP_ROOM_KEEPER[1], 128, 224, 'lamproom_keeper')
    room.quad('S_KeeperTalk', LAMP_ROOM_TALK[0], 26, LAMP_ROOM_TALK[1], 96, 48, 'lamproom_talk')
    room.quad('S_Ghost', LAMP_ROOM_GHOST[0], 27, LAMP_ROOM_GHOST[1], 96, 96, 'lamproom_ghost1')
    room.quad('S_Ghost2', LAMP_ROOM_GHOST[0], 28, LAMP_ROOM_GHOST[1], 96, 96, 'lamproom_ghost2')
    room.write(models)
    tr = Model('Back_4_tr')
    # The hatch down to the library, and where the camera flies before it.
    tr.triangles('T_HatchDown', rect_triangles(-344, -280, 224, 128, 10))
    tr.triangles('TPOC_Back_2', rect_triangles(-344, -280, 40, 40, 11))
    tr.triangles('T_Keeper', rect_triangles(LAMP_ROOM_KEEPER[0], LAMP_ROOM_KEEPER[1], 112, 200, 25))
    tr.triangles('T_Ghost', rect_triangles(LAMP_ROOM_GHOST[0], LAMP_ROOM_GHOST[1], 80, 80, 27))
    tr.write(models)


if __name__ == '__main__':
    main()
