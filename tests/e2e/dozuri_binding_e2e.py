#!/usr/bin/env python3
"""Binding a data text to another field in the designer, end to end: starts
Dozuri.exe under Wine with the default layout beside it, types three records
(code, name, price and a fourth text), copies them to the labels and prints
them on the desktop's PDF queue. Then the designer on etiket.vlp: a click on
the METIN3 data text (the lower of the two), the inspector's "Alan" row, its
button; in the field picker "Metin 4" is typed into the search box and
taken with Enter; Ctrl+S, "&Kapat", and the labels are printed again. In
the second PDF each label's fourth text stands where its price stood in
the first, and no price is printed.

Pictures of the picker are left in the work folder (kept with --keep).

Run inside the test desktop (tools/desktop).
"""

import os
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from designer_inspector import enter_data_text_rows  # noqa: E402
from dozuri_designer_e2e import (DESIGNER_CLASS, child_rect, click_screen, open_designer,  # noqa: E402
                                 pdf_queue_folder, pdf_words, print_labels, save_and_close, type_and_print,
                                 wait_front_class)
from dozuri_e2e import MAIN_CAPTION  # noqa: E402
from scenario_run import check, main_with_default_layout, save_picture  # noqa: E402
from wine_program import WineProgram  # noqa: E402

RECORDS = [("8690000000012", "Çiğdem Şeker", "12,50 TL", "Mavikalem"),
           ("4006381333931", "Işık Öğretmen", "7,25 TL", "Yeşildefter"),
           ("5901234123457", "Ağaç Süngü", "99,90 TL", "Kırmızısilgi")]
PICKER_CLASS = "TDatabaseEditorF"
CLEAR_BUTTON = "Database Bilgilerini &Temizle"
# The search box from the top left of the clear button (same parent): the
# box is at (60, 34), the button at (10, 354).
SEARCH_FROM_CLEAR = (60, 34 - 354 + 5)
# Word positions of the two prints may differ by this much (points).
TOLERANCE_PT = 0.3


def metin3_text_rect(helper):
    """The METIN3 data text: of the layout's two data texts, the lower one."""
    rects = [child_rect(helper, "TQRDBText", order) for order in (1, 2)]
    return max(rects, key=lambda r: r[1])


def choose_field_row(helper, keyboard, work):
    """Selects the METIN3 text; the inspector's button edit then shows its
    table on the first row; a click into it and the Down key move to the
    "Alan" row."""
    left, top, right, bottom = metin3_text_rect(helper)
    click_screen(helper, (left + right) // 2, (top + bottom) // 2)
    time.sleep(0.5)
    save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "designer-selected.png"), "designer")
    enter_data_text_rows(helper, keyboard, "METIN3")


def pick_metin4(helper, keyboard, work):
    left, top, right, bottom = child_rect(helper, "TVtEditButton", 1)
    click_screen(helper, (left + right) // 2, (top + bottom) // 2)
    wait_front_class(helper, PICKER_CLASS)
    time.sleep(0.5)
    save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "field-picker.png"), "field picker")
    helper.ok("clickrel", MAIN_CAPTION, CLEAR_BUTTON, str(SEARCH_FROM_CLEAR[0]), str(SEARCH_FROM_CLEAR[1]))
    keyboard.keys(MAIN_CAPTION, "text:Metin 4")
    time.sleep(0.5)
    save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "field-picker-search.png"), "field picker")
    keyboard.keys(MAIN_CAPTION, "key:RETURN")
    wait_front_class(helper, DESIGNER_CLASS)
    time.sleep(0.5)
    save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "designer-bound.png"), "designer")
    print("the field picker closed")


def first_places(words, text):
    """Where the first word of `text` stands, in reading order."""
    return words.get(text.split()[0], [])


def check_replaced(first, second):
    for record in RECORDS:
        price, fourth = record[2], record[3]
        before, after = first_places(first, price), first_places(second, fourth)
        check(len(before) == len(after) > 0, "%r: %d places before, %r: %d after" % (price, len(before), fourth,
                                                                                     len(after)))
        for (x1, y1), (x2, y2) in zip(before, after):
            check(abs(x1 - x2) <= TOLERANCE_PT and abs(y1 - y2) <= TOLERANCE_PT,
                  "%r stands at (%.2f, %.2f), %r stood at (%.2f, %.2f)" % (fourth, x2, y2, price, x1, y1))
        for word in price.split():
            if word != "TL":
                check(word not in second, "the price word %r is still printed" % word)


def scenario(helper, keyboard, exe, work, log):
    out = pdf_queue_folder()
    layout = os.path.join(work, "etiket.vlp")
    with WineProgram(exe, work, log) as program:
        first = type_and_print(helper, keyboard, program, out, RECORDS)

        open_designer(helper, keyboard, work)
        choose_field_row(helper, keyboard, work)
        pick_metin4(helper, keyboard, work)
        save_and_close(helper, keyboard, layout)

        second = print_labels(helper, keyboard, out)
        print("second print:", second)
        check_replaced(pdf_words(first), pdf_words(second))
        print("each label prints its fourth text where its price was, and no price")
        check(program.running(), "the program ended")


def main():
    return main_with_default_layout(__doc__, "dozuri-binding-e2e-", scenario)


if __name__ == "__main__":
    sys.exit(main())
