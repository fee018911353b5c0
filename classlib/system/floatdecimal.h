// The decimal digits of a number, as the float-to-text conversions use them.
//
// A TDecimal is 0.d1d2d3... x 10^Exponent with no trailing zero digits; zero
// has no digits. Doubles are expanded to 18 significant digits, exactly
// rounded, and every later rounding works on those digits, half away from
// zero: the way the platform's conversions round.
#pragma once
#include <cstdint>
#include <string>

#include "classlib/system/ansistring.h"
#include "classlib/system/currency.h"
#include "classlib/system/formatsettings.h"

struct TDecimal {
  bool Negative = false;
  int Exponent = 0;
  std::string Digits;  // '0'..'9', no trailing '0'

  bool IsZero() const { return Digits.empty(); }
};

// The most significant digits a double's expansion keeps.
inline constexpr int MaxDecimalDigits = 18;

// Expansion of a finite double.
TDecimal DecimalFromDouble(double value);
// Exact expansion of a currency amount (at most 19 digits).
TDecimal DecimalFromCurrency(Currency value);
// Rounds, half away from zero, to at most `precision` significant digits and
// at most `decimals` digits after the point. A value that rounds away
// entirely becomes zero (keeping its sign flag).
void RoundDecimal(TDecimal& number, int precision, int decimals);

// The digits of the integer part ("0" when there are none) and of the first
// `count` fraction digits (padded with '0').
std::string IntegerDigits(const TDecimal& number);
std::string FractionDigits(const TDecimal& number, int count);
// Inserts a thousands separator between every group of three digits.
std::string GroupThousands(const std::string& digits, char separator);

// "E+05"-style exponent text: sign always when `plusSign`, else only "-";
// at least `minDigits` digits.
std::string ExponentText(int exponent, bool plusSign, int minDigits);

// Every digit of the number in fixed notation ("-123.045"), no rounding.
AnsiString PlainDecimal(const TDecimal& number, const TFormatSettings& settings);

// The formats of FloatToStrF on an already expanded number (not rounded yet).
AnsiString FormatDecimalGeneral(TDecimal number, int precision, int expDigits,
                                const TFormatSettings& settings);
AnsiString FormatDecimalExponent(TDecimal number, int precision, int expDigits,
                                 const TFormatSettings& settings);
// ffFixed, ffNumber, ffCurrency.
AnsiString FormatDecimalFixed(TDecimal number, int precision, int decimals, bool thousands,
                              const TFormatSettings& settings);
AnsiString FormatDecimalCurrency(TDecimal number, int precision, int decimals,
                                 const TFormatSettings& settings);
// Places the currency string around an amount as CurrencyFormat/NegCurrFormat say.
AnsiString PlaceCurrency(const AnsiString& amount, bool negative, const TFormatSettings& settings);
