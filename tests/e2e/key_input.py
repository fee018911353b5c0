"""Two ways to type into a window of the program under Wine. Both take the
window by caption and the same items: "text:CHARS" types the characters,
"key:NAME" presses one key (RETURN, ESCAPE, TAB), "key:CTRL+NAME" and
"key:ALT+NAME" one key with Control or Alt held (NAME such as F2).

- xdotool gives the window's X window the X input focus and sends the keys
  through the XTEST extension, so they come through the X server and Wine's
  X11 driver as a real keyboard's would. (Key events sent to a window with
  XSendEvent were lost now and then, and a key that closes a message box
  leaves its release with no window.)
- sendinput has e2e_helper.exe bring the window to the front and call
  SendInput inside Wine, for machines where X events do not reach Wine.
"""

import re
import subprocess

from wine_program import StepFailed

XDOTOOL_TIMEOUT_S = 30
XDOTOOL_KEYSYMS = {"RETURN": "Return", "ESCAPE": "Escape", "TAB": "Tab"}
XDOTOOL_MODIFIERS = {"CTRL": "ctrl", "ALT": "alt"}
# Pause between the characters xdotool types, in milliseconds.
XDOTOOL_TYPE_DELAY_MS = "40"


def _xdotool(*args):
    try:
        result = subprocess.run(["xdotool", *args], stdin=subprocess.DEVNULL, capture_output=True,
                                timeout=XDOTOOL_TIMEOUT_S)
    except subprocess.TimeoutExpired:
        raise StepFailed("xdotool %s did not end in time" % " ".join(args))
    if result.returncode != 0:
        raise StepFailed("xdotool %s failed: %s" % (" ".join(args), result.stderr.decode("utf-8", "replace").strip()))
    return result.stdout.decode("utf-8", "replace")


class XdotoolInput:
    """Keyboard device events into the focused X window (no window manager
    runs, so the window is focused directly instead of being activated)."""

    def window(self, caption):
        found = _xdotool("search", "--onlyvisible", "--name", "^%s$" % re.escape(caption)).split()
        if not found:
            raise StepFailed("xdotool finds no visible window %r" % caption)
        return found[0]

    def keys(self, caption, *items):
        _xdotool("windowfocus", "--sync", self.window(caption))
        for item in items:
            kind, _, value = item.partition(":")
            if kind == "text":
                _xdotool("type", "--delay", XDOTOOL_TYPE_DELAY_MS, "--", value)
            elif kind == "key" and value in XDOTOOL_KEYSYMS:
                _xdotool("key", XDOTOOL_KEYSYMS[value])
            elif kind == "key" and value.partition("+")[0] in XDOTOOL_MODIFIERS:
                modifier, _, key = value.partition("+")
                _xdotool("key", XDOTOOL_MODIFIERS[modifier] + "+" + XDOTOOL_KEYSYMS.get(key, key))
            else:
                raise StepFailed("unknown input item %r" % item)


class SendInputInput:
    """Key events put into Wine's input queue by e2e_helper.exe."""

    def __init__(self, helper):
        self.helper = helper

    def keys(self, caption, *items):
        self.helper.ok("keys", caption, *items)


def make_input(kind, helper):
    return XdotoolInput() if kind == "xdotool" else SendInputInput(helper)
