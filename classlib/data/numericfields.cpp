#include "classlib/data/numericfields.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "classlib/data/dataset.h"
#include "classlib/data/dbconsts.h"
#include "classlib/system/numconv.h"

BEGIN_PUBLISHED(TNumericField)
  PROPERTY(DisplayFormat, DisplayFormat, SetDisplayFormat),
  PROPERTY(EditFormat, EditFormat, SetEditFormat),
END_PUBLISHED

BEGIN_PUBLISHED(TIntegerField)
  PROPERTY(MaxValue, FMaxValue, SetMaxValue).Default(0),
  PROPERTY(MinValue, FMinValue, SetMinValue).Default(0),
END_PUBLISHED

IMPLEMENT_CLASS(TSmallintField)
IMPLEMENT_CLASS(TWordField)
IMPLEMENT_CLASS(TAutoIncField)
IMPLEMENT_CLASS(TLargeintField)

BEGIN_PUBLISHED(TFloatField)
  PROPERTY(Currency, FCurrency, SetCurrency).Default(false),
  PROPERTY(MaxValue, FMaxValue, SetMaxValue),
  PROPERTY(MinValue, FMinValue, SetMinValue),
  PROPERTY(Precision, FPrecision, SetPrecision).Default(15),
END_PUBLISHED

IMPLEMENT_CLASS(TCurrencyField)

BEGIN_PUBLISHED(TBCDField)
  PROPERTY(Currency, FCurrency, SetCurrency).Default(false),
  PROPERTY(Precision, FPrecision, SetPrecision).Default(0),
END_PUBLISHED

namespace {

// The mask for the text asked for: DisplayFormat when displayed, else EditFormat.
const AnsiString& FormatFor(const TNumericField& field, bool displayText) {
  return displayText || field.EditFormat().empty() ? field.DisplayFormat() : field.EditFormat();
}

template <class T>
bool ReadRaw(const TField& field, T& value) {
  return field.GetData(&value);
}

}  // namespace

// ---- TNumericField ------------------------------------------------------------

TNumericField::TNumericField(TComponent* AOwner) : TField(AOwner) { SetDefaultAlignment(taRightJustify); }

void TNumericField::SetDisplayFormat(const AnsiString& Value) {
  FDisplayFormat = Value;
  PropertyChanged(false);
}

void TNumericField::SetEditFormat(const AnsiString& Value) {
  FEditFormat = Value;
  PropertyChanged(false);
}

// ---- Whole numbers ------------------------------------------------------------

TIntegerField::TIntegerField(TComponent* AOwner) : TNumericField(AOwner) { SetDataType(ftInteger); }

bool TIntegerField::ReadValue(std::int64_t& Value) const {
  std::int32_t raw = 0;
  if (!ReadRaw(*this, raw))
    return false;
  Value = raw;
  return true;
}

void TIntegerField::WriteValue(std::int64_t Value) {
  std::int32_t raw = static_cast<std::int32_t>(Value);
  SetData(&raw);
}

void TIntegerField::CheckRange(std::int64_t Value) const {
  std::int64_t min = FMinRange, max = FMaxRange;
  if (FMinValue != 0 || FMaxValue != 0) {
    min = std::max<std::int64_t>(min, FMinValue);
    max = std::min<std::int64_t>(max, FMaxValue);
  }
  if (Value < min || Value > max)
    RangeError(IntToStr(Value), IntToStr(min), IntToStr(max));
}

int TIntegerField::GetAsInteger() const {
  std::int64_t value = 0;
  return ReadValue(value) ? static_cast<int>(value) : 0;
}

void TIntegerField::SetAsIntegerValue(int Value) {
  CheckRange(Value);
  WriteValue(Value);
}

void TIntegerField::SetAsFloatValue(double Value) {
  if (!(Value >= INT32_MIN && Value <= INT32_MAX))
    RangeError(FloatToStr(Value), IntToStr(FMinRange), IntToStr(FMaxRange));
  SetAsIntegerValue(static_cast<int>(std::nearbyint(Value)));
}

