#!/usr/bin/env python3
"""Draws the open-folder glyph of the button edit's button as a 24-bit BMP.

Run from this folder: python3 draw_opendir.py. It writes images/opendir.bmp,
a 16 x 16 folder with its lid open; magenta is see-through (the bottom-left
pixel, which the button takes as the see-through colour, is magenta).
"""
import os
import struct

CLEAR = (255, 0, 255)
EDGE = (96, 72, 0)
BODY = (232, 200, 96)
LID = (248, 224, 136)
PAPER = (255, 255, 255)

SIZE = 16


def draw():
    px = [[CLEAR] * SIZE for _ in range(SIZE)]

    def put(x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            px[y][x] = c

    # The back of the folder with its tab.
    for x in range(1, 6):
        put(x, 3, EDGE)
    for y in range(4, 13):
        put(0, y, EDGE)
    for x in range(6, 12):
        put(x, 4, EDGE)
    for y in range(5, 8):
        put(11, y, EDGE)
    for y in range(4, 13):
        for x in range(1, 11):
            if y > 3 and not (y == 4 and x > 5):
                put(x, y, BODY)
    # A sheet standing out of it.
    for y in range(5, 9):
        for x in range(3, 10):
            put(x, y, PAPER)
    # The open lid, leaning forward.
    for i, y in enumerate(range(8, 13)):
        left = 2 + (4 - i)
        for x in range(left, left + 11):
            put(x, y, LID)
        put(left - 1, y, EDGE)
        put(left + 11, y, EDGE)
    for x in range(1, 16):
        put(x, 7, EDGE if x >= 6 else px[7][x])
    for x in range(1, 13):
        put(x, 13, EDGE)
    return px


def save(px, path):
    rows = []
    for y in range(SIZE - 1, -1, -1):
        row = b''.join(struct.pack('BBB', b, g, r) for (r, g, b) in px[y])
        rows.append(row + b'\0' * ((4 - len(row) % 4) % 4))
    body = b''.join(rows)
    header = struct.pack('<2sIHHI', b'BM', 54 + len(body), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + body)


if __name__ == '__main__':
    save(draw(), os.path.join('images', 'opendir.bmp'))
