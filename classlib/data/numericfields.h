// Numeric fields: whole numbers (TSmallintField, TIntegerField, TWordField,
// TAutoIncField, TLargeintField) and fractions (TFloatField, TCurrencyField,
// TBCDField). They show right-aligned, formatted by DisplayFormat when
// displayed and EditFormat when edited (FormatFloat masks), and refuse
// values outside MinValue..MaxValue when a range is set.
#pragma once
#include <cstdint>

#include "classlib/data/field.h"

class TNumericField : public TField {
  DECLARE_CLASS(TNumericField, TField)

public:
  explicit TNumericField(TComponent* AOwner);

  const AnsiString& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const AnsiString& Value);
  const AnsiString& EditFormat() const { return FEditFormat; }
  void SetEditFormat(const AnsiString& Value);

private:
  AnsiString FDisplayFormat;
  AnsiString FEditFormat;
};

class TIntegerField : public TNumericField {
  DECLARE_CLASS(TIntegerField, TNumericField)

public:
  explicit TIntegerField(TComponent* AOwner);

  int DataSize() const override { return 4; }
  int MinValue() const { return FMinValue; }
  void SetMinValue(int Value) { FMinValue = Value; }
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value) { FMaxValue = Value; }

protected:
  // The range the type holds (Smallint -32768..32767 ...).
  void SetTypeRange(std::int64_t Min, std::int64_t Max) { FMinRange = Min; FMaxRange = Max; }
  // Reads and writes the value in the record's width.
  virtual bool ReadValue(std::int64_t& Value) const;
  virtual void WriteValue(std::int64_t Value);
  void CheckRange(std::int64_t Value) const;
  int DefaultWidth() const override { return 11; }
  void GetText(AnsiString& Text, bool DisplayText) const override;
  AnsiString GetAsString() const override;
  void SetAsStringValue(const AnsiString& Value) override;
  int GetAsInteger() const override;
  void SetAsIntegerValue(int Value) override;
  double GetAsFloat() const override { return GetAsInteger(); }
  void SetAsFloatValue(double Value) override;
  Variant GetAsVariant() const override { return Variant(GetAsInteger()); }
  void SetVarValue(const Variant& Value) override { SetAsIntegerValue(Value.AsInteger()); }

private:
  int FMinValue = 0;
  int FMaxValue = 0;
  std::int64_t FMinRange = INT32_MIN;
  std::int64_t FMaxRange = INT32_MAX;
};

class TSmallintField : public TIntegerField {
  DECLARE_CLASS(TSmallintField, TIntegerField)

public:
  explicit TSmallintField(TComponent* AOwner);
  int DataSize() const override { return 2; }

protected:
  int DefaultWidth() const override { return 6; }
  bool ReadValue(std::int64_t& Value) const override;
  void WriteValue(std::int64_t Value) override;
};

class TWordField : public TIntegerField {
  DECLARE_CLASS(TWordField, TIntegerField)

public:
  explicit TWordField(TComponent* AOwner);
  int DataSize() const override { return 2; }

protected:
  int DefaultWidth() const override { return 5; }
  bool ReadValue(std::int64_t& Value) const override;
  void WriteValue(std::int64_t Value) override;
};

class TAutoIncField : public TIntegerField {
  DECLARE_CLASS(TAutoIncField, TIntegerField)

public:
  explicit TAutoIncField(TComponent* AOwner);
};

class TLargeintField : public TNumericField {
  DECLARE_CLASS(TLargeintField, TNumericField)

public:
  explicit TLargeintField(TComponent* AOwner);

  int DataSize() const override { return 8; }
  std::int64_t AsLargeInt() const;
  void SetAsLargeInt(std::int64_t Value);

protected:
  int DefaultWidth() const override { return 15; }
  void GetText(AnsiString& Text, bool DisplayText) const override;
  AnsiString GetAsString() const override;
  void SetAsStringValue(const AnsiString& Value) override;
  int GetAsInteger() const override;
  void SetAsIntegerValue(int Value) override { SetAsLargeInt(Value); }
  double GetAsFloat() const override { return static_cast<double>(AsLargeInt()); }
  void SetAsFloatValue(double Value) override;
  Variant GetAsVariant() const override { return Variant(AsLargeInt()); }
  void SetVarValue(const Variant& Value) override { SetAsLargeInt(Value.AsInt64()); }
};

class TFloatField : public TNumericField {
  DECLARE_CLASS(TFloatField, TNumericField)

public:
  explicit TFloatField(TComponent* AOwner);

  int DataSize() const override { return 8; }
  // Shown as money (the locale's currency format) when no format is set.
  bool Currency() const { return FCurrency; }
  void SetCurrency(bool Value);
  int Precision() const { return FPrecision; }
  void SetPrecision(int Value);
  double MinValue() const { return FMinValue; }
  void SetMinValue(double Value) { FMinValue = Value; }
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double Value) { FMaxValue = Value; }

protected:
  void GetText(AnsiString& Text, bool DisplayText) const override;
  AnsiString GetAsString() const override;
  void SetAsStringValue(const AnsiString& Value) override;
  int GetAsInteger() const override;
  void SetAsIntegerValue(int Value) override { SetAsFloatValue(Value); }
  double GetAsFloat() const override;
  void SetAsFloatValue(double Value) override;
  Variant GetAsVariant() const override { return Variant(GetAsFloat()); }
  void SetVarValue(const Variant& Value) override { SetAsFloatValue(Value.AsDouble()); }

private:
  bool FCurrency = false;
  int FPrecision = 15;
  double FMinValue = 0;
  double FMaxValue = 0;
};

class TCurrencyField : public TFloatField {
  DECLARE_CLASS(TCurrencyField, TFloatField)

public:
  explicit TCurrencyField(TComponent* AOwner);
};

// A fixed-point amount with four decimals (a Currency); Size is the number
// of decimals shown.
class TBCDField : public TNumericField {
  DECLARE_CLASS(TBCDField, TNumericField)

public:
  explicit TBCDField(TComponent* AOwner);

  int DataSize() const override { return 8; }
  bool Currency() const { return FCurrency; }
  void SetCurrency(bool Value);
  int Precision() const { return FPrecision; }
  void SetPrecision(int Value) { FPrecision = Value; }

protected:
  void CheckTypeSize(int Value) override;
  void GetText(AnsiString& Text, bool DisplayText) const override;
  AnsiString GetAsString() const override;
  void SetAsStringValue(const AnsiString& Value) override;
  int GetAsInteger() const override;
  void SetAsIntegerValue(int Value) override { SetAsCurrencyValue(::Currency(Value)); }
  double GetAsFloat() const override { return GetAsCurrency().ToDouble(); }
  void SetAsFloatValue(double Value) override { SetAsCurrencyValue(::Currency(Value)); }
  ::Currency GetAsCurrency() const override;
  void SetAsCurrencyValue(::Currency Value) override;
  Variant GetAsVariant() const override { return Variant(GetAsCurrency()); }
  void SetVarValue(const Variant& Value) override { SetAsCurrencyValue(Value.AsCurrency()); }

private:
  bool FCurrency = false;
  int FPrecision = 0;
};
