#include "classlib/system/floatdecimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

void StripTrailingZeros(TDecimal& number) {
  while (!number.Digits.empty() && number.Digits.back() == '0')
    number.Digits.pop_back();
  if (number.Digits.empty())
    number.Exponent = 0;
}

// Adds one unit in the last kept digit; "999" becomes "1" one place higher.
void IncrementLastDigit(TDecimal& number) {
  std::string& d = number.Digits;
  while (!d.empty() && d.back() == '9')
    d.pop_back();
  if (d.empty()) {
    d.assign(1, '1');
    ++number.Exponent;
  } else {
    ++d.back();
  }
}

AnsiString Signed(bool negative, AnsiString text) {
  if (negative)
    text.insert(0, 1, '-');
  return text;
}

}  // namespace

TDecimal DecimalFromDouble(double value) {
  TDecimal number;
  number.Negative = value < 0;
  if (value == 0 || !std::isfinite(value))
    return number;
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                              std::chars_format::scientific, MaxDecimalDigits - 1);
  // "d.ddddddddddddddddde+XX"
  std::string text(buffer, result.ptr);
  size_t e = text.find('e');
  number.Digits = text.substr(0, 1) + text.substr(2, e - 2);
  number.Exponent = std::atoi(text.c_str() + e + 1) + 1;
  StripTrailingZeros(number);
  return number;
}

TDecimal DecimalFromCurrency(Currency value) {
  TDecimal number;
  std::int64_t scaled = value.Scaled();
  number.Negative = scaled < 0;
  // The magnitude as unsigned: -2^63 has no positive int64.
  std::uint64_t magnitude = scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
  if (magnitude == 0)
    return number;
  number.Digits = std::to_string(magnitude);
  number.Exponent = static_cast<int>(number.Digits.size()) - 4;
  StripTrailingZeros(number);
  return number;
}

void RoundDecimal(TDecimal& number, int precision, int decimals) {
  long keep = std::min<long>(precision, static_cast<long>(number.Exponent) + decimals);
  if (keep >= static_cast<long>(number.Digits.size()))
    return;
  if (keep < 0) {
    number.Digits.clear();
    number.Exponent = 0;
    return;
  }
  bool roundUp = number.Digits[static_cast<size_t>(keep)] >= '5';
  number.Digits.resize(static_cast<size_t>(keep));
  if (roundUp)
    IncrementLastDigit(number);
  StripTrailingZeros(number);
}

std::string IntegerDigits(const TDecimal& number) {
  if (number.Exponent <= 0)
    return "0";
  std::string digits = number.Digits.substr(0, static_cast<size_t>(number.Exponent));
  digits.resize(static_cast<size_t>(number.Exponent), '0');
  return digits;
}

std::string FractionDigits(const TDecimal& number, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) {
    long at = static_cast<long>(number.Exponent) + i;
    bool inside = at >= 0 && at < static_cast<long>(number.Digits.size());
    digits += inside ? number.Digits[static_cast<size_t>(at)] : '0';
  }
  return digits;
}

std::string GroupThousands(const std::string& digits, char separator) {
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0)
      grouped += separator;
    grouped += digits[i];
  }
  return grouped;
}

std::string ExponentText(int exponent, bool plusSign, int minDigits) {
  std::string digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < minDigits)
    digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
  if (exponent < 0 || plusSign)
    digits.insert(0, 1, exponent < 0 ? '-' : '+');
  return digits;
}

AnsiString FormatDecimalGeneral(TDecimal number, int precision, int expDigits,
                                const TFormatSettings& settings) {
  precision = std::clamp(precision, 1, MaxDecimalDigits);
  expDigits = std::clamp(expDigits, 0, 4);
  RoundDecimal(number, precision, 9999);
  if (number.IsZero())
    return "0";
  AnsiString text;
  if (number.Exponent > precision || number.Exponent < -3) {
    text = number.Digits.substr(0, 1);
    if (number.Digits.size() > 1)
      text += settings.DecimalSeparator + number.Digits.substr(1);
    text += 'E';
    text += ExponentText(number.Exponent - 1, false, expDigits);
    return Signed(number.Negative, text);
  }
  return PlainDecimal(number, settings);
}

