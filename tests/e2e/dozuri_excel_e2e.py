#!/usr/bin/env python3
"""The Excel import end to end: openpyxl writes a workbook whose column A
holds 13-digit barcodes stored as numbers and column B Turkish names, under a
title row. Dozuri.exe (the test prefix has no spreadsheet application, so the
built-in reader runs) opens "Dosya" > "Excel den Veri Al", "Metin 1" is mapped
to "A" and "Metin 2" to "B", the rows are imported, and the program exits
with OK. The record file then holds the digits and the names in code page
1254. A picture of the form is left beside the work folder for a person to
look at (--shot).

Run inside the test desktop (tools/desktop).
"""

import argparse
import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dozuri_e2e import (FIELD_SLOT, INPUT_MS, MAIN_CAPTION, RECORD_SIZE,  # noqa: E402
                        answer_close_question, wait_main_window)
from key_input import XdotoolInput, _xdotool  # noqa: E402
from scenario_run import check, drive_program, save_picture  # noqa: E402
from wine_program import WineProgram, wine_path  # noqa: E402

GENERATOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support", "workbook", "make_workbook.py")
NAMES = ["Çiğ Köfte", "Şeker Ürünleri", "Işık Ğ İğne", "Öğle Yemeği", "Düğme"]
ROWS = 5
CHECKBOX = "Ilk Satir Basliklari icerir"
INFO_CAPTION = "Bilgi"
DIALOG_MS = 15000
# The mapping grid sits at (8, 8) of the page, the check box at (8, 345):
# grid cells are reached from the check box. The grid has a 2-pixel frame,
# an 11-pixel indicator column, 18-pixel rows and 1-pixel lines.
GRID_FROM_BOX_Y = 8 - 345 + 2
ROW_PITCH = 19
AKTAR_X = 2 + 12 + 20
NOTE_X = 2 + 12 + 46 + 101 + 60
LETTER_X = 2 + 12 + 46 + 101 + 181 + 40
# The file name edit, at (8, 286) of the page.
FILE_EDIT = ("100", str(286 - 345 + 10))
# The middle of the owner-drawn "Bilgileri Aktar" button (158 x 28), which
# clicks on the left button's release as a user's click does.
IMPORT_BUTTON_MIDDLE = ("79", "14")


def xkey(*keys):
    window = XdotoolInput().window(MAIN_CAPTION)
    _xdotool("windowfocus", "--sync", window)
    for key in keys:
        _xdotool("key", key)
        time.sleep(0.3)


def wait_form(helper):
    """The import form has the main form's caption; it is up once a window of
    that caption holds the check box (a point far outside the box finds the
    box but no window under the point)."""
    deadline = time.monotonic() + DIALOG_MS / 1000
    while True:
        probe = helper.run("clickrel", MAIN_CAPTION, CHECKBOX, "-5000", "-5000")
        if "no window at the point" in probe.stderr.decode("utf-8", "replace"):
            return
        check(time.monotonic() < deadline, "the import form did not come up")
        time.sleep(0.5)


def click_cell(helper, x, row):
    y = GRID_FROM_BOX_Y + ROW_PITCH * row + 9
    helper.ok("clickrel", MAIN_CAPTION, CHECKBOX, str(x), str(y))
    time.sleep(0.5)


def answer_info(helper, keyboard, expected):
    helper.wait_window(INFO_CAPTION, DIALOG_MS)
    text = helper.ok("message", INFO_CAPTION)
    check(expected in text, "the box said %r, expected %r" % (text, expected))
    keyboard.keys(INFO_CAPTION, "key:RETURN")
    helper.wait_window_gone(INFO_CAPTION, DIALOG_MS)


def check_imported(path):
    check(os.path.isfile(path), "the record file %s was not written" % path)
    data = open(path, "rb").read()
    check(len(data) == RECORD_SIZE * ROWS, "record file has %d bytes, expected %d records" % (len(data), ROWS))
    for i in range(ROWS):
        record = data[RECORD_SIZE * i:RECORD_SIZE * (i + 1)]
        for number, text in ((1, str(8690000000000 + i)), (2, "%s %d" % (NAMES[i % len(NAMES)], i + 1))):
            at = FIELD_SLOT * (number - 1)
            want = b"\x01" + text.encode("cp1254") + b"\x00"
            check(record[at:at + len(want)] == want,
                  "record %d METIN%d: %r, expected %r" % (i + 1, number, record[at:at + len(want)], want))
        check(record[FIELD_SLOT * 2] == 0, "record %d: METIN3 was filled although not mapped" % (i + 1))


def scenario(helper, keyboard, exe, work, log, shot):
    workbook = os.path.join(work, "barkodlar.xlsx")
    subprocess.run(["/usr/bin/python3", GENERATOR, "barcodes", workbook, str(ROWS)], check=True)
    with WineProgram(exe, work, log) as program:
        wait_main_window(helper, program)
        helper.wait_focused_text(MAIN_CAPTION, "", INPUT_MS)
        started = time.monotonic()
        xkey("F10", "Return", "Return")
        wait_form(helper)
        # Tick "Metin 1" and give it "A", then "Metin 2" with "B".
        for row, letter in ((1, "A"), (2, "B")):
            click_cell(helper, AKTAR_X, row)
            click_cell(helper, LETTER_X, row)
            keyboard.keys(MAIN_CAPTION, "text:" + letter)
        click_cell(helper, NOTE_X, 3)  # another row: row 2's letter is posted
        helper.ok("clickrel", MAIN_CAPTION, CHECKBOX, *FILE_EDIT)
        time.sleep(0.5)
        keyboard.keys(MAIN_CAPTION, "text:" + wine_path(workbook))
        if shot:
            save_picture(helper, MAIN_CAPTION, work, shot, "import form")
        helper.ok("clickrel", MAIN_CAPTION, "Bilgileri Aktar", *IMPORT_BUTTON_MIDDLE)
        answer_info(helper, keyboard, "Excel den bilgi alma")
        print("imported in %.1f s (form opened, mapped, read, appended)" % (time.monotonic() - started))
        _xdotool("key", "alt+F4")  # the import form is the active window
        time.sleep(1)
        answer_close_question(helper, keyboard, program, "RETURN")
    check_imported(os.path.join(work, "Data", "barkod.bxf"))
    print("the record file holds the %d imported rows" % ROWS)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True, help="Dozuri.exe to test")
    parser.add_argument("--helper", required=True, help="e2e_helper.exe")
    parser.add_argument("--shot", help="write a picture of the import form here")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    args = parser.parse_args()
    return drive_program(args.exe, args.helper, "dozuri-excel-e2e-",
                         lambda h, k, e, w, l: scenario(h, k, e, w, l, args.shot), keep=args.keep)


if __name__ == "__main__":
    sys.exit(main())
