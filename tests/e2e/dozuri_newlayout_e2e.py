#!/usr/bin/env python3
"""A label designed from scratch, end to end: starts Dozuri.exe under Wine
with the default layout beside it, types one record and copies it to the
labels. Then "Ayarlar", "Tasarla" and, in the designer, Ctrl+N: a new
graphic layout. "Metin ekle" and a click on the detail band place a text
there, twice at different places; each gets a caption with Turkish letters
through the inspector's "Metin" row. Both are selected (the second with
Shift) and "Sol tarafa hizala" lines up their left edges. Ctrl+S saves the
layout through the save dialog into a new file in the work folder and
"&Kapat" closes the designer. In the chooser "Ekle" adds that file through
the open dialog, its row is checked and "Kaydet" keeps the list. The labels
printed on the desktop's PDF queue (pdftotext -bbox) carry both captions,
letters intact, at different heights and starting at the same x.

Pictures of the designer are left in the work folder (kept with --keep).

Run inside the test desktop (tools/desktop).
"""

import os
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dozuri_designer_e2e import (CHOOSER_CLASS, MAIN_CLASS, TOLERANCE_PT, TOP_ROW_AT, WINDOW_MS,  # noqa: E402
                                 child_rect, click_screen, close_saved_designer, copy_to_labels,
                                 open_designer, pdf_words, print_labels, type_records, wait_front_class)
from dozuri_e2e import MAIN_CAPTION, wait_main_window  # noqa: E402
from scenario_run import answer_file_dialog, check, main_with_default_layout, save_picture  # noqa: E402
from wine_program import WineProgram  # noqa: E402

RECORDS = [("8690000000012", "Kalem", "12,50 TL")]
# Two captions with the letters the code page 1254 adds; each word checked.
CAPTIONS = ["Çiğdem Şeker", "Işık İğne Öğüt"]
# Where the texts are placed, from the top left of the detail band (pixels).
PLACES = [(24, 4), (140, 22)]
# "Metin ekle" is the palette's first button: 64 pixels right of the
# palette's left edge, 2 below its top, 90 by 22 pixels.
METIN_EKLE_AT = (64 + 45, 2 + 11)
NEW_LAYOUT = "sifirdan.vlp"
# The check box of the chooser's second row, from the list's top left: the
# rows are 13 pixels apart, the first row's middle 30 pixels down.
SECOND_ROW_CHECK_AT = (9, TOP_ROW_AT[1] + 13)
INPUT_MS = 10000


def visible_rects(helper, kind):
    """The screen rectangles of every visible child window of class `kind`."""
    rects = []
    while True:
        shown = helper.run("rect", MAIN_CAPTION, kind, str(len(rects) + 1))
        if shown.returncode != 0:
            return rects
        rects.append(tuple(int(v) for v in shown.stdout.split()))


def wait_rect_count(helper, kind, count, what):
    deadline = time.monotonic() + WINDOW_MS / 1000
    while len(visible_rects(helper, kind)) != count:
        check(time.monotonic() < deadline, "%s: %d %s shown, expected %d" %
              (what, len(visible_rects(helper, kind)), kind, count))
        time.sleep(0.3)
    return visible_rects(helper, kind)


def new_layout(helper, keyboard):
    """Ctrl+N: the default layout's data texts go, one detail band is shown."""
    keyboard.keys(MAIN_CAPTION, "key:CTRL+N")
    wait_rect_count(helper, "TQRDBText", 0, "after Ctrl+N")
    bands = wait_rect_count(helper, "TQRBand", 1, "after Ctrl+N")
    print("a new layout with its detail band", bands[0])
    return bands[0]


def place_label(helper, band, place, count):
    palette = child_rect(helper, "TDsnPanel", 1)
    click_screen(helper, palette[0] + METIN_EKLE_AT[0], palette[1] + METIN_EKLE_AT[1])
    time.sleep(0.5)
    click_screen(helper, band[0] + place[0], band[1] + place[1])
    labels = wait_rect_count(helper, "TQRLabel", count, "after placing a text")
    print("%d texts placed at" % count, labels)


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def label_rects(helper):
    """The layout's texts from top to bottom (they were placed so)."""
    return sorted(visible_rects(helper, "TQRLabel"), key=lambda r: r[1])


