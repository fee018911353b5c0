#!/usr/bin/env python3
"""The tools menu and the calculator end to end: starts Dozuri.exe under Wine
in a fresh folder. "Araçlar Menüsünü &Düzenle", "Ekle", a name, the path of
a small program, Ctrl+F5, "Tamam" and "Kapat" write one record of 380 bytes
to Data\\Ini\\AraclarTanim.Ini, and the new menu entry starts the program,
which writes a file. Then "Hesap Makinesi" from the "Araçlar" menu: the
shaped calculator window comes up; "12+8" and Enter typed as keys put
"12 + 8 = 20" on its tape and "20" on the clipboard (copied after the
operator keys). Esc on the result resets it, Esc on "0" closes the
calculator. A picture of the calculator is written where --shot says.

Run inside the test desktop (tools/desktop).
"""

import argparse
import os
import shutil
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dozuri_e2e import DIALOG_MS, INPUT_MS, MAIN_CAPTION, answer_close_question, wait_main_window  # noqa: E402
from scenario_run import check, drive_program, save_picture  # noqa: E402
from wine_program import WineProgram, wine_path  # noqa: E402

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


# The list editor and the entry dialog carry the main window's caption and
# lie above it; their owner-drawn buttons (90 x 28 and 85 x 28) are clicked
# at their middles and click on the button's release.
EDITOR_BUTTONS = {"Ekle": (45, 14), "Kapat": (45, 14)}
ENTRY_BUTTONS = {"Tamam": (42, 14)}
# The shortcut box (110, 104) seen from "Tamam" (230, 140).
HOTKEY_FROM_TAMAM = ("-100", "-26")
TOOL_NAME = "Çizim Aracı"
RECORD_SIZE = 380
USER_ITEM = 4  # after the calculator and the maker's two tools


def press_button(helper, text, at):
    helper.ok("clickrel", MAIN_CAPTION, text, str(at[0]), str(at[1]))
    time.sleep(1.5)


def text_field(data, offset, size):
    length = min(data[offset], size)
    return data[offset + 1:offset + 1 + length]


def check_tools_file(path, tool_path):
    data = open(path, "rb").read()
    check(len(data) == RECORD_SIZE, "AraclarTanim.Ini holds %d bytes, not one record of 380" % len(data))
    expected = {0: (TOOL_NAME.encode("cp1254"), 100), 101: (b"", 100), 208: (b"Ctrl+F5", 20),
                229: (tool_path.encode("cp1254"), 150)}
    for offset, (text, size) in expected.items():
        found = text_field(data, offset, size)
        check(found == text, "the field at %d holds %r, not %r" % (offset, found, text))
    check(data[204:208] == b"\xff\xff\xff\xff", "the image index is %r, not -1" % data[204:208])
    print("AraclarTanim.Ini holds the new entry")


def add_tool(helper, keyboard, work, tool_path):
    """"Araçlar Menüsünü &Düzenle", "Ekle", a name, the program's path,
    Ctrl+F5, "Tamam", "Kapat"."""
    open_tools_item(keyboard, EDIT_ITEM)
    time.sleep(2)
    press_button(helper, "Ekle", EDITOR_BUTTONS["Ekle"])
    keyboard.keys(MAIN_CAPTION, "text:" + TOOL_NAME)
    helper.wait_focused_text(MAIN_CAPTION, TOOL_NAME, INPUT_MS)
    keyboard.keys(MAIN_CAPTION, "key:TAB", "text:" + tool_path)
    helper.wait_focused_text(MAIN_CAPTION, tool_path, INPUT_MS)
    # The shortcut box, clicked at its place left of and above "Tamam" (Tab
    # from the path stops at the path's own browse button first).
    helper.ok("clickrel", MAIN_CAPTION, "Tamam", *HOTKEY_FROM_TAMAM)
    time.sleep(0.5)
    keyboard.keys(MAIN_CAPTION, "key:CTRL+F5")
    time.sleep(0.5)
    press_button(helper, "Tamam", ENTRY_BUTTONS["Tamam"])
    press_button(helper, "Kapat", EDITOR_BUTTONS["Kapat"])
    check_tools_file(os.path.join(work, "Data", "Ini", "AraclarTanim.Ini"), tool_path)


def start_tool(keyboard, work):
    started = os.path.join(work, "started.txt")
    open_tools_item(keyboard, USER_ITEM)
    wait_until("the tools menu's new entry did not start its program", DIALOG_MS,
               lambda: os.path.exists(started))
    print("the new entry started its program")


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


def scenario(helper, keyboard, exe, work, log, tool, shot):
    tool_copy = shutil.copy(tool, os.path.join(work, "cizim.exe"))
    with WineProgram(exe, work, log) as program:
        wait_main_window(helper, program)
        add_tool(helper, keyboard, work, wine_path(tool_copy))
        start_tool(keyboard, work)
        calculator(helper, keyboard, work, shot)
        answer_close_question(helper, keyboard, program, "RETURN")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True, help="Dozuri.exe to test")
    parser.add_argument("--helper", required=True, help="e2e_helper.exe")
    parser.add_argument("--tool", required=True, help="e2e_starttool.exe, the program the new entry starts")
    parser.add_argument("--shot", help="where to write a picture of the calculator (PNG)")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    args = parser.parse_args()
    return drive_program(args.exe, args.helper, "dozuri-tools-e2e-",
                         lambda h, k, e, w, l: scenario(h, k, e, w, l, args.tool, args.shot), keep=args.keep)


if __name__ == "__main__":
    sys.exit(main())
