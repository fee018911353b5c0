// Laying values out on edit masks.
#include "classlib/system/maskutils.h"

#include <string_view>

namespace {

enum class MaskChar { None, Literal, IntlLiteral, Directive, Mask, MaskOpt, FieldSeparator, Field };

constexpr char FieldSeparatorChar = ';';
constexpr char LiteralEscape = '\\';
constexpr char NoSaveFlag = '0';
constexpr char FormatBlank = ' ';

// What the character at `i` is. The ';' fields live in the last four
// characters of a mask of four or more; a character after '\' is a literal
// unless that '\' itself follows a '\'.
MaskChar CharType(std::string_view mask, size_t i) {
  const size_t len = mask.size();
  if (i >= len) return MaskChar::None;
  const char c = mask[i];
  const bool afterEscape = i >= 1 && mask[i - 1] == LiteralEscape;
  const bool escapeEscaped = i >= 2 && mask[i - 2] == LiteralEscape;
  const bool inFieldZone = len >= 4 && i >= len - 4;
  if (afterEscape && !escapeEscaped) return MaskChar::Literal;
  if (c == FieldSeparatorChar && inFieldZone) return MaskChar::FieldSeparator;
  if (inFieldZone && i >= 1 && mask[i - 1] == FieldSeparatorChar && !escapeEscaped)
    return MaskChar::Field;
  switch (c) {
    case ':':
    case '/':
      return MaskChar::IntlLiteral;
    case '!':
    case '>':
    case '<':
    case LiteralEscape:
      return MaskChar::Directive;
    case 'l':
    case 'a':
    case 'c':
    case '#':
    case '9':
      return MaskChar::MaskOpt;
    case 'L':
    case 'A':
    case 'C':
    case '0':
      return MaskChar::Mask;
    default:
      return MaskChar::Literal;
  }
}

bool IsLiteral(MaskChar type) { return type == MaskChar::Literal || type == MaskChar::IntlLiteral; }
bool IsMask(MaskChar type) { return type == MaskChar::Mask || type == MaskChar::MaskOpt; }

// The character a literal shows: ':' and '/' are the settings' separators.
char LiteralChar(std::string_view mask, size_t i, const TFormatSettings& settings) {
  if (CharType(mask, i) == MaskChar::IntlLiteral)
    return mask[i] == ':' ? settings.TimeSeparator : settings.DateSeparator;
  return mask[i];
}

bool IsReversed(std::string_view mask) {
  for (size_t i = 0; i < mask.size(); ++i)
    if (mask[i] == '!' && CharType(mask, i) == MaskChar::Directive) return true;
  return false;
}

// The "save literals" flag: the character after the second-to-last field
// separator (or after the only one), unless it is '0'. True without fields.
bool SavesLiterals(std::string_view mask) {
  const size_t len = mask.size();
  if (len < 4) return true;
  size_t separators[2] = {0, 0};
  int found = 0;
  for (size_t i = len - 1; i + 4 >= len && found < 2; --i) {
    if (CharType(mask, i) == MaskChar::FieldSeparator) separators[found++] = i;
    if (i == 0) break;
  }
  if (found == 0) return true;
  const size_t flag = separators[found - 1] + 1;
  return flag >= len || mask[flag] != NoSaveFlag;
}

// The number of characters of the formatted text up to and including mask
// position `i`: literals and mask characters count, directives and fields do not.
size_t TextLengthUpTo(std::string_view mask, size_t i) {
  size_t count = 0;
  for (size_t k = 0; k <= i && k < mask.size(); ++k) {
    const MaskChar type = CharType(mask, k);
    if (type != MaskChar::Directive && type != MaskChar::Field && type != MaskChar::FieldSeparator)
      ++count;
  }
  return count;
}

// Inserts the mask's literals into a value typed without them.
AnsiString InsertLiterals(std::string_view mask, const AnsiString& value,
                          const TFormatSettings& settings) {
  AnsiString result = value;
  if (!IsReversed(mask)) {
    size_t offset = 0;
    for (size_t i = 0; i < mask.size(); ++i) {
      const MaskChar type = CharType(mask, i);
      if (IsLiteral(type)) {
        result.insert(offset, 1, LiteralChar(mask, i, settings));
        ++offset;
      } else if (IsMask(type)) {
        if (offset >= result.size()) result += FormatBlank;
        ++offset;
      }
    }
  } else {
    size_t offset = result.size();
    for (size_t i = mask.size(); i-- > 0;) {
      const MaskChar type = CharType(mask, i);
      if (IsLiteral(type)) {
        result.insert(offset, 1, LiteralChar(mask, i, settings));
      } else if (IsMask(type)) {
        if (offset == 0)
          result.insert(0, 1, FormatBlank);
        else
          --offset;
      }
    }
  }
  return result;
}

// Pads the field [start, stop) of `value` with blanks, or cuts it, to `length`
// characters: at its end, or at its start for a reversed mask.
AnsiString FitField(const AnsiString& value, size_t start, size_t stop, size_t length,
                    bool reversed) {
  const size_t have = stop - start;
  AnsiString result = value;
  if (have < length)
    result.insert(reversed ? start : stop, length - have, FormatBlank);
  else if (have > length)
    result.erase(reversed ? start : start + length, have - length);
  return result;
}

// Lays out a value that holds the literals itself: each literal of the mask
// is looked for in the value (and added at its end when missing), and the
// field before it is fitted to its length in the mask; then the last field.
AnsiString FitLiteralFields(std::string_view mask, const AnsiString& value,
                            const TFormatSettings& settings) {
  const bool reversed = IsReversed(mask);
  AnsiString result = value;
  size_t fieldStart = 0;  // where the current field begins in the result
  for (size_t i = 0; i < mask.size(); ++i) {
    if (!IsLiteral(CharType(mask, i))) continue;
    const char literal = LiteralChar(mask, i, settings);
    const size_t literalAt = TextLengthUpTo(mask, i) - 1;  // its place in the text
    size_t fieldEnd = result.find(literal, fieldStart);
    if (fieldEnd == AnsiString::npos) {
      fieldEnd = result.size();
      result += literal;
    }
    result = FitField(result, fieldStart, fieldEnd, literalAt - fieldStart, reversed);
    fieldStart = literalAt + 1;
  }
  const size_t total = TextLengthUpTo(mask, mask.size() - 1);
  if (fieldStart <= result.size() && total >= fieldStart)
    result = FitField(result, fieldStart, result.size(), total - fieldStart, reversed);
  return result;
}

}  // namespace

AnsiString FormatMaskText(const AnsiString& editMask, const AnsiString& value,
                          const TFormatSettings& settings) {
  if (editMask.empty()) return value;
  if (SavesLiterals(editMask)) return FitLiteralFields(editMask, value, settings);
  return InsertLiterals(editMask, value, settings);
}
