#!/usr/bin/env python3
"""Labels printed end to end on a dot-matrix printer: starts Dozuri.exe under
Wine in a fresh folder whose report list file (Data\\Ini\\etiketyeni.ini) names
a text layout as the default and the test desktop's raw queue as the printer,
types three records, copies them to the labels with ">>", chooses "Yazdır" on
the print page and checks the bytes the raw queue received: the printer codes
at the start, the page header, the three labels' codes and texts in ASCII
letters (in whatever order the label table holds them), their count and one
form feed at the end. Then "Önizleme Yap" must show the text preview, which
Escape closes; when DOZURI_E2E_SCREENSHOT names a file, a picture of it is
written there. Printing and the preview are done twice in a row.

The text layout is written by the design stage (test_appshell.exe,
TextLayoutForTheProgram). Run inside the test desktop (tools/desktop, as
root), which sets DOZURI_RAW_PRINTER and DOZURI_RAW_OUT.
"""

import argparse
import functools
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dozuri_e2e import wait_main_window  # noqa: E402
from dozuri_labels_e2e import copy_records_to_labels, print_labels, show_preview  # noqa: E402
from labels_raw_e2e import check_job, jobs_in, wait_for_new_job  # noqa: E402
from scenario_run import check, drive_program, run_appshell_test  # noqa: E402
from wine_program import WineProgram, wine_path  # noqa: E402

# The text preview's caption is the page's title.
PREVIEW_CAPTION = "Etiket Listesi"
DIALOG_MS = 15000


def write_text_layout(tests, target):
    env = dict(os.environ, DOZURI_WRITE_TEXT_LAYOUT=wine_path(target))
    run_appshell_test(tests, "TextLayoutForTheProgram.*", env, "the text layout was not written")
    check(os.path.exists(target), "the layout writer passed but wrote no %s" % target)


def write_report_list(work, layout, printer):
    folder = os.path.join(work, "Data", "Ini")
    os.makedirs(folder, exist_ok=True)
    lines = ["[def]" + wine_path(layout) + "|Nokta vuruşlu liste", "[*]PRINTER=" + printer, "[*]COPY=1"]
    with open(os.path.join(folder, "etiketyeni.ini"), "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1254"))


def scenario(out, helper, keyboard, exe, work, log):
    with WineProgram(exe, work, log) as program:
        wait_main_window(helper, program)
        copy_records_to_labels(helper, keyboard)

        # Twice in a row: a run must leave nothing behind that spoils the next.
        for round_ in (1, 2):
            print_and_preview(helper, keyboard, program, out, round_, work)


def print_and_preview(helper, keyboard, program, out, round_, work):
    before = jobs_in(out)
    print_labels(helper, keyboard)
    job = wait_for_new_job(out, before)
    with open(job, "rb") as f:
        # The label table lists the copied records in its own order.
        check_job(f.read(), labels_in_order=False)
    print(f"round {round_}: the raw queue got the text layout's document with the three labels")

    target = os.environ.get("DOZURI_E2E_SCREENSHOT")
    if target and round_ > 1:
        stem, ext = os.path.splitext(target)
        target = f"{stem}-{round_}{ext}"
    show_preview(helper, keyboard, PREVIEW_CAPTION, work, target)
    print(f"round {round_}: the text preview is shown")
    keyboard.keys(PREVIEW_CAPTION, "key:ESCAPE")
    helper.wait_window_gone(PREVIEW_CAPTION, DIALOG_MS)
    check(program.running(), "the program ended")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True, help="Dozuri.exe to test")
    parser.add_argument("--tests", required=True, help="test_appshell.exe, which writes the text layout")
    parser.add_argument("--helper", required=True, help="e2e_helper.exe")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    args = parser.parse_args()
    out = os.environ.get("DOZURI_RAW_OUT")
    printer = os.environ.get("DOZURI_RAW_PRINTER")
    if not out or not printer:
        print("DOZURI_RAW_OUT/DOZURI_RAW_PRINTER are not set: run inside tools/desktop as root")
        return 1

    def prepare(work):
        layout = os.path.join(work, "metin.vlp")
        write_text_layout(args.tests, layout)
        write_report_list(work, layout, printer)

    return drive_program(args.exe, args.helper, "dozuri-textlabels-e2e-", functools.partial(scenario, out),
                         keep=args.keep, prepare=prepare)


if __name__ == "__main__":
    sys.exit(main())
