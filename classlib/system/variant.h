// Variant: a value of one of the platform's variant types, with the platform's
// type codes, conversions, comparisons and arithmetic.
//
// Conversions
//   Empty converts to 0, "", False and date 0. Null converts only to text
//   through VarToStr (""); any other conversion of Null raises EVariantError
//   "Could not convert variant of type (Null) into type (Integer)".
//   Text converts to numbers with the decimal separator of FormatSettings
//   (integers also from "$" hex), to Boolean from "True"/"False" (any case) or
//   a number, to a date by StrToDateTime. Numbers convert to text with
//   FloatToStr (a Single with 7 significant digits, so 0.1f reads "0.1"),
//   CurrToStr and DateTimeToStr; Booleans to "True"/"False". True is -1 as a
//   number. Fractions round to integers half to even. A value outside the
//   target's range raises EVariantError "Overflow while converting variant of
//   type (Double) into type (Integer)".
//
// Arithmetic (+ - * / and unary -)
//   Null on either side gives Null. "+" of two texts (or a text and Empty)
//   concatenates. Otherwise Empty counts as integer 0, Boolean as -1/0 and text
//   is converted to a Double. Integers give Integer, or Int64 when an operand
//   is Int64 or LongWord or when the result leaves the 32-bit range; a result
//   outside the 64-bit range raises EIntOverflow. A Single, Double or text
//   operand gives Double; Currency with integers gives Currency. A date plus or
//   minus a number stays a date; date minus date and products or quotients of
//   dates are Doubles. "/" always gives a Double; dividing by zero raises
//   EZeroDivide (0 / 0 EInvalidOp), a Double overflow EOverflow.
//
// Comparison
//   Null equals Null and nothing else. For <, >, <= and >= Null counts as Empty.
//   Empty equals 0 and "" (and Empty). Two texts compare with AnsiCompareStr;
//   two Booleans with False before True; a text and a number compare as
//   numbers (the text converted, raising EVariantError when it is no number);
//   other mixes compare their numeric values.
#pragma once
#include <compare>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

#include "classlib/system/ansistring.h"
#include "classlib/system/currency.h"
#include "classlib/system/datetime.h"

using TVarType = std::uint16_t;

inline constexpr TVarType varEmpty = 0x0000;
inline constexpr TVarType varNull = 0x0001;
inline constexpr TVarType varSmallint = 0x0002;
inline constexpr TVarType varInteger = 0x0003;
inline constexpr TVarType varSingle = 0x0004;
inline constexpr TVarType varDouble = 0x0005;
inline constexpr TVarType varCurrency = 0x0006;
inline constexpr TVarType varDate = 0x0007;
inline constexpr TVarType varOleStr = 0x0008;
inline constexpr TVarType varDispatch = 0x0009;
inline constexpr TVarType varError = 0x000A;
inline constexpr TVarType varBoolean = 0x000B;
inline constexpr TVarType varVariant = 0x000C;
inline constexpr TVarType varUnknown = 0x000D;
inline constexpr TVarType varShortInt = 0x0010;
inline constexpr TVarType varByte = 0x0011;
inline constexpr TVarType varWord = 0x0012;
inline constexpr TVarType varLongWord = 0x0013;
inline constexpr TVarType varInt64 = 0x0014;
inline constexpr TVarType varString = 0x0100;
inline constexpr TVarType varTypeMask = 0x0FFF;
inline constexpr TVarType varArray = 0x2000;

enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };

class Variant {
public:
  Variant() = default;

