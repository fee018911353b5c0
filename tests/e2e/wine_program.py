"""Runs a Windows program under Wine and works its windows through the
e2e_helper program. Every wait is bounded, and the program is killed when the
session ends, whatever happened."""

import os
import select
import subprocess
import time

# Slack on top of a helper's own wait for Wine to start the helper process.
HELPER_START_SLACK_S = 30
# The first Wine program of a scenario may have to bring up Wine's desktop
# process; on a loaded machine that takes far longer than a later start.
DESKTOP_START_S = 120


class StepFailed(Exception):
    """A step of the scenario did not give what was expected."""


def wine_path(path):
    """The Windows name of a Unix path (drive Z: is the Unix root in a Wine prefix)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Helper:
    """Calls e2e_helper.exe through wine; see its main.cpp for the commands."""

    def __init__(self, exe):
        self.exe = exe

    def run(self, *args, wait_ms=0):
        try:
            return subprocess.run(["wine", self.exe, *args], stdin=subprocess.DEVNULL,
                                  capture_output=True, timeout=wait_ms / 1000 + HELPER_START_SLACK_S)
        except subprocess.TimeoutExpired:
            raise StepFailed("e2e_helper %s did not end in time" % " ".join(args))

    def ok(self, *args, wait_ms=0):
        result = self.run(*args, wait_ms=wait_ms)
        if result.returncode != 0:
            raise StepFailed("e2e_helper %s failed (%d): %s" % (
                " ".join(args), result.returncode, result.stderr.decode("utf-8", "replace").strip()))
        return result.stdout.decode("utf-8", "replace")

    def wait_window(self, caption, ms):
        self.ok("wait", caption, str(ms), wait_ms=ms)

    def wait_window_gone(self, caption, ms):
        self.ok("gone", caption, str(ms), wait_ms=ms)

    def focused_text(self, caption):
        return self.ok("focus", caption).rstrip("\r\n")

    def wait_focused_text(self, caption, expected, ms):
        """Polls until the focused control shows `expected`: input is handled
        by the program's message loop some time after it was sent."""
        deadline = time.monotonic() + ms / 1000
        while True:
            text = self.focused_text(caption)
            if text == expected:
                return
            if time.monotonic() >= deadline:
                raise StepFailed("focused control shows %r, expected %r" % (text, expected))
            time.sleep(0.2)

    def shot(self, caption, bmp_path):
        self.ok("shot", caption, wine_path(bmp_path))


class DesktopKeeper:
    """Keeps Wine's desktop process up for a whole scenario.

    Wine ends its desktop process shortly after the last program that used
    it, and starts it again for the next one. Two programs that start while
    there is no desktop both wait for the new one, and on a loaded machine
    one of them then hung for minutes. So a single helper brings the desktop
    up first, says so, and stays for the scenario: every later start finds
    the desktop ready and no two programs ever race to start it."""

    def __init__(self, helper):
        self.helper = helper
        self.process = None

    def __enter__(self):
        self.process = subprocess.Popen(["wine", self.helper.exe, "hold", str(24 * 3600 * 1000)],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL)
        ready, _, _ = select.select([self.process.stdout], [], [], DESKTOP_START_S)
        line = self.process.stdout.readline() if ready else b""
        if line.strip() != b"ready":
            self.__exit__()
            raise StepFailed("Wine's desktop did not come up within %d s" % DESKTOP_START_S)
        return self

    def __exit__(self, *exc):
        self.process.kill()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            pass
        return False


class WineProgram:
    """A context that starts `exe` under wine in `folder` (with the command
    line arguments `args`) and kills it on exit when it is still running."""

    def __init__(self, exe, folder, log_path, args=()):
        self.exe = exe
        self.args = list(args)
        self.folder = folder
        self.log_path = log_path
        self.process = None

    def __enter__(self):
        log = open(self.log_path, "ab")
        self.process = subprocess.Popen(["wine", self.exe, *self.args], cwd=self.folder, stdin=subprocess.DEVNULL,
                                        stdout=log, stderr=subprocess.STDOUT)
        log.close()
        return self

    def __exit__(self, *exc):
        if self.running():
            self.process.kill()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        return False

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, seconds):
        try:
            return self.process.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            raise StepFailed("the program did not end within %d s" % seconds)
