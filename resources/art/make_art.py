#!/usr/bin/env python3
"""Draw Quillet's toolbar bitmaps and program icon on a pixel grid.

Standard library only.  Output is deterministic: running the script twice
produces byte-identical files.

    python3 resources/art/make_art.py

writes resources/bitmaps/*.bmp (24-bit BI_RGB) and resources/quillet.ico
(32x32 and 16x16, 8-bit palettised, with an AND mask).
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)
BMP_DIR = os.path.join(RES, "bitmaps")
ICO_PATH = os.path.join(RES, "quillet.ico")

# Palette: a few named colours shared by every picture.
FACE = (240, 240, 240)      # themed button face, the bitmap background
INK = (32, 32, 32)          # outline
WHITE = (255, 255, 255)
PAPER_SHADE = (208, 208, 208)
GREY = (128, 128, 128)
LGREY = (192, 192, 192)
METAL = (170, 176, 186)
TEXT = (120, 140, 180)      # faint lines of text on a page
MANILA = (250, 214, 100)
MANILA_DK = (214, 160, 48)
BLUE = (44, 88, 196)
BLUE_DK = (20, 44, 120)
LBLUE = (170, 210, 245)
RED = (214, 32, 32)
BOARD = (170, 110, 56)      # clipboard hardboard
GREEN = (40, 180, 60)
PEN = (240, 190, 40)


class Canvas:
    """A w x h grid of RGB tuples (None = transparent), origin top-left."""

    def __init__(self, w, h, bg=FACE):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c):
        """Bresenham line, both ends inclusive."""
        x0, y0, x1, y1 = (int(round(v)) for v in (x0, y0, x1, y1))
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def thick(self, x0, y0, x1, y1, c, w=2):
        """A line w pixels wide, offset perpendicular to its main axis."""
        steep = abs(y1 - y0) > abs(x1 - x0)
        for k in range(w):
            ox, oy = (k, 0) if steep else (0, k)
            self.line(x0 + ox, y0 + oy, x1 + ox, y1 + oy, c)

    def rect(self, x0, y0, x1, y1, c):
        """Rectangle outline, corners inclusive."""
        self.line(x0, y0, x1, y0, c)
        self.line(x0, y1, x1, y1, c)
        self.line(x0, y0, x0, y1, c)
        self.line(x1, y0, x1, y1, c)

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def box(self, x0, y0, x1, y1, c, edge=INK):
        """Filled rectangle with an outline."""
        self.fill(x0, y0, x1, y1, c)
        self.rect(x0, y0, x1, y1, edge)

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x - cx) ** 2 + (y - cy) ** 2 <= (r + 0.3) ** 2:
                    self.set(x, y, c)

    def circle(self, cx, cy, r, c):
        """One-pixel ring; centre may be fractional."""
        for y in range(self.h):
            for x in range(self.w):
                if abs(math.hypot(x - cx, y - cy) - r) < 0.5:
                    self.set(x, y, c)

    def polygon(self, pts, c, edge=INK):
        """Scanline fill through pixel centres, then outline the edges."""
        n = len(pts)
        for y in range(self.h):
            xs = []
            for i in range(n):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % n]
                if (ya <= y < yb) or (yb <= y < ya):
                    xs.append(xa + (y - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(math.ceil(a), math.floor(b) + 1):
                    self.set(x, y, c)
        if edge is not None:
            for i in range(n):
                self.line(*pts[i], *pts[(i + 1) % n], edge)


# ---------------------------------------------------------------- shared parts

def page(cv, x0, y0, x1, y1, fold=4, lines=True):
    """White sheet with a folded top-right corner and optional text lines."""
    cv.polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)],
               WHITE)
    cv.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)],
               PAPER_SHADE)
    if lines:
        for y in range(y0 + fold + 2, y1 - 1, 2):
            right = x1 - 2 if y > y0 + fold + 2 else x1 - fold
            cv.line(x0 + 2, y, right, y, TEXT)


def clipboard(cv):
    """Brown board with a metal clip; returns the paper area inside it."""
    cv.box(3, 3, 20, 22, BOARD)
    cv.box(8, 1, 15, 5, METAL)
    cv.fill(10, 2, 13, 2, INK)
    return 5, 6, 18, 20


# ---------------------------------------------------------------- toolbar art

def draw_new():
    cv = Canvas(24, 24)
    page(cv, 5, 2, 18, 21, fold=5, lines=False)
    return cv


def draw_open():
    cv = Canvas(24, 24)
    cv.polygon([(1, 5), (2, 4), (7, 4), (9, 6), (18, 6), (18, 20), (1, 20)],
               MANILA_DK)                                   # back with tab
    cv.polygon([(1, 20), (5, 10), (23, 10), (19, 20)], MANILA)  # front flap
    cv.line(6, 11, 21, 11, (255, 238, 170))                 # highlight
    return cv


def draw_save():
    cv = Canvas(24, 24)
    cv.polygon([(2, 2), (19, 2), (21, 4), (21, 21), (2, 21)], BLUE)
    cv.box(6, 2, 17, 9, METAL)                              # shutter
    cv.fill(13, 4, 15, 7, BLUE_DK)                          # shutter window
    cv.box(5, 12, 18, 21, WHITE)                            # label
    for y in (15, 18):
        cv.line(7, y, 16, y, TEXT)
    cv.fill(3, 19, 3, 20, BLUE_DK)                          # write-protect hole
    return cv


def draw_find():
    cv = Canvas(24, 24)
    page(cv, 2, 1, 15, 19)
    cv.thick(16, 16, 21, 21, INK, 3)                        # handle
    cv.disc(12.5, 11.5, 5, LBLUE)
    cv.circle(12.5, 11.5, 5.2, INK)
    cv.circle(12.5, 11.5, 4.2, BLUE_DK)
    cv.line(10, 9, 11, 8, WHITE)                            # glint
    return cv


def draw_print():
    cv = Canvas(24, 24)
    cv.box(6, 1, 17, 10, WHITE)                             # paper behind
    cv.polygon([(1, 9), (22, 9), (22, 18), (1, 18)], LGREY)     # body
    cv.line(2, 10, 21, 10, WHITE)
    cv.fill(4, 14, 19, 15, INK)                             # output slot
    cv.fill(18, 11, 19, 12, GREEN)                          # power light
    page(cv, 6, 15, 17, 22, fold=0, lines=False)            # paper out
    cv.line(8, 18, 15, 18, TEXT)
    cv.line(8, 20, 13, 20, TEXT)
    return cv


def draw_wordwrap():
    cv = Canvas(16, 12)
    # Four heavy slanted strokes: down, up, down, up.
    for (top, bottom, ty) in [(1, 4, 1), (7, 4, 2), (7, 10, 2), (13, 10, 1)]:
        cv.polygon([(top, ty), (top + 1, ty), (bottom + 1, 10), (bottom, 10)],
                   INK)
    return cv


def draw_ontop():
    cv = Canvas(17, 17)
    for (x0, y0, x1, y1, bar) in [(0, 0, 11, 10, GREY), (5, 6, 16, 16, BLUE)]:
        cv.box(x0, y0, x1, y1, WHITE)
        cv.fill(x0 + 1, y0 + 1, x1 - 1, y0 + 2, bar)        # title bar
        cv.line(x0 + 1, y0 + 3, x1 - 1, y0 + 3, INK)
    return cv


def draw_pen():
    cv = Canvas(18, 16)
    page(cv, 1, 1, 11, 14, fold=3)
    # Pen lying diagonally: barrel, then a dark nib at the lower-left end.
    cv.polygon([(15, 0), (17, 2), (9, 10), (7, 8)], PEN)
    cv.polygon([(7, 8), (9, 10), (5, 12)], LGREY)
    cv.set(5, 12, INK)
    cv.line(16, 1, 15, 2, BLUE)                             # cap
    return cv


def draw_clearclip():
    cv = Canvas(24, 24)
    x0, y0, x1, y1 = clipboard(cv)
    cv.fill(x0 + 1, y0 + 1, x1 - 1, y1, WHITE)
    for y in range(y0 + 3, y1 - 1, 3):
        cv.line(x0 + 3, y, x1 - 3, y, TEXT)
    cv.thick(4, 6, 18, 20, RED, 3)
    cv.thick(18, 6, 4, 20, RED, 3)
    return cv


def draw_cut():
    cv = Canvas(24, 24)
    # Blades cross at the pivot and open towards the top.
    cv.polygon([(6, 1), (8, 1), (14, 14), (12, 15)], LGREY)
    cv.polygon([(17, 1), (15, 1), (9, 14), (11, 15)], LGREY)
    cv.set(11, 9, INK)                                      # pivot
    for cx in (7, 16):                                      # finger rings
        cv.disc(cx, 18, 4.1, INK)
        cv.disc(cx, 18, 3.1, RED)
        cv.disc(cx, 18, 1.9, INK)
        cv.disc(cx, 18, 1.2, FACE)
    return cv


def draw_copy():
    cv = Canvas(24, 24)
    page(cv, 2, 1, 14, 16)
    page(cv, 9, 7, 21, 22)
    return cv


def draw_paste():
    cv = Canvas(24, 24)
    clipboard(cv)
    page(cv, 9, 8, 22, 23)
    return cv


TOOLBAR = {
    "new": draw_new, "open": draw_open, "save": draw_save,
    "find": draw_find, "print": draw_print, "wordwrap": draw_wordwrap,
    "ontop": draw_ontop, "pen": draw_pen, "clearclip": draw_clearclip,
    "cut": draw_cut, "copy": draw_copy, "paste": draw_paste,
}


# ---------------------------------------------------------------- the icon

def draw_icon(n):
    """Page with a blue quill; drawn on an n x n grid, n = 32 or 16."""
    cv = Canvas(n, n, bg=None)
    s = n / 32.0

    def p(x, y):
        return (round(x * s), round(y * s))

    x0, y0 = p(4, 2)
    x1, y1 = p(24, 30)
    fold = max(2, round(6 * s))
    cv.polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)],
               WHITE)
    cv.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)],
               PAPER_SHADE)
    step = 3 if n >= 32 else 2
    for y in range(y0 + fold + 2, y1 - 1, step):
        cv.line(x0 + 2, y, x1 - 3, y, TEXT)
    # Quill: a leaf-shaped blue vane along the diagonal, dark shaft and nib.
    vane = [p(31, 0), p(26, 4), p(20, 11), p(15, 19), p(13, 22),
            p(18, 20), p(23, 15), p(28, 8)]
    cv.polygon(vane, BLUE, BLUE_DK)
    cv.line(*p(30, 1), *p(12, 24), LBLUE if n >= 32 else BLUE_DK)
    cv.line(*p(13, 23), *p(9, 28), INK)                     # nib
    if n >= 32:
        cv.line(14, 23, 10, 28, INK)
        cv.line(10, 27, 7, 29, BLUE_DK)                     # ink stroke
    return cv


# ---------------------------------------------------------------- file writers

def write_bmp(path, cv):
    """24-bit BI_RGB BMP, bottom-up, rows padded to 4 bytes."""
    stride = (cv.w * 3 + 3) & ~3
    rows = bytearray()
    for y in range(cv.h - 1, -1, -1):
        row = bytearray()
        for c in cv.px[y]:
            r, g, b = c if c is not None else FACE
            row += bytes((b, g, r))
        rows += row + bytes(stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, cv.w, cv.h, 1, 24, 0,
                       len(rows), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0,
                       14 + len(info))
    with open(path, "wb") as f:
        f.write(head + info + rows)


def icon_image(cv):
    """8-bit DIB for an ICO entry: header, 256-entry palette, XOR, AND."""
    colours = sorted({c for row in cv.px for c in row if c is not None})
    palette = [(0, 0, 0)] + [c for c in colours if c != (0, 0, 0)]
    assert len(palette) <= 256
    index = {c: i for i, c in enumerate(palette)}
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    pal += bytes(4 * (256 - len(palette)))
    xor_stride = (cv.w + 3) & ~3
    and_stride = ((cv.w + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for y in range(cv.h - 1, -1, -1):
        row = bytes(index[c] if c is not None else 0 for c in cv.px[y])
        xor += row + bytes(xor_stride - len(row))
        bits = bytearray(and_stride)
        for x, c in enumerate(cv.px[y]):
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, cv.w, 2 * cv.h, 1, 8, 0,
                       len(xor) + len(mask), 0, 0, 256, 0)
    return info + pal + bytes(xor) + bytes(mask)


def write_ico(path, canvases):
    images = [icon_image(cv) for cv in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for cv, img in zip(canvases, images):
        out += struct.pack("<BBBBHHII", cv.w % 256, cv.h % 256, 0, 0, 1, 8,
                           len(img), offset)
        offset += len(img)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def main():
    os.makedirs(BMP_DIR, exist_ok=True)
    for name, draw in TOOLBAR.items():
        write_bmp(os.path.join(BMP_DIR, name + ".bmp"), draw())
    write_ico(ICO_PATH, [draw_icon(32), draw_icon(16)])
    print("wrote %d bitmaps and %s" % (len(TOOLBAR), os.path.relpath(ICO_PATH)))


if __name__ == "__main__":
    main()
