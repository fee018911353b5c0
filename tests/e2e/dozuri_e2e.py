#!/usr/bin/env python3
"""Drives Dozuri.exe under Wine as a user would: types a record into the main
window and saves it (Alt+F2), closes it once with Cancel and once with OK, checks the record file
the program writes, then starts it again over that file.

Run inside the test desktop (tools/desktop), which sets DISPLAY and
WINEPREFIX. When DOZURI_E2E_SCREENSHOT names a file (.png or .bmp), a picture
of the main window after typing is written there.
"""

import argparse
import os
import sys
import time

# The driver's modules sit beside it; no byte-code files in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from scenario_run import check, drive_program, save_picture  # noqa: E402
from wine_program import WineProgram  # noqa: E402

MAIN_CAPTION = "VORTELIM Dozuri s4.03.01"
QUESTION_CAPTION = "Soru"
RECORD_SIZE = 4040
FIELD_SLOT = 202
FIELD_COUNT = 20

START_MS = 60000      # Wine's first start of a program in the prefix is slow
START_STEP_MS = 2000
DIALOG_MS = 15000
INPUT_MS = 10000
EXIT_S = 30


def expected_record(texts):
    """One record of the record file: per field a flag byte, then the text
    in code page 1254, zero-terminated; fields without a value are all zeros."""
    record = bytearray(RECORD_SIZE)
    for number, text in texts.items():
        at = FIELD_SLOT * (number - 1)
        record[at] = 1
        encoded = text.encode("cp1254")
        record[at + 1:at + 1 + len(encoded)] = encoded
    return bytes(record)


def describe_record(data):
    """Flag and text of every field of the file's first record, for messages."""
    parts = []
    for number in range(1, FIELD_COUNT + 1):
        slot = data[FIELD_SLOT * (number - 1):FIELD_SLOT * number]
        if slot[:1] not in (b"", b"\x00"):
            parts.append("METIN%d=%r" % (number, slot[1:].split(b"\0")[0].decode("cp1254")))
    return ", ".join(parts) or "no field set"


def check_record_file(path, texts):
    check(os.path.isfile(path), "the record file %s was not written" % path)
    data = open(path, "rb").read()
    check(len(data) == RECORD_SIZE, "record file has %d bytes, expected one record of %d" % (len(data), RECORD_SIZE))
    # Only flags and texts up to their zero byte carry meaning; compare those.
    for number in range(1, FIELD_COUNT + 1):
        at = FIELD_SLOT * (number - 1)
        text = texts.get(number)
        if text is None:
            check(data[at] == 0, "METIN%d: flag %d, expected 0 (%s)" % (number, data[at], describe_record(data)))
            continue
        want = b"\x01" + text.encode("cp1254") + b"\x00"
        check(data[at:at + len(want)] == want,
              "METIN%d: slot starts %r, expected %r" % (number, data[at:at + len(want)], want))
    return data


def wait_main_window(helper, program):
    """Waits for the main window in short steps, so a program that ends
    before its window comes up fails at once instead of after the whole wait."""
    deadline = time.monotonic() + START_MS / 1000
    while True:
        check(program.running(), "the program ended (exit code %s) before its window came up"
              % program.process.returncode)
        if helper.run("wait", MAIN_CAPTION, str(START_STEP_MS), wait_ms=START_STEP_MS).returncode == 0:
            return
        check(time.monotonic() < deadline, "the main window did not come up within %d s" % (START_MS // 1000))


def answer_close_question(helper, keyboard, program, key):
    """Esc on the main window runs the close action; the question box comes up
    and gets `key` (ESCAPE for Cancel, RETURN for OK, the default button)."""
    keyboard.keys(MAIN_CAPTION, "key:ESCAPE")
    helper.wait_window(QUESTION_CAPTION, DIALOG_MS)
    keyboard.keys(QUESTION_CAPTION, "key:" + key)
    if key == "RETURN":
        check(program.wait_exit(EXIT_S) == 0, "the program ended with a failure code")
    else:
        helper.wait_window_gone(QUESTION_CAPTION, DIALOG_MS)


def first_run(helper, keyboard, exe, work, log):
    data_dir = os.path.join(work, "Data")
    record_file = os.path.join(data_dir, "barkod.bxf")
    with WineProgram(exe, work, log) as program:
        wait_main_window(helper, program)
        print("main window is up")
        check(os.path.isdir(data_dir), "Data was not created at start")
        check(os.path.isdir(os.path.join(data_dir, "Ini")), "Data\\Ini was not created at start")
        check(not os.path.exists(record_file), "the record file was written at start")

        # METIN1 has the focus at start; Enter moves on to METIN2 as Tab would.
        helper.wait_focused_text(MAIN_CAPTION, "", INPUT_MS)
        keyboard.keys(MAIN_CAPTION, "text:ABC")
        helper.wait_focused_text(MAIN_CAPTION, "ABC", INPUT_MS)
        keyboard.keys(MAIN_CAPTION, "key:RETURN")
        helper.wait_focused_text(MAIN_CAPTION, "", INPUT_MS)
        keyboard.keys(MAIN_CAPTION, "text:12345")
        helper.wait_focused_text(MAIN_CAPTION, "12345", INPUT_MS)
        # Alt+F2 saves the record: Esc on a record still being typed would
        # drop it instead of asking to quit.
        keyboard.keys(MAIN_CAPTION, "key:ALT+F2")
        print("record typed and saved")

        target = os.environ.get("DOZURI_E2E_SCREENSHOT")
        if target:
            save_picture(helper, MAIN_CAPTION, work, target, "main window")

        answer_close_question(helper, keyboard, program, "ESCAPE")
        check(program.running(), "the program ended although the close was cancelled")
        helper.wait_window(MAIN_CAPTION, DIALOG_MS)
        # The form is as it was: the focus back in METIN2 with its text.
        helper.wait_focused_text(MAIN_CAPTION, "12345", INPUT_MS)
        check(not os.path.exists(record_file), "the record file was written although the close was cancelled")
        print("Cancel keeps the program running")

        answer_close_question(helper, keyboard, program, "RETURN")
        print("OK closed the program")
    return check_record_file(record_file, {1: "ABC", 2: "12345"})


def second_run(helper, keyboard, exe, work, log, saved):
    """The saved record is read back at start and written again unchanged."""
    record_file = os.path.join(work, "Data", "barkod.bxf")
    with WineProgram(exe, work, log) as program:
        wait_main_window(helper, program)
        helper.wait_focused_text(MAIN_CAPTION, "ABC", INPUT_MS)
        answer_close_question(helper, keyboard, program, "RETURN")
    again = open(record_file, "rb").read()
    check(again == saved, "the record file changed over a start and close: %s" % describe_record(again))
    print("second start read the record back and saved it unchanged")


def both_runs(helper, keyboard, exe, work, log):
    saved = first_run(helper, keyboard, exe, work, log)
    second_run(helper, keyboard, exe, work, log, saved)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True, help="Dozuri.exe to test")
    parser.add_argument("--helper", required=True, help="e2e_helper.exe")
    parser.add_argument("--input", choices=("xdotool", "sendinput"), default="xdotool",
                        help="how keys reach the program (see key_input.py)")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    args = parser.parse_args()
    return drive_program(args.exe, args.helper, "dozuri-e2e-", both_runs, keep=args.keep, input_kind=args.input)


if __name__ == "__main__":
    sys.exit(main())