def set_caption(helper, keyboard, label, caption):
    """Selects the text with a click; the inspector's first row, "Metin",
    then holds its caption in an edit, which takes the new one with Enter."""
    click_screen(helper, *centre(label))
    time.sleep(0.5)
    edits = visible_rects(helper, "TEdit")
    check(len(edits) == 1, "%d edits shown beside the selected text, expected the inspector's one" % len(edits))
    click_screen(helper, edits[0][0] + 10, (edits[0][1] + edits[0][3]) // 2)
    # The edit holds the text's name as its first caption: it is cleared
    # from its end with Backspace, as a user would.
    shown = helper.focused_text(MAIN_CAPTION)
    check(shown.startswith("QRLabel"), "the inspector's Metin row shows %r, expected the text's name" % shown)
    keyboard.keys(MAIN_CAPTION, "key:END", *(["key:BACK"] * len(shown)), "text:" + caption)
    helper.wait_focused_text(MAIN_CAPTION, caption, INPUT_MS)
    keyboard.keys(MAIN_CAPTION, "key:RETURN")
    time.sleep(0.5)
    print("caption %r given" % caption)


def align_left(helper, work):
    """The upper text clicked, the lower one added with Shift, "|<"."""
    upper, lower = label_rects(helper)
    click_screen(helper, *centre(upper))
    time.sleep(0.3)
    helper.ok("shiftclick", MAIN_CAPTION, *(str(v) for v in centre(lower)))
    time.sleep(0.5)
    save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "designer-selected.png"), "designer")
    helper.ok("tool", MAIN_CAPTION, "|<", "5000")  # "Sol tarafa hizala"
    time.sleep(0.5)
    save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "designer-aligned.png"), "designer")
    upper, lower = label_rects(helper)
    check(upper[0] == lower[0] and upper[1] != lower[1],
          "the texts lie at %r and %r after aligning their left edges" % (upper, lower))
    print("both texts start at x =", upper[0])


def save_new_layout(helper, keyboard, path):
    """Ctrl+S on the new layout asks for a file name."""
    keyboard.keys(MAIN_CAPTION, "key:CTRL+S")
    answer_file_dialog(helper, keyboard, MAIN_CAPTION, path, WINDOW_MS)
    deadline = time.monotonic() + WINDOW_MS / 1000
    while not os.path.isfile(path):
        check(time.monotonic() < deadline, "Ctrl+S did not write %s" % path)
        time.sleep(0.3)
    time.sleep(0.5)
    print("Ctrl+S wrote", path)


def add_and_choose(helper, keyboard, work, path):
    """"Ekle" with the open dialog appends the file's row under the default
    one; a click checks the row and "Kaydet" keeps the list."""
    helper.ok("click", MAIN_CAPTION, "Ekle")
    answer_file_dialog(helper, keyboard, MAIN_CAPTION, path, WINDOW_MS)
    wait_front_class(helper, CHOOSER_CLASS)
    time.sleep(0.5)
    left, top, _, _ = child_rect(helper, "TListView", 1)
    click_screen(helper, left + SECOND_ROW_CHECK_AT[0], top + SECOND_ROW_CHECK_AT[1])
    time.sleep(0.5)
    save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "chooser-added.png"), "chooser")
    helper.ok("click", MAIN_CAPTION, "Kaydet")
    wait_front_class(helper, MAIN_CLASS)
    print("the new layout is added and chosen")


def check_captions(words):
    """Every word of both captions once; the captions on different lines,
    their first words starting at the same x."""
    for word in sorted({w for caption in CAPTIONS for w in caption.split()}):
        check(len(words.get(word, [])) == 1, "%r printed at %r, expected once" % (word, words.get(word, [])))
    (x1, y1), (x2, y2) = (words[caption.split()[0]][0] for caption in CAPTIONS)
    check(abs(y1 - y2) > TOLERANCE_PT, "both captions printed on one line at y = %.2f" % y1)
    check(abs(x1 - x2) <= TOLERANCE_PT, "the captions start at x = %.2f and %.2f" % (x1, x2))
    print("both captions printed, starting at x = %.2f and %.2f" % (x1, x2))


def scenario(helper, keyboard, exe, work, log):
    out = os.environ.get("DOZURI_PDF_OUT")
    check(out, "DOZURI_PDF_OUT is not set: run inside tools/desktop")
    layout = os.path.join(work, NEW_LAYOUT)
    with WineProgram(exe, work, log) as program:
        wait_main_window(helper, program)
        type_records(helper, keyboard, RECORDS)
        copy_to_labels(helper, keyboard)

        open_designer(helper, keyboard, work)
        band = new_layout(helper, keyboard)
        for count, place in enumerate(PLACES, 1):
            place_label(helper, band, place, count)
        save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "designer-placed.png"), "designer")
        for label, caption in zip(label_rects(helper), CAPTIONS):
            set_caption(helper, keyboard, label, caption)
        align_left(helper, work)
        save_new_layout(helper, keyboard, layout)
        close_saved_designer(helper)

        add_and_choose(helper, keyboard, work, layout)
        pdf = print_labels(helper, keyboard, out)
        print("printed:", pdf)
        check_captions(pdf_words(pdf))
        check(program.running(), "the program ended")


def main():
    return main_with_default_layout(__doc__, "dozuri-newlayout-e2e-", scenario)


if __name__ == "__main__":
    sys.exit(main())
