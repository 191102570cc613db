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


def lantern():
    c = Canvas(96, 160)
    c.rect(40, 0, 56, 10, INK)
    c.ellipse(48, 16, 18, 10, INK)
    c.rect(18, 26, 78, 36, INK)
    c.rect(22, 36, 74, 120, (255, 200, 96, 200))
    c.ellipse(48, 78, 14, 24, GLOW)
    c.frame(22, 36, 74, 120, INK, 4)
    c.rect(46, 36, 50, 120, INK)
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


def glow():
    """A soft round glow for additive overlays."""
    c = Canvas(128, 128)
    for y in range(128):
        for x in range(128):
            d = math.hypot(x - 63.5, y - 63.5) / 64.0
            a = max(0.0, 1.0 - d) ** 2
            c.px[y * 128 + x] = [255, 220, 140, int(round(a * 255))]
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
        write_lines(os.path.join(folder, '%s.%s' % (self.name, extension)), self.obj)
        if len(self.mtl) > 1:
            write_lines(os.path.join(folder, '%s.mtl' % self.name), self.mtl)


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
        'hall_key.png': (key(), True),
        'hall_desk.png': (desk(), True),
        'hall_wick.png': (wick(), True),
        'glow.png': (glow(), True),
        'load_sky.png': (load_sky(), False),
        'load_sky_top.png': (load_sky_top(), True),
        'load_logo.png': (load_logo(), True),
        'load_panel.png': (load_panel(), True),
        'load_bar_mask.png': (load_bar_mask(), True),
        'load_bar.png': (load_bar(), True),
        'load_decor.png': (load_decor(), True),
        'border.png': (border(), False),
    }
    for name, (canvas, alpha) in sorted(pictures.items()):
        save(textures, name, canvas, alpha)

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
    hall.quad('S_Key', -270, 40, -120, 128, 64, 'hall_key')
    hall.quad('S_Wick', 150, 40, -300, 64, 48, 'hall_wick')
    hall.quad('S_LanternGlow', 250, 35, -110, 192, 192, 'hall_glow')
    hall.write(models)

    triggers = Model('Back_1_tr')
    triggers.triangles('T_Desk', rect_triangles(-250, -190, 256, 100, 20))
    triggers.triangles('T_Lantern', rect_triangles(250, -120, 80, 140, 30))
    triggers.triangles('T_Key', rect_triangles(-270, -120, 120, 40, 40))
    triggers.triangles('T_Wick', rect_triangles(150, -300, 64, 30, 40))
    triggers.triangles('T_Door', rect_triangles(0, 24, 200, 320, 10))
    triggers.write(models)

    points = Model('Back_1_pt')
    points.points('P_Glints', [(-300, 50, -110), (-240, 50, -130), (230, 50, -80), (262, 50, -150)])
    points.points('P_DustPath', [(-400, 60, 100), (-200, 60, 160), (0, 60, 180), (200, 60, 160), (400, 60, 100)])
    points.write(models)

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
    load.write(models, 'ZORM')

    # The wide-screen border: dark panels beside the 4:3 picture.
    wide = Model('obrezka_screen')
    wide.material('border', 'border.png', 'MT_TEXTURE')
    wide.quad('S_obrezka_left', -912, 0, 0, 800, 768, 'border', pivot=(0, 0, 0), uv=(0, 0, 12.5, 12))
    wide.quad('S_obrezka_right', 912, 0, 0, 800, 768, 'border', uv=(0, 0, 12.5, 12))
    wide.write(models)

    panel_art(game)


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
                           ('gp_arrow', 'gp_arrow.png', 'MT_TEXTURE_ALPHA_SMOOTH')):
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


if __name__ == '__main__':
    main()
