#!/usr/bin/env python3
"""Draws the calculator's pictures as 24-bit BMP files.

Run from this folder: python3 draw_calculator.py. It writes
images/calcbody.bmp (240 x 348: the calculator's body; white is outside the
window, which takes the body's shape) and images/calckeys.bmp (a strip of 29
cells of 40 x 60: the 28 key faces in the order of the calculator's key
table, 40 x 28 each but the tall "+" and "=" of 40 x 60, then the 16 x 16
close mark of the title bar). The places below are those of the calculator
form (components/vtcalcmainf.cpp).
"""
import os

from draw_images import Canvas

WHITE = (255, 255, 255)
BODY = (58, 66, 86)
BODY_EDGE = (28, 32, 44)
TITLE = (36, 44, 64)
WELL = (196, 214, 186)
WELL_EDGE = (20, 24, 30)
TAPE = (250, 250, 244)
LABEL_DARK = (24, 24, 24)
LABEL_LIGHT = (250, 250, 250)

BODY_WIDTH, BODY_HEIGHT = 240, 348
KEY_WIDTH, KEY_HEIGHT, TALL_HEIGHT, CELL_HEIGHT = 40, 28, 60, 60

# 5 x 7 letters, one string of five characters per row.
GLYPHS = {
    '0': ['.###.', '#...#', '#..##', '#.#.#', '##..#', '#...#', '.###.'],
    '1': ['..#..', '.##..', '..#..', '..#..', '..#..', '..#..', '.###.'],
    '2': ['.###.', '#...#', '....#', '...#.', '..#..', '.#...', '#####'],
    '3': ['####.', '....#', '....#', '.###.', '....#', '....#', '####.'],
    '4': ['...#.', '..##.', '.#.#.', '#..#.', '#####', '...#.', '...#.'],
    '5': ['#####', '#....', '####.', '....#', '....#', '#...#', '.###.'],
    '6': ['..##.', '.#...', '#....', '####.', '#...#', '#...#', '.###.'],
    '7': ['#####', '....#', '...#.', '..#..', '.#...', '.#...', '.#...'],
    '8': ['.###.', '#...#', '#...#', '.###.', '#...#', '#...#', '.###.'],
    '9': ['.###.', '#...#', '#...#', '.####', '....#', '...#.', '.##..'],
    'M': ['#...#', '##.##', '#.#.#', '#.#.#', '#...#', '#...#', '#...#'],
    'C': ['.###.', '#...#', '#....', '#....', '#....', '#...#', '.###.'],
    'E': ['#####', '#....', '#....', '####.', '#....', '#....', '#####'],
    'R': ['####.', '#...#', '#...#', '####.', '#.#..', '#..#.', '#...#'],
    'O': ['.###.', '#...#', '#...#', '#...#', '#...#', '#...#', '.###.'],
    'F': ['#####', '#....', '#....', '####.', '#....', '#....', '#....'],
    '+': ['.....', '..#..', '..#..', '#####', '..#..', '..#..', '.....'],
    '-': ['.....', '.....', '.....', '#####', '.....', '.....', '.....'],
    '*': ['.....', '#...#', '.#.#.', '..#..', '.#.#.', '#...#', '.....'],
    '/': ['....#', '....#', '...#.', '..#..', '.#...', '#....', '#....'],
    '%': ['##..#', '##..#', '...#.', '..#..', '.#...', '#..##', '#..##'],
    '=': ['.....', '.....', '#####', '.....', '#####', '.....', '.....'],
    ',': ['.....', '.....', '.....', '.....', '.##..', '..#..', '.#...'],
    '<': ['.....', '..#..', '.#...', '#####', '.#...', '..#..', '.....'],
    'V': ['....#', '....#', '...#.', '#..#.', '.#.#.', '.#.#.', '..#..'],
}

