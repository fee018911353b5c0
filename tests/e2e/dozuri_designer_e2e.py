#!/usr/bin/env python3
"""The designer end to end: starts Dozuri.exe under Wine in a fresh folder
with the default layout beside it, types three records (code, name, price),
copies them to the labels with ">>" and prints them on the desktop's PDF
queue. Then "Ayarlar", the top row "Varsayilan", "Tasarla": the designer
opens on etiket.vlp (its status bar names the file); the bold METIN2 data
text is dragged 8 pixels left with the mouse, Ctrl+S saves, "&Kapat" closes
the designer without a question, "Kapat" the chooser, and the labels are
printed again. In the second PDF (pdftotext -bbox) every METIN2 word lies
6.0 points (8 pixels at 96 per inch) left of where it lay in the first, the
METIN3 words where they were. The designer opened on the file once more
shows no message and names the file in its status bar.

Pictures of the chooser and of the designer before and after the drag are
left in the work folder (kept with --keep).

Run inside the test desktop (tools/desktop).
"""

import html
import os
import re
import subprocess
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dozuri_e2e import INPUT_MS, MAIN_CAPTION, wait_main_window  # noqa: E402
from dozuri_labels_e2e import answer_default, modified_key, open_print_menu, save_record  # noqa: E402
from labels_pdf_e2e import pdfs_in, wait_for_new_pdf  # noqa: E402
from scenario_run import check, main_with_default_layout, save_picture  # noqa: E402
from wine_program import StepFailed, WineProgram, wine_path  # noqa: E402

RECORDS = [("8690000000012", "Çiğdem Şeker", "12,50 TL"), ("4006381333931", "Işık Öğretmen", "7,25 TL"),
           ("5901234123457", "Ağaç Süngü", "99,90 TL")]
# The chooser, the designer and the main form all carry the main form's
# caption; the window classes tell them apart.
MAIN_CLASS = "TAnaF"
CHOOSER_CLASS = "TRaporSecF"
DESIGNER_CLASS = "TDizaynAnaF"
WINDOW_MS = 30000
# A message box may take a while to come up after the command that shows it.
SETTLE_S = 2.0
DRAG_PIXELS = 8
DRAG_STEPS = 8
# 8 pixels at 96 per inch, in points; what the PDF positions may differ by.
EXPECTED_SHIFT_PT = 6.0
TOLERANCE_PT = 0.3
# The top row of the chooser's list: below the column header, clear of the
# check box at the row's left end.
TOP_ROW_AT = (100, 30)


def type_records(helper, keyboard, records=RECORDS):
    """Each record's fields in order (code, name, price ...); Enter moves on
    as Tab does."""
    helper.wait_focused_text(MAIN_CAPTION, "", INPUT_MS)
    for number, fields in enumerate(records):
        if number > 0:
            save_record()
            modified_key("ctrl", "F2")
            time.sleep(0.5)
            helper.wait_focused_text(MAIN_CAPTION, "", INPUT_MS)
        for index, text in enumerate(fields):
            if index > 0:
                keyboard.keys(MAIN_CAPTION, "key:RETURN")
                helper.wait_focused_text(MAIN_CAPTION, "", INPUT_MS)
            keyboard.keys(MAIN_CAPTION, "text:" + text)
            helper.wait_focused_text(MAIN_CAPTION, text, INPUT_MS)
    save_record()
    print("%d records typed" % len(records))


def copy_to_labels(helper, keyboard):
    """">>" on the print page: the typed records become labels, one copy each."""
    modified_key("ctrl", "Tab")
    time.sleep(1)
    helper.ok("click", MAIN_CAPTION, ">>")
    answer_default(keyboard)  # "Kaç Adet": 1


def copy_to_labels_and_print(helper, keyboard, out):
    """">>" on the print page (one copy each), then "Yazdır"; the new PDF."""
    copy_to_labels(helper, keyboard)
    return print_labels(helper, keyboard, out)


