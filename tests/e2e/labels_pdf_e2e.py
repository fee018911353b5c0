#!/usr/bin/env python3
"""Prints three labels from the main form through the default layout on the
test desktop's PDF queue and checks the PDF the queue writes: one A4 page,
the three METIN2 texts, and the three EAN-13 codes read back from the page
rendered at 300 dpi.

Run inside the test desktop (tools/desktop), which sets DOZURI_PDF_OUT and
makes the PDF queue the default printer. The printing is done by
test_appshell.exe (LabelsToThePrinter), which fills the labels and asks the
main form to print them as the print drop-down does.
"""

import argparse
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from scenario_run import check, check_ean13_codes, files_in, outcome, run_appshell_test, wait_for_new_file  # noqa: E402

PDF_WAIT_S = 90
EXPECTED_TEXTS = ["Çiğdem Şeker", "Işık Öğretmen", "Ağaç Süngü"]
EXPECTED_CODES = {"8690000000012", "4006381333931", "5901234123457"}


def run(*args, **kwargs):
    return subprocess.run(list(args), capture_output=True, timeout=120, **kwargs)


def pdfs_in(folder):
    return files_in(folder, "*.pdf")


def wait_for_new_pdf(folder, before):
    # The queue writes the file in place; wait until pdfinfo can read it.
    return wait_for_new_file(folder, "*.pdf", before, PDF_WAIT_S,
                             ready=lambda pdf: run("pdfinfo", pdf).returncode == 0, step_s=1)


def check_pdf(pdf, work):
    info = run("pdfinfo", pdf).stdout.decode("utf-8", "replace")
    check("Pages:           1\n" in info, "expected one page:\n" + info)
    check("(A4)" in info, "expected an A4 page:\n" + info)
    text = run("pdftotext", pdf, "-").stdout.decode("utf-8", "replace")
    for expected in EXPECTED_TEXTS:
        check(expected in text, "%r is not on the page; its text:\n%s" % (expected, text))
    check_ean13_codes(pdf, work, EXPECTED_CODES)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--tests", required=True, help="test_appshell.exe")
    parser.add_argument("--data", required=True, help="the shell tests' source folder")
    args = parser.parse_args()
    out = os.environ.get("DOZURI_PDF_OUT")
    if not out:
        print("DOZURI_PDF_OUT is not set: run inside tools/desktop")
        return 1
    before = pdfs_in(out)
    env = dict(os.environ, DOZURI_LABELS_TO_PRINTER="1", DOZURI_TEST_DATA=args.data)

    def print_and_check():
        with tempfile.TemporaryDirectory(prefix="dozuri-labels-") as work:
            run_appshell_test(args.tests, "LabelsToThePrinter.*", env, "the print run failed")
            check_pdf(wait_for_new_pdf(out, before), work)

    return outcome(print_and_check, "PASSED: one A4 page with the three labels' texts and EAN-13 codes")


if __name__ == "__main__":
    sys.exit(main())
