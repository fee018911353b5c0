#!/usr/bin/env python3
"""A margin typed into the designer's property inspector, end to end: starts
Dozuri.exe under Wine with the default layout beside it, types three records
(code, name, price), copies them to the labels and prints them on the
desktop's PDF queue. Then the designer on etiket.vlp: QRDBText2 chosen in
the component list, the inspector's rows from "Tablo" (ETIKET) and "Alan"
(METIN3) down to "Sol Bosluk", whose value is noted; 10 typed over it and
Enter; Ctrl+S, "&Kapat", and the labels are printed again. In the second
PDF (pdftotext -bbox) every price word lies right of where it lay in the
first by 10 mm less the noted value, every name word where it was.

Pictures of the inspector before and after the change are left in the work
folder (kept with --keep).

Run inside the test desktop (tools/desktop).
"""

import os
import re
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from designer_inspector import enter_data_text_rows, next_rows, select_in_component_list, type_over  # noqa: E402
from dozuri_designer_e2e import (RECORDS, check_shift, open_designer, pdf_queue_folder, pdf_words,  # noqa: E402
                                 print_labels, save_and_close, type_and_print)
from dozuri_e2e import MAIN_CAPTION  # noqa: E402
from scenario_run import check, main_with_default_layout, save_picture  # noqa: E402
from wine_program import WineProgram  # noqa: E402

# The default layout's data text of the price field.
PRICE_TEXT = "QRDBText2"
PRICE_FIELD = "METIN3"
# A data text's rows after "Alan": "Font", "Renk", then "Sol Bosluk".
ROWS_FROM_FIELD_TO_LEFT = 3
NEW_LEFT_MM = 10
POINTS_PER_MM = 72 / 25.4
NUMBER = re.compile(r"^-?[\d.,]+$")


def millimetres(shown):
    """The inspector's decimal editor text as a number: with the focus it
    shows the plain value, its decimal separator the locale's."""
    text = shown.strip()
    check(NUMBER.match(text) is not None, "the Sol Bosluk row shows %r, not a number" % shown)
    if "," in text:
        text = text.replace(".", "").replace(",", ".")
    return float(text)


def set_left_margin(helper, keyboard, work):
    """Notes the left margin the inspector shows for the price text and
    types NEW_LEFT_MM over it; the noted margin in millimetres."""
    select_in_component_list(helper, keyboard, PRICE_TEXT)
    enter_data_text_rows(helper, keyboard, PRICE_FIELD)
    next_rows(keyboard, ROWS_FROM_FIELD_TO_LEFT)
    noted = millimetres(helper.focused_text(MAIN_CAPTION))
    save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "inspector-left.png"), "inspector")
    print("Sol Bosluk shows %.4f mm" % noted)
    type_over(helper, keyboard, str(NEW_LEFT_MM))
    save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "inspector-left-10.png"), "inspector")
    shown = millimetres(helper.focused_text(MAIN_CAPTION))
    check(abs(shown - NEW_LEFT_MM) < 1e-9, "after Enter Sol Bosluk shows %r, expected %d" % (shown, NEW_LEFT_MM))
    return noted


def scenario(helper, keyboard, exe, work, log):
    out = pdf_queue_folder()
    layout = os.path.join(work, "etiket.vlp")
    with WineProgram(exe, work, log) as program:
        first = type_and_print(helper, keyboard, program, out)

        open_designer(helper, keyboard, work)
        noted = set_left_margin(helper, keyboard, work)
        save_and_close(helper, keyboard, layout)

        second = print_labels(helper, keyboard, out)
        print("second print:", second)
        words1, words2 = pdf_words(first), pdf_words(second)
        right_pt = (NEW_LEFT_MM - noted) * POINTS_PER_MM
        check_shift(words1, words2, [r[2] for r in RECORDS], -right_pt)
        check_shift(words1, words2, [r[1] for r in RECORDS], 0.0)
        print("the prices printed %.2f pt further right, the names where they were" % right_pt)
        check(program.running(), "the program ended")


def main():
    return main_with_default_layout(__doc__, "dozuri-inspector-e2e-", scenario)


if __name__ == "__main__":
    sys.exit(main())
