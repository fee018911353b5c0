#include "classlib/controls/shiftstate.h"

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState s;
  if (Keys & MK_SHIFT)
    s.Include(ssShift);
  if (Keys & MK_CONTROL)
    s.Include(ssCtrl);
  if (Keys & MK_LBUTTON)
    s.Include(ssLeft);
  if (Keys & MK_RBUTTON)
    s.Include(ssRight);
  if (Keys & MK_MBUTTON)
    s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0)
    s.Include(ssAlt);
  return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  constexpr LPARAM AltMask = 0x20000000;
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0)
    s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0)
    s.Include(ssCtrl);
  if (KeyData & AltMask)
    s.Include(ssAlt);
  return s;
}
