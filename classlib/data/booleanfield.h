// TBooleanField: True/False, shown by DisplayValues ("Yes;No": the text for
// True, then the one for False; the default "True;False").
#pragma once
#include "classlib/data/field.h"

class TBooleanField : public TField {
  DECLARE_CLASS(TBooleanField, TField)

public:
  explicit TBooleanField(TComponent* AOwner);

  int DataSize() const override { return 2; }
  const AnsiString& DisplayValues() const { return FDisplayValues; }
  void SetDisplayValues(const AnsiString& Value);

protected:
  int DefaultWidth() const override;
  AnsiString GetAsString() const override;
  // Accepts a prefix of either display text, case-insensitively; "" clears.
  void SetAsStringValue(const AnsiString& Value) override;
  bool GetAsBoolean() const override;
  void SetAsBooleanValue(bool Value) override;
  int GetAsInteger() const override { return GetAsBoolean() ? 1 : 0; }
  void SetAsIntegerValue(int Value) override { SetAsBooleanValue(Value != 0); }
  Variant GetAsVariant() const override { return Variant(GetAsBoolean()); }
  void SetVarValue(const Variant& Value) override { SetAsBooleanValue(Value.AsBoolean()); }

private:
  bool IsDisplayValuesStored() { return FDisplayValues != "True;False"; }

  AnsiString FDisplayValues;
  AnsiString FTrueText;
  AnsiString FFalseText;
};
