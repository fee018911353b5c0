#!/usr/bin/env python3
"""The sheet mode end to end through the program's windows: starts Dozuri.exe
under Wine in a fresh folder, opens the sheet mode with the header button
"Dozuri 3 Modu", starts new work with "Yeni", types three EAN-13 codes,
Turkish names and prices into row 1 of the grids "Dozuri", "Ürün isimleri"
and "Fiyatlar", switches the prices on at 20, 28 mm in the label, saves with
"Kaydet" through the save dialog (the .bcd file's lines are checked), then
sends "Önizleme" to the printer through "Çıktı Seçenekleri". The PDF the
desktop's queue writes must have one page with the names and prices where the
sheet's geometry puts them and the three codes read back at 300 dpi.
"Önizleme" is then shown on the screen: the preview "Baskı Önizleme" must
come up.

Run inside the test desktop (tools/desktop). When DOZURI_E2E_SCREENSHOTS names
a folder, pictures of the sheet form and of the preview are written there as
PNG files.
"""

import argparse
import os
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dozuri_e2e import MAIN_CAPTION, wait_main_window  # noqa: E402
from labels_pdf_e2e import pdfs_in, wait_for_new_pdf  # noqa: E402
from scenario_run import answer_file_dialog, check, drive_program, save_picture  # noqa: E402
from sheet_pdf_e2e import check_pdf  # noqa: E402
from wine_program import WineProgram  # noqa: E402

# The sheet form carries the main form's caption; while it is shown modally
# the main form is disabled and the helper takes the enabled one.
SHEET_CAPTION = MAIN_CAPTION
SETUP_CAPTION = "Çıktı Seçenekleri"
PREVIEW_CAPTION = "Baskı Önizleme"
# "Dozuri 3 Modu" sits at the right end of the main form's header, 112 by 24
# pixels, 8 from the edge and 3 from the top.
SHEET_BUTTON_AT = ("-64", "15")

CELLS = {
    "Dozuri": ["8690000000012", "4006381333931", "5901234123457"],
    "Ürün isimleri": ["Çiğdem Şeker", "Işık Öğretmen", "Ağaç Süngü"],
    "Fiyatlar": ["2,50 TL", "13,75 TL", "7,00 TL"],
}
PRICE_PLACE_MM = ("20", "28")
SHEET_LINES = 97
SHEET_FILE = "etiketler.bcd"

WINDOW_MS = 30000
INPUT_MS = 10000
DIALOG_MS = 20000
FILE_S = 20


def press_tool(helper, text):
    """Clicks a tool bar button of the sheet form once it is there and enabled."""
    helper.ok("tool", SHEET_CAPTION, text, str(WINDOW_MS), wait_ms=WINDOW_MS)


def type_cells(helper, keyboard, page, texts):
    """Shows the grid page, gives its grid the focus and types the texts into
    columns 1 to 3 of row 1. The grid starts on the last row, where sizing
    the grid left the table; Ctrl+Home goes to the first, and Tab moves on a
    column (the first column is the row number)."""
    helper.ok("tab", SHEET_CAPTION, page)
    time.sleep(0.5)
    keyboard.keys(SHEET_CAPTION, "key:TAB", "key:CTRL+HOME", "key:TAB")
    for column, text in enumerate(texts):
        if column > 0:
            keyboard.keys(SHEET_CAPTION, "key:TAB")
        keyboard.keys(SHEET_CAPTION, "text:" + text)
        helper.wait_focused_text(SHEET_CAPTION, text, INPUT_MS)
    print("typed into %s: %s" % (page, ", ".join(texts)))


def type_length(helper, keyboard, text):
    """Tab to the next length edit (its text is selected on entry) and type."""
    keyboard.keys(SHEET_CAPTION, "key:TAB", "text:" + text)
    helper.wait_focused_text(SHEET_CAPTION, text, INPUT_MS)


def switch_prices_on(helper, keyboard):
    """"Ürün Fiyatlarını yaz" on the page "Ayarlar", and the prices' left and
    top offsets in the two edits after it."""
    helper.ok("tab", SHEET_CAPTION, "Ayarlar")
    time.sleep(0.5)
    helper.ok("clickon", SHEET_CAPTION, "Ürün Fiyatlarını yaz")
    time.sleep(0.5)
    for text in PRICE_PLACE_MM:
        type_length(helper, keyboard, text)
    print("prices switched on at %s, %s mm" % PRICE_PLACE_MM)


def save_sheet(helper, keyboard, work):
    """"Kaydet" on new work asks for a file with the save dialog."""
    path = os.path.join(work, SHEET_FILE)
    press_tool(helper, "Kaydet")
    answer_file_dialog(helper, keyboard, SHEET_CAPTION, path, DIALOG_MS)
    deadline = time.monotonic() + FILE_S
    while not os.path.isfile(path):
        check(time.monotonic() < deadline, "the sheet file %s was not written" % path)
        time.sleep(0.3)
    time.sleep(0.5)
    return path


