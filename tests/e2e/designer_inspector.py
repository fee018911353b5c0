"""Steps in the designer's left panel shared by the end-to-end drivers: the
component list above the inspector and the inspector's rows, worked with
the mouse and the keyboard as a user would."""

import time

from dozuri_designer_e2e import child_rect, click_screen
from dozuri_e2e import MAIN_CAPTION
from scenario_run import check

LIST_MS = 5000
# The component list is the top-most combo box of the designer: the
# inspector's combos stand below it.
MOST_COMBOS = 8
# How many names the list is walked through before giving up.
MOST_COMPONENTS = 60
# A data text's first row ("Tablo") shows the table of the default layout.
TABLE_NAME = "ETIKET"


def component_list_rect(helper):
    rects = []
    for order in range(1, MOST_COMBOS + 1):
        if helper.run("rect", MAIN_CAPTION, "TComboBox", str(order)).returncode != 0:
            break
        rects.append(child_rect(helper, "TComboBox", order))
    check(rects, "the designer shows no combo box")
    return min(rects, key=lambda r: r[1])


def select_in_component_list(helper, keyboard, name):
    """Drops the component list, goes to its first name with Home and down
    it until `name` shows; Enter closes the list. Every step selects the
    name it shows in the designer."""
    left, top, right, bottom = component_list_rect(helper)
    click_screen(helper, (left + right) // 2, (top + bottom) // 2)
    time.sleep(0.5)
    keyboard.keys(MAIN_CAPTION, "key:HOME")
    time.sleep(0.3)
    seen = []
    for _ in range(MOST_COMPONENTS):
        shown = helper.focused_text(MAIN_CAPTION)
        if shown == name:
            break
        check(shown not in seen[-1:], "the component list stays at %r before reaching %r (seen %r)" %
              (shown, name, seen))
        seen.append(shown)
        keyboard.keys(MAIN_CAPTION, "key:DOWN")
        time.sleep(0.3)
    else:
        check(False, "the component list has no %r (seen %r)" % (name, seen))
    keyboard.keys(MAIN_CAPTION, "key:RETURN")
    time.sleep(0.5)
    print("%s chosen in the component list" % name)


def enter_data_text_rows(helper, keyboard, field):
    """With one data text selected: a click into the inspector's button edit
    (its first row, the table) and Down to the "Alan" row, which must show
    `field`."""
    left, top, right, bottom = child_rect(helper, "TVtBtnEdit", 1)
    click_screen(helper, left + 10, (top + bottom) // 2)
    helper.wait_focused_text(MAIN_CAPTION, TABLE_NAME, LIST_MS)
    keyboard.keys(MAIN_CAPTION, "key:DOWN")
    helper.wait_focused_text(MAIN_CAPTION, field, LIST_MS)
    print("the inspector's Alan row shows %s" % field)


def next_rows(keyboard, count):
    """Down `count` times in the focused editor: each goes one row lower."""
    for _ in range(count):
        keyboard.keys(MAIN_CAPTION, "key:DOWN")
        time.sleep(0.4)


def type_over(helper, keyboard, text):
    """Replaces what the focused edit shows by `text` (to its end, then
    back over every character) and applies it with Enter."""
    shown = helper.focused_text(MAIN_CAPTION)
    keyboard.keys(MAIN_CAPTION, *(["key:RIGHT"] * len(shown) + ["key:BACK"] * len(shown)))
    helper.wait_focused_text(MAIN_CAPTION, "", LIST_MS)
    keyboard.keys(MAIN_CAPTION, "text:" + text)
    helper.wait_focused_text(MAIN_CAPTION, text, LIST_MS)
    keyboard.keys(MAIN_CAPTION, "key:RETURN")
    time.sleep(0.5)
