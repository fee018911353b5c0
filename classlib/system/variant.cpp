// Variant conversions, arithmetic and comparison.
#include "classlib/system/variant.h"

#include <cfloat>
#include <climits>
#include <cmath>

#include "classlib/system/codepage.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/mathutils.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"

// Reads the private representation for the operations below.
class VariantAccess {
public:
  static std::int64_t Int(const Variant& v) { return v.int_; }
  static double Real(const Variant& v) { return v.double_; }
  static const AnsiString& Text(const Variant& v) { return v.text_; }
  static const std::u16string& WideText(const Variant& v) { return v.wideText_; }
  static Variant Make(TVarType type, std::int64_t i, double d) {
    Variant v;
    v.type_ = type;
    v.int_ = i;
    v.double_ = d;
    return v;
  }
};

namespace {

using VA = VariantAccess;

[[noreturn]] void RaiseCastError(TVarType from, TVarType to) {
  throw EVariantError("Could not convert variant of type (" + VarTypeAsText(from) + ") into type (" +
                      VarTypeAsText(to) + ")");
}

[[noreturn]] void RaiseOverflowError(TVarType from, TVarType to) {
  throw EVariantError("Overflow while converting variant of type (" + VarTypeAsText(from) +
                      ") into type (" + VarTypeAsText(to) + ")");
}

bool IsIntegerType(TVarType t) {
  switch (t) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
      return true;
    default:
      return false;
  }
}

bool IsFloatType(TVarType t) { return t == varSingle || t == varDouble; }
bool IsTextType(TVarType t) { return t == varString || t == varOleStr; }

AnsiString TextOf(const Variant& v) {
  return v.VarType() == varOleStr ? Utf16ToAnsi(VA::WideText(v)) : VA::Text(v);
}

// "True" and "False" in any letter case.
bool TextToBoolName(const AnsiString& text, bool& value) {
  if (SameText(text, "True")) {
    value = true;
    return true;
  }
  if (SameText(text, "False")) {
    value = false;
    return true;
  }
  return false;
}

// A double rounded half to even into [min, max], or the overflow error.
std::int64_t RoundInto(double value, std::int64_t min, std::int64_t max, TVarType from, TVarType to) {
  if (std::isnan(value)) RaiseCastError(from, to);
  if (!(value > -9223372036854775808.0 && value < 9223372036854775808.0)) RaiseOverflowError(from, to);
  const std::int64_t rounded = Round(value);
  if (rounded < min || rounded > max) RaiseOverflowError(from, to);
  return rounded;
}

// Currency to an integer, halves to even.
std::int64_t CurrencyToInt(Currency c) {
  const std::int64_t s = c.Scaled();
  std::int64_t q = s / Currency::Scale;
  const std::int64_t r = s % Currency::Scale;
  const std::int64_t twice = r < 0 ? -2 * r : 2 * r;
  if (twice > Currency::Scale || (twice == Currency::Scale && q % 2 != 0)) q += s < 0 ? -1 : 1;
  return q;
}

std::int64_t ToInt64In(const Variant& v, std::int64_t min, std::int64_t max, TVarType to) {
  const TVarType t = v.VarType();
  std::int64_t value;
  if (t == varEmpty) {
    value = 0;
  } else if (t == varBoolean) {
    value = VA::Int(v) ? -1 : 0;
  } else if (IsIntegerType(t)) {
    value = VA::Int(v);
  } else if (IsFloatType(t) || t == varDate) {
    return RoundInto(VA::Real(v), min, max, t, to);
  } else if (t == varCurrency) {
    value = CurrencyToInt(Currency::FromScaled(VA::Int(v)));
  } else if (IsTextType(t)) {
    const AnsiString text = TextOf(v);
    double real;
    if (TryStrToInt64(text, value)) {
      // taken as it is
    } else if (TryStrToFloat(text, real)) {
      return RoundInto(real, min, max, t, to);
    } else {
      RaiseCastError(t, to);
    }
  } else {
    RaiseCastError(t, to);
  }
  if (value < min || value > max) RaiseOverflowError(t, to);
  return value;
}