AnsiString TIntegerField::GetAsString() const {
  std::int64_t value = 0;
  return ReadValue(value) ? IntToStr(value) : AnsiString();
}

void TIntegerField::SetAsStringValue(const AnsiString& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  std::int64_t value = StrToInt64(Value);
  CheckRange(value);
  WriteValue(value);
}

void TIntegerField::GetText(AnsiString& Text, bool DisplayText) const {
  std::int64_t value = 0;
  if (!ReadValue(value)) {
    Text.clear();
    return;
  }
  const AnsiString& format = FormatFor(*this, DisplayText);
  Text = format.empty() ? IntToStr(value) : FormatFloat(format, static_cast<double>(value));
}

TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner) {
  SetDataType(ftSmallint);
  SetTypeRange(INT16_MIN, INT16_MAX);
}

bool TSmallintField::ReadValue(std::int64_t& Value) const {
  std::int16_t raw = 0;
  if (!ReadRaw(*this, raw))
    return false;
  Value = raw;
  return true;
}

void TSmallintField::WriteValue(std::int64_t Value) {
  std::int16_t raw = static_cast<std::int16_t>(Value);
  SetData(&raw);
}

TWordField::TWordField(TComponent* AOwner) : TIntegerField(AOwner) {
  SetDataType(ftWord);
  SetTypeRange(0, UINT16_MAX);
}

bool TWordField::ReadValue(std::int64_t& Value) const {
  std::uint16_t raw = 0;
  if (!ReadRaw(*this, raw))
    return false;
  Value = raw;
  return true;
}

void TWordField::WriteValue(std::int64_t Value) {
  std::uint16_t raw = static_cast<std::uint16_t>(Value);
  SetData(&raw);
}

TAutoIncField::TAutoIncField(TComponent* AOwner) : TIntegerField(AOwner) { SetDataType(ftAutoInc); }

TLargeintField::TLargeintField(TComponent* AOwner) : TNumericField(AOwner) { SetDataType(ftLargeint); }

std::int64_t TLargeintField::AsLargeInt() const {
  std::int64_t value = 0;
  return ReadRaw(*this, value) ? value : 0;
}

void TLargeintField::SetAsLargeInt(std::int64_t Value) { SetData(&Value); }

int TLargeintField::GetAsInteger() const {
  std::int64_t value = AsLargeInt();
  if (value < INT32_MIN || value > INT32_MAX)
    RangeError(IntToStr(value), IntToStr(INT32_MIN), IntToStr(INT32_MAX));
  return static_cast<int>(value);
}

void TLargeintField::SetAsFloatValue(double Value) {
  if (!(Value >= -9.2e18 && Value <= 9.2e18))
    RangeError(FloatToStr(Value), IntToStr(INT64_MIN), IntToStr(INT64_MAX));
  SetAsLargeInt(static_cast<std::int64_t>(std::nearbyint(Value)));
}

AnsiString TLargeintField::GetAsString() const { return IsNull() ? AnsiString() : IntToStr(AsLargeInt()); }

void TLargeintField::SetAsStringValue(const AnsiString& Value) {
  if (Value.empty())
    Clear();
  else
    SetAsLargeInt(StrToInt64(Value));
}

void TLargeintField::GetText(AnsiString& Text, bool DisplayText) const {
  if (IsNull()) {
    Text.clear();
    return;
  }
  const AnsiString& format = FormatFor(*this, DisplayText);
  Text = format.empty() ? IntToStr(AsLargeInt()) : FormatFloat(format, static_cast<double>(AsLargeInt()));
}

// ---- Fractions ------------------------------------------------------------------

TFloatField::TFloatField(TComponent* AOwner) : TNumericField(AOwner) { SetDataType(ftFloat); }

void TFloatField::SetCurrency(bool Value) {
  FCurrency = Value;
  PropertyChanged(false);
}

void TFloatField::SetPrecision(int Value) {
  FPrecision = Value < 2 ? 2 : Value > 15 ? 15 : Value;
  PropertyChanged(false);
}

