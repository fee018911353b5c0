#include "textreport/core/zrformat.h"

#include "classlib/system/datetime.h"
#include "classlib/system/maskutils.h"
#include "classlib/system/strutils.h"

BEGIN_PUBLISHED(TZFormat)
  PROPERTY(BlankIfZero, FBlankIfZero, SetBlankIfZero).Default(false),
  PROPERTY(FloatFormat, FFloatFormat, SetFloatFormat).Default(ffGeneral),
  PROPERTY(Digits, FDigits, SetDigits).Default(0),
  PROPERTY(DisplayMask, FDisplayMask, SetDisplayMask),
  PROPERTY(Width, FWidth, SetWidth).Default(16),
  PROPERTY(OnChange, OnChange, OnChange),
END_PUBLISHED

TZRValueKind ClassifyValue(const Variant& Value) {
  const TVarType type = Value.VarType();
  if ((type & varArray) != 0)
    return zvkNone;
  switch (type & varTypeMask) {
    case varEmpty: return zvkNone;
    case varNull: return zvkNull;
    case varSmallint:
    case varInteger:
    case varByte:
    // The unsigned and 64-bit integers are integers too.
    case varWord:
    case varLongWord:
    case varInt64: return zvkInteger;
    case varSingle:
    case varDouble: return zvkFloat;
    case varCurrency: return zvkCurrency;
    case varDate: return zvkDate;
    case varOleStr:
    case varString: return zvkString;
    case varBoolean: return zvkBoolean;
    default: return zvkNone;  // dispatch, error, variant, unknown, decimal, 8-bit signed
  }
}

bool IsBlankValue(const Variant& Value) {
  switch (ClassifyValue(Value)) {
    case zvkNone:
    case zvkNull: return true;
    case zvkInteger: return Value.AsInt64() == 0;
    case zvkFloat: return Value.AsDouble() == 0;
    case zvkCurrency: return Value.AsCurrency() == Currency(0);
    case zvkString: return Trim(Value.AsString()).empty();
    default: return false;
  }
}

void TZFormat::Changed() {
  if (OnChange)
    OnChange(this);
}

void TZFormat::SetBlankIfZero(bool Value) {
  if (Value == FBlankIfZero)
    return;
  FBlankIfZero = Value;
  Changed();
}

void TZFormat::SetFloatFormat(TFloatFormat Value) {
  if (Value == FFloatFormat)
    return;
  FFloatFormat = Value;
  Changed();
}

void TZFormat::SetDigits(int Value) {
  if (Value == FDigits)
    return;
  FDigits = Value;
  Changed();
}

void TZFormat::SetDisplayMask(const AnsiString& Value) {
  if (Value == FDisplayMask)
    return;
  FDisplayMask = Value;
  Changed();
}

void TZFormat::SetWidth(int Value) {
  if (Value == FWidth)
    return;
  FWidth = Value;
  Changed();
}

void TZFormat::Assign(TPersistent* Source) {
  if (auto* format = dynamic_cast<TZFormat*>(Source)) {
    FDisplayMask = format->FDisplayMask;
    FFloatFormat = format->FFloatFormat;
    FWidth = format->FWidth;
    FDigits = format->FDigits;
    FBlankIfZero = format->FBlankIfZero;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

AnsiString TZFormat::FormatNumber(const Variant& Value, bool HasMask) const {
  const double number = Value.AsDouble();
  if (HasMask)
    return FormatFloat(FDisplayMask, number);
  if (FFloatFormat == ffCurrency)
    return FloatToStrF(number, ffCurrency, FWidth, FormatSettings.CurrencyDecimals);
  return FloatToStrF(number, FFloatFormat, FWidth, FDigits);
}

AnsiString TZFormat::FormatBoolean(bool Value, bool HasMask) const {
  if (!HasMask)
    return Value ? "+" : "-";
  const std::size_t separator = FDisplayMask.find(';');
  if (separator == AnsiString::npos)
    return Value ? FDisplayMask : AnsiString();  // a mask without ";" names only the true text
  return Value ? FDisplayMask.substr(0, separator) : FDisplayMask.substr(separator + 1);
}

void TZFormat::FormatValue(const Variant& Value, AnsiString& Text) const {
  Text.clear();
  if (FBlankIfZero && IsBlankValue(Value))
    return;
  const bool hasMask = !Trim(FDisplayMask).empty();
  switch (ClassifyValue(Value)) {
    case zvkString:
      Text = hasMask ? FormatMaskText(FDisplayMask, Value.AsString()) : Value.AsString();
      break;
    case zvkInteger:
    case zvkFloat:
    case zvkCurrency: Text = FormatNumber(Value, hasMask); break;
    case zvkBoolean: Text = FormatBoolean(Value.AsBoolean(), hasMask); break;
    case zvkDate:
      // Without a mask the default "c": the short date, and the time unless it is midnight.
      Text = FormatDateTime(hasMask ? FDisplayMask : AnsiString("c"), Value.AsDateTime());
      break;
    case zvkNone:
    case zvkNull: break;
  }
}

AnsiString TZFormat::FormatValue(const Variant& Value) const {
  AnsiString text;
  FormatValue(Value, text);
  return text;
}
