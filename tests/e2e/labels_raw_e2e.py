#!/usr/bin/env python3
"""Prints three labels from the main form through a text layout for a
dot-matrix printer, which the report list file names as the default layout
and whose printer it names as the test desktop's raw queue, and checks the
bytes the queue received: the printer codes at the start (reset, pica,
condensed off, the page length of 20 lines), the page header, the three
labels' codes and texts in ASCII letters, their count, and exactly one form
feed, at the end.

Run inside the test desktop (tools/desktop, as root), which sets
DOZURI_RAW_PRINTER and DOZURI_RAW_OUT (where a listener writes every job's
bytes as job-N.bin). The printing is done by test_appshell.exe
(TextLabelsToTheRawPrinter), which writes the layout and the list file, fills
the labels and asks the main form to print them as the print drop-down does.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from scenario_run import check, files_in, outcome, run_appshell_test, wait_for_new_file  # noqa: E402

JOB_WAIT_S = 90
PREFIX = b"\x1b\x40\x1b\x50\x12\x1b\x43\x14"
EXPECTED_LINES = [
    b"  Etiket Listesi",
    b"    8690000000012 Cigdem Seker",
    b"    4006381333931 Isik Ogretmen",
    b"    5901234123457 Agac Sungu",
    b"  3",
]


def jobs_in(folder):
    return files_in(folder, "job-*.bin")


def wait_for_new_job(folder, before):
    # The listener renames a job into place once the queue has sent it all.
    return wait_for_new_file(folder, "job-*.bin", before, JOB_WAIT_S)


def check_job(data, labels_in_order=True):
    """The codes, one form feed at the end, the header first, the count last
    and the three labels between them (in the table's order unless told)."""
    check(data.startswith(PREFIX), "the job does not begin with the printer codes: %r" % data[:16])
    check(data.count(b"\x0c") == 1, "expected one form feed, found %d: %r" % (data.count(b"\x0c"), data))
    check(data.endswith(b"\x0c"), "the job does not end with its form feed: %r" % data[-16:])
    lines = [line for line in data[len(PREFIX):-1].split(b"\r\n") if line]
    header, labels, count = EXPECTED_LINES[0], EXPECTED_LINES[1:-1], EXPECTED_LINES[-1]
    check(lines[:1] == [header] and lines[-1:] == [count], "header or count misplaced in %r" % lines)
    printed = lines[1:-1]
    if labels_in_order:
        check(printed == labels, "expected the labels %r, got %r" % (labels, printed))
    else:
        check(sorted(printed) == sorted(labels), "expected the labels %r in any order, got %r" % (labels, printed))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--tests", required=True, help="test_appshell.exe")
    parser.add_argument("--data", required=True, help="the shell tests' source folder")
    args = parser.parse_args()
    out = os.environ.get("DOZURI_RAW_OUT")
    if not out or not os.environ.get("DOZURI_RAW_PRINTER"):
        print("DOZURI_RAW_OUT/DOZURI_RAW_PRINTER are not set: run inside tools/desktop as root")
        return 1
    before = jobs_in(out)
    env = dict(os.environ, DOZURI_TEXT_LABELS_TO_PRINTER="1", DOZURI_TEST_DATA=args.data)

    def print_and_check():
        run_appshell_test(args.tests, "TextLabelsToTheRawPrinter.*", env, "the print run failed")
        with open(wait_for_new_job(out, before), "rb") as f:
            check_job(f.read())

    return outcome(print_and_check, "PASSED: the raw queue received one copy with the printer codes, "
                                    "the three labels and one form feed")


if __name__ == "__main__":
    sys.exit(main())
