#!/usr/bin/env python3
"""The tools menu and the calculator end to end: starts Dozuri.exe under Wine
in a fresh folder and opens "Hesap Makinesi" from the "Araçlar" menu. The
shaped calculator window comes up; "12+8" and Enter typed as keys put
"12 + 8 = 20" on its tape and "20" on the clipboard (copied after the
operator keys). Esc on the result resets it, Esc on "0" closes the
calculator. A picture of the calculator is written where --shot says.

Run inside the test desktop (tools/desktop).
"""

import argparse
import os
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dozuri_e2e import DIALOG_MS, INPUT_MS, MAIN_CAPTION, answer_close_question, wait_main_window  # noqa: E402
from scenario_run import check, drive_program, save_picture  # noqa: E402
from wine_program import WineProgram  # noqa: E402

CALC_CAPTION = "Hesap Makinesi"
# The "Araçlar" menu: "Araçlar Menüsünü &Düzenle", a separator, then the fixed
# entries, the calculator first. Down moves over the selectable items only.
EDIT_ITEM = 0
CALC_ITEM = 1


def wait_until(what, ms, test):
    deadline = time.monotonic() + ms / 1000
    while not test():
        check(time.monotonic() < deadline, what)
        time.sleep(0.3)


def open_tools_item(keyboard, index):
    """F10 selects the menu bar's "Dosya", Right "Araçlar", Down opens it on
    its first item; `index` more Downs and Enter choose an item."""
    keyboard.keys(MAIN_CAPTION, "key:F10", "key:RIGHT", "key:DOWN", *(["key:DOWN"] * index))
    time.sleep(0.5)
    keyboard.keys(MAIN_CAPTION, "key:RETURN")


def calculator(helper, keyboard, work, shot):
    open_tools_item(keyboard, CALC_ITEM)
    helper.wait_window(CALC_CAPTION, DIALOG_MS)
    keyboard.keys(CALC_CAPTION, "text:12+8", "key:RETURN")
    wait_until("the tape did not show 12 + 8 = 20", INPUT_MS,
               lambda: "12 + 8 = 20" in helper.ok("texts", CALC_CAPTION).splitlines())
    clip = helper.ok("clipboard").strip()
    check(clip == "20", "the clipboard holds %r, not 20" % clip)
    print("12+8 Enter gave 20 on the tape and the clipboard")
    if shot:
        save_picture(helper, CALC_CAPTION, work, shot, "calculator")
    keyboard.keys(CALC_CAPTION, "key:ESCAPE")
    time.sleep(1)
    check(helper.run("wait", CALC_CAPTION, "500", wait_ms=500).returncode == 0,
          "Esc on a result closed the calculator instead of resetting it")
    keyboard.keys(CALC_CAPTION, "key:ESCAPE")
    helper.wait_window_gone(CALC_CAPTION, DIALOG_MS)
    print("Esc reset the calculator, then closed it")


def scenario(helper, keyboard, exe, work, log, shot):
    with WineProgram(exe, work, log) as program:
        wait_main_window(helper, program)
        calculator(helper, keyboard, work, shot)
        answer_close_question(helper, keyboard, program, "RETURN")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True, help="Dozuri.exe to test")
    parser.add_argument("--helper", required=True, help="e2e_helper.exe")
    parser.add_argument("--shot", help="where to write a picture of the calculator (PNG)")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    args = parser.parse_args()
    return drive_program(args.exe, args.helper, "dozuri-tools-e2e-",
                         lambda h, k, e, w, l: scenario(h, k, e, w, l, args.shot), keep=args.keep)


if __name__ == "__main__":
    sys.exit(main())
