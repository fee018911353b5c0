#include "textreport/core/zrescapecodes.h"


namespace {

// Letter look-up for every byte value, made once.
struct LetterTable {
  std::array<signed char, 256> index;
  LetterTable() {
    index.fill(-1);
    for (int i = 0; i < ZREscapeCount; ++i)
      index[static_cast<unsigned char>(ZREscapeLetters[i])] = static_cast<signed char>(i);
  }
};

const LetterTable& Letters() {
  static const LetterTable table;
  return table;
}

// Style codes are the pairs 4..15: an even index switches on, an odd one off.
constexpr bool IsStyleCode(TZREscapeCode code) { return code >= zecCondensedOn && code <= zecSubScriptOff; }

}  // namespace

int EscapeIndexOfLetter(char Letter) { return Letters().index[static_cast<unsigned char>(Letter)]; }

AnsiString EscapeText(TZREscapeCode Code) { return AnsiString{ZREscapeChar, ZREscapeLetters[Code]}; }

AnsiString EscapeText(TZREscapeSet Codes) {
  AnsiString text;
  for (int i = 0; i < ZREscapeCount; ++i)
    if (Codes.Contains(static_cast<TZREscapeCode>(i)))
      text += EscapeText(static_cast<TZREscapeCode>(i));
  return text;
}

bool IsStyleOnCode(TZREscapeCode Code) { return IsStyleCode(Code) && Code % 2 == 0; }
bool IsStyleOffCode(TZREscapeCode Code) { return IsStyleCode(Code) && Code % 2 == 1; }
bool IsPlainCode(TZREscapeCode Code) { return !IsStyleCode(Code); }

TZREscapeStyle StyleOfCode(TZREscapeCode Code) { return static_cast<TZREscapeStyle>((Code - zecCondensedOn) / 2); }
TZREscapeCode StyleOnCode(TZREscapeStyle Style) { return static_cast<TZREscapeCode>(zecCondensedOn + 2 * Style); }
TZREscapeCode StyleOffCode(TZREscapeStyle Style) { return static_cast<TZREscapeCode>(zecCondensedOff + 2 * Style); }
