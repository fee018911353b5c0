// Number <-> text conversions with the platform's rules and texts.
//
// Every function that writes or reads a decimal separator, thousands
// separator or currency takes the settings to use; the default is the
// process-wide FormatSettings.
//
// Floating-point text is made from the value's exact decimal expansion cut to
// 18 significant digits and then rounded half away from zero to the digits
// asked for, the way the platform rounds its 18-digit expansion. A binary
// double is rounded as it really is: 1.005 is 1.00499999999999989... and
// FormatFloat("0.00", 1.005) gives "1.00", while 0.125 (exact) gives "0.13".
#pragma once
#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>

#include "classlib/system/ansistring.h"
#include "classlib/system/currency.h"
#include "classlib/system/formatsettings.h"

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// ---- Integers -------------------------------------------------------------

AnsiString IntToStr(std::int64_t value);
template <std::integral T>
  requires(!std::same_as<T, std::int64_t> && !std::same_as<T, bool>)
inline AnsiString IntToStr(T value) {
  if constexpr (std::is_unsigned_v<T> && sizeof(T) == 8)
    return std::to_string(value);  // beyond the int64 range
  else
    return IntToStr(static_cast<std::int64_t>(value));
}

// Upper-case hex, at least `digits` digits. A negative 32-bit value shows as
// its 32-bit two's complement (IntToHex(-1, 2) = "FFFFFFFF"); a negative
// 64-bit value as its 64-bit one.
AnsiString IntToHex64(std::uint64_t value, int digits);
template <std::integral T>
  requires(!std::same_as<T, bool>)
inline AnsiString IntToHex(T value, int digits) {
  if constexpr (sizeof(T) <= 4)
    return IntToHex64(static_cast<std::uint32_t>(value), digits);
  else
    return IntToHex64(static_cast<std::uint64_t>(value), digits);
}

// Accepted: leading blanks, an optional sign, then decimal digits, or hex
// digits after "$", "0x" or "0X"; nothing may follow. Hex may give the full
// unsigned range of the type ("$FFFFFFFF" = -1). Otherwise EConvertError
// "'<text>' is not a valid integer value".
int StrToInt(const AnsiString& text);
int StrToIntDef(const AnsiString& text, int fallback);
bool TryStrToInt(const AnsiString& text, int& value);
std::int64_t StrToInt64(const AnsiString& text);
std::int64_t StrToInt64Def(const AnsiString& text, std::int64_t fallback);
bool TryStrToInt64(const AnsiString& text, std::int64_t& value);

// ---- Floating point to text ----------------------------------------------

// General format with 15 significant digits: FloatToStrF(value, ffGeneral, 15, 0).
AnsiString FloatToStr(double value, const TFormatSettings& settings = FormatSettings);

// format: ffGeneral (shortest, fixed unless the integer part has more than
// `precision` digits or the value is below 0.0001: FloatToStr(1e15) = "1E15",
// FloatToStr(0.0001) = "0.0001", FloatToStr(1e-5) = "1E-5"; `digits` = least
// exponent digits), ffExponent ("-d.dddE+dddd": `precision` digits, at least `digits`
// exponent digits), ffFixed and ffNumber (`digits` decimals, ffNumber with
// thousands separators), ffCurrency (`digits` decimals with the currency
// string placed by CurrencyFormat/NegCurrFormat); a fixed format whose
// integer part has more than `precision` digits falls back to the general
// one ("1E20"). `precision` is cut to 18, `digits` to 18 (4 for exponents).
// A value that rounds to zero shows no sign. NaN and infinities give "NAN",
// "INF", "-INF".
AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                       const TFormatSettings& settings = FormatSettings);

// The mask language: up to three sections "positive;negative;zero"; '0' digit
// or zero, '#' digit or nothing, '.' the decimal separator, ',' thousands
// separators, "E+", "E-", "e+", "e-" with up to four '0' for the exponent,
// '...' and "..." literals, other characters as they stand. An empty mask or
// empty positive section gives FloatToStrF(value, ffGeneral, 15, 0).
AnsiString FormatFloat(const AnsiString& format, double value,
                       const TFormatSettings& settings = FormatSettings);
AnsiString FormatCurr(const AnsiString& format, Currency value,
                      const TFormatSettings& settings = FormatSettings);

// Shortest text of a currency amount (up to four decimals).
AnsiString CurrToStr(Currency value, const TFormatSettings& settings = FormatSettings);

// ---- Text to floating point ----------------------------------------------

// Accepted: blanks around, optional sign, digits with at most one decimal
// separator of the settings, optional exponent "E[+-]ddd". Otherwise
// EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(const AnsiString& text, const TFormatSettings& settings = FormatSettings);
double StrToFloatDef(const AnsiString& text, double fallback,
                     const TFormatSettings& settings = FormatSettings);
bool TryStrToFloat(const AnsiString& text, double& value,
                   const TFormatSettings& settings = FormatSettings);
Currency StrToCurr(const AnsiString& text, const TFormatSettings& settings = FormatSettings);
bool TryStrToCurr(const AnsiString& text, Currency& value,
                  const TFormatSettings& settings = FormatSettings);
