// TQREvValue: one value of an expression.
//
// A value is integer, float, string, boolean or error; only the field that
// belongs to its kind is meaningful. Every text that enters a value is cut to
// its first 255 characters, and an error carries its message in StrValue.
#pragma once
#include <cstdint>
#include <string_view>

#include "classlib/system/ansistring.h"

enum TQREvResultType : unsigned char { evInteger, evFloat, evString, evBoolean, evError };

// Longest text a value holds.
inline constexpr std::size_t MaxEvTextLength = 255;

struct TQREvValue {
  TQREvResultType ValueKind = evInteger;
  std::int32_t IntValue = 0;
  double FloatValue = 0;
  AnsiString StrValue;
  bool BoolValue = false;

  static TQREvValue Integer(std::int32_t value);
  static TQREvValue Float(double value);
  static TQREvValue String(std::string_view text);
  static TQREvValue Boolean(bool value);
  static TQREvValue Error(std::string_view message);

  bool IsError() const { return ValueKind == evError; }
  bool IsNumeric() const { return ValueKind == evInteger || ValueKind == evFloat; }
  // Integer or float as a double; 0 for the other kinds.
  double AsDouble() const;
};

// The first 255 characters of a text.
AnsiString CutEvText(std::string_view text);
// Changes a value in place to a string (cut), to an integer, a float, a
// boolean or an error, clearing what belonged to its old kind.
void SetEvString(TQREvValue& value, std::string_view text);
void SetEvInteger(TQREvValue& value, std::int32_t number);
void SetEvFloat(TQREvValue& value, double number);
void SetEvBoolean(TQREvValue& value, bool truth);
void SetEvError(TQREvValue& value, std::string_view message);

// A value as text the way operators and STR see it: an integer as its
// decimal digits, a float as the general float text with the locale's
// decimal separator, a boolean as "True" or "False", a string or an error
// message as it stands.
AnsiString EvValueText(const TQREvValue& value);
// "INTEGER", "FLOAT", "STRING", "BOOLEAN" or "ERROR".
const char* EvKindName(TQREvResultType kind);
