#!/usr/bin/env python3
"""Draws the program's own bitmaps, icons and the alert sound into res/.

Run from the repository root: python3 scripts/make-resources.py
Only the Python standard library is used. Sizes and key colours are the ones
the program's controls expect (slider channels and thumbs, the meter and clock
faces, the segment display's key colours, the button pictures); the artwork is
plain and our own.
"""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
MAGENTA = (255, 0, 255)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)


class Image:
    def __init__(self, w, h, fill=BLACK, alpha=False):
        self.w, self.h, self.alpha = w, h, alpha
        a = 0 if alpha else 255
        self.px = [[(fill[0], fill[1], fill[2], a) for _ in range(w)] for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = (c[0], c[1], c[2], c[3] if len(c) > 3 else 255)

    def rect(self, x0, y0, x1, y1, c):
        """Fills [x0, x1] x [y0, y1], both ends included."""
        for y in range(max(0, y0), min(self.h, y1 + 1)):
            for x in range(max(0, x0), min(self.w, x1 + 1)):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.rect(x0, y0, x1, y0, c)
        self.rect(x0, y1, x1, y1, c)
        self.rect(x0, y0, x0, y1, c)
        self.rect(x1, y0, x1, y1, c)

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def ring(self, cx, cy, r, width, c):
        for y in range(self.h):
            for x in range(self.w):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if r - width <= d <= r:
                    self.set(x, y, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        steps = int(max(abs(x1 - x0), abs(y1 - y0), 1) * 2)
        for i in range(steps + 1):
            t = i / steps
            x = x0 + (x1 - x0) * t
            y = y0 + (y1 - y0) * t
            half = width / 2.0
            for yy in range(int(math.floor(y - half + 0.5)), int(math.floor(y + half + 0.5))):
                for xx in range(int(math.floor(x - half + 0.5)), int(math.floor(x + half + 0.5))):
                    self.set(xx, yy, c)

    def polygon(self, pts, c):
        ys = [p[1] for p in pts]
        for y in range(max(0, int(min(ys))), min(self.h, int(max(ys)) + 1)):
            yc = y + 0.5
            xs = []
            for i in range(len(pts)):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for i in range(0, len(xs) - 1, 2):
                for x in range(int(math.ceil(xs[i] - 0.5)), int(math.ceil(xs[i + 1] - 0.5))):
                    self.set(x, y, c)

    def gradient_v(self, x0, y0, x1, y1, top, bottom):
        n = max(1, y1 - y0)
        for y in range(y0, y1 + 1):
            t = (y - y0) / n
            c = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
            self.rect(x0, y, x1, y, c)

    def gradient_h(self, x0, y0, x1, y1, left, right):
        n = max(1, x1 - x0)
        for x in range(x0, x1 + 1):
            t = (x - x0) / n
            c = tuple(int(left[i] + (right[i] - left[i]) * t) for i in range(3))
            self.rect(x, y0, x, y1, c)


# A 5 by 7 pixel font for the few letters the pictures carry.
FONT = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "G": ["01111", "10000", "10000", "10011", "10001", "10001", "01111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "W": ["10001", "10001", "10001", "10101", "10101", "11011", "10001"],
    "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00110", "01000", "10000", "11111"],
    "3": ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    "4": ["10010", "10010", "10010", "11111", "00010", "00010", "00010"],
    "+": ["00000", "00100", "00100", "11111", "00100", "00100", "00000"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    "?": ["01110", "10001", "00001", "00110", "00100", "00000", "00100"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    " ": ["00000"] * 7,
}


def text(img, x, y, s, c, scale=1):
    for ch in s:
        rows = FONT.get(ch.upper(), FONT["?"])
        for ry, row in enumerate(rows):
            for rx, bit in enumerate(row):
                if bit == "1":
                    img.rect(x + rx * scale, y + ry * scale, x + rx * scale + scale - 1, y + ry * scale + scale - 1, c)
        x += 6 * scale


def text_width(s, scale=1):
    return len(s) * 6 * scale - scale


def write_bmp(path, img):
    """24-bit BMP, rows bottom-up, padded to 4 bytes."""
    stride = (img.w * 3 + 3) & ~3
    data = bytearray()
    for y in range(img.h - 1, -1, -1):
        row = bytearray()
        for x in range(img.w):
            r, g, b, _ = img.px[y][x]
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, img.w, img.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def write_png(path, img):
    raw = bytearray()
    for y in range(img.h):
        raw.append(0)
        for x in range(img.w):
            raw += bytes(img.px[y][x])

    def chunk(kind, payload):
        c = struct.pack(">I", len(payload)) + kind + payload
        return c + struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", img.w, img.h, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def write_ding(path):
    """A short bell: two decaying partials, 16-bit mono at 22050 Hz."""
    rate, seconds = 22050, 0.7
    frames = bytearray()
    for i in range(int(rate * seconds)):
        t = i / rate
        attack = min(1.0, t / 0.005)
        v = attack * math.exp(-t * 6.0) * (0.6 * math.sin(2 * math.pi * 1046.5 * t) +
                                            0.3 * math.sin(2 * math.pi * 2093.0 * t) +
                                            0.1 * math.sin(2 * math.pi * 3139.5 * t))
        frames += struct.pack("<h", int(max(-1.0, min(1.0, v)) * 26000))
    header = struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + len(frames), b"WAVE", b"fmt ", 16, 1, 1, rate,
                         rate * 2, 2, 16, b"data", len(frames))
    with open(path, "wb") as f:
        f.write(header + frames)


# ---- The pictures -------------------------------------------------------------------

def channel(w, h, light, dark, border):
    img = Image(w, h)
    img.gradient_v(0, 0, w - 1, h - 1, light, dark)
    img.frame(0, 0, w - 1, h - 1, border)
    return img


def thumb(w, h, body, edge, key=MAGENTA):
    """A knob on the key colour; the pixel at (0, 0) gives the key."""
    img = Image(w, h, key)
    r = min(w, h) / 2.0 - 0.5
    if w > h:
        img.rect(int(r), 1, w - int(r) - 1, h - 2, body)
        img.disc(r + 0.5, h / 2.0, r, body)
        img.disc(w - r - 0.5, h / 2.0, r, body)
    else:
        img.disc(w / 2.0, h / 2.0, r, body)
    img.rect(w // 2, 2, w // 2, h - 3, edge)
    return img


def clock_face():
    img = Image(100, 100, MAGENTA)
    img.disc(50, 50, 49, (40, 40, 48))
    img.disc(50, 50, 46, (248, 248, 240))
    for k in range(60):
        a = math.radians(k * 6)
        outer, inner = 44, (37 if k % 5 == 0 else 41)
        img.line(50 + math.cos(a) * inner, 50 - math.sin(a) * inner, 50 + math.cos(a) * outer,
                 50 - math.sin(a) * outer, (40, 40, 48), 2 if k % 5 == 0 else 1)
    img.disc(50, 50, 3, (40, 40, 48))
    return img


def date_box():
    img = Image(18, 14, (255, 255, 255))
    img.frame(0, 0, 17, 13, (96, 96, 104))
    return img


SEGMENTS = {  # bit: key colour, box (x0, x1, y0, y1), shape
    13: ((128, 128, 0), (6, 38, 3, 9), "box"),
    12: ((255, 255, 255), (35, 41, 5, 42), "box"),
    11: ((0, 128, 128), (35, 41, 44, 81), "box"),
    10: ((255, 0, 255), (6, 38, 77, 83), "box"),
    9: ((0, 128, 0), (3, 9, 44, 81), "box"),
    8: ((128, 0, 0), (3, 9, 5, 42), "box"),
    7: ((255, 255, 0), (23, 38, 40, 46), "box"),
    6: ((255, 0, 0), (6, 21, 40, 46), "box"),
    5: ((192, 192, 192), (19, 25, 44, 78), "box"),
    4: ((0, 0, 255), (24, 35, 45, 77), "down"),
    3: ((0, 0, 128), (9, 20, 45, 77), "up"),
    2: ((0, 255, 255), (24, 35, 9, 41), "up"),
    1: ((128, 0, 128), (9, 20, 9, 41), "down"),
    0: ((128, 128, 128), (19, 25, 8, 42), "box"),
}


def segments():
    img = Image(45, 87)
    # Bars first, then the strokes and diagonals inside their boxes.
    for bit in (13, 10, 12, 11, 9, 8, 7, 6, 5, 0, 4, 3, 2, 1):
        colour, (x0, x1, y0, y1), shape = SEGMENTS[bit]
        if shape == "box":
            img.rect(x0, y0, x1, y1, colour)
        elif shape == "down":
            img.polygon([(x0, y0), (x0 + 3, y0), (x1 + 1, y1 - 3), (x1 + 1, y1 + 1), (x1 - 2, y1 + 1), (x0, y0 + 4)],
                        colour)
        else:
            img.polygon([(x1 + 1, y0), (x1 + 1, y0 + 4), (x0 + 3, y1 + 1), (x0, y1 + 1), (x0, y1 - 3), (x1 - 2, y0)],
                        colour)
    return img


def dots(boxes):
    img = Image(15, 87)
    for (x0, x1, y0, y1) in boxes:
        img.rect(x0, y0, x1, y1, (255, 0, 0))
    return img


def panel_button(symbol, colour):
    """83 by 84 pictures of the music control panel on black (their key colour)."""
    img = Image(83, 84)
    img.disc(41.5, 42, 38, (30, 34, 44))
    img.ring(41.5, 42, 38, 3, colour)
    c = colour
    if symbol == "play":
        img.polygon([(30, 22), (62, 42), (30, 62)], c)
    elif symbol == "stop":
        img.rect(26, 26, 56, 57, c)
    elif symbol == "rewind":
        img.polygon([(42, 24), (42, 60), (16, 42)], c)
        img.polygon([(66, 24), (66, 60), (40, 42)], c)
    elif symbol == "forward":
        img.polygon([(17, 24), (43, 42), (17, 60)], c)
        img.polygon([(41, 24), (67, 42), (41, 60)], c)
    elif symbol == "lyrics":
        text(img, 42 - text_width("L", 5) // 2, 25, "L", c, 5)
    elif symbol == "fade":
        img.polygon([(18, 58), (66, 26), (66, 58)], c)
    elif symbol == "minus":
        img.rect(20, 38, 63, 46, c)
    elif symbol == "plus":
        img.rect(20, 38, 63, 46, c)
        img.rect(37, 21, 46, 63, c)
    return img


def small_button(label, colour, w=32, h=32, margin=2):
    """Pictures of image buttons on magenta, their key colour."""
    img = Image(w, h, MAGENTA)
    img.rect(margin, margin, w - 1 - margin, h - 1 - margin, colour)
    img.frame(margin, margin, w - 1 - margin, h - 1 - margin, (60, 60, 60))
    scale = 2 if text_width(label, 2) <= w - 8 else 1
    text(img, (w - text_width(label, scale)) // 2, (h - 7 * scale) // 2, label, WHITE, scale)
    return img


def viewer_button(label, colour, w=90, h=42):
    """Buttons of the viewer pages: the face fills the picture but for magenta corners."""
    img = small_button(label, colour, w, h, 0)
    for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        img.rect(x, y, x, y, MAGENTA)
    return img


def check(ok):
    img = Image(16, 16, (240, 240, 240))
    if ok:
        img.line(3, 8, 6.5, 12, (0, 150, 0), 2.2)
        img.line(6.5, 12, 13, 3.5, (0, 150, 0), 2.2)
    else:
        img.line(4, 4, 12, 12, (200, 0, 0), 2.2)
        img.line(12, 4, 4, 12, (200, 0, 0), 2.2)
    return img


def square_picture():
    img = Image(120, 120, (250, 250, 250))
    colours = [(220, 40, 40), (40, 120, 220), (40, 170, 60), (230, 180, 0)]
    img.frame(10, 10, 109, 109, (160, 160, 160))
    # Couple 1 at the bottom, 2 at the right, 3 at the top, 4 at the left; boys square, girls round.
    places = [((40, 96, "B"), (80, 96, "G")), ((96, 80, "B"), (96, 40, "G")), ((80, 24, "B"), (40, 24, "G")),
              ((24, 40, "B"), (24, 80, "G"))]
    for couple, pair in enumerate(places):
        for (x, y, kind) in pair:
            if kind == "B":
                img.rect(x - 7, y - 7, x + 7, y + 7, colours[couple])
            else:
                img.disc(x, y, 8, colours[couple])
            text(img, x - 2, y - 3, str(couple + 1), WHITE)
    return img


def hexagon_picture():
    img = Image(160, 160, (250, 250, 250))
    pts = [(80 + 70 * math.cos(math.radians(a)), 80 + 70 * math.sin(math.radians(a))) for a in range(0, 360, 60)]
    for i in range(6):
        img.line(pts[i][0], pts[i][1], pts[(i + 1) % 6][0], pts[(i + 1) % 6][1], (60, 60, 140), 3)
    text(img, 80 - text_width("HEXAGON") // 2, 76, "HEXAGON", (60, 60, 140))
    return img


def drag_picture(w, label):
    img = Image(w, 16, (255, 255, 255))
    img.frame(0, 0, w - 1, 15, (0, 0, 0))
    img.rect(3, 4, 9, 11, (40, 120, 220))
    text(img, 13, 4, label, (0, 0, 0))
    return img


def karaoke_logo():
    img = Image(400, 271)
    img.gradient_v(0, 0, 399, 270, (20, 20, 60), (90, 20, 90))
    text(img, 200 - text_width("KARAOKE", 6) // 2, 100, "KARAOKE", (255, 230, 120), 6)
    text(img, 200 - text_width("MIRTAL", 3) // 2, 170, "MIRTAL", WHITE, 3)
    return img


def toolbar_strip():
    """Fourteen 37 by 32 images for the editor's twelve toolbar buttons and spares: save, save as,
    cut, copy, paste, reload, bold, italic, underline, undo, redo, line break."""
    img = Image(518, 32, (192, 192, 192))
    labels = ["S", "SA", "X", "C", "V", "R", "B", "I", "U", "UN", "RE", "BR", "+", "-"]
    for i, label in enumerate(labels):
        x0 = i * 37
        img.rect(x0 + 5, 4, x0 + 31, 27, (250, 250, 250))
        img.frame(x0 + 5, 4, x0 + 31, 27, (90, 90, 90))
        text(img, x0 + 18 - text_width(label, 2) // 2, 9, label, (20, 60, 140), 2)
    return img


def icon(draw):
    img = Image(32, 32, alpha=True)
    draw(img)
    return img


def icon_glyph(shape, colour):
    def draw(img):
        c = colour
        if shape == "play":
            img.polygon([(9, 5), (27, 16), (9, 27)], c)
        elif shape == "pause":
            img.rect(8, 6, 13, 26, c)
            img.rect(19, 6, 24, 26, c)
        elif shape == "stop":
            img.rect(7, 7, 24, 24, c)
        elif shape == "rewind":
            img.polygon([(16, 7), (16, 25), (3, 16)], c)
            img.polygon([(29, 7), (29, 25), (16, 16)], c)
        elif shape == "forward":
            img.polygon([(3, 7), (16, 16), (3, 25)], c)
            img.polygon([(16, 7), (29, 16), (16, 25)], c)
        elif shape == "next":
            img.polygon([(6, 6), (22, 16), (6, 26)], c)
            img.rect(23, 6, 26, 26, c)
        elif shape == "fadein":
            img.polygon([(4, 26), (28, 6), (28, 26)], c)
        elif shape == "fadeout":
            img.polygon([(4, 6), (28, 26), (4, 26)], c)
        elif shape == "up":
            img.polygon([(16, 5), (28, 21), (4, 21)], c)
        elif shape == "down":
            img.polygon([(4, 11), (28, 11), (16, 27)], c)
        elif shape == "delete":
            img.line(7, 7, 25, 25, c, 4)
            img.line(25, 7, 7, 25, c, 4)
        elif shape == "mark":
            img.polygon([(16, 3), (27, 16), (16, 29), (5, 16)], c)
        elif shape == "flag":
            img.rect(7, 4, 9, 28, (60, 60, 60))
            img.polygon([(10, 4), (27, 10), (10, 17)], c)
        elif shape == "search":
            img.ring(13, 13, 9, 3, c)
            img.line(19, 19, 27, 27, c, 4)
        elif shape == "folder":
            img.rect(4, 9, 28, 26, c)
            img.rect(4, 6, 13, 9, c)
        elif shape == "list":
            for y in (8, 15, 22):
                img.rect(5, y, 27, y + 3, c)
        elif shape == "save":
            img.rect(5, 5, 27, 27, c)
            img.rect(10, 5, 22, 12, (235, 235, 235))
            img.rect(9, 18, 23, 27, (235, 235, 235))
        elif shape == "reset":
            img.ring(16, 16, 11, 4, c)
            img.polygon([(22, 2), (30, 9), (20, 12)], c)
        elif shape == "lyrics":
            img.rect(6, 4, 25, 28, (250, 250, 250, 255))
            img.frame(6, 4, 25, 28, c)
            for y in (9, 14, 19, 24):
                img.rect(9, y, 22, y + 1, c)
        elif shape == "lyricsoff":
            img.rect(6, 4, 25, 28, (250, 250, 250, 255))
            img.frame(6, 4, 25, 28, (120, 120, 120))
            img.line(4, 28, 28, 4, c, 3)
        elif shape == "eraser":
            img.polygon([(4, 20), (16, 8), (28, 20), (16, 32)], (250, 250, 250, 255))
            img.polygon([(12, 12), (20, 4), (28, 12), (20, 20)], c)
            img.line(4, 28, 28, 28, (90, 90, 90, 255))
        elif shape == "copy":
            for x0, y0 in ((4, 4), (13, 11)):
                img.rect(x0, y0, x0 + 14, y0 + 17, (250, 250, 250, 255))
                img.frame(x0, y0, x0 + 14, y0 + 17, c)
                for y in range(y0 + 5, y0 + 15, 4):
                    img.rect(x0 + 3, y, x0 + 11, y, c)
        elif shape == "database":
            img.rect(6, 8, 25, 25, c)
            for y in (8, 14, 20, 25):
                img.rect(6, y - 3, 25, y + 2, c)
                img.rect(8, y - 2, 23, y - 1, (235, 235, 235, 255))
        elif shape == "screen":
            img.rect(3, 4, 28, 22, (60, 60, 60, 255))
            img.rect(5, 6, 26, 20, c)
            img.rect(13, 23, 18, 25, (60, 60, 60, 255))
            img.rect(8, 26, 23, 27, (60, 60, 60, 255))
        elif shape == "note":
            img.disc(10, 24, 5, c)
            img.rect(14, 5, 16, 24, c)
            img.polygon([(16, 5), (26, 9), (16, 13)], c)
    return draw


BITMAPS = {
    # Slider channels and thumbs of the music page, recorder and equalizer.
    150: lambda: channel(100, 7, (235, 235, 240), (170, 170, 185), (110, 110, 125)),
    153: lambda: channel(100, 7, (150, 210, 255), (40, 120, 210), (20, 70, 140)),
    159: lambda: thumb(15, 7, (70, 70, 80), (200, 200, 210)),
    161: lambda: thumb(15, 7, (30, 110, 200), (200, 230, 255)),
    196: lambda: channel(35, 93, (60, 60, 70), (25, 25, 30), (110, 110, 125)),
    198: lambda: channel(35, 29, (220, 220, 228), (150, 150, 165), (70, 70, 80)),
    # The song-position slider's styles.
    272: lambda: channel(1000, 20, (240, 240, 245), (180, 180, 195), (110, 110, 125)),
    364: lambda: channel(1000, 20, (230, 245, 230), (150, 200, 150), (80, 120, 80)),
    365: lambda: channel(1000, 20, (250, 240, 220), (220, 180, 120), (140, 100, 50)),
    157: lambda: channel(1000, 20, (255, 190, 190), (220, 60, 60), (140, 20, 20)),
    158: lambda: channel(1000, 20, (150, 210, 255), (40, 120, 210), (20, 70, 140)),
    146: lambda: channel(28, 18, (255, 120, 120), (180, 20, 20), (90, 0, 0)),
    163: lambda: thumb(28, 18, (30, 110, 200), (200, 230, 255)),
    164: lambda: thumb(28, 18, (70, 70, 80), (200, 200, 210)),
    # Analog clock face and date box; segment display glyphs.
    147: clock_face,
    148: date_box,
    296: lambda: dots([(3, 11, 22, 30), (3, 11, 56, 64)]),
    297: segments,
    298: lambda: dots([(3, 11, 71, 79)]),
    # Check images of the toggle buttons and the MFC buttons.
    206: lambda: check(True),
    211: lambda: check(False),
    212: lambda: check(False),
    213: lambda: check(True),
    # Square identification pictures.
    273: square_picture,
    518: hexagon_picture,
    # Image buttons of the pages (magenta is their key colour).
    348: lambda: small_button("BR", (40, 120, 60)),
    350: lambda: small_button("SQ", (60, 80, 160)),
    355: lambda: small_button("FL", (120, 70, 150)),
    382: lambda: small_button("REC", (190, 30, 30)),
    383: lambda: small_button("ED", (70, 110, 150)),
    406: lambda: small_button("HT", (150, 100, 40)),
    413: lambda: small_button("C", (120, 120, 130)),
    485: lambda: small_button("C", (220, 160, 20)),
    417: lambda: small_button("...", (90, 90, 100), 40, 24),
    418: lambda: small_button("R", (90, 90, 100), 24, 24),
    # The twelve buttons of the choreography viewer pages, 90 by 42.
    338: lambda: viewer_button("-10", (60, 110, 170)),
    339: lambda: viewer_button("+10", (60, 110, 170)),
    340: lambda: viewer_button("-1", (40, 130, 90)),
    341: lambda: viewer_button("+1", (40, 130, 90)),
    354: lambda: viewer_button("FONT", (120, 90, 150)),
    346: lambda: viewer_button("REVIEW", (170, 110, 40)),
    342: lambda: viewer_button("FOLDER", (150, 120, 40)),
    353: lambda: viewer_button("FILE", (150, 120, 40)),
    343: lambda: viewer_button("EDIT", (70, 110, 150)),
    347: lambda: viewer_button("RANDOM", (160, 60, 60)),
    361: lambda: viewer_button("RELOAD", (90, 90, 100)),
    360: lambda: viewer_button("DB", (40, 100, 120)),
    # The music control panel (black is their key colour).
    386: lambda: panel_button("forward", (90, 200, 255)),
    387: lambda: panel_button("lyrics", (255, 220, 90)),
    388: lambda: panel_button("minus", (255, 160, 60)),
    389: lambda: panel_button("fade", (200, 140, 255)),
    390: lambda: panel_button("rewind", (90, 200, 255)),
    391: lambda: panel_button("play", (90, 230, 120)),
    392: lambda: panel_button("stop", (255, 90, 90)),
    393: lambda: panel_button("plus", (255, 160, 60)),
    # Drag pictures of one row and several rows.
    395: lambda: drag_picture(88, "ONE SONG"),
    397: lambda: drag_picture(89, "SONGS"),
    # Karaoke logo and the editor's toolbar strip.
    410: karaoke_logo,
    459: toolbar_strip,
}

ICONS = {
    305: icon_glyph("forward", (30, 110, 200, 255)),
    306: icon_glyph("next", (30, 140, 60, 255)),
    307: icon_glyph("pause", (30, 140, 60, 255)),
    308: icon_glyph("play", (30, 140, 60, 255)),
    310: icon_glyph("stop", (200, 40, 40, 255)),
    312: icon_glyph("lyrics", (40, 70, 150, 255)),
    324: icon_glyph("lyrics", (30, 140, 60, 255)),
    325: icon_glyph("delete", (200, 40, 40, 255)),
    326: icon_glyph("reset", (40, 110, 180, 255)),
    327: icon_glyph("save", (40, 70, 150, 255)),
    328: icon_glyph("mark", (220, 140, 20, 255)),
    333: icon_glyph("search", (40, 70, 150, 255)),
    334: icon_glyph("list", (40, 110, 180, 255)),
    335: icon_glyph("lyricsoff", (200, 40, 40, 255)),
    336: icon_glyph("folder", (220, 180, 60, 255)),
    411: icon_glyph("pause", (40, 110, 180, 255)),
    412: icon_glyph("play", (40, 110, 180, 255)),
    479: icon_glyph("rewind", (30, 110, 200, 255)),
    480: icon_glyph("fadein", (120, 70, 170, 255)),
    481: icon_glyph("fadeout", (120, 70, 170, 255)),
    482: icon_glyph("down", (40, 110, 180, 255)),
    483: icon_glyph("up", (40, 110, 180, 255)),
    508: icon_glyph("flag", (200, 40, 40, 255)),
    # The cue sheet's picture buttons: erase, copy, database, view and save.
    373: icon_glyph("eraser", (220, 80, 120, 255)),
    516: icon_glyph("copy", (40, 110, 180, 255)),
    381: icon_glyph("database", (40, 70, 150, 255)),
    147: icon_glyph("screen", (120, 190, 240, 255)),
    176: icon_glyph("save", (40, 70, 150, 255)),
}


def main():
    os.makedirs(os.path.join(ROOT, "bitmaps"), exist_ok=True)
    os.makedirs(os.path.join(ROOT, "icons"), exist_ok=True)
    os.makedirs(os.path.join(ROOT, "sounds"), exist_ok=True)
    for rid, make in sorted(BITMAPS.items()):
        write_bmp(os.path.join(ROOT, "bitmaps", "%d.bmp" % rid), make())
    for rid, draw in sorted(ICONS.items()):
        write_png(os.path.join(ROOT, "icons", "%d.png" % rid), icon(draw))
    write_ding(os.path.join(ROOT, "sounds", "401.wav"))


if __name__ == "__main__":
    main()