def print_labels(helper, keyboard, out):
    before = pdfs_in(out)
    open_print_menu(helper, keyboard, 1)  # "Yazdır"
    answer_default(keyboard)  # "Kaçıncı etiketten başlanacak": 1
    return wait_for_new_pdf(out, before)


def front_class(helper):
    caption, _, kind = helper.ok("front").rstrip("\r\n").partition("\t")
    return caption, kind


def wait_front_class(helper, kind, ms=WINDOW_MS):
    """Waits until the foreground window is of the class `kind`; a message
    box in front instead fails the step with its text."""
    deadline = time.monotonic() + ms / 1000
    while True:
        caption, front = front_class(helper)
        if front == kind:
            return
        if front == "#32770":
            shown = helper.run("message", caption).stdout.decode("utf-8", "replace").strip()
            raise StepFailed("a message box %r came up instead of %s: %s" % (caption, kind, shown))
        if time.monotonic() >= deadline:
            raise StepFailed("the window in front is %r (%s), expected %s" % (caption, front, kind))
        time.sleep(0.3)


def check_no_message(helper, kind, what):
    """After a pause, the window of class `kind` is still in front and no
    message box carries the program's caption."""
    time.sleep(SETTLE_S)
    wait_front_class(helper, kind, 0)
    box = helper.run("message", MAIN_CAPTION)
    check(box.returncode != 0, "%s showed a message: %s" % (what, box.stdout.decode("utf-8", "replace").strip()))


def child_rect(helper, kind, order):
    left, top, right, bottom = (int(v) for v in helper.ok("rect", MAIN_CAPTION, kind, str(order)).split())
    return left, top, right, bottom


def click_screen(helper, x, y):
    """A click through the mouse: pressed and released at one point."""
    helper.ok("drag", MAIN_CAPTION, str(x), str(y), str(x), str(y), "1")


def open_designer(helper, keyboard, work, pictures=False):
    """"Ayarlar" from the print button's menu, the top row, "Tasarla"; waits
    for the designer and checks that its status bar names etiket.vlp."""
    open_print_menu(helper, keyboard, 3)  # "Ayarlar"
    wait_front_class(helper, CHOOSER_CLASS)
    left, top, _, _ = child_rect(helper, "TListView", 1)
    click_screen(helper, left + TOP_ROW_AT[0], top + TOP_ROW_AT[1])
    time.sleep(0.5)
    if pictures:
        save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "chooser.png"), "chooser")
    helper.ok("click", MAIN_CAPTION, "Tasarla")
    wait_front_class(helper, DESIGNER_CLASS)
    if pictures:
        time.sleep(0.5)
        save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "designer-open.png"), "designer")
    status = helper.ok("status", MAIN_CAPTION).rstrip("\r\n")
    expected = wine_path(os.path.join(work, "etiket.vlp"))
    check(status.lower() == expected.lower(), "the designer's status bar shows %r, expected %r" % (status, expected))


def metin2_text_rect(helper):
    """The METIN2 data text: of the layout's two data texts, the upper one."""
    rects = [child_rect(helper, "TQRDBText", order) for order in (1, 2)]
    return min(rects, key=lambda r: r[1])


def drag_metin2_left(helper, work):
    left, top, right, bottom = metin2_text_rect(helper)
    x, y = (left + right) // 2, (top + bottom) // 2
    helper.ok("drag", MAIN_CAPTION, str(x), str(y), str(x - DRAG_PIXELS), str(y), str(DRAG_STEPS))
    time.sleep(0.5)
    moved = metin2_text_rect(helper)
    save_picture(helper, MAIN_CAPTION, work, os.path.join(work, "designer-after.png"), "designer")
    check(moved == (left - DRAG_PIXELS, top, right - DRAG_PIXELS, bottom),
          "the METIN2 text lies at %r after the drag, expected %r" %
          (moved, (left - DRAG_PIXELS, top, right - DRAG_PIXELS, bottom)))
    print("METIN2 dragged %d pixels left" % DRAG_PIXELS)


def close_saved_designer(helper):
    """"&Kapat" on a saved layout: back to the chooser without a question."""
    helper.ok("click", MAIN_CAPTION, "&Kapat")
    wait_front_class(helper, CHOOSER_CLASS)
    check_no_message(helper, CHOOSER_CLASS, "closing the saved designer")


