// TField: one column of a data set, with its value in the data set's current
// record buffer.
//
// Fields are components. Persistent fields are owned by the data set's
// owner (a form), named there and streamed as children of their data set;
// default fields are made by the data set from its field definitions when
// it opens and freed when it closes.
//
// The As* accessors convert as the platform does; a conversion a field
// class does not offer raises EDatabaseError "Cannot access field '%s' as
// type %s". Writing needs the data set in edit or insert mode.
#pragma once
#include <cstdint>

#include "classlib/classes/component.h"
#include "classlib/data/dbtypes.h"
#include "classlib/system/currency.h"
#include "classlib/system/datetime.h"
#include "classlib/system/variant.h"

class TField : public TComponent {
  DECLARE_CLASS(TField, TComponent)

public:
  explicit TField(TComponent* AOwner);
  ~TField() override;

  // ---- Identity and layout
  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  const AnsiString& FieldName() const { return FFieldName; }
  void SetFieldName(const AnsiString& Value);
  TFieldType DataType() const { return FDataType; }
  TFieldKind FieldKind() const { return FFieldKind; }
  void SetFieldKind(TFieldKind Value);
  bool Calculated() const { return FFieldKind == fkCalculated; }
  void SetCalculated(bool Value) { SetFieldKind(Value ? fkCalculated : fkData); }
  // Number of the field definition this field shows (1-based); 0 for calculated fields.
  int FieldNo() const { return FFieldNo; }
  // Position in the data set's Fields.
  int Index() const;
  void SetIndex(int Value);
  int Size() const { return FSize; }
  void SetSize(int Value);
  // Bytes the value takes in a record buffer (after its one-byte null flag).
  virtual int DataSize() const { return 0; }
  virtual bool IsBlob() const { return false; }

  // ---- Presentation
  AnsiString DisplayLabel() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
  void SetDisplayLabel(const AnsiString& Value);
  AnsiString DisplayName() const { return DisplayLabel(); }
  int DisplayWidth() const { return FDisplayWidth > 0 ? FDisplayWidth : DefaultWidth(); }
  void SetDisplayWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool Required() const { return FRequired; }
  void SetRequired(bool Value) { FRequired = Value; }
  const AnsiString& EditMask() const { return FEditMask; }
  void SetEditMask(const AnsiString& Value) { FEditMask = Value; }
  // Whether the value can be changed now: the data set can be modified and
  // the field is neither read-only nor calculated.
  bool CanModify() const;

  // ---- Values
  bool IsNull() const;
  void Clear() { ClearValue(); }
  AnsiString AsString() const { return GetAsString(); }
  void SetAsString(const AnsiString& Value) { SetAsStringValue(Value); }
  int AsInteger() const { return GetAsInteger(); }
  void SetAsInteger(int Value) { SetAsIntegerValue(Value); }
  double AsFloat() const { return GetAsFloat(); }
  void SetAsFloat(double Value) { SetAsFloatValue(Value); }
  Currency AsCurrency() const { return GetAsCurrency(); }
  void SetAsCurrency(Currency Value) { SetAsCurrencyValue(Value); }
  bool AsBoolean() const { return GetAsBoolean(); }
  void SetAsBoolean(bool Value) { SetAsBooleanValue(Value); }
  TDateTime AsDateTime() const { return GetAsDateTime(); }
  void SetAsDateTime(TDateTime Value) { SetAsDateTimeValue(Value); }
  // Null when the field is null.
  Variant AsVariant() const { return IsNull() ? Null() : GetAsVariant(); }
  void SetAsVariant(const Variant& Value);
  Variant Value() const { return AsVariant(); }
  void SetValue(const Variant& Value) { SetAsVariant(Value); }
  // The text shown (DisplayFormat, OnGetText) and the text edited (EditFormat).
  AnsiString DisplayText() const;
  AnsiString Text() const;
  // Through OnSetText when assigned, else as AsString.
  void SetText(const AnsiString& Value);

  // The raw value: false when null. Buffer takes DataSize() bytes.
  bool GetData(void* Buffer) const;
  // nullptr makes the field null.
  void SetData(const void* Buffer);
  // Runs OnValidate while the new value (Buffer) is readable through the field.
  void Validate(const void* Buffer);
  // Tells the data-aware control of this field to take the focus.
  void FocusControl();
  // Copies a field's value (TField source) into this one.
  void Assign(TPersistent* Source) override;

  TFieldNotifyEvent OnChange;
  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;
  TFieldNotifyEvent OnValidate;

  // ---- Streaming as a child of its data set
  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;

  // Called by the data set after a value changed.
  void Change();
  // The layout the data set gave this field.
  int Offset() const { return FOffset; }
  int BlobIndex() const { return FBlobIndex; }

protected:
  void SetDataType(TFieldType Value) { FDataType = Value; }
  void SetDefaultAlignment(TAlignment Value) { FAlignment = Value; }
  virtual int DefaultWidth() const { return 10; }
  // Raises EDatabaseError for a size the class cannot take.
  virtual void CheckTypeSize(int Value);
  virtual void GetText(AnsiString& Text, bool DisplayText) const;
  [[noreturn]] void AccessError(const char* typeName) const;
  [[noreturn]] void RangeError(const AnsiString& value, const AnsiString& min, const AnsiString& max) const;
  void PropertyChanged(bool LayoutAffected);

  virtual void ClearValue() { SetData(nullptr); }
  virtual AnsiString GetAsString() const;
  virtual void SetAsStringValue(const AnsiString& Value);
  virtual int GetAsInteger() const;
  virtual void SetAsIntegerValue(int Value);
  virtual double GetAsFloat() const;
  virtual void SetAsFloatValue(double Value);
  virtual Currency GetAsCurrency() const;
  virtual void SetAsCurrencyValue(Currency Value);
  virtual bool GetAsBoolean() const;
  virtual void SetAsBooleanValue(bool Value);
  virtual TDateTime GetAsDateTime() const;
  virtual void SetAsDateTimeValue(TDateTime Value);
  virtual Variant GetAsVariant() const;
  virtual void SetVarValue(const Variant& Value);

private:
  friend class TDataSet;
  bool IsDisplayLabelStored() { return !FDisplayLabel.empty(); }
  bool IsDisplayWidthStored() { return FDisplayWidth > 0; }
  bool IsSizeStored();
  int GetDisplayWidthProp() { return DisplayWidth(); }
  AnsiString GetDisplayLabelProp() { return DisplayLabel(); }
  int GetIndexProp() { return Index(); }
  void SetIndexProp(int Value) { SetIndex(Value); }

  TDataSet* FDataSet = nullptr;
  AnsiString FFieldName;
  AnsiString FDisplayLabel;
  AnsiString FEditMask;
  TFieldType FDataType = ftUnknown;
  TFieldKind FFieldKind = fkData;
  TAlignment FAlignment = taLeftJustify;
  int FSize = 0;
  int FFieldNo = 0;
  int FDisplayWidth = 0;
  bool FVisible = true;
  bool FReadOnly = false;
  bool FRequired = false;
  int FOffset = -1;     // of the null flag in the record buffer
  int FBlobIndex = -1;  // blob fields: slot in the buffer's blobs
  const void* FValidating = nullptr;  // the value OnValidate sees
};

