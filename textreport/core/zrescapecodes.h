// Printer escape codes in report text.
//
// A code is a backslash followed by one of twenty letters; the letter's
// place in "@=PECcBbIiUuHhLl<>{}" is the code's index. Six codes pairs switch
// a style on and off; the other eight are plain codes. Report text keeps the
// codes; only output replaces them with a printer model's bytes.
#pragma once
#include <array>

#include "classlib/classes/typinfo.h"
#include "classlib/system/ansistring.h"

enum TZREscapeCode {
  zecReset, zecFormFeed, zecPica, zecElite, zecCondensedOn, zecCondensedOff, zecBoldOn, zecBoldOff,
  zecItalicOn, zecItalicOff, zecUnderlineOn, zecUnderlineOff, zecSuperScriptOn, zecSuperScriptOff,
  zecSubScriptOn, zecSubScriptOff, zecReportStart, zecReportFinish, zecPageStart, zecPageFinish
};
inline constexpr int ZREscapeCount = 20;
inline constexpr char ZREscapeChar = '\\';
inline constexpr char ZREscapeLetters[] = "@=PECcBbIiUuHhLl<>{}";
using TZREscapeSet = TSet<TZREscapeCode>;

enum TZREscapeStyle { zesCondensed, zesBold, zesItalic, zesUnderline, zesSuperScript, zesSubScript };
inline constexpr int ZREscapeStyleCount = 6;
using TZREscapeStyles = TSet<TZREscapeStyle>;

// The twenty byte strings of a printer, in code order.
using TZREscapeStrings = std::array<AnsiString, ZREscapeCount>;

// The code index of a letter, or -1 when the letter is no code letter.
int EscapeIndexOfLetter(char Letter);
// "\" and the code's letter.
AnsiString EscapeText(TZREscapeCode Code);
AnsiString EscapeText(TZREscapeSet Codes);

bool IsStyleOnCode(TZREscapeCode Code);
bool IsStyleOffCode(TZREscapeCode Code);
bool IsPlainCode(TZREscapeCode Code);
// The style a style code switches (undefined for plain codes).
TZREscapeStyle StyleOfCode(TZREscapeCode Code);
TZREscapeCode StyleOnCode(TZREscapeStyle Style);
TZREscapeCode StyleOffCode(TZREscapeStyle Style);