# The key faces in the order of the calculator's key table: label and colour.
DIGIT = (226, 228, 232)
OPERATOR = (236, 150, 52)
MEMORY = (96, 140, 206)
CLEAR = (204, 72, 64)
CLOSE = (140, 30, 30)
KEYS = [
    ('MC', MEMORY), ('MR', MEMORY), ('M-', MEMORY), ('M+', MEMORY), ('OFF', CLOSE),
    ('C', CLEAR), ('CE', CLEAR), ('<', CLEAR), ('V', OPERATOR), ('OFF', CLOSE),
    ('7', DIGIT), ('8', DIGIT), ('9', DIGIT), ('/', OPERATOR), ('%', OPERATOR),
    ('4', DIGIT), ('5', DIGIT), ('6', DIGIT), ('*', OPERATOR), ('-', OPERATOR),
    ('1', DIGIT), ('2', DIGIT), ('3', DIGIT), ('+', OPERATOR), ('=', OPERATOR),
    ('0', DIGIT), ('00', DIGIT), (',', DIGIT),
]
TALL_KEYS = {23, 24}


def shade(colour, amount):
    return tuple(max(0, min(255, c + amount)) for c in colour)


def rounded(c, x0, y0, x1, y1, radius, fill, frame):
    """A rounded rectangle; pixels outside its corners stay as they are."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            cx = x0 + radius if x < x0 + radius else x1 - radius if x > x1 - radius else x
            cy = y0 + radius if y < y0 + radius else y1 - radius if y > y1 - radius else y
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if d2 > radius * radius:
                continue
            edge = d2 > (radius - 1) ** 2 or x in (x0, x1) or y in (y0, y1)
            c.put(x, y, frame if edge else fill(y - y0, y1 - y0))


def text(c, label, cx, cy, colour, scale=2):
    width = len(label) * 6 * scale - scale
    left, top = cx - width // 2, cy - 7 * scale // 2
    for i, ch in enumerate(label):
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == '#':
                    x, y = left + (i * 6 + col) * scale, top + row * scale
                    c.rect(x, y, x + scale - 1, y + scale - 1, fill=colour)


def key_face(label, colour, height):
    face = Canvas(KEY_WIDTH, height)
    face.rect(0, 0, KEY_WIDTH - 1, height - 1, fill=BODY)
    rounded(face, 0, 0, KEY_WIDTH - 1, height - 1, 5,
            lambda y, h: shade(colour, 30 - 60 * y // max(h, 1)), BODY_EDGE)
    ink = LABEL_DARK if colour == DIGIT else LABEL_LIGHT
    text(face, label, KEY_WIDTH // 2, height // 2, ink, 1 if len(label) > 2 else 2)
    return face


def close_mark():
    mark = Canvas(16, 16)
    mark.rect(0, 0, 15, 15, fill=TITLE)
    mark.disc(7, 7, 7, CLEAR)
    for d in range(2):
        mark.line(4 + d, 4, 10 + d, 10, LABEL_LIGHT)
        mark.line(10 + d, 4, 4 + d, 10, LABEL_LIGHT)
    return mark


def body():
    c = Canvas(BODY_WIDTH, BODY_HEIGHT)
    c.rect(0, 0, BODY_WIDTH - 1, BODY_HEIGHT - 1, fill=WHITE)
    rounded(c, 0, 0, BODY_WIDTH - 1, BODY_HEIGHT - 1, 16,
            lambda y, h: TITLE if y < 26 else shade(BODY, 12 - 24 * y // h), BODY_EDGE)
    c.rect(12, 32, 228, 74, fill=WELL, frame=WELL_EDGE)
    c.rect(12, 96, 228, 140, fill=TAPE, frame=WELL_EDGE)
    return c


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'images')
    os.makedirs(out, exist_ok=True)
    body().save(os.path.join(out, 'calcbody.bmp'))
    strip = Canvas(KEY_WIDTH * (len(KEYS) + 1), CELL_HEIGHT)
    strip.rect(0, 0, strip.width - 1, CELL_HEIGHT - 1, fill=BODY)
    for index, (label, colour) in enumerate(KEYS):
        height = TALL_HEIGHT if index in TALL_KEYS else KEY_HEIGHT
        strip.paste(key_face(label, colour, height), index * KEY_WIDTH, 0)
    strip.paste(close_mark(), len(KEYS) * KEY_WIDTH, 0)
    strip.save(os.path.join(out, 'calckeys.bmp'))


if __name__ == '__main__':
    main()
