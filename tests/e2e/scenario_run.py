"""What every end-to-end driver does around its own steps: a fresh work folder
with the program in it, the helper and the keyboard, Wine's desktop kept up
for the whole scenario, and one outcome line (PASSED, or FAILED with the work
folder kept and the end of the program's output). Also the waits and checks
the drivers share: a test_appshell run, a new file in a queue's folder, a
picture of a window."""

import argparse
import glob
import os
import shutil
import subprocess
import tempfile
import time

from bmp_png import bmp_to_png
from key_input import make_input
from wine_program import DesktopKeeper, Helper, StepFailed, wine_path

# How long one test_appshell run may take under Wine.
APPSHELL_RUN_S = 120


def check(condition, message):
    if not condition:
        raise StepFailed(message)


def print_log_tail(log, lines=20):
    """The end of Wine's output for the program, where a crash shows."""
    if os.path.exists(log):
        tail = open(log, "rb").read().decode("utf-8", "replace").splitlines()[-lines:]
        if tail:
            print("end of the program's output:")
            print("\n".join(tail))


def save_picture(helper, caption, work, target, what):
    """A picture of the window `caption` written to `target`: PNG unless the
    name ends in .bmp. The helper's bitmap is left in the work folder."""
    bmp = os.path.join(work, "window.bmp")
    helper.shot(caption, bmp)
    data = open(bmp, "rb").read()
    with open(target, "wb") as out:
        out.write(data if target.lower().endswith(".bmp") else bmp_to_png(data))
    print("screenshot of the %s: %s" % (what, target))


def wait_for_other_window(helper, caption, ms):
    """The caption of the foreground window once it is not `caption` (a file
    dialog's caption depends on Wine's language)."""
    deadline = time.monotonic() + ms / 1000
    while True:
        front = helper.ok("front").rstrip("\r\n").split("\t")[0]
        if front and front != caption:
            return front
        check(time.monotonic() < deadline, "no dialog came up in front of %r" % caption)
        time.sleep(0.3)


def answer_file_dialog(helper, keyboard, caption, path, ms):
    """A file dialog opened from the window `caption` is given `path` (typed
    as Wine names it) and Enter."""
    dialog = wait_for_other_window(helper, caption, ms)
    keyboard.keys(dialog, "text:" + wine_path(path), "key:RETURN")


def run_appshell_test(tests, test_filter, env, failure):
    """Runs the one test of test_appshell.exe that `test_filter` picks, under
    Wine; it must run and pass exactly one test."""
    ran = subprocess.run(["wine", tests, "--gtest_filter=" + test_filter], capture_output=True,
                         timeout=APPSHELL_RUN_S, env=env, cwd=os.path.dirname(tests))
    output = ran.stdout.decode("utf-8", "replace")
    check(ran.returncode == 0 and "[  PASSED  ] 1 test" in output, failure + ":\n" + output)


def check_ean13_codes(pdf, work, expected):
    """Renders the PDF's first page at 300 dpi into `work` and checks that
    zbarimg reads exactly the EAN-13 codes `expected` from it."""
    prefix = os.path.join(work, "page")
    rendered = subprocess.run(["pdftoppm", "-r", "300", "-png", "-singlefile", pdf, prefix],
                              capture_output=True, timeout=120)
    check(rendered.returncode == 0, "pdftoppm failed")
    decoded = subprocess.run(["zbarimg", "-q", prefix + ".png"], capture_output=True,
                             timeout=120).stdout.decode("ascii", "replace").split()
    codes = {line.split(":", 1)[1] for line in decoded if line.startswith("EAN-13:")}
    check(codes == set(expected), "decoded %s, expected %s" % (sorted(codes), sorted(expected)))


def files_in(folder, pattern):
    return set(glob.glob(os.path.join(folder, pattern)))


def wait_for_new_file(folder, pattern, before, wait_s, ready=None, step_s=0.5):
    """The newest file matching `pattern` in `folder` that was not among
    `before` and, when `ready` is given, for which ready(path) holds."""
    deadline = time.monotonic() + wait_s
    while time.monotonic() < deadline:
        new = sorted(files_in(folder, pattern) - before, key=os.path.getmtime)
        if new and (ready is None or ready(new[-1])):
            return new[-1]
        time.sleep(step_s)
    raise StepFailed("no new %s appeared in %s within %d s" % (pattern, folder, wait_s))


def outcome(steps, passed):
    """Runs `steps` and prints the result line; the exit code for main()."""
    try:
        steps()
    except (StepFailed, subprocess.TimeoutExpired) as failure:
        print("FAILED:", failure)
        return 1
    print(passed)
    return 0


def drive_program(exe, helper_exe, prefix, scenario, keep=False, input_kind="sendinput", prepare=None):
    """Copies `exe` into a fresh work folder as Dozuri.exe, calls prepare(work)
    when given, then scenario(helper, keyboard, exe, work, log) with Wine's
    desktop kept up. The work folder is kept when the scenario fails or
    `keep` asks for it. Returns the exit code for main()."""
    work = tempfile.mkdtemp(prefix=prefix)
    program = shutil.copy(exe, os.path.join(work, "Dozuri.exe"))
    log = os.path.join(work, "wine.log")
    helper = Helper(helper_exe)
    keyboard = make_input(input_kind, helper)
    try:
        if prepare:
            prepare(work)
        with DesktopKeeper(helper):
            scenario(helper, keyboard, program, work, log)
    except (StepFailed, subprocess.TimeoutExpired) as failure:
        print("FAILED:", failure)
        print("work folder kept:", work)
        print_log_tail(log)
        return 1
    if keep:
        print("work folder:", work)
    else:
        shutil.rmtree(work, ignore_errors=True)
    print("PASSED")
    return 0


def main_with_default_layout(description, prefix, scenario):
    """The command line of a driver that runs `scenario` on Dozuri.exe with
    the default layout beside it: --exe, --layout, --helper and --keep."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--exe", required=True, help="Dozuri.exe to test")
    parser.add_argument("--layout", required=True, help="the default layout etiket.vlp")
    parser.add_argument("--helper", required=True, help="e2e_helper.exe")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    args = parser.parse_args()
    return drive_program(args.exe, args.helper, prefix, scenario, keep=args.keep,
                         prepare=lambda work: shutil.copy(args.layout, os.path.join(work, "etiket.vlp")))
