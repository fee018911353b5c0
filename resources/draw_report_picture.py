#!/usr/bin/env python3
"""Draws the picture a minimized text report shows on the design surface.

Run from this folder: python3 draw_report_picture.py. It writes
images/tzreport.bmp: 16 x 16, a sheet of fan-fold paper with its sprocket
holes and lines of text (magenta is see-through). The resource takes the
report class's name, TZREPORT.
"""
import os

from draw_images import Canvas, DARK, GREY, INK, PAPER

HOLE = (200, 200, 200)


def report_sheet(c):
    c.rect(1, 0, 14, 15, fill=PAPER, frame=DARK)
    for y in range(2, 15, 3):
        c.put(2, y, HOLE)
        c.put(13, y, HOLE)
    c.line(1, 7, 14, 7, GREY)
    for y, right in ((2, 11), (4, 9), (9, 11), (11, 10), (13, 8)):
        c.line(4, y, right, y, INK)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'images')
    picture = Canvas(16, 16)
    report_sheet(picture)
    picture.save(os.path.join(out, 'tzreport.bmp'))


if __name__ == '__main__':
    main()
