#include "classlib/data/field.h"

#include <cstring>

#include "classlib/data/dataset.h"
#include "classlib/data/dbconsts.h"

BEGIN_PUBLISHED(TField)
  PROPERTY(Alignment, FAlignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(DisplayLabel, GetDisplayLabelProp, SetDisplayLabel).Stored<&Self::IsDisplayLabelStored>(),
  PROPERTY(DisplayWidth, GetDisplayWidthProp, SetDisplayWidth).Stored<&Self::IsDisplayWidthStored>(),
  PROPERTY(FieldKind, FFieldKind, SetFieldKind).Default(fkData),
  PROPERTY(FieldName, FFieldName, SetFieldName),
  PROPERTY(Index, GetIndexProp, SetIndexProp).Stored(false),
  PROPERTY(ReadOnly, FReadOnly, SetReadOnly).Default(false),
  PROPERTY(Required, FRequired, SetRequired).Default(false),
  PROPERTY(Visible, FVisible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnGetText, OnGetText, OnGetText),
  PROPERTY(OnSetText, OnSetText, OnSetText),
  PROPERTY(OnValidate, OnValidate, OnValidate),
END_PUBLISHED

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

TField::~TField() {
  Destroying();
  if (FDataSet != nullptr)
    FDataSet->RemoveField(this);
}

// ---- Identity ------------------------------------------------------------------

void TField::SetDataSet(TDataSet* Value) {
  if (Value == FDataSet)
    return;
  if (!ComponentState().Contains(csDestroying)) {
    if (FDataSet != nullptr)
      FDataSet->CheckInactive();
    if (Value != nullptr) {
      Value->CheckInactive();
      if (!FFieldName.empty())
        Value->Fields().CheckFieldName(FFieldName);
    }
  }
  if (FDataSet != nullptr)
    FDataSet->RemoveField(this);
  if (Value != nullptr)
    Value->AddField(this);
}

void TField::SetFieldName(const AnsiString& Value) {
  if (FDataSet != nullptr && !SameFieldName(Value, FFieldName))
    FDataSet->Fields().CheckFieldName(Value);
  FFieldName = Value;
  PropertyChanged(true);
}

void TField::SetFieldKind(TFieldKind Value) {
  if (FFieldKind == Value)
    return;
  if (FDataSet != nullptr)
    FDataSet->CheckInactive();
  FFieldKind = Value;
}

int TField::Index() const { return FDataSet != nullptr ? FDataSet->Fields().IndexOf(this) : -1; }

void TField::SetIndex(int Value) {
  if (FDataSet == nullptr)
    return;
  FDataSet->Fields().SetFieldIndex(this, Value);
  PropertyChanged(true);
}

void TField::SetSize(int Value) {
  if (Value == FSize)
    return;
  if (FDataSet != nullptr)
    FDataSet->CheckInactive();
  CheckTypeSize(Value);
  FSize = Value;
}

void TField::CheckTypeSize(int Value) {
  if (Value != 0)
    DatabaseError(dbconsts::SInvalidFieldSize, FDataSet);
}

bool TField::IsSizeStored() { return FSize != 0; }

TComponent* TField::GetParentComponent() { return FDataSet; }

void TField::SetParentComponent(TComponent* Value) { SetDataSet(dynamic_cast<TDataSet*>(Value)); }

// ---- Presentation -----------------------------------------------------------

void TField::PropertyChanged(bool LayoutAffected) {
  if (FDataSet != nullptr && FDataSet->Active())
    FDataSet->DataEvent(LayoutAffected ? deLayoutChange : deDataSetChange, 0);
}

void TField::SetDisplayLabel(const AnsiString& Value) {
  FDisplayLabel = Value == FFieldName ? AnsiString() : Value;
  PropertyChanged(true);
}

void TField::SetDisplayWidth(int Value) {
  FDisplayWidth = Value;
  PropertyChanged(true);
}

void TField::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  PropertyChanged(false);
}

void TField::SetVisible(bool Value) {
  FVisible = Value;
  PropertyChanged(true);
}

bool TField::CanModify() const {
  return !FReadOnly && FFieldKind == fkData && FDataSet != nullptr && FDataSet->CanModify();
}

