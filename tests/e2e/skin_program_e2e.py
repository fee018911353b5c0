#!/usr/bin/env python3
"""The skin test program given a damaged packed skin: it loads the good skin
named first (when one is given), then the damaged one, whose load shows the
manager's one error box (its text, "Loaded data is not a packed skin file",
is drawn by the message form itself: the skin tests check it through the
dialog service, and a picture of the box shows it); nothing else shows, the program keeps the skin it
had (its caption names it) and its form stays usable: text typed into its
edit shows, and its button clears it. With the good skin, a picture of the
form shows its form header painted from the skin (the panel colour and the
border colour of the skin's colour table, the white title) and, once its
button switches the manager off, the header's plain blue gradient. When
DOZURI_E2E_SCREENSHOT names a file, pictures of the form are written there.

Run inside the test desktop (tools/desktop).
"""

import argparse
import os
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from bmp_png import bmp_rows  # noqa: E402
from scenario_run import check, drive_program, save_picture  # noqa: E402
from wine_program import StepFailed, WineProgram, wine_path  # noqa: E402

FORM_CAPTION = "Skin deneme"
# The manager's error box, captioned by the message type in the desktop's language.
ERROR_CAPTIONS = ("Hata", "Error")
START_S = 60
DIALOG_MS = 15000
INPUT_MS = 10000
SECOND_BOX_MS = 2500


def write_damaged_skin(folder):
    """A packed skin whose magic is wrong."""
    path = os.path.join(folder, "Bozuk.asz")
    with open(path, "wb") as f:
        f.write(b"NOPE" + bytes(range(64)))
    return path


def error_box(helper):
    for caption in ERROR_CAPTIONS:
        if helper.run("wait", caption, "500", wait_ms=500).returncode == 0:
            return caption
    return None


def answer_error_box(helper, keyboard, program, work):
    deadline = time.monotonic() + START_S
    caption = error_box(helper)
    while caption is None:
        check(program.running(), "the program ended before the error box came up")
        check(time.monotonic() < deadline, "no error box within %d s" % START_S)
        caption = error_box(helper)
    # The message form draws its text itself (no window holds it): a picture
    # shows it; the skin tests check the text through the dialog service.
    shot = os.environ.get("DOZURI_E2E_SCREENSHOT")
    if shot:
        save_picture(helper, caption, work, os.path.splitext(shot)[0] + "-error.png", "error box")
    keyboard.keys(caption, "key:RETURN")
    helper.wait_window_gone(caption, DIALOG_MS)
    time.sleep(SECOND_BOX_MS / 1000)
    check(error_box(helper) is None, "a second error box came up")
    print("one error box, captioned", caption)


def wait_edit_cleared(helper, caption):
    """The button empties the edit: its text leaves the form's window texts."""
    deadline = time.monotonic() + INPUT_MS / 1000
    while "Deneme 123" in helper.ok("texts", caption).splitlines():
        check(time.monotonic() < deadline, "the button did not clear the edit")
        time.sleep(0.3)


def skin_colours(good_skin):
    """The colour table written beside the test skins: name -> (r, g, b)."""
    table = {}
    with open(os.path.join(os.path.dirname(good_skin), "colours.txt")) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 4 and not line.startswith("#"):
                table[parts[0]] = tuple(int(v) for v in parts[1:])
    return table


def rect(helper, caption, kind, order=1):
    return [int(v) for v in helper.ok("rect", caption, kind, str(order)).split()]


def header_picture(helper, caption, work):
    """The form's picture and the header's top-left corner in it. The form
    has equal side and bottom frames; its bottom panel ends the client area."""
    bmp = os.path.join(work, "header.bmp")
    helper.shot(caption, bmp)
    width, height, rows = bmp_rows(open(bmp, "rb").read())
    left, top, right, _ = rect(helper, caption, "TVTFormHeader")
    bottom = max(rect(helper, caption, "TsPanel", order)[3] for order in (1, 2))
    frame = (width - (right - left)) // 2
    origin = (frame, height - frame - (bottom - top))
    return rows, origin, right - left


