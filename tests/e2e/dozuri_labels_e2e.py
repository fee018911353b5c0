#!/usr/bin/env python3
"""Labels printed end to end: starts Dozuri.exe under Wine in a fresh folder
with the default layout beside it, types three records (Turkish letters, valid
EAN-13 codes), copies them to the labels with ">>", chooses "Yazdır" on the
print page with the desktop's PDF queue as the default printer and checks the
PDF (one A4 page, the three METIN2 texts, the three codes read back at
300 dpi). Then "Önizleme Yap" must show the preview; when
DOZURI_E2E_SCREENSHOT names a file, a picture of it is written there.

Run inside the test desktop (tools/desktop).
"""

import os
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dozuri_e2e import MAIN_CAPTION, wait_main_window  # noqa: E402
from key_input import XdotoolInput, _xdotool  # noqa: E402
from labels_pdf_e2e import check_pdf, pdfs_in, wait_for_new_pdf  # noqa: E402
from scenario_run import check, main_with_default_layout, save_picture  # noqa: E402
from wine_program import WineProgram  # noqa: E402

RECORDS = [("8690000000012", "Çiğdem Şeker"), ("4006381333931", "Işık Öğretmen"), ("5901234123457", "Ağaç Süngü")]
PREVIEW_CAPTION = "Report Preview : Etiketler"
INPUT_MS = 10000
DIALOG_MS = 15000
# Where the "Yazdır" button sits on its panel (the panel that holds ">>").
PRINT_BUTTON_AT = ("40", "52")


def type_records(helper, keyboard):
    helper.wait_focused_text(MAIN_CAPTION, "", INPUT_MS)
    for number, (code, name) in enumerate(RECORDS):
        if number > 0:
            # Alt+F2 saves the record, Ctrl+F2 starts a new one (METIN1 gets the focus).
            save_record()
            modified_key("ctrl", "F2")
            time.sleep(0.5)
            helper.wait_focused_text(MAIN_CAPTION, "", INPUT_MS)
        keyboard.keys(MAIN_CAPTION, "text:" + code)
        helper.wait_focused_text(MAIN_CAPTION, code, INPUT_MS)
        keyboard.keys(MAIN_CAPTION, "key:RETURN")
        helper.wait_focused_text(MAIN_CAPTION, "", INPUT_MS)
        keyboard.keys(MAIN_CAPTION, "text:" + name)
        helper.wait_focused_text(MAIN_CAPTION, name, INPUT_MS)
    print("three records typed")


def modified_key(modifier, key):
    """A key with Control or Alt as X key events (xdotool), the way a
    keyboard sends them."""
    window = XdotoolInput().window(MAIN_CAPTION)
    _xdotool("windowfocus", "--sync", window)
    _xdotool("key", modifier + "+" + key)
    time.sleep(0.3)


def save_record():
    """Alt+F2 saves the record; the menu bar stays as it was, so the next key
    goes to the form."""
    modified_key("alt", "F2")


def answer_default(keyboard):
    """The question boxes carry the main window's caption; the one in front
    takes Enter (its default answer)."""
    time.sleep(1.5)
    keyboard.keys(MAIN_CAPTION, "key:RETURN")
    time.sleep(0.5)


def open_print_menu(helper, keyboard, downs):
    helper.ok("press", MAIN_CAPTION, ">>", *PRINT_BUTTON_AT)
    time.sleep(1.5)
    keyboard.keys(MAIN_CAPTION, *(["key:DOWN"] * downs), "key:RETURN")


def copy_records_to_labels(helper, keyboard):
    """Types the three records, saves the last, and copies them to the labels
    with ">>" on the print page (one copy each)."""
    type_records(helper, keyboard)
    save_record()
    modified_key("ctrl", "Tab")  # the print page
    time.sleep(1)
    helper.ok("click", MAIN_CAPTION, ">>")
    answer_default(keyboard)  # "Kaç Adet": 1
    print("records copied to the labels")


def print_labels(helper, keyboard):
    open_print_menu(helper, keyboard, 1)  # "Yazdır"
    answer_default(keyboard)  # "Kaçıncı etiketten başlanacak": 1


def show_preview(helper, keyboard, caption, work, target):
    """"Önizleme Yap": the preview window captioned `caption` must come up;
    a picture of it is written to `target` when one is named."""
    open_print_menu(helper, keyboard, 2)
    answer_default(keyboard)
    helper.wait_window(caption, DIALOG_MS)
    if target:
        save_picture(helper, caption, work, target, "preview")


def scenario(helper, keyboard, exe, work, log):
    out = os.environ.get("DOZURI_PDF_OUT")
    check(out, "DOZURI_PDF_OUT is not set: run inside tools/desktop")
    with WineProgram(exe, work, log) as program:
        wait_main_window(helper, program)
        copy_records_to_labels(helper, keyboard)

        before = pdfs_in(out)
        print_labels(helper, keyboard)
        pdf = wait_for_new_pdf(out, before)
        check_pdf(pdf, work)
        print("the PDF queue got one A4 page with the three labels")

        show_preview(helper, keyboard, PREVIEW_CAPTION, work, os.environ.get("DOZURI_E2E_SCREENSHOT"))
        print("the preview is shown")
        check(program.running(), "the program ended")


def main():
    return main_with_default_layout(__doc__, "dozuri-labels-e2e-", scenario)


if __name__ == "__main__":
    sys.exit(main())
