#include "tests/e2e/helper/mousedrag.h"

namespace e2e {

namespace {

// Time for the receiving program to handle one event before the next.
constexpr DWORD MousePauseMs = 40;
constexpr ULONGLONG CursorWaitMs = 2000;

// Absolute mouse positions are given in 1/65536 of the screen; the smallest
// value that maps onto the pixel, so rounding never lands one pixel short.
LONG NormalisedCoordinate(LONG pixel, int screenSize) {
  return static_cast<LONG>((static_cast<LONGLONG>(pixel) * 65536 + screenSize - 1) / screenSize);
}

bool SendMouse(POINT at, DWORD buttonFlags, bool waitForCursor = false) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = NormalisedCoordinate(at.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = NormalisedCoordinate(at.y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
  if (SendInput(1, &input, sizeof(INPUT)) != 1)
    return false;
  if (!waitForCursor) {
    Sleep(MousePauseMs);
    return true;
  }
  // The event is handled some time later on a busy machine: the cursor is
  // waited for, within a bound.
  const ULONGLONG deadline = GetTickCount64() + CursorWaitMs;
  for (;;) {
    Sleep(MousePauseMs);
    POINT cursor{};
    if (GetCursorPos(&cursor) && cursor.x == at.x && cursor.y == at.y)
      return true;
    if (GetTickCount64() >= deadline)
      return false;
  }
}

bool SendShift(bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = VK_SHIFT;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  if (SendInput(1, &input, sizeof(INPUT)) != 1)
    return false;
  Sleep(MousePauseMs);
  return true;
}

}  // namespace

bool ShiftClickMouse(POINT at) {
  // The cursor comes first: Shift is pressed only when no move is left that
  // could make the system look at the keyboard afresh.
  if (!SendMouse(at, 0, true) || !SendShift(true))
    return false;
  const bool clicked = SendMouse(at, MOUSEEVENTF_LEFTDOWN) && SendMouse(at, MOUSEEVENTF_LEFTUP);
  return SendShift(false) && clicked;
}

bool DragMouse(POINT from, POINT to, int steps) {
  if (steps < 1)
    steps = 1;
  // Only the start is checked: while the button is down the program may
  // move the cursor itself (onto its grid).
  if (!SendMouse(from, 0, true))
    return false;
  bool landed = SendMouse(from, MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; landed && step <= steps; ++step) {
    const POINT at{from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps};
    landed = SendMouse(at, 0);
  }
  // Released also after a failed step, so no button stays down.
  return SendMouse(to, MOUSEEVENTF_LEFTUP) && landed;
}

}  // namespace e2e