def pixel(rows, origin, x, y):
    line = rows[origin[1] + y]
    at = 3 * (origin[0] + x)
    return tuple(line[at:at + 3])


def check_skinned_header(helper, caption, work, colours):
    rows, origin, width = header_picture(helper, caption, work)
    for x, y in ((width - 30, 15), (width // 2, 15)):
        check(pixel(rows, origin, x, y) == colours["PANEL.COLOR"],
              "the header at %d,%d shows %r, not the panel colour" % (x, y, pixel(rows, origin, x, y)))
    for x, y in ((width // 2, 2), (width - 30, 27)):
        check(pixel(rows, origin, x, y) == colours["PANEL.BORDERSMASK.0"],
              "the header at %d,%d shows %r, not the border colour" % (x, y, pixel(rows, origin, x, y)))
    white = sum(1 for y in range(6, 24) for x in range(40, 160) if min(pixel(rows, origin, x, y)) > 0xF0)
    check(white > 20, "no title in white on the skinned header")
    print("the header is skinned: panel and border colours, the title shows")


def check_plain_header(helper, caption, work):
    rows, origin, width = header_picture(helper, caption, work)
    for x, y in ((width - 30, 15), (width // 2, 15), (width // 2, 3)):
        r, g, b = pixel(rows, origin, x, y)
        check(r < g < b and b >= 0xCE, "the header at %d,%d shows %r, not the blue gradient" % (x, y, (r, g, b)))
    print("the manager switched off: the header shows its plain gradient")


def check_header(helper, caption, work, good_skin):
    check_skinned_header(helper, caption, work, skin_colours(good_skin))
    helper.ok("click", caption, "Skin kapat")
    deadline = time.monotonic() + INPUT_MS / 1000
    while True:
        time.sleep(0.5)
        try:
            check_plain_header(helper, caption, work)
            return
        except StepFailed:
            if time.monotonic() >= deadline:
                raise


def scenario(helper, keyboard, exe, good_skin, work, log):
    damaged = write_damaged_skin(work)
    args = ([wine_path(good_skin)] if good_skin else []) + [wine_path(damaged)]
    caption = FORM_CAPTION
    if good_skin:
        caption += " - " + os.path.splitext(os.path.basename(good_skin))[0]
    with WineProgram(exe, work, log, args) as program:
        answer_error_box(helper, keyboard, program, work)
        helper.wait_window(caption, DIALOG_MS)
        print("the form keeps its skin:", caption)
        # The box belonged to the application's window; bring the form back
        # to the front as a click would.
        keyboard.keys(caption, "text:")
        helper.wait_focused_text(caption, "", INPUT_MS)
        keyboard.keys(caption, "text:Deneme 123")
        helper.wait_focused_text(caption, "Deneme 123", INPUT_MS)
        shot = os.environ.get("DOZURI_E2E_SCREENSHOT")
        if shot:
            save_picture(helper, caption, work, shot, "skin test form")
        check("Deneme 123" in helper.ok("texts", caption).splitlines(), "the edit's text is not among the form's texts")
        helper.ok("click", caption, "Temizle")
        wait_edit_cleared(helper, caption)
        check(program.running(), "the program ended")
        print("the form is usable")
        if good_skin:
            check_header(helper, caption, work, good_skin)
            if shot:
                save_picture(helper, caption, work, os.path.splitext(shot)[0] + "-plain.png", "plain form")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True, help="skin_test_program.exe")
    parser.add_argument("--helper", required=True, help="e2e_helper.exe")
    parser.add_argument("--good-skin", help="a packed skin to load first")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    args = parser.parse_args()
    # The work folder's copy of the program is named Dozuri.exe; its window is the skin test form.
    return drive_program(args.exe, args.helper, "skin-program-e2e-",
                         lambda helper, keyboard, exe, work, log: scenario(helper, keyboard, exe, args.good_skin,
                                                                          work, log),
                         keep=args.keep)


if __name__ == "__main__":
    sys.exit(main())