double ToDouble(const Variant& v, TVarType to) {
  const TVarType t = v.VarType();
  if (t == varEmpty) return 0;
  if (t == varBoolean) return VA::Int(v) ? -1 : 0;
  if (IsIntegerType(t)) return static_cast<double>(VA::Int(v));
  if (IsFloatType(t) || t == varDate) return VA::Real(v);
  if (t == varCurrency) return Currency::FromScaled(VA::Int(v)).ToDouble();
  if (IsTextType(t)) {
    double value;
    if (TryStrToFloat(TextOf(v), value)) return value;
  }
  RaiseCastError(t, to);
}

// ---- Arithmetic -------------------------------------------------------------

enum class Op { Add, Subtract, Multiply, Divide };

// An operand reduced to the kind of number it takes part as.
struct Number {
  enum Kind { Integer, Currency, Real, Date } kind = Integer;
  bool wide = false;  // an Int64 or LongWord: the result is Int64 too
  std::int64_t i = 0; // Integer; Currency scaled
  double d = 0;       // Real, Date
  double AsReal() const {
    if (kind == Integer) return static_cast<double>(i);
    if (kind == Currency) return ::Currency::FromScaled(i).ToDouble();
    return d;
  }
  ::Currency AsCurrency() const {
    return kind == Currency ? ::Currency::FromScaled(i) : ::Currency::FromInt64(i);
  }
};

Number ToNumber(const Variant& v) {
  const TVarType t = v.VarType();
  Number n;
  if (t == varEmpty) return n;
  if (t == varBoolean) {
    n.i = VA::Int(v) ? -1 : 0;
  } else if (IsIntegerType(t)) {
    n.i = VA::Int(v);
    n.wide = t == varInt64 || t == varLongWord;
  } else if (t == varCurrency) {
    n.kind = Number::Currency;
    n.i = VA::Int(v);
  } else if (t == varDate) {
    n.kind = Number::Date;
    n.d = VA::Real(v);
  } else {
    n.kind = Number::Real;
    n.d = ToDouble(v, varDouble);
  }
  return n;
}

Variant MakeInteger(std::int64_t value, bool wide) {
  if (!wide && value >= INT_MIN && value <= INT_MAX) return Variant(static_cast<int>(value));
  return Variant(value);
}

Variant MakeReal(double value, TVarType type, double x, double y) {
  if (std::isinf(value) && std::isfinite(x) && std::isfinite(y))
    throw EOverflow("Floating point overflow");
  return type == varDate ? Variant::FromDateTime(value) : Variant(value);
}

[[noreturn]] void RaiseIntOverflow() { throw EIntOverflow("Integer overflow"); }

Variant IntegerOp(Op op, const Number& x, const Number& y) {
  std::int64_t result;
  bool overflow = false;
  switch (op) {
    case Op::Add: overflow = __builtin_add_overflow(x.i, y.i, &result); break;
    case Op::Subtract: overflow = __builtin_sub_overflow(x.i, y.i, &result); break;
    default: overflow = __builtin_mul_overflow(x.i, y.i, &result); break;
  }
  if (overflow) RaiseIntOverflow();
  return MakeInteger(result, x.wide || y.wide);
}

Variant CurrencyOp(Op op, const Number& x, const Number& y) {
  const Currency a = x.AsCurrency(), b = y.AsCurrency();
  switch (op) {
    case Op::Add: return Variant(a + b);
    case Op::Subtract: return Variant(a - b);
    default: return Variant(a * b);
  }
}

Variant RealOp(Op op, const Number& x, const Number& y, TVarType type) {
  const double a = x.AsReal(), b = y.AsReal();
  switch (op) {
    case Op::Add: return MakeReal(a + b, type, a, b);
    case Op::Subtract: return MakeReal(a - b, type, a, b);
    default: return MakeReal(a * b, type, a, b);
  }
}

