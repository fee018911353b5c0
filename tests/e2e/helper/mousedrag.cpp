#include "tests/e2e/helper/mousedrag.h"

namespace e2e {

namespace {

// Time for the receiving program to handle one event before the next.
constexpr DWORD MousePauseMs = 40;

// Absolute mouse positions are given in 1/65536 of the screen; the smallest
// value that maps onto the pixel, so rounding never lands one pixel short.
LONG NormalisedCoordinate(LONG pixel, int screenSize) {
  return static_cast<LONG>((static_cast<LONGLONG>(pixel) * 65536 + screenSize - 1) / screenSize);
}

bool SendMouse(POINT at, DWORD buttonFlags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = NormalisedCoordinate(at.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = NormalisedCoordinate(at.y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
  const bool sent = SendInput(1, &input, sizeof(INPUT)) == 1;
  Sleep(MousePauseMs);
  POINT cursor{};
  return sent && GetCursorPos(&cursor) && cursor.x == at.x && cursor.y == at.y;
}

}  // namespace

bool DragMouse(POINT from, POINT to, int steps) {
  if (steps < 1)
    steps = 1;
  if (!SendMouse(from, 0))
    return false;
  bool landed = SendMouse(from, MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; landed && step <= steps; ++step) {
    const POINT at{from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps};
    landed = SendMouse(at, 0);
  }
  // Released also after a failed step, so no button stays down.
  POINT cursor{};
  GetCursorPos(&cursor);
  return SendMouse(landed ? to : cursor, MOUSEEVENTF_LEFTUP) && landed;
}

}  // namespace e2e
