// Date and time fields. A date is kept as the day count from 0001-01-01
// (4 bytes), a time as milliseconds since midnight (4 bytes), a date and
// time as milliseconds since 0001-01-01 (a double). They show by
// DisplayFormat, else the locale's short date (TDateField), long time
// (TTimeField) or "c" (TDateTimeField).
#pragma once
#include "classlib/data/field.h"

class TDateTimeField : public TField {
  DECLARE_CLASS(TDateTimeField, TField)

public:
  explicit TDateTimeField(TComponent* AOwner);

  int DataSize() const override { return 8; }
  const AnsiString& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const AnsiString& Value);

protected:
  int DefaultWidth() const override { return 18; }
  void GetText(AnsiString& Text, bool DisplayText) const override;
  AnsiString GetAsString() const override;
  void SetAsStringValue(const AnsiString& Value) override;
  TDateTime GetAsDateTime() const override;
  void SetAsDateTimeValue(TDateTime Value) override;
  double GetAsFloat() const override { return GetAsDateTime(); }
  void SetAsFloatValue(double Value) override { SetAsDateTimeValue(Value); }
  Variant GetAsVariant() const override { return VarFromDateTime(GetAsDateTime()); }
  void SetVarValue(const Variant& Value) override { SetAsDateTimeValue(Value.AsDateTime()); }
  // The record form of a value and back, by the field's type.
  bool ReadDateTime(TDateTime& Value) const;
  void WriteDateTime(TDateTime Value);

private:
  AnsiString GetEditMaskProp() { return EditMask(); }
  void SetEditMaskProp(const AnsiString& Value) { SetEditMask(Value); }

  AnsiString FDisplayFormat;
};

class TDateField : public TDateTimeField {
  DECLARE_CLASS(TDateField, TDateTimeField)

public:
  explicit TDateField(TComponent* AOwner);
  int DataSize() const override { return 4; }

protected:
  int DefaultWidth() const override { return 10; }
};

class TTimeField : public TDateTimeField {
  DECLARE_CLASS(TTimeField, TDateTimeField)

public:
  explicit TTimeField(TComponent* AOwner);
  int DataSize() const override { return 4; }

protected:
  int DefaultWidth() const override { return 10; }
};
