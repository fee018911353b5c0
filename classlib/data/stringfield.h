// TStringField: text of at most Size characters (code page 1254), kept in
// the record as Size + 1 bytes of zero-terminated text.
#pragma once
#include "classlib/data/field.h"

class TStringField : public TField {
  DECLARE_CLASS(TStringField, TField)

public:
  explicit TStringField(TComponent* AOwner);

  int DataSize() const override { return Size() + 1; }

  // The largest Size a string field takes.
  static constexpr int MaxStringSize = 8192;

protected:
  int DefaultWidth() const override { return Size(); }
  void CheckTypeSize(int Value) override;
  // Values longer than Size are cut to Size on assignment.
  AnsiString GetAsString() const override;
  void SetAsStringValue(const AnsiString& Value) override;
  int GetAsInteger() const override;
  void SetAsIntegerValue(int Value) override;
  double GetAsFloat() const override;
  void SetAsFloatValue(double Value) override;
  bool GetAsBoolean() const override;
  void SetAsBooleanValue(bool Value) override;
  TDateTime GetAsDateTime() const override;
  void SetAsDateTimeValue(TDateTime Value) override;
  Variant GetAsVariant() const override { return Variant(GetAsString()); }
  void SetVarValue(const Variant& Value) override { SetAsStringValue(VarToStr(Value)); }

private:
  int GetSizeProp() { return Size(); }
  void SetSizeProp(int Value) { SetSize(Value); }
  AnsiString GetEditMaskProp() { return EditMask(); }
  void SetEditMaskProp(const AnsiString& Value) { SetEditMask(Value); }
};
