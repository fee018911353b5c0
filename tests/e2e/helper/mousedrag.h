// Mouse input for another program's window, sent through the system's input
// queue as a real mouse's would be: the program sees the usual button and
// move messages (and its own capture) in its own message loop.
#pragma once
#include <windows.h>

namespace e2e {

// Presses the left button at `from` (screen pixels), moves to `to` in
// `steps` equal steps and releases it there; false when the system refused
// an event or the cursor did not come to `from`.
bool DragMouse(POINT from, POINT to, int steps);

// A left click at `at` (screen pixels) with the Shift key held, as a user
// adds a control to a selection; Shift is released also after a failure.
bool ShiftClickMouse(POINT at);

}  // namespace e2e
