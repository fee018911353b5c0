#!/usr/bin/env python3
"""A sheet printed end to end on the test desktop's PDF queue: new work in
the sheet mode, three EAN-13 codes with Turkish names and prices on row 1,
names and prices switched on, saved with "Kaydet" (the .bcd bytes are
checked by the test program), then "Önizleme" sent to the printer through
"Çıktı Seçenekleri". The PDF must have one page, the names and prices where
the sheet's geometry puts them (within 0.5 mm, from pdftotext -bbox) and the
three codes read back from the page rendered at 300 dpi.

Run inside the test desktop (tools/desktop), which sets DOZURI_PDF_OUT and
makes the PDF queue the default printer. The printing is done by
test_sheetform.exe (SheetToThePrinter).
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from labels_pdf_e2e import pdfs_in, run, wait_for_new_pdf  # noqa: E402
from scenario_run import check, outcome, run_appshell_test  # noqa: E402

CODES = {"8690000000012", "4006381333931", "5901234123457"}
NAMES = ["Çiğdem", "Işık", "Ağaç"]
PRICES = ["2,50", "13,75", "7,00"]
# The sheet after "Yeni" (mm): margins left 6, top 15; labels 63 wide with a
# gap of 3; names at 20, 5 in the label; prices as the test sets them.
LEFT, TOP, PITCH_X = 6.0, 15.0, 66.0
NAME_AT, PRICE_AT = (20.0, 5.0), (20.0, 28.0)
TOLERANCE_MM = 0.5
PT_TO_MM = 25.4 / 72


def words_with_boxes(pdf):
    """Each word of the page with its left and top in millimetres."""
    html = run("pdftotext", "-bbox", pdf, "-").stdout.decode("utf-8", "replace")
    words = []
    for match in re.finditer(r'<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>', html):
        words.append((match.group(3), float(match.group(1)) * PT_TO_MM, float(match.group(2)) * PT_TO_MM))
    return words


def check_place(words, text, expected):
    found = [(x, y) for word, x, y in words if word == text]
    check(found, "%r is not on the page" % text)
    x, y = found[0]
    check(abs(x - expected[0]) <= TOLERANCE_MM and abs(y - expected[1]) <= TOLERANCE_MM,
          "%r at %.2f, %.2f mm, expected %.2f, %.2f mm" % (text, x, y, expected[0], expected[1]))


def check_pdf(pdf, work):
    info = run("pdfinfo", pdf).stdout.decode("utf-8", "replace")
    check("Pages:           1\n" in info, "expected one page:\n" + info)
    words = words_with_boxes(pdf)
    for column in range(3):
        corner = (LEFT + PITCH_X * column, TOP)
        check_place(words, NAMES[column], (corner[0] + NAME_AT[0], corner[1] + NAME_AT[1]))
        check_place(words, PRICES[column], (corner[0] + PRICE_AT[0], corner[1] + PRICE_AT[1]))
    prefix = os.path.join(work, "page")
    check(run("pdftoppm", "-r", "300", "-png", "-singlefile", pdf, prefix).returncode == 0, "pdftoppm failed")
    decoded = run("zbarimg", "-q", prefix + ".png").stdout.decode("ascii", "replace").split()
    codes = {line.split(":", 1)[1] for line in decoded if line.startswith("EAN-13:")}
    check(codes == CODES, "decoded %s, expected %s" % (sorted(codes), sorted(CODES)))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--tests", required=True, help="test_sheetform.exe")
    args = parser.parse_args()
    out = os.environ.get("DOZURI_PDF_OUT")
    if not out:
        print("DOZURI_PDF_OUT is not set: run inside tools/desktop")
        return 1
    before = pdfs_in(out)
    env = dict(os.environ, DOZURI_SHEET_TO_PRINTER="1")

    def print_and_check():
        with tempfile.TemporaryDirectory(prefix="dozuri-sheet-") as work:
            run_appshell_test(args.tests, "SheetToThePrinter.*", env, "the sheet print run failed")
            check_pdf(wait_for_new_pdf(out, before), work)

    return outcome(print_and_check, "PASSED: one page with the three names, prices and EAN-13 codes in place")


if __name__ == "__main__":
    sys.exit(main())
