// TParams/TParam: the named parameters of a query.
#pragma once
#include "classlib/classes/collection.h"
#include "classlib/data/dbtypes.h"
#include "classlib/system/variant.h"

enum TParamType { ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult };
DOZURI_ENUM(TParamType, "ptUnknown", "ptInput", "ptOutput", "ptInputOutput", "ptResult");

class TParam : public TCollectionItem {
  DECLARE_CLASS(TParam, TCollectionItem)

public:
  explicit TParam(TCollection* Collection) : TCollectionItem(Collection) {}

  const AnsiString& Name() const { return FName; }
  void SetName(const AnsiString& Value) { FName = Value; }
  TFieldType DataType() const { return FDataType; }
  void SetDataType(TFieldType Value) { FDataType = Value; }
  TParamType ParamType() const { return FParamType; }
  void SetParamType(TParamType Value) { FParamType = Value; }
  // Unassigned until set; setting a value of a known type sets DataType
  // when it is still ftUnknown.
  const Variant& Value() const { return FValue; }
  void SetValue(const Variant& Value);
  bool IsNull() const { return VarIsNull(FValue) || VarIsEmpty(FValue); }
  void Clear() { FValue = Null(); }
  AnsiString AsString() const { return VarToStr(FValue); }
  void SetAsString(const AnsiString& Value);
  int AsInteger() const { return IsNull() ? 0 : FValue.AsInteger(); }
  void SetAsInteger(int Value);
  double AsFloat() const { return IsNull() ? 0 : FValue.AsDouble(); }
  void SetAsFloat(double Value);
  bool AsBoolean() const { return !IsNull() && FValue.AsBoolean(); }
  void SetAsBoolean(bool Value);
  TDateTime AsDateTime() const { return IsNull() ? 0 : FValue.AsDateTime(); }
  void SetAsDateTime(TDateTime Value);

  AnsiString GetDisplayName() override { return FName.empty() ? TCollectionItem::GetDisplayName() : FName; }
  void Assign(TPersistent* Source) override;

private:
  void SetTypedValue(TFieldType Type, const Variant& Value);

  AnsiString FName;
  TFieldType FDataType = ftUnknown;
  TParamType FParamType = ptUnknown;
  Variant FValue;
};

class TParams : public TOwnedCollection {
  DECLARE_CLASS(TParams, TOwnedCollection)

public:
  explicit TParams(TPersistent* Owner = nullptr) : TOwnedCollection(Owner, TParam::StaticClass()) {}

  TParam* Items(int Index) const { return static_cast<TParam*>(TCollection::Items(Index)); }
  TParam* CreateParam(TFieldType DataType, const AnsiString& Name, TParamType ParamType);
  // Case-insensitive; nullptr when missing.
  TParam* FindParam(const AnsiString& Name) const;
  // Raises EDatabaseError "Parameter '%s' not found".
  TParam* ParamByName(const AnsiString& Name) const;
  // Makes the parameters named ":NAME" in an SQL text, keeping those already
  // there (their types and values).
  void ParseSQL(const AnsiString& SQL);
};
