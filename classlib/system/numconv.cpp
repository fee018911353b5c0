#include "classlib/system/numconv.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "classlib/system/exceptions.h"
#include "classlib/system/floatdecimal.h"
#include "classlib/system/floatmask.h"

// ---- Integers -------------------------------------------------------------

AnsiString IntToStr(std::int64_t value) { return std::to_string(value); }

AnsiString IntToHex64(std::uint64_t value, int digits) {
  static const char hex[] = "0123456789ABCDEF";
  AnsiString text;
  do {
    text.insert(text.begin(), hex[value & 15]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(text.size()) < digits)
    text.insert(0, static_cast<size_t>(digits) - text.size(), '0');
  return text;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The platform's integer syntax: leading blanks, a sign, then decimal digits
// or hex digits after "$", "0x" or "0X", and nothing after. Decimal values
// must fit [min, max]; hex magnitudes may use the whole unsigned range of the
// width (`hexMax`) and wrap into the signed type.
bool ParseInteger(const AnsiString& text, std::int64_t min, std::int64_t max, std::uint64_t hexMax,
                  std::int64_t& value) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+'))
    negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  const std::uint64_t base = hex ? 16 : 10;
  const std::uint64_t limit = hex ? hexMax
                              : negative ? 0 - static_cast<std::uint64_t>(min)
                                         : static_cast<std::uint64_t>(max);
  if (i == text.size())
    return false;
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    int digit = hex ? HexValue(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0)
      return false;
    if (magnitude > (limit - static_cast<std::uint64_t>(digit)) / base)
      return false;
    magnitude = magnitude * base + static_cast<std::uint64_t>(digit);
  }
  std::uint64_t bits = negative ? 0 - magnitude : magnitude;
  if (hexMax <= UINT32_MAX)
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
  else
    value = static_cast<std::int64_t>(bits);
  return true;
}

[[noreturn]] void RaiseNotInteger(const AnsiString& text) {
  throw EConvertError("'" + text + "' is not a valid integer value");
}

[[noreturn]] void RaiseNotFloat(const AnsiString& text) {
  throw EConvertError("'" + text + "' is not a valid floating point value");
}

}  // namespace

bool TryStrToInt(const AnsiString& text, int& value) {
  std::int64_t parsed;
  if (!ParseInteger(text, INT_MIN, INT_MAX, UINT32_MAX, parsed))
    return false;
  value = static_cast<int>(parsed);
  return true;
}

int StrToInt(const AnsiString& text) {
  int value;
  if (!TryStrToInt(text, value))
    RaiseNotInteger(text);
  return value;
}

int StrToIntDef(const AnsiString& text, int fallback) {
  int value;
  return TryStrToInt(text, value) ? value : fallback;
}

bool TryStrToInt64(const AnsiString& text, std::int64_t& value) {
  return ParseInteger(text, INT64_MIN, INT64_MAX, UINT64_MAX, value);
}

std::int64_t StrToInt64(const AnsiString& text) {
  std::int64_t value;
  if (!TryStrToInt64(text, value))
    RaiseNotInteger(text);
  return value;
}

std::int64_t StrToInt64Def(const AnsiString& text, std::int64_t fallback) {
  std::int64_t value;
  return TryStrToInt64(text, value) ? value : fallback;
}

// ---- Floating point to text ----------------------------------------------

namespace {

// NaN and infinities have no digits; they print as the platform prints them.
bool SpecialFloatText(double value, AnsiString& text) {
  if (std::isnan(value))
    text = "NAN";
  else if (std::isinf(value))
    text = value < 0 ? "-INF" : "INF";
  else
    return false;
  return true;
}

}  // namespace

AnsiString FloatToStr(double value, const TFormatSettings& settings) {
  return FloatToStrF(value, ffGeneral, 15, 0, settings);
}

AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                       const TFormatSettings& settings) {
  AnsiString special;
  if (SpecialFloatText(value, special))
    return special;
  TDecimal number = DecimalFromDouble(value);
  switch (format) {
    case ffExponent: return FormatDecimalExponent(number, precision, digits, settings);
    case ffFixed: return FormatDecimalFixed(number, precision, digits, false, settings);
    case ffNumber: return FormatDecimalFixed(number, precision, digits, true, settings);
    case ffCurrency: return FormatDecimalCurrency(number, precision, digits, settings);
    case ffGeneral:
    default: return FormatDecimalGeneral(number, precision, digits, settings);
  }
}

AnsiString FormatFloat(const AnsiString& format, double value, const TFormatSettings& settings) {
  AnsiString special;
  if (SpecialFloatText(value, special))
    return special;
  return FormatDecimalMask(format, DecimalFromDouble(value), settings);
}

AnsiString FormatCurr(const AnsiString& format, Currency value, const TFormatSettings& settings) {
  return FormatDecimalMask(format, DecimalFromCurrency(value), settings);
}

AnsiString CurrToStr(Currency value, const TFormatSettings& settings) {
  return PlainDecimal(DecimalFromCurrency(value), settings);
}

