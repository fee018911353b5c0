#!/usr/bin/env python3
"""Draws the main form's pictures as 24-bit BMP files (magenta is see-through).

Run from this folder: python3 draw_images.py. It writes images/mainimages.bmp
(a strip of 32 images of 16 x 16 for the main form's image list),
images/baslik.bmp (the 32 x 32 header picture) and images/mod3.bmp (the
16 x 16 glyph of "Dozuri 3 Modu") and images/splash.bmp (the 500 x 310
start-up splash picture, over which the program paints its name). It also
writes images/acshda.png and images/acshdi.png, the skin library's shadow
pictures of an active and an inactive window: 32-bit PNGs whose black
fades from half opacity at the centre to nothing at the edges.
"""
import os
import struct
import zlib

CLEAR = (255, 0, 255)
INK = (32, 32, 96)
PAPER = (250, 250, 240)
RED = (200, 40, 40)
GREEN = (40, 150, 60)
BLUE = (40, 90, 200)
YELLOW = (240, 200, 40)
GREY = (150, 150, 150)
DARK = (60, 60, 60)
ORANGE = (230, 130, 30)


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[CLEAR] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, fill=None, frame=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge and frame is not None:
                    self.put(x, y, frame)
                elif fill is not None:
                    self.put(x, y, fill)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def disc(self, cx, cy, r, colour):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, colour)

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.put(left + x, top + y, other.pixels[y][x])

    def save(self, path):
        stride = (self.width * 3 + 3) & ~3
        body = bytearray()
        for row in reversed(self.pixels):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            body += line + bytes(stride - len(line))
        header = struct.pack('<2sIHHI', b'BM', 54 + len(body), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
        with open(path, 'wb') as f:
            f.write(header + info + body)


def barcode(c, x0=2, y0=3, x1=13, y1=12):
    c.rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, fill=PAPER, frame=GREY)
    for i, x in enumerate(range(x0, x1 + 1)):
        if (i * 7 + i // 3) % 3 != 1:
            c.line(x, y0, x, y1, INK)


def page(c, fold=True):
    c.rect(3, 1, 12, 14, fill=PAPER, frame=DARK)
    if fold:
        c.line(9, 1, 12, 4, DARK)


def text_lines(c, colour=GREY):
    for y in (5, 7, 9, 11):
        c.line(5, y, 10, y, colour)


def arrow_right(c, colour):
    c.rect(2, 6, 9, 9, fill=colour)
    for i in range(5):
        c.line(10 + i, 3 + i, 10 + i, 12 - i, colour)


def arrow_left(c, colour):
    c.rect(6, 6, 13, 9, fill=colour)
    for i in range(5):
        c.line(5 - i, 3 + i, 5 - i, 12 - i, colour)


def printer(c):
    c.rect(4, 1, 11, 6, fill=PAPER, frame=DARK)
    c.rect(1, 6, 14, 12, fill=GREY, frame=DARK)
    c.rect(4, 10, 11, 14, fill=PAPER, frame=DARK)
    c.put(12, 8, GREEN)


def disk(c):
    c.rect(1, 1, 14, 14, fill=BLUE, frame=DARK)
    c.rect(4, 1, 11, 6, fill=PAPER, frame=DARK)
    c.rect(4, 9, 11, 14, fill=GREY)


def folder(c):
    c.rect(1, 4, 14, 13, fill=YELLOW, frame=DARK)
    c.rect(1, 2, 6, 4, fill=YELLOW, frame=DARK)


def cross(c):
    for d in range(-1, 2):
        c.line(3 + d, 3, 12 + d, 12, RED)
        c.line(12 + d, 3, 3 + d, 12, RED)


def tick(c):
    for d in range(0, 2):
        c.line(2, 8 + d, 6, 12 + d, GREEN)
        c.line(6, 12 + d, 13, 4 + d, GREEN)


def magnifier(c):
    c.disc(6, 6, 4, DARK)
    c.disc(6, 6, 3, PAPER)
    for d in range(2):
        c.line(9 + d, 9, 14 + d, 14, DARK)


def funnel(c):
    for i in range(6):
        c.line(2 + i, 2 + i, 13 - i, 2 + i, BLUE)
    c.rect(7, 8, 8, 14, fill=BLUE)


def calendar(c):
    c.rect(1, 2, 14, 14, fill=PAPER, frame=DARK)
    c.rect(1, 2, 14, 5, fill=RED, frame=DARK)
    for y in (7, 10, 13):
        for x in (3, 6, 9, 12):
            c.put(x, y, INK)


def notepad(c):
    page(c, fold=False)
    c.rect(3, 1, 12, 3, fill=YELLOW, frame=DARK)
    text_lines(c, BLUE)


def calculator(c):
    c.rect(2, 1, 13, 14, fill=GREY, frame=DARK)
    c.rect(4, 3, 11, 5, fill=GREEN)
    for y in (8, 10, 12):
        for x in (4, 7, 10):
            c.rect(x, y, x + 1, y, fill=PAPER)


def question(c):
    c.disc(7, 7, 7, BLUE)
    c.line(5, 4, 9, 4, PAPER)
    c.line(9, 4, 9, 7, PAPER)
    c.line(9, 7, 7, 8, PAPER)
    c.put(7, 9, PAPER)
    c.put(7, 11, PAPER)


def info(c):
    c.disc(7, 7, 7, BLUE)
    c.put(7, 3, PAPER)
    c.line(7, 6, 7, 11, PAPER)


def globe(c):
    c.disc(7, 7, 6, BLUE)
    c.line(1, 7, 13, 7, GREEN)
    c.line(7, 1, 7, 13, GREEN)
    c.line(3, 3, 11, 3, GREEN)
    c.line(3, 11, 11, 11, GREEN)


def door(c):
    c.rect(3, 1, 11, 14, fill=ORANGE, frame=DARK)
    c.put(9, 8, DARK)
    arrow_right(c, RED)


def table(c):
    c.rect(1, 2, 14, 13, fill=PAPER, frame=DARK)
    for y in (5, 8, 11):
        c.line(1, y, 14, y, GREY)
    c.line(6, 2, 6, 13, GREY)


def spreadsheet(c):
    table(c)
    c.rect(1, 2, 14, 4, fill=GREEN, frame=DARK)


def gear(c):
    c.disc(7, 7, 6, GREY)
    c.disc(7, 7, 2, CLEAR)
    for x, y in ((7, 0), (7, 14), (0, 7), (14, 7)):
        c.rect(x - 1, y - 1, x + 1, y + 1, fill=GREY)


def label_sheet(c):
    c.rect(1, 1, 14, 14, fill=PAPER, frame=DARK)
    for y in (2, 6, 10):
        for x in (2, 8):
            c.rect(x, y, x + 4, y + 2, fill=YELLOW, frame=GREY)


def plus(c):
    c.rect(6, 2, 9, 13, fill=GREEN)
    c.rect(2, 6, 13, 9, fill=GREEN)


def minus(c):
    c.rect(2, 6, 13, 9, fill=RED)


def eraser(c):
    for i in range(6):
        c.line(3 + i, 12 - i, 8 + i, 12 - i, ORANGE)
    c.line(2, 13, 13, 13, DARK)


def sort(c):
    for i, w in enumerate((10, 8, 6, 4)):
        c.rect(2, 2 + i * 3, 2 + w, 3 + i * 3, fill=BLUE)
    c.line(13, 2, 13, 13, DARK)
    c.line(11, 11, 13, 13, DARK)
    c.line(15, 11, 13, 13, DARK)


def refresh(c):
    for angle in range(0, 300, 8):
        import math
        a = math.radians(angle)
        c.put(round(7 + 5 * math.cos(a)), round(7 + 5 * math.sin(a)), GREEN)
    c.rect(11, 1, 13, 3, fill=GREEN)


def star(c):
    for i in range(7):
        c.line(7 - i // 2, 2 + i * 2 // 2, 7 + i // 2, 2 + i * 2 // 2, YELLOW)
    c.rect(2, 6, 13, 8, fill=YELLOW)
    c.line(4, 13, 7, 8, YELLOW)
    c.line(11, 13, 8, 8, YELLOW)


def mail(c):
    c.rect(1, 3, 14, 12, fill=PAPER, frame=DARK)
    c.line(1, 3, 7, 8, DARK)
    c.line(14, 3, 8, 8, DARK)


def preview(c):
    page(c)
    text_lines(c)
    magnifier_small = Canvas(8, 8)
    magnifier_small.disc(3, 3, 2, DARK)
    magnifier_small.line(5, 5, 7, 7, DARK)
    c.paste(magnifier_small, 8, 8)


def three(c):
    c.rect(1, 1, 14, 14, fill=BLUE, frame=DARK)
    for y in (3, 7, 11):
        c.line(5, y, 10, y, PAPER)
    c.line(10, 3, 10, 11, PAPER)


def tool(c):
    c.rect(2, 6, 9, 9, fill=GREY, frame=DARK)
    c.rect(9, 3, 13, 12, fill=GREY, frame=DARK)
    c.rect(12, 6, 14, 9, fill=CLEAR)


# The image list, in index order. The tools menu uses 26 (first desktop
# tool: a calendar), 28 (second desktop tool: a notepad) and 29 (the
# calculator); the header uses 0.
IMAGES = [
    barcode,                                       # 0  Dozuri
    lambda c: (page(c), text_lines(c)),            # 1  new record
    disk,                                          # 2  save
    folder,                                        # 3  open
    printer,                                       # 4  print
    preview,                                       # 5  preview
    lambda c: arrow_right(c, GREEN),               # 6  ">"
    lambda c: arrow_left(c, RED),                  # 7  "<"
    lambda c: (arrow_right(c, GREEN), c.rect(0, 6, 1, 9, fill=GREEN)),   # 8  ">>"
    lambda c: (arrow_left(c, RED), c.rect(14, 6, 15, 9, fill=RED)),      # 9  "<<"
    funnel,                                        # 10 filter
    lambda c: (funnel(c), cross(c)),               # 11 every record
    sort,                                          # 12 sort
    plus,                                          # 13 insert
    minus,                                         # 14 delete
    tick,                                          # 15 post
    cross,                                         # 16 cancel
    refresh,                                       # 17 refresh
    magnifier,                                     # 18 search
    spreadsheet,                                   # 19 Excel import
    eraser,                                        # 20 delete every record
    door,                                          # 21 exit
    question,                                      # 22 help
    info,                                          # 23 about
    globe,                                         # 24 web address
    star,                                          # 25 update check
    calendar,                                      # 26 first desktop tool
    gear,                                          # 27 edit the tools menu
    notepad,                                       # 28 second desktop tool
    calculator,                                    # 29 calculator
    label_sheet,                                   # 30 label sheet
    mail,                                          # 31 e-mail
]


def splash_picture():
    """A deep blue field brightening toward the bottom, a white label with a
    barcode across the lower part and a thin frame."""
    c = Canvas(500, 310)
    for y in range(310):
        t = y / 309
        colour = (int(20 + 40 * t), int(50 + 70 * t), int(120 + 90 * t))
        for x in range(500):
            c.pixels[y][x] = colour
    c.rect(0, 0, 499, 309, frame=(10, 30, 80))
    c.rect(110, 200, 389, 289, fill=PAPER, frame=GREY)
    widths = [1, 2, 1, 3, 1, 1, 2, 3, 1, 2, 2, 1, 3, 1, 2, 1, 1, 3, 2, 1]
    x, bar = 130, True
    while x < 370:
        w = widths[(x // 3) % len(widths)]
        if bar:
            c.rect(x, 212, x + w - 1, 268, fill=INK)
        x += w
        bar = not bar
    c.rect(130, 274, 369, 277, fill=GREY)
    return c


def write_png_rgba(path, width, height, pixel):
    """Writes a 32-bit PNG; pixel(x, y) gives (r, g, b, a)."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)
    rows = b''.join(b'\0' + bytes(v for x in range(width) for v in pixel(x, y)) for y in range(height))
    header = struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(rows, 9))
                + chunk(b'IEND', b''))


def shadow_pixel(size, strength):
    """A black pixel whose alpha falls from strength at the centre to 0 at the edges."""
    def pixel(x, y):
        edge = min(x, y, size - 1 - x, size - 1 - y)
        return (0, 0, 0, min(strength, strength * edge * 2 // size * 2))
    return pixel


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, 'images')
    os.makedirs(out, exist_ok=True)
    strip = Canvas(16 * len(IMAGES), 16)
    for index, draw in enumerate(IMAGES):
        icon = Canvas(16, 16)
        draw(icon)
        strip.paste(icon, index * 16, 0)
    strip.save(os.path.join(out, 'mainimages.bmp'))

    header = Canvas(32, 32)
    header.rect(0, 0, 31, 31, fill=(230, 236, 250), frame=BLUE)
    for i, x in enumerate(range(4, 28)):
        if (i * 5 + i // 2) % 3 != 1:
            header.line(x, 6, x, 22, INK)
    header.rect(4, 24, 27, 27, fill=RED)
    header.save(os.path.join(out, 'baslik.bmp'))

    glyph = Canvas(16, 16)
    three(glyph)
    glyph.save(os.path.join(out, 'mod3.bmp'))

    splash_picture().save(os.path.join(out, 'splash.bmp'))

    write_png_rgba(os.path.join(out, 'acshda.png'), 64, 64, shadow_pixel(64, 128))
    write_png_rgba(os.path.join(out, 'acshdi.png'), 64, 64, shadow_pixel(64, 80))


if __name__ == '__main__':
    main()
