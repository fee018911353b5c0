#!/usr/bin/env python3
"""Print requests that must stop with a Turkish message and leave the label
table as it was: starts Dozuri.exe under Wine in a fresh folder with the
default layout beside it (21 labels a sheet), types three records and copies
them to the labels with ">>". Then, per scenario:

  start      "Önizleme Yap" with start position 999 and 22 (both fill whole
             sheets with blank positions), and 0: each stops with its message
             and no preview; position 21 still opens the preview.
  noprinter  the same program in a Wine prefix of its own that has no printer
             at all (no CUPS answers): "Önizleme Yap" and "Yazdır" with start
             position 4 stop with the Turkish message that says to install a
             printer.

After each refused request the label grid must look exactly as before it
(a picture of the main window with the grid's first row clicked): the
placeholders of the request are gone.

Run inside the test desktop (tools/desktop).
"""

import argparse
import os
import shutil
import subprocess
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from bmp_png import bmp_rows  # noqa: E402
from dozuri_e2e import MAIN_CAPTION, wait_main_window  # noqa: E402
from key_input import XdotoolInput, _xdotool  # noqa: E402
from dozuri_labels_e2e import PREVIEW_CAPTION, copy_records_to_labels, open_print_menu  # noqa: E402
from scenario_run import check, drive_program  # noqa: E402
from wine_program import StepFailed, WineProgram  # noqa: E402

INFO_CAPTION = "Bilgi"
# The standard error box carries the application's title.
ERROR_CAPTION = "VORTELIM Dozuri"
DIALOG_MS = 15000
PREFIX_START_S = 240
PAST_THE_SHEET = "Seçilen raporda bir sayfaya 21 etiket sığar; en fazla 21. etiketten başlanabilir."
BELOW_ONE = "Etiket sırası 1'den başlar; lütfen 1 ya da daha büyük bir sayı giriniz."
NO_PRINTER = ("Bu bilgisayarda tanımlı bir yazıcı yok. Etiketleri yazdırmak ya da önizlemek için önce bir "
              "yazıcı kurun ve onu varsayılan yazıcı yapın.")
# The first row of the label grid "Basılacak Etiketler" (the right-hand grid
# of the print page) in the main window of the test desktop's screen.
FIRST_LABEL_ROW_AT = ("760", "134")


def request(helper, keyboard, downs, start):
    """Opens "Yazdır" (downs 1) or "Önizleme Yap" (downs 2) and answers the
    start position question with `start`."""
    open_print_menu(helper, keyboard, downs)
    time.sleep(1.5)
    keyboard.keys(MAIN_CAPTION, "key:BACK", "text:" + start, "key:RETURN")


def message_text(helper, caption):
    """Waits for the message box `caption` and returns its text."""
    deadline = time.monotonic() + DIALOG_MS / 1000
    while True:
        result = helper.run("message", caption)
        if result.returncode == 0:
            return result.stdout.decode("utf-8", "replace").strip()
        if time.monotonic() >= deadline:
            raise StepFailed("no message box %r appeared" % caption)
        time.sleep(0.3)


def expect_message(helper, keyboard, caption, expected):
    text = message_text(helper, caption)
    check(text == expected, "the message reads %r, expected %r" % (text, expected))
    keyboard.keys(caption, "key:RETURN")
    helper.wait_window_gone(caption, DIALOG_MS)


# The label grid's rows in the main window's picture (x, y, width, height):
# only this part is compared, so a message box's not yet repainted trace
# elsewhere on the window does not count.
LABEL_GRID_AREA = (400, 107, 360, 140)
SETTLE_S = 20


def label_grid_picture(helper, work, name):
    """The label grid's rows with its first row clicked (so the current row is
    the same whatever the last request did), as RGB rows, once two pictures a
    second apart agree: on a busy machine the grid repaints late."""
    window = XdotoolInput().window(MAIN_CAPTION)
    _xdotool("mousemove", "--window", window, *FIRST_LABEL_ROW_AT)
    _xdotool("click", "1")
    path = os.path.join(work, name + ".bmp")
    left, top, width, height = LABEL_GRID_AREA
    last = None
    deadline = time.monotonic() + SETTLE_S
    while True:
        time.sleep(1)
        helper.shot(MAIN_CAPTION, path)
        _w, _h, rows = bmp_rows(open(path, "rb").read())
        area = [row[left * 3:(left + width) * 3] for row in rows[top:top + height]]
        if area == last or time.monotonic() >= deadline:
            return area
        last = area


def check_labels_unchanged(helper, work, before, name):
    after = label_grid_picture(helper, work, name)
    check(after == before, "the label grid changed (placeholders left?): see %s.bmp and before.bmp in %s"
          % (name, work))


def start_scenario(helper, keyboard, exe, work, log):
    with WineProgram(exe, work, log) as program:
        wait_main_window(helper, program)
        copy_records_to_labels(helper, keyboard)
        before = label_grid_picture(helper, work, "before")
        for start, expected in (("999", PAST_THE_SHEET), ("22", PAST_THE_SHEET), ("0", BELOW_ONE)):
            request(helper, keyboard, 2, start)
            expect_message(helper, keyboard, INFO_CAPTION, expected)
            check(helper.run("wait", PREVIEW_CAPTION, "0").returncode != 0, "a preview came up for " + start)
            check_labels_unchanged(helper, work, before, "after-" + start)
            print("start position %s: refused with its message, no placeholder left" % start)
        request(helper, keyboard, 2, "21")
        helper.wait_window(PREVIEW_CAPTION, DIALOG_MS)
        print("start position 21: the preview is shown")
        check(program.running(), "the program ended")


def noprinter_scenario(helper, keyboard, exe, work, log):
    with WineProgram(exe, work, log) as program:
        wait_main_window(helper, program)
        copy_records_to_labels(helper, keyboard)
        before = label_grid_picture(helper, work, "before")
        for downs, what in ((2, "preview"), (1, "print")):
            request(helper, keyboard, downs, "4")
            expect_message(helper, keyboard, ERROR_CAPTION, NO_PRINTER)
            check_labels_unchanged(helper, work, before, "after-" + what)
            print("%s without a printer: the Turkish message, no placeholder left" % what)
        check(program.running(), "the program ended")


def without_printers(work):
    """A Wine prefix of its own in the work folder, whose programs reach no
    CUPS scheduler: Wine then knows no printer at all."""
    os.environ["WINEPREFIX"] = os.path.join(work, "prefix")
    os.environ["CUPS_SERVER"] = os.path.join(work, "no-cups.sock")
    for name in ("DOZURI_PDF_PRINTER", "DOZURI_RAW_PRINTER"):
        os.environ.pop(name, None)
    subprocess.run(["wineboot", "-i"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=PREFIX_START_S)


def stop_prefix():
    subprocess.run(["wineserver", "-k"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=60)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--scenario", required=True, choices=("start", "noprinter"))
    parser.add_argument("--exe", required=True, help="Dozuri.exe to test")
    parser.add_argument("--layout", required=True, help="the default layout etiket.vlp")
    parser.add_argument("--helper", required=True, help="e2e_helper.exe")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    args = parser.parse_args()

    def prepare(work):
        shutil.copy(args.layout, os.path.join(work, "etiket.vlp"))
        if args.scenario == "noprinter":
            without_printers(work)

    scenario = start_scenario if args.scenario == "start" else noprinter_scenario
    try:
        return drive_program(args.exe, args.helper, "dozuri-print-request-e2e-", scenario, keep=args.keep,
                             prepare=prepare)
    finally:
        if args.scenario == "noprinter":
            stop_prefix()


if __name__ == "__main__":
    sys.exit(main())