def expected_cell_lines():
    """The sheet file's last 63 lines: every cell of the 7 by 3 grid, table by
    table and row by row, the typed ones in row 1 and the others empty."""
    lines = []
    for kind, prefix in (("Dozuri", "KOD"), ("Ürün isimleri", "URUN"), ("Fiyatlar", "FIYAT")):
        for row in range(1, 8):
            for column in range(1, 4):
                cell = CELLS[kind][column - 1] if row == 1 else ""
                lines.append("%s_%d_%d=%s" % (prefix, row, column, cell))
    return lines


def check_sheet_file(path):
    """The file's lines as "Kaydet" writes them: CR LF, code page 1254."""
    data = open(path, "rb").read()
    check(data.endswith(b"\r\n"), "the sheet file does not end in CR LF")
    lines = data[:-2].decode("cp1254").split("\r\n")
    check(len(lines) == SHEET_LINES, "the sheet file has %d lines, expected %d" % (len(lines), SHEET_LINES))
    check(lines[:3] == ["VORTELIM BARKOD", "PROGRAM_VERSIYONU=s4.03.01", "SAYFA_SOLBOSLUK=6,0000"],
          "the sheet file starts %r" % lines[:3])
    for line in ("URUN_YAZ=EVET", "FIYAT_YAZ=EVET", "FIYAT_SOLBOSLUK=20,0000", "FIYAT_USTBOSLUK=28,0000"):
        check(line in lines[:34], "the sheet file's settings have no line %r" % line)
    cells = lines[34:]
    for got, want in zip(cells, expected_cell_lines()):
        check(got == want, "the sheet file has %r where %r belongs" % (got, want))
    print("the sheet file has its %d lines with the typed cells" % SHEET_LINES)


def print_sheet(helper, keyboard, out):
    """"Önizleme", then "Yazıcı" in "Çıktı Seçenekleri" and OK."""
    before = pdfs_in(out)
    press_tool(helper, "Önizleme")
    helper.wait_window(SETUP_CAPTION, DIALOG_MS)
    helper.ok("click", SETUP_CAPTION, "Yazıcı")
    time.sleep(0.5)
    helper.ok("click", SETUP_CAPTION, "Tamam")
    return wait_for_new_pdf(out, before)


def show_preview(helper, work, pictures):
    """"Önizleme" with the setup window's default, the screen."""
    press_tool(helper, "Önizleme")
    helper.wait_window(SETUP_CAPTION, DIALOG_MS)
    helper.ok("click", SETUP_CAPTION, "Önizleme")
    time.sleep(0.5)
    helper.ok("click", SETUP_CAPTION, "Tamam")
    helper.wait_window(PREVIEW_CAPTION, DIALOG_MS)
    print("the preview is shown")
    if pictures:
        time.sleep(2)
        save_picture(helper, PREVIEW_CAPTION, work, os.path.join(pictures, "sheet-preview.png"), "preview")


def scenario(helper, keyboard, exe, work, log):
    out = os.environ.get("DOZURI_PDF_OUT")
    check(out, "DOZURI_PDF_OUT is not set: run inside tools/desktop")
    pictures = os.environ.get("DOZURI_E2E_SCREENSHOTS")
    with WineProgram(exe, work, log) as program:
        wait_main_window(helper, program)
        helper.ok("clickat", MAIN_CAPTION, *SHEET_BUTTON_AT)
        press_tool(helper, "Yeni")
        print("the sheet mode is open with new work")
        check(os.path.isdir(os.path.join(work, "Barkod_3", "Data")), "Barkod_3\\Data was not made")

        for page, texts in CELLS.items():
            type_cells(helper, keyboard, page, texts)
        if pictures:
            save_picture(helper, SHEET_CAPTION, work, os.path.join(pictures, "sheet-grid.png"), "sheet form")
        switch_prices_on(helper, keyboard)
        if pictures:
            save_picture(helper, SHEET_CAPTION, work, os.path.join(pictures, "sheet-settings.png"), "sheet form")

        check_sheet_file(save_sheet(helper, keyboard, work))
        check_pdf(print_sheet(helper, keyboard, out), work)
        print("the PDF queue got one page with the three names, prices and EAN-13 codes in place")
        show_preview(helper, work, pictures)
        check(program.running(), "the program ended")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True, help="Dozuri.exe to test")
    parser.add_argument("--helper", required=True, help="e2e_helper.exe")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    args = parser.parse_args()
    # SendInput types the names' capital Turkish letters as themselves; X key
    # events in a bare X server may give them in lower case.
    return drive_program(args.exe, args.helper, "dozuri-sheet-e2e-", scenario, keep=args.keep,
                         input_kind="sendinput")


if __name__ == "__main__":
    sys.exit(main())
