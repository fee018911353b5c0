// The modifier keys and mouse buttons held with an input event, and their
// readings from window messages and from the keyboard.
#pragma once
#include <windows.h>

#include "classlib/classes/typinfo.h"

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
DOZURI_ENUM(TShiftStateFlag, "ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble");
DOZURI_SET(TShiftState, TShiftStateFlag);

enum TMouseButton { mbLeft, mbRight, mbMiddle };
DOZURI_ENUM(TMouseButton, "mbLeft", "mbRight", "mbMiddle");

// The MK_ bits of a mouse message's WParam.
TShiftState KeysToShiftState(WPARAM Keys);
// The state of a key message: Alt from bit 29 of its LParam, Shift and Ctrl
// from the keyboard.
TShiftState KeyDataToShiftState(LPARAM KeyData);