def save_and_close(helper, keyboard, layout):
    before = open(layout, "rb").read()
    keyboard.keys(MAIN_CAPTION, "key:CTRL+S")
    deadline = time.monotonic() + WINDOW_MS / 1000
    while open(layout, "rb").read() == before:
        check(time.monotonic() < deadline, "Ctrl+S did not write %s" % layout)
        time.sleep(0.3)
    print("Ctrl+S wrote the layout")
    close_saved_designer(helper)
    helper.ok("click", MAIN_CAPTION, "Kapat")
    wait_front_class(helper, MAIN_CLASS)


WORD = re.compile(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>')


def pdf_words(pdf):
    """Every word of the PDF's first page: text -> [(x, y)] in reading order."""
    page = subprocess.run(["pdftotext", "-bbox", "-f", "1", "-l", "1", pdf, "-"], capture_output=True,
                          timeout=120).stdout.decode("utf-8", "replace")
    words = {}
    for x, y, text in WORD.findall(page):
        words.setdefault(html.unescape(text), []).append((float(x), float(y)))
    for places in words.values():
        places.sort(key=lambda p: (round(p[1]), p[0]))
    return words


def check_shift(first, second, texts, shift):
    """Every word of `texts` lies `shift` points further left in `second`
    than in `first` (a negative `shift`: further right), at the same height."""
    for word in sorted({w for text in texts for w in text.split()}):
        before, after = first.get(word, []), second.get(word, [])
        check(len(before) == len(after) > 0, "%r: %d places before, %d after" % (word, len(before), len(after)))
        for (x1, y1), (x2, y2) in zip(before, after):
            check(abs((x1 - x2) - shift) <= TOLERANCE_PT and abs(y1 - y2) <= TOLERANCE_PT,
                  "%r moved from (%.2f, %.2f) to (%.2f, %.2f); expected %.2f pt left (less than 0: right)" %
                  (word, x1, y1, x2, y2, shift))


def pdf_queue_folder():
    """Where the desktop's PDF queue leaves its files."""
    out = os.environ.get("DOZURI_PDF_OUT")
    check(out, "DOZURI_PDF_OUT is not set: run inside tools/desktop")
    return out


def type_and_print(helper, keyboard, program, out, records=RECORDS):
    """Once the main form is up: `records` typed, copied to the labels and
    printed; the PDF of that first print."""
    wait_main_window(helper, program)
    type_records(helper, keyboard, records)
    first = copy_to_labels_and_print(helper, keyboard, out)
    print("first print:", first)
    return first


def scenario(helper, keyboard, exe, work, log):
    out = pdf_queue_folder()
    layout = os.path.join(work, "etiket.vlp")
    with WineProgram(exe, work, log) as program:
        first = type_and_print(helper, keyboard, program, out)

        open_designer(helper, keyboard, work, pictures=True)
        print("the designer shows etiket.vlp")
        drag_metin2_left(helper, work)
        save_and_close(helper, keyboard, layout)

        second = print_labels(helper, keyboard, out)
        print("second print:", second)
        words1, words2 = pdf_words(first), pdf_words(second)
        check_shift(words1, words2, [r[1] for r in RECORDS], EXPECTED_SHIFT_PT)
        check_shift(words1, words2, [r[2] for r in RECORDS], 0.0)
        print("METIN2 printed %.1f pt further left, METIN3 where it was" % EXPECTED_SHIFT_PT)

        open_designer(helper, keyboard, work)
        check_no_message(helper, DESIGNER_CLASS, "opening the saved layout")
        print("the saved layout opens in the designer without a message")
        helper.ok("click", MAIN_CAPTION, "&Kapat")
        wait_front_class(helper, CHOOSER_CLASS)
        check(program.running(), "the program ended")


def main():
    return main_with_default_layout(__doc__, "dozuri-designer-e2e-", scenario)


if __name__ == "__main__":
    sys.exit(main())