Variant Divide(const Number& x, const Number& y) {
  const double a = x.AsReal(), b = y.AsReal();
  if (b == 0) {
    if (a == 0 || std::isnan(a)) throw EInvalidOp("Invalid floating point operation");
    throw EZeroDivide("Floating point division by zero");
  }
  return MakeReal(a / b, varDouble, a, b);
}

// The type of a date operation: a date moved by a number stays a date.
TVarType DateResultType(Op op, const Number& y) {
  if (op == Op::Add) return varDate;
  if (op == Op::Subtract) return y.kind == Number::Date ? varDouble : varDate;
  return varDouble;
}

bool IsTextOrEmpty(TVarType t) { return IsTextType(t) || t == varEmpty; }

Variant Concatenate(const Variant& a, const Variant& b) {
  if (a.VarType() == varOleStr && b.VarType() == varOleStr)
    return Variant(VA::WideText(a) + VA::WideText(b));
  return Variant(TextOf(a) + TextOf(b));
}

Variant Arithmetic(Op op, const Variant& a, const Variant& b) {
  const TVarType ta = a.VarType(), tb = b.VarType();
  if (ta == varNull || tb == varNull) return Null();
  if (op == Op::Add && IsTextOrEmpty(ta) && IsTextOrEmpty(tb) && (IsTextType(ta) || IsTextType(tb)))
    return Concatenate(a, b);
  const Number x = ToNumber(a), y = ToNumber(b);
  if (op == Op::Divide) return Divide(x, y);
  if (x.kind == Number::Date || y.kind == Number::Date) return RealOp(op, x, y, DateResultType(op, y));
  if (x.kind == Number::Real || y.kind == Number::Real) return RealOp(op, x, y, varDouble);
  if (x.kind == Number::Currency || y.kind == Number::Currency) return CurrencyOp(op, x, y);
  return IntegerOp(op, x, y);
}

// ---- Comparison -------------------------------------------------------------