double TFloatField::GetAsFloat() const {
  double value = 0;
  return ReadRaw(*this, value) ? value : 0;
}

void TFloatField::SetAsFloatValue(double Value) {
  if ((FMinValue != 0 || FMaxValue != 0) && (Value < FMinValue || Value > FMaxValue))
    RangeError(FloatToStr(Value), FloatToStr(FMinValue), FloatToStr(FMaxValue));
  SetData(&Value);
}

int TFloatField::GetAsInteger() const {
  double value = GetAsFloat();
  if (!(value >= INT32_MIN && value <= INT32_MAX))
    RangeError(FloatToStr(value), IntToStr(INT32_MIN), IntToStr(INT32_MAX));
  return static_cast<int>(std::nearbyint(value));
}

AnsiString TFloatField::GetAsString() const { return IsNull() ? AnsiString() : FloatToStr(GetAsFloat()); }

void TFloatField::SetAsStringValue(const AnsiString& Value) {
  if (Value.empty())
    Clear();
  else
    SetAsFloatValue(StrToFloat(Value));
}

void TFloatField::GetText(AnsiString& Text, bool DisplayText) const {
  double value = 0;
  if (!ReadRaw(*this, value)) {
    Text.clear();
    return;
  }
  const AnsiString& format = FormatFor(*this, DisplayText);
  if (!format.empty())
    Text = FormatFloat(format, value);
  else if (FCurrency)
    Text = DisplayText ? FloatToStrF(value, ffCurrency, FPrecision, FormatSettings.CurrencyDecimals)
                       : FloatToStrF(value, ffFixed, FPrecision, FormatSettings.CurrencyDecimals);
  else
    Text = FloatToStrF(value, ffGeneral, FPrecision, 0);
}

TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner) {
  SetDataType(ftCurrency);
  SetCurrency(true);
}

TBCDField::TBCDField(TComponent* AOwner) : TNumericField(AOwner) {
  SetDataType(ftBCD);
  SetSize(4);
}

void TBCDField::CheckTypeSize(int Value) {
  if (Value < 0 || Value > 4)
    DatabaseError(dbconsts::SInvalidFieldSize, DataSet());
}

void TBCDField::SetCurrency(bool Value) {
  FCurrency = Value;
  PropertyChanged(false);
}

::Currency TBCDField::GetAsCurrency() const {
  std::int64_t scaled = 0;
  return ReadRaw(*this, scaled) ? ::Currency::FromScaled(scaled) : ::Currency();
}

void TBCDField::SetAsCurrencyValue(::Currency Value) {
  std::int64_t scaled = Value.Scaled();
  SetData(&scaled);
}

int TBCDField::GetAsInteger() const {
  double value = GetAsCurrency().ToDouble();
  if (!(value >= INT32_MIN && value <= INT32_MAX))
    RangeError(FloatToStr(value), IntToStr(INT32_MIN), IntToStr(INT32_MAX));
  return static_cast<int>(std::nearbyint(value));
}

AnsiString TBCDField::GetAsString() const { return IsNull() ? AnsiString() : CurrToStr(GetAsCurrency()); }

void TBCDField::SetAsStringValue(const AnsiString& Value) {
  if (Value.empty())
    Clear();
  else
    SetAsCurrencyValue(StrToCurr(Value));
}

void TBCDField::GetText(AnsiString& Text, bool DisplayText) const {
  if (IsNull()) {
    Text.clear();
    return;
  }
  ::Currency value = GetAsCurrency();
  const AnsiString& format = FormatFor(*this, DisplayText);
  if (!format.empty())
    Text = FormatCurr(format, value);
  else if (FCurrency)
    Text = DisplayText ? FloatToStrF(value.ToDouble(), ffCurrency, 18, FormatSettings.CurrencyDecimals)
                       : FloatToStrF(value.ToDouble(), ffFixed, 18, FormatSettings.CurrencyDecimals);
  else
    Text = CurrToStr(value);
}