// ---- Raw values ---------------------------------------------------------------

bool TField::GetData(void* Buffer) const {
  if (FDataSet == nullptr)
    DatabaseErrorFmt(dbconsts::SDataSetMissing, {DisplayName()});
  if (FValidating != nullptr) {
    if (Buffer != nullptr)
      std::memcpy(Buffer, FValidating, DataSize());
    return true;
  }
  return FDataSet->GetFieldData(this, Buffer);
}

void TField::SetData(const void* Buffer) {
  if (FDataSet == nullptr)
    DatabaseErrorFmt(dbconsts::SDataSetMissing, {DisplayName()});
  FDataSet->SetFieldData(this, Buffer);
}

bool TField::IsNull() const {
  if (IsBlob())
    return AsString().empty();
  return !GetData(nullptr);
}

void TField::Validate(const void* Buffer) {
  if (!OnValidate)
    return;
  // While OnValidate runs the field reads as the new value; a null value
  // reads as itself, so the pending buffer stays unset then.
  FValidating = Buffer;
  try {
    OnValidate(this);
  } catch (...) {
    FValidating = nullptr;
    throw;
  }
  FValidating = nullptr;
}

void TField::Change() {
  if (OnChange)
    OnChange(this);
}

void TField::FocusControl() {
  if (FDataSet == nullptr || !FDataSet->Active())
    return;
  TField* field = this;
  FDataSet->DataEvent(deFocusControl, reinterpret_cast<std::intptr_t>(&field));
}

void TField::Assign(TPersistent* Source) {
  if (Source == nullptr) {
    Clear();
    return;
  }
  if (auto* field = dynamic_cast<TField*>(Source)) {
    SetAsVariant(field->AsVariant());
    return;
  }
  TComponent::Assign(Source);
}

// ---- Texts ------------------------------------------------------------------

void TField::GetText(AnsiString& Text, bool DisplayText) const { Text = GetAsString(); }

AnsiString TField::DisplayText() const {
  AnsiString text;
  if (OnGetText)
    OnGetText(const_cast<TField*>(this), text, true);
  else
    GetText(text, true);
  return text;
}

AnsiString TField::Text() const {
  AnsiString text;
  if (OnGetText)
    OnGetText(const_cast<TField*>(this), text, false);
  else
    GetText(text, false);
  return text;
}

void TField::SetText(const AnsiString& Value) {
  if (OnSetText)
    OnSetText(this, Value);
  else
    SetAsString(Value);
}

// ---- Conversions the base does not offer ------------------------------------

void TField::AccessError(const char* typeName) const {
  DatabaseErrorFmt(dbconsts::SFieldAccessError, {DisplayName(), typeName});
}

void TField::RangeError(const AnsiString& value, const AnsiString& min, const AnsiString& max) const {
  DatabaseErrorFmt(dbconsts::SFieldRangeError, {value, DisplayName(), min, max});
}

AnsiString TField::GetAsString() const { AccessError("String"); }
void TField::SetAsStringValue(const AnsiString&) { AccessError("String"); }
int TField::GetAsInteger() const { AccessError("Integer"); }
void TField::SetAsIntegerValue(int) { AccessError("Integer"); }
double TField::GetAsFloat() const { AccessError("Float"); }
void TField::SetAsFloatValue(double) { AccessError("Float"); }
Currency TField::GetAsCurrency() const { return Currency(GetAsFloat()); }
void TField::SetAsCurrencyValue(Currency Value) { SetAsFloatValue(Value.ToDouble()); }
bool TField::GetAsBoolean() const { AccessError("Boolean"); }
void TField::SetAsBooleanValue(bool) { AccessError("Boolean"); }
TDateTime TField::GetAsDateTime() const { AccessError("DateTime"); }
void TField::SetAsDateTimeValue(TDateTime) { AccessError("DateTime"); }
Variant TField::GetAsVariant() const { AccessError("Variant"); }
void TField::SetVarValue(const Variant&) { AccessError("Variant"); }

void TField::SetAsVariant(const Variant& Value) {
  if (VarIsNull(Value) || VarIsEmpty(Value))
    Clear();
  else
    SetVarValue(Value);
}