int Sign(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }
template <typename T>
int Sign3(T a, T b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareNumbers(const Number& x, const Number& y) {
  if (x.kind == Number::Integer && y.kind == Number::Integer) return Sign3(x.i, y.i);
  const bool exact = (x.kind == Number::Integer || x.kind == Number::Currency) &&
                     (y.kind == Number::Integer || y.kind == Number::Currency);
  if (exact) {
    const __int128 a = x.kind == Number::Currency ? x.i : static_cast<__int128>(x.i) * Currency::Scale;
    const __int128 b = y.kind == Number::Currency ? y.i : static_cast<__int128>(y.i) * Currency::Scale;
    return Sign3(a, b);
  }
  return Sign(x.AsReal(), y.AsReal());
}

// Ordering of two values that are not Null.
int Compare(const Variant& a, const Variant& b) {
  const TVarType ta = a.VarType(), tb = b.VarType();
  if (ta == varEmpty && tb == varEmpty) return 0;
  if (IsTextOrEmpty(ta) && IsTextOrEmpty(tb)) {
    const int c = AnsiCompareStr(TextOf(a), TextOf(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  if (ta == varBoolean && tb == varBoolean) return Sign3(VA::Int(a), VA::Int(b));
  return CompareNumbers(ToNumber(a), ToNumber(b));
}

const Variant& NullAsEmpty(const Variant& v, const Variant& empty) {
  return v.VarType() == varNull ? empty : v;
}

}  // namespace

// ---- Construction -----------------------------------------------------------

Variant::Variant(std::u16string value) : type_(varOleStr), wideText_(std::move(value)) {}

Variant Variant::FromDateTime(TDateTime value) { return VA::Make(varDate, 0, value); }

Variant Variant::NullValue() { return VA::Make(varNull, 0, 0); }

void Variant::CheckUInt64(std::uint64_t value) {
  if (value > static_cast<std::uint64_t>(INT64_MAX)) throw EVariantError("Overflow while converting to variant of type (Int64)");
}

// ---- Conversion -------------------------------------------------------------

int Variant::AsInteger() const { return static_cast<int>(ToInt64In(*this, INT_MIN, INT_MAX, varInteger)); }

std::int64_t Variant::AsInt64() const { return ToInt64In(*this, INT64_MIN, INT64_MAX, varInt64); }

double Variant::AsDouble() const { return ToDouble(*this, varDouble); }

Currency Variant::AsCurrency() const {
  // The currency range: +/- 922337203685477.5807.
  constexpr double Limit = 922337203685477.0;
  const TVarType t = type_;
  if (t == varCurrency) return Currency::FromScaled(int_);
  if (t == varEmpty) return Currency();
  if (t == varBoolean) return Currency(int_ ? -1 : 0);
  if (IsIntegerType(t)) {
    if (int_ > static_cast<std::int64_t>(Limit) || int_ < -static_cast<std::int64_t>(Limit))
      RaiseOverflowError(t, varCurrency);
    return Currency::FromInt64(int_);
  }
  if (IsTextType(t)) {
    Currency value;
    if (TryStrToCurr(TextOf(*this), value)) return value;
    RaiseCastError(t, varCurrency);
  }
  const double d = ToDouble(*this, varCurrency);
  if (std::isnan(d)) RaiseCastError(t, varCurrency);
  if (!(std::fabs(d) < Limit)) RaiseOverflowError(t, varCurrency);
  return Currency(d);
}

bool Variant::AsBoolean() const {
  const TVarType t = type_;
  if (t == varBoolean || IsIntegerType(t) || t == varCurrency) return int_ != 0;
  if (t == varEmpty) return false;
  if (IsFloatType(t) || t == varDate) return double_ != 0;
  if (IsTextType(t)) {
    const AnsiString text = TextOf(*this);
    bool value;
    double number;
    if (TextToBoolName(text, value)) return value;
    if (TryStrToFloat(text, number)) return number != 0;
  }
  RaiseCastError(t, varBoolean);
}

TDateTime Variant::AsDateTime() const {
  if (IsTextType(type_)) {
    TDateTime value;
    if (TryStrToDateTime(TextOf(*this), value)) return value;
    RaiseCastError(type_, varDate);
  }
  return ToDouble(*this, varDate);
}

AnsiString Variant::AsString() const {
  switch (type_) {
    case varEmpty: return AnsiString();
    case varBoolean: return int_ ? "True" : "False";
    case varSingle: return FloatToStrF(double_, ffGeneral, 7, 0);
    case varDouble: return FloatToStr(double_);
    case varCurrency: return CurrToStr(Currency::FromScaled(int_));
    case varDate: return DateTimeToStr(double_);
    case varString: return text_;
    case varOleStr: return Utf16ToAnsi(wideText_);
    default:
      if (IsIntegerType(type_)) return IntToStr(int_);
      RaiseCastError(type_, varString);
  }
}

std::u16string Variant::AsWideString() const {
  return type_ == varOleStr ? wideText_ : AnsiToUtf16(AsString());
}

// ---- Operators --------------------------------------------------------------

Variant& Variant::operator+=(const Variant& other) { return *this = Arithmetic(Op::Add, *this, other); }
Variant& Variant::operator-=(const Variant& other) { return *this = Arithmetic(Op::Subtract, *this, other); }
Variant& Variant::operator*=(const Variant& other) { return *this = Arithmetic(Op::Multiply, *this, other); }
Variant& Variant::operator/=(const Variant& other) { return *this = Arithmetic(Op::Divide, *this, other); }

Variant Variant::operator-() const {
  if (type_ == varNull) return *this;
  return Arithmetic(Op::Subtract, Variant(0), *this);
}

Variant Variant::operator!() const {
  if (type_ == varNull) return *this;
  if (type_ == varBoolean) return Variant(int_ == 0);
  bool named;
  if (IsTextType(type_) && TextToBoolName(TextOf(*this), named)) return Variant(!named);
  const bool wide = type_ == varInt64 || type_ == varLongWord;
  return MakeInteger(~AsInt64(), wide);
}

bool operator==(const Variant& a, const Variant& b) {
  if (a.VarType() == varNull || b.VarType() == varNull)
    return a.VarType() == varNull && b.VarType() == varNull;
  return Compare(a, b) == 0;
}

bool operator<(const Variant& a, const Variant& b) {
  const Variant empty;
  return Compare(NullAsEmpty(a, empty), NullAsEmpty(b, empty)) < 0;
}

// ---- Free functions ---------------------------------------------------------

AnsiString VarToStr(const Variant& v) { return v.VarType() == varNull ? AnsiString() : v.AsString(); }

Variant VarAsType(const Variant& v, TVarType type) {
  const TVarType from = v.VarType();
  if (type == from) return v;
  if (type == varEmpty) return Variant();
  if (type == varNull) return Null();
  if (from == varNull) RaiseCastError(from, type);
  switch (type) {
    case varSmallint: return Variant(static_cast<std::int16_t>(ToInt64In(v, INT16_MIN, INT16_MAX, type)));
    case varInteger: return Variant(static_cast<std::int32_t>(ToInt64In(v, INT32_MIN, INT32_MAX, type)));
    case varShortInt: return Variant(static_cast<std::int8_t>(ToInt64In(v, INT8_MIN, INT8_MAX, type)));
    case varByte: return Variant(static_cast<std::uint8_t>(ToInt64In(v, 0, UINT8_MAX, type)));
    case varWord: return Variant(static_cast<std::uint16_t>(ToInt64In(v, 0, UINT16_MAX, type)));
    case varLongWord: return Variant(static_cast<std::uint32_t>(ToInt64In(v, 0, UINT32_MAX, type)));
    case varInt64: return Variant(ToInt64In(v, INT64_MIN, INT64_MAX, type));
    case varSingle: {
      const double d = ToDouble(v, type);
      if (std::isfinite(d) && std::fabs(d) > FLT_MAX) RaiseOverflowError(from, type);
      return Variant(static_cast<float>(d));
    }
    case varDouble: return Variant(v.AsDouble());
    case varCurrency: return Variant(v.AsCurrency());
    case varDate: return Variant::FromDateTime(v.AsDateTime());
    case varBoolean: return Variant(v.AsBoolean());
    case varString: return Variant(v.AsString());
    case varOleStr: return Variant(v.AsWideString());
    default: RaiseCastError(from, type);
  }
}

TVariantRelationship VarCompareValue(const Variant& a, const Variant& b) {
  const TVarType ta = a.VarType(), tb = b.VarType();
  if (ta == varEmpty || ta == varNull) return tb == ta ? vrEqual : vrNotEqual;
  if (tb == varEmpty || tb == varNull) return vrNotEqual;
  const int c = Compare(a, b);
  return c == 0 ? vrEqual : (c < 0 ? vrLessThan : vrGreaterThan);
}

AnsiString VarTypeAsText(TVarType type) {
  static const char* const names[] = {"Empty",   "Null",     "Smallint", "Integer", "Single",
                                      "Double",  "Currency", "Date",     "OleStr",  "Dispatch",
                                      "Error",   "Boolean",  "Variant",  "Unknown", "Decimal",
                                      "$000F",   "ShortInt", "Byte",     "Word",    "LongWord",
                                      "Int64"};
  const TVarType base = type & varTypeMask;
  AnsiString text = (type & varArray) ? "Array " : "";
  if (base < std::size(names))
    text += names[base];
  else if (base == varString)
    text += "String";
  else
    text += '$' + IntToHex(base, 4);
  return text;
}
