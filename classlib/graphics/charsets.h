// The names of font character sets as the platform's component streams
// write them ("DEFAULT_CHARSET", "TURKISH_CHARSET" ...), both ways.
#pragma once
#include "classlib/system/ansistring.h"

// false when the value has no name.
bool CharsetToIdent(int charset, AnsiString& ident);
// Compared without regard to case.
bool IdentToCharset(const AnsiString& ident, int& charset);