  Variant(bool value) : type_(varBoolean), int_(value ? 1 : 0) {}
  // Integers take the type code of their size and signedness: int8 ShortInt,
  // uint8 Byte, int16 Smallint, uint16 Word, int32 Integer, uint32 LongWord,
  // int64 Int64 (a uint64 must fit in Int64).
  template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>)
  Variant(T value) : type_(IntegerTypeOf<T>()), int_(static_cast<std::int64_t>(value)) {
    if constexpr (std::is_unsigned_v<T> && sizeof(T) == 8) CheckUInt64(value);
  }
  Variant(float value) : type_(varSingle), double_(value) {}
  Variant(double value) : type_(varDouble), double_(value) {}
  Variant(Currency value) : type_(varCurrency), int_(value.Scaled()) {}
  // Text in code page 1254.
  Variant(char value) : type_(varString), text_(1, value) {}
  Variant(const char* value) : type_(varString), text_(value ? value : "") {}
  Variant(std::string_view value) : type_(varString), text_(value) {}
  Variant(AnsiString value) : type_(varString), text_(std::move(value)) {}
  // UTF-16 text (an OLE string).
  Variant(std::u16string value);
  Variant(const char16_t* value) : Variant(std::u16string(value ? value : u"")) {}

  // A TDateTime is a double and would make a Double: dates are made here.
  static Variant FromDateTime(TDateTime value);
  static Variant NullValue();

  TVarType VarType() const { return type_; }

  // Conversions by the rules above.
  int AsInteger() const;
  std::int64_t AsInt64() const;
  double AsDouble() const;
  Currency AsCurrency() const;
  bool AsBoolean() const;
  TDateTime AsDateTime() const;
  AnsiString AsString() const;
  std::u16string AsWideString() const;

  Variant& operator+=(const Variant& other);
  Variant& operator-=(const Variant& other);
  Variant& operator*=(const Variant& other);
  Variant& operator/=(const Variant& other);

  friend Variant operator+(Variant a, const Variant& b) { return a += b; }
  friend Variant operator-(Variant a, const Variant& b) { return a -= b; }
  friend Variant operator*(Variant a, const Variant& b) { return a *= b; }
  friend Variant operator/(Variant a, const Variant& b) { return a /= b; }
  Variant operator-() const;
  // The platform's "not": logical for a Boolean, bitwise for an integer,
  // Null stays Null; other values are converted to an integer first (texts
  // "True"/"False" to a Boolean).
  Variant operator!() const;

  friend bool operator==(const Variant& a, const Variant& b);
  friend bool operator<(const Variant& a, const Variant& b);
  friend bool operator>(const Variant& a, const Variant& b) { return b < a; }
  friend bool operator<=(const Variant& a, const Variant& b) { return !(b < a); }
  friend bool operator>=(const Variant& a, const Variant& b) { return !(a < b); }

private:
  template <typename T>
  static constexpr TVarType IntegerTypeOf() {
    if constexpr (sizeof(T) == 1) return std::is_signed_v<T> ? varShortInt : varByte;
    else if constexpr (sizeof(T) == 2) return std::is_signed_v<T> ? varSmallint : varWord;
    else if constexpr (sizeof(T) == 4) return std::is_signed_v<T> ? varInteger : varLongWord;
    else return varInt64;
  }
  static void CheckUInt64(std::uint64_t value);

  friend class VariantAccess;

  TVarType type_ = varEmpty;
  std::int64_t int_ = 0;    // integers, Boolean (0/1), Currency (scaled)
  double double_ = 0;       // Single, Double, Date
  AnsiString text_;         // String
  std::u16string wideText_; // OleStr
};

inline Variant Unassigned() { return Variant(); }
inline Variant Null() { return Variant::NullValue(); }
inline Variant VarFromDateTime(TDateTime value) { return Variant::FromDateTime(value); }

inline TVarType VarType(const Variant& v) { return v.VarType(); }
inline bool VarIsNull(const Variant& v) { return v.VarType() == varNull; }
inline bool VarIsEmpty(const Variant& v) { return v.VarType() == varEmpty; }
// The text of a value; Null gives "".
AnsiString VarToStr(const Variant& v);
// The value converted to another type code (varEmpty .. varInt64, varString).
Variant VarAsType(const Variant& v, TVarType type);
// Equal, less, greater; "not equal" when exactly one side is Empty or Null.
TVariantRelationship VarCompareValue(const Variant& a, const Variant& b);
// The platform's name of a type code: "Integer", "String", "Null" ...
AnsiString VarTypeAsText(TVarType type);