AnsiString PlainDecimal(const TDecimal& number, const TFormatSettings& settings) {
  AnsiString text = IntegerDigits(number);
  int fraction = static_cast<int>(number.Digits.size()) - number.Exponent;
  if (fraction > 0)
    text += settings.DecimalSeparator + FractionDigits(number, fraction);
  return Signed(number.Negative && !number.IsZero(), text);
}

AnsiString FormatDecimalExponent(TDecimal number, int precision, int expDigits,
                                 const TFormatSettings& settings) {
  precision = std::clamp(precision, 1, MaxDecimalDigits);
  expDigits = std::clamp(expDigits, 0, 4);
  RoundDecimal(number, precision, 9999);
  std::string digits = number.Digits;
  digits.resize(static_cast<size_t>(precision), '0');
  int exponent = number.IsZero() ? 0 : number.Exponent - 1;
  AnsiString text = digits.substr(0, 1);
  if (precision > 1)
    text += settings.DecimalSeparator + digits.substr(1);
  text += 'E';
  text += ExponentText(exponent, true, expDigits);
  return Signed(number.Negative && !number.IsZero(), text);
}

namespace {

// The unsigned amount of ffFixed/ffNumber/ffCurrency, or the general form when
// the integer part has more digits than the precision.
AnsiString FixedAmount(TDecimal& number, int& precision, int decimals, bool thousands,
                       const TFormatSettings& settings, bool& tooLarge) {
  precision = std::clamp(precision, 1, MaxDecimalDigits);
  decimals = std::clamp(decimals, 0, MaxDecimalDigits);
  RoundDecimal(number, precision, decimals);
  tooLarge = number.Exponent > precision;
  if (tooLarge)
    return FormatDecimalGeneral(number, precision, 0, settings);
  std::string whole = IntegerDigits(number);
  AnsiString text = thousands ? GroupThousands(whole, settings.ThousandSeparator) : whole;
  if (decimals > 0)
    text += settings.DecimalSeparator + FractionDigits(number, decimals);
  return text;
}

}  // namespace

AnsiString FormatDecimalFixed(TDecimal number, int precision, int decimals, bool thousands,
                              const TFormatSettings& settings) {
  bool tooLarge = false;
  AnsiString amount = FixedAmount(number, precision, decimals, thousands, settings, tooLarge);
  if (tooLarge)
    return amount;
  return Signed(number.Negative && !number.IsZero(), amount);
}

AnsiString FormatDecimalCurrency(TDecimal number, int precision, int decimals,
                                 const TFormatSettings& settings) {
  bool tooLarge = false;
  AnsiString amount = FixedAmount(number, precision, decimals, true, settings, tooLarge);
  if (tooLarge)
    return amount;
  return PlaceCurrency(amount, number.Negative && !number.IsZero(), settings);
}

AnsiString PlaceCurrency(const AnsiString& amount, bool negative, const TFormatSettings& settings) {
  const AnsiString& c = settings.CurrencyString;
  const AnsiString& a = amount;
  if (!negative) {
    switch (settings.CurrencyFormat) {
      case 1: return a + c;
      case 2: return c + " " + a;
      case 3: return a + " " + c;
      default: return c + a;
    }
  }
  switch (settings.NegCurrFormat) {
    case 1: return "-" + c + a;
    case 2: return c + "-" + a;
    case 3: return c + a + "-";
    case 4: return "(" + a + c + ")";
    case 5: return "-" + a + c;
    case 6: return a + "-" + c;
    case 7: return a + c + "-";
    case 8: return "-" + a + " " + c;
    case 9: return "-" + c + " " + a;
    case 10: return a + " " + c + "-";
    case 11: return c + " " + a + "-";
    case 12: return c + " -" + a;
    case 13: return a + "- " + c;
    case 14: return "(" + c + " " + a + ")";
    case 15: return "(" + a + " " + c + ")";
    default: return "(" + c + a + ")";
  }
}