// ---- Text to floating point ----------------------------------------------

namespace {

// A number as written: sign, the digits without the separator, and the power
// of ten that scales them ("12,5E3" -> "125" x 10^2).
struct WrittenNumber {
  bool negative = false;
  std::string digits;
  long exponent = 0;
};

// Blanks around, sign, digits with at most one decimal separator (at least
// one digit), then an optional exponent "E[+-]digits".
bool ScanNumber(const AnsiString& text, char decimalSeparator, WrittenNumber& number) {
  size_t i = 0, end = text.size();
  while (i < end && IsBlank(text[i]))
    ++i;
  while (end > i && IsBlank(text[end - 1]))
    --end;
  if (i < end && (text[i] == '-' || text[i] == '+'))
    number.negative = text[i++] == '-';
  bool seenSeparator = false;
  long fractionDigits = 0;
  size_t mantissaDigits = 0;
  for (; i < end; ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      ++mantissaDigits;
      if (!(number.digits.empty() && c == '0'))
        number.digits += c;
      if (seenSeparator)
        ++fractionDigits;
    } else if (c == decimalSeparator && !seenSeparator) {
      seenSeparator = true;
    } else {
      break;
    }
  }
  if (mantissaDigits == 0)
    return false;
  long exponent = 0;
  if (i < end && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < end && (text[i] == '-' || text[i] == '+'))
      negativeExponent = text[i++] == '-';
    size_t expDigits = 0;
    for (; i < end && text[i] >= '0' && text[i] <= '9'; ++i, ++expDigits)
      exponent = std::min(exponent * 10 + (text[i] - '0'), 100000L);  // far beyond any double
    if (expDigits == 0)
      return false;
    if (negativeExponent)
      exponent = -exponent;
  }
  if (i != end)
    return false;
  number.exponent = exponent - fractionDigits;
  return true;
}

}  // namespace

bool TryStrToFloat(const AnsiString& text, double& value, const TFormatSettings& settings) {
  WrittenNumber number;
  if (!ScanNumber(text, settings.DecimalSeparator, number))
    return false;
  if (number.digits.empty()) {
    value = number.negative ? -0.0 : 0.0;
    return true;
  }
  std::string c = number.digits + "e" + std::to_string(number.exponent);
  double parsed;
  auto result = std::from_chars(c.data(), c.data() + c.size(), parsed);
  if (result.ec != std::errc() || !std::isfinite(parsed))
    return false;
  value = number.negative ? -parsed : parsed;
  return true;
}

double StrToFloat(const AnsiString& text, const TFormatSettings& settings) {
  double value;
  if (!TryStrToFloat(text, value, settings))
    RaiseNotFloat(text);
  return value;
}

double StrToFloatDef(const AnsiString& text, double fallback, const TFormatSettings& settings) {
  double value;
  return TryStrToFloat(text, value, settings) ? value : fallback;
}

namespace {

// The written number in 1/10000 units, rounded halves to even; false when it
// does not fit 64 bits.
bool ScaledCurrency(const WrittenNumber& number, std::int64_t& scaled) {
  if (number.digits.empty()) {
    scaled = 0;
    return true;
  }
  std::string digits = number.digits;
  long shift = number.exponent + 4;  // power of ten on the digits, in 1/10000 units
  bool roundUp = false;
  if (shift < 0) {
    size_t drop = static_cast<size_t>(std::min<long>(-shift, static_cast<long>(digits.size()) + 1));
    size_t keep = digits.size() >= drop ? digits.size() - drop : 0;
    std::string dropped = digits.substr(keep);
    dropped.insert(0, drop - dropped.size(), '0');
    digits.resize(keep);
    bool aboveHalf = dropped[0] > '5' ||
                     (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != std::string::npos);
    bool half = dropped[0] == '5' && !aboveHalf;
    bool lastOdd = !digits.empty() && (digits.back() - '0') % 2 != 0;
    roundUp = aboveHalf || (half && lastOdd);
    shift = 0;
  }
  if (static_cast<long>(digits.size()) + shift > 19)
    return false;
  digits.append(static_cast<size_t>(shift), '0');
  __int128 magnitude = 0;
  for (char c : digits)
    magnitude = magnitude * 10 + (c - '0');
  if (roundUp)
    ++magnitude;
  __int128 signedValue = number.negative ? -magnitude : magnitude;
  if (signedValue > INT64_MAX || signedValue < INT64_MIN)
    return false;
  scaled = static_cast<std::int64_t>(signedValue);
  return true;
}

}  // namespace

bool TryStrToCurr(const AnsiString& text, Currency& value, const TFormatSettings& settings) {
  WrittenNumber number;
  std::int64_t scaled;
  if (!ScanNumber(text, settings.DecimalSeparator, number) || !ScaledCurrency(number, scaled))
    return false;
  value = Currency::FromScaled(scaled);
  return true;
}

Currency StrToCurr(const AnsiString& text, const TFormatSettings& settings) {
  Currency value;
  if (!TryStrToCurr(text, value, settings))
    RaiseNotFloat(text);
  return value;
}
