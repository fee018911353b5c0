// TFieldDefs/TFieldDef: the columns a data set has, from which it makes its
// default fields and its record layout.
#pragma once
#include "classlib/classes/collection.h"
#include "classlib/data/dbtypes.h"

class TField;

enum TFieldAttribute { faHiddenCol, faReadonly, faRequired, faLink, faUnNamed, faFixed };
DOZURI_ENUM(TFieldAttribute, "faHiddenCol", "faReadonly", "faRequired", "faLink", "faUnNamed", "faFixed");
DOZURI_SET(TFieldAttributes, TFieldAttribute);

class TFieldDef : public TCollectionItem {
  DECLARE_CLASS(TFieldDef, TCollectionItem)

public:
  explicit TFieldDef(TCollection* Collection) : TCollectionItem(Collection) {}

  const AnsiString& Name() const { return FName; }
  void SetName(const AnsiString& Value);
  TFieldType DataType() const { return FDataType; }
  void SetDataType(TFieldType Value);
  // Characters for strings, decimals for BCD; 0 for other types.
  int Size() const { return FSize; }
  void SetSize(int Value);
  int Precision() const { return FPrecision; }
  void SetPrecision(int Value) { FPrecision = Value; Changed(false); }
  TFieldAttributes Attributes() const { return FAttributes; }
  void SetAttributes(TFieldAttributes Value) { FAttributes = Value; Changed(false); }
  bool Required() const { return FAttributes.Contains(faRequired); }
  void SetRequired(bool Value);
  // 1-based position among the definitions.
  int FieldNo() const { return Index() + 1; }
  // The field class that shows this type; raises EDatabaseError for a type
  // that has none here.
  TClass FieldClass() const;
  // A new field of FieldClass() bound to the definition, owned by Owner and
  // added to the data set of these definitions.
  TField* CreateField(TComponent* Owner);

  AnsiString GetDisplayName() override { return FName.empty() ? TCollectionItem::GetDisplayName() : FName; }
  void Assign(TPersistent* Source) override;

private:
  AnsiString FName;
  TFieldType FDataType = ftUnknown;
  int FSize = 0;
  int FPrecision = 0;
  TFieldAttributes FAttributes;
};

class TFieldDefs : public TOwnedCollection {
  DECLARE_CLASS(TFieldDefs, TOwnedCollection)

public:
  explicit TFieldDefs(TDataSet* DataSet);

  TDataSet* DataSet() const { return FDataSet; }
  TFieldDef* Items(int Index) const;
  TFieldDef* AddFieldDef();
  // Raises EDatabaseError "Duplicate field name '%s'" for a name taken.
  void Add(const AnsiString& Name, TFieldType DataType, int Size = 0, bool Required = false);
  // -1 when missing.
  int IndexOf(const AnsiString& Name) const;
  // Raises EDatabaseError "Field '%s' not found".
  TFieldDef* Find(const AnsiString& Name) const;
  bool Updated() const { return FUpdated; }
  void SetUpdated(bool Value) { FUpdated = Value; }
  void Update();

protected:
  void Update(TCollectionItem* Item) override;

private:
  TDataSet* FDataSet;
  bool FUpdated = false;
};

// Makes Target the definitions of Source's data fields (of the types a
// field class here shows), or a copy of Source's definitions when it has no
// fields.
void CopyFieldDefsOf(TDataSet& Source, TFieldDefs& Target);

// The field class of a field type (TStringField for ftString ...), or nullptr.
TClass DefaultFieldClass(TFieldType type);
