#!/usr/bin/env python3
"""Esc on the main window end to end: starts Dozuri.exe under Wine in a fresh
folder and saves one record with Alt+F2. Esc while a new record (Ctrl+F2) or
a change to the saved one is being typed drops what was typed and asks
nothing; Esc on the record at rest asks to quit. Closing with OK then writes
the saved record alone: nothing half typed reached the record file.

Run inside the test desktop (tools/desktop).
"""

import argparse
import os
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dozuri_e2e import (INPUT_MS, MAIN_CAPTION, QUESTION_CAPTION, answer_close_question,  # noqa: E402
                        check_record_file, wait_main_window)
from dozuri_labels_e2e import modified_key, save_record  # noqa: E402
from scenario_run import check, drive_program  # noqa: E402
from wine_program import WineProgram  # noqa: E402

SAVED = "ABC"
# How long a question box would take to come up after Esc, had Esc asked.
NO_QUESTION_MS = 2000


def wait_focused_text_other_than(helper, text, ms):
    """Polls until the focused control shows something other than `text`."""
    deadline = time.monotonic() + ms / 1000
    while helper.focused_text(MAIN_CAPTION) == text:
        check(time.monotonic() < deadline, "the focused control still shows %r" % text)
        time.sleep(0.2)


def escape_drops_the_typing(helper, keyboard, what):
    """Esc while a record is being typed: METIN1 shows the saved text again
    and no question comes up."""
    keyboard.keys(MAIN_CAPTION, "key:ESCAPE")
    helper.wait_focused_text(MAIN_CAPTION, SAVED, INPUT_MS)
    asked = helper.run("wait", QUESTION_CAPTION, str(NO_QUESTION_MS), wait_ms=NO_QUESTION_MS).returncode == 0
    check(not asked, "Esc while %s asked a question instead of dropping what was typed" % what)
    print("Esc dropped the %s and asked nothing" % what)


def scenario(helper, keyboard, exe, work, log):
    record_file = os.path.join(work, "Data", "barkod.bxf")
    with WineProgram(exe, work, log) as program:
        wait_main_window(helper, program)
        helper.wait_focused_text(MAIN_CAPTION, "", INPUT_MS)
        keyboard.keys(MAIN_CAPTION, "text:" + SAVED)
        helper.wait_focused_text(MAIN_CAPTION, SAVED, INPUT_MS)
        save_record()

        # A new record: Ctrl+F2, half typed into METIN1.
        modified_key("ctrl", "F2")
        helper.wait_focused_text(MAIN_CAPTION, "", INPUT_MS)
        keyboard.keys(MAIN_CAPTION, "text:YARIM")
        helper.wait_focused_text(MAIN_CAPTION, "YARIM", INPUT_MS)
        escape_drops_the_typing(helper, keyboard, "new record")

        # A change to the saved record, typed into METIN1.
        keyboard.keys(MAIN_CAPTION, "text:XY")
        wait_focused_text_other_than(helper, SAVED, INPUT_MS)
        escape_drops_the_typing(helper, keyboard, "change")

        # At rest Esc asks; Cancel keeps the program, OK closes it.
        answer_close_question(helper, keyboard, program, "ESCAPE")
        check(program.running(), "the program ended although the close was cancelled")
        answer_close_question(helper, keyboard, program, "RETURN")
        print("Esc at rest asked to quit")
    check_record_file(record_file, {1: SAVED})
    print("the record file holds the saved record alone")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True, help="Dozuri.exe to test")
    parser.add_argument("--helper", required=True, help="e2e_helper.exe")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    args = parser.parse_args()
    return drive_program(args.exe, args.helper, "dozuri-escape-e2e-", scenario, keep=args.keep)


if __name__ == "__main__":
    sys.exit(main())
