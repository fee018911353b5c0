#!/usr/bin/env python3
"""The splash and the code generator end to end: Dozuri.exe starts with its
splash (a borderless window of 500 x 310 client pixels) before the main form
and drops it about a second later; then on "Dozuri Basımı" the button
"Otomatik Dozuri Üret" opens "Otomatik Dozuri Oluştur", where start
869000000001, "12 Basamak" (the default) and count 3 make three labels;
"Yazdır" prints them on the desktop's PDF queue and zbarimg reads
8690000000012, 8690000000029 and 8690000000036 from the page at 300 dpi.
When DOZURI_E2E_SCREENSHOT names a file, a picture of the splash is written
there.

Run inside the test desktop (tools/desktop).
"""

import os
import struct
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from bmp_png import bmp_to_png  # noqa: E402
from dozuri_e2e import MAIN_CAPTION, START_MS, wait_main_window  # noqa: E402
from dozuri_labels_e2e import answer_default, modified_key, open_print_menu  # noqa: E402
from labels_pdf_e2e import pdfs_in, run, wait_for_new_pdf  # noqa: E402
from scenario_run import check, check_ean13_codes, main_with_default_layout  # noqa: E402
from wine_program import WineProgram  # noqa: E402

SPLASH_CAPTION = "SplashF"
GENERATOR_CAPTION = "Otomatik Dozuri Oluştur"
EXPECTED_CODES = {"8690000000012", "8690000000029", "8690000000036"}
DIALOG_MS = 15000
SPLASH_GONE_MS = 30000


def bmp_size(path):
    """Width and height of a BMP file."""
    data = open(path, "rb").read(26)
    width, height = struct.unpack("<ii", data[18:26])
    return width, abs(height)


def watch_splash(helper, program, work):
    """The splash comes up before the main window and goes before it shows."""
    deadline = time.monotonic() + START_MS / 1000
    while helper.run("wait", SPLASH_CAPTION, "2000", wait_ms=2000).returncode != 0:
        check(program.running(), "the program ended before its splash came up")
        check(time.monotonic() < deadline, "the splash did not come up within %d s" % (START_MS // 1000))
    seen = time.monotonic()
    bmp = os.path.join(work, "splash.bmp")
    helper.shot(SPLASH_CAPTION, bmp)
    size = bmp_size(bmp)
    check(size == (500, 310), "the splash's picture is %d x %d, expected 500 x 310 (no border)" % size)
    # Each helper call takes a while: by now the splash may have gone and the
    # main window come up, but the two must never show together.
    if helper.run("wait", MAIN_CAPTION, "0").returncode == 0:
        check(helper.run("gone", SPLASH_CAPTION, "0").returncode == 0, "the main window shows beside the splash")
    target = os.environ.get("DOZURI_E2E_SCREENSHOT")
    if target:
        with open(target, "wb") as picture:
            picture.write(bmp_to_png(open(bmp, "rb").read()))
        print("screenshot of the splash:", target)
    helper.wait_window_gone(SPLASH_CAPTION, SPLASH_GONE_MS)
    print("the splash (500 x 310) showed and went after %.1f s" % (time.monotonic() - seen))


def generate_codes(helper, keyboard):
    modified_key("ctrl", "Tab")  # the print page
    time.sleep(1)
    helper.ok("click", MAIN_CAPTION, "Otomatik Dozuri Üret")
    helper.wait_window(GENERATOR_CAPTION, DIALOG_MS)
    # The start has the focus; six tabs on is the count.
    keyboard.keys(GENERATOR_CAPTION, "text:869000000001")
    helper.wait_focused_text(GENERATOR_CAPTION, "869000000001", DIALOG_MS)
    keyboard.keys(GENERATOR_CAPTION, *(["key:TAB"] * 6), "text:3")
    helper.wait_focused_text(GENERATOR_CAPTION, "3", DIALOG_MS)
    helper.ok("click", GENERATOR_CAPTION, "Tamam")
    helper.wait_window_gone(GENERATOR_CAPTION, DIALOG_MS)
    print("three codes generated")


def scenario(helper, keyboard, exe, work, log):
    out = os.environ.get("DOZURI_PDF_OUT")
    check(out, "DOZURI_PDF_OUT is not set: run inside tools/desktop")
    with WineProgram(exe, work, log) as program:
        watch_splash(helper, program, work)
        wait_main_window(helper, program)
        generate_codes(helper, keyboard)
        before = pdfs_in(out)
        open_print_menu(helper, keyboard, 1)  # "Yazdır"
        answer_default(keyboard)  # "Kaçıncı etiketten başlanacak": 1
        check_ean13_codes(wait_for_new_pdf(out, before), work, EXPECTED_CODES)
        print("the PDF queue's page carries the three codes")
        check(program.running(), "the program ended")


def main():
    return main_with_default_layout(__doc__, "dozuri-codegen-e2e-", scenario)


if __name__ == "__main__":
    sys.exit(main())
