// Helpers shared by the text tests: 1254 text written as UTF-16 literals, so a
// case reads the same whatever the compiler does with narrow literals.
#pragma once
#include <string>

#include "classlib/system/codepage.h"

inline AnsiString Ansi(std::u16string_view text) { return Utf16ToAnsi(text); }

inline AnsiString Byte(unsigned value) { return AnsiString(1, static_cast<char>(value)); }
