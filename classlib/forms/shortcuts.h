// Shortcuts: a virtual key and its modifiers in one number, and their texts
// ("Ctrl+F5", "Alt+F2", "PgUp") as menus show them.
#pragma once
#include <windows.h>

#include <cstdint>

#include "classlib/controls/shiftstate.h"

// A virtual key in the low byte with the modifier bits above it.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// "Shift+", "Ctrl+", "Alt+" (in that order) and the key's name; "" for 0.
AnsiString ShortCutToText(TShortCut ShortCut);
// The reverse, without regard to case; 0 for a text that names no shortcut.
TShortCut TextToShortCut(const AnsiString& Text);

