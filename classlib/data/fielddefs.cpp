#include "classlib/data/fielddefs.h"

#include "classlib/data/blobfields.h"
#include "classlib/data/booleanfield.h"
#include "classlib/data/dataset.h"
#include "classlib/data/datetimefields.h"
#include "classlib/data/dbconsts.h"
#include "classlib/data/fields.h"
#include "classlib/data/numericfields.h"
#include "classlib/data/stringfield.h"

BEGIN_PUBLISHED(TFieldDef)
  PROPERTY(Name, FName, SetName),
  PROPERTY(Attributes, FAttributes, SetAttributes).Default(TFieldAttributes{}),
  PROPERTY(DataType, FDataType, SetDataType).Default(ftUnknown),
  PROPERTY(Precision, FPrecision, SetPrecision).Default(0),
  PROPERTY(Size, FSize, SetSize).Default(0),
END_PUBLISHED

IMPLEMENT_CLASS(TFieldDefs)

TClass DefaultFieldClass(TFieldType type) {
  switch (type) {
    case ftString:
    case ftFixedChar:
      return TStringField::StaticClass();
    case ftSmallint:
      return TSmallintField::StaticClass();
    case ftInteger:
      return TIntegerField::StaticClass();
    case ftWord:
      return TWordField::StaticClass();
    case ftBoolean:
      return TBooleanField::StaticClass();
    case ftFloat:
      return TFloatField::StaticClass();
    case ftCurrency:
      return TCurrencyField::StaticClass();
    case ftBCD:
      return TBCDField::StaticClass();
    case ftDate:
      return TDateField::StaticClass();
    case ftTime:
      return TTimeField::StaticClass();
    case ftDateTime:
      return TDateTimeField::StaticClass();
    case ftAutoInc:
      return TAutoIncField::StaticClass();
    case ftBlob:
    case ftTypedBinary:
      return TBlobField::StaticClass();
    case ftMemo:
    case ftFmtMemo:
      return TMemoField::StaticClass();
    case ftGraphic:
      return TGraphicField::StaticClass();
    case ftLargeint:
      return TLargeintField::StaticClass();
    default:
      return nullptr;
  }
}

void CopyFieldDefsOf(TDataSet& Source, TFieldDefs& Target) {
  if (Source.FieldCount() == 0) {
    Target.Assign(Source.FieldDefs());
    return;
  }
  Target.Clear();
  for (TField* field : Source.Fields()) {
    if (field->FieldKind() != fkData || DefaultFieldClass(field->DataType()) == nullptr)
      continue;
    int size = field->DataType() == ftString || field->DataType() == ftBCD ? field->Size() : 0;
    Target.Add(field->FieldName(), field->DataType(), size, field->Required());
  }
}

// ---- TFieldDef ------------------------------------------------------------------

namespace {
TDataSet* DataSetOf(TCollection* collection) {
  auto* defs = dynamic_cast<TFieldDefs*>(collection);
  return defs != nullptr ? defs->DataSet() : nullptr;
}
}  // namespace

void TFieldDef::SetName(const AnsiString& Value) {
  if (auto* defs = dynamic_cast<TFieldDefs*>(Collection())) {
    int existing = defs->IndexOf(Value);
    if (existing >= 0 && existing != Index())
      DatabaseErrorFmt(dbconsts::SDuplicateFieldName, {Value}, defs->DataSet());
  }
  FName = Value;
  Changed(false);
}

void TFieldDef::SetDataType(TFieldType Value) {
  FDataType = Value;
  Changed(false);
}

void TFieldDef::SetSize(int Value) {
  if (Value < 0)
    DatabaseError(dbconsts::SInvalidFieldSize, DataSetOf(Collection()));
  FSize = Value;
  Changed(false);
}

void TFieldDef::SetRequired(bool Value) {
  if (Value)
    FAttributes.Include(faRequired);
  else
    FAttributes.Exclude(faRequired);
  Changed(false);
}

TClass TFieldDef::FieldClass() const {
  TClass fieldClass = DefaultFieldClass(FDataType);
  if (fieldClass == nullptr)
    DatabaseErrorFmt(dbconsts::SFieldTypeNotSupported, {FName}, DataSetOf(Collection()));
  return fieldClass;
}

TField* TFieldDef::CreateField(TComponent* Owner) {
  TDataSet* dataSet = DataSetOf(Collection());
  auto* field = dynamic_cast<TField*>(FieldClass()->Create(TCreateContext{Owner, nullptr}));
  try {
    if (FDataType == ftString || FDataType == ftFixedChar || FDataType == ftBCD)
      field->SetSize(FSize);
    if (auto* bcd = dynamic_cast<TBCDField*>(field))
      bcd->SetPrecision(FPrecision);
    field->SetFieldName(FName);
    field->SetRequired(Required());
    if (FAttributes.Contains(faReadonly))
      field->SetReadOnly(true);
    if (FAttributes.Contains(faHiddenCol))
      field->SetVisible(false);
    field->SetDataSet(dataSet);
  } catch (...) {
    delete field;
    throw;
  }
  return field;
}

void TFieldDef::Assign(TPersistent* Source) {
  if (auto* def = dynamic_cast<TFieldDef*>(Source)) {
    FName = def->FName;
    FDataType = def->FDataType;
    FSize = def->FSize;
    FPrecision = def->FPrecision;
    FAttributes = def->FAttributes;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(Source);
}

// ---- TFieldDefs -----------------------------------------------------------------

TFieldDefs::TFieldDefs(TDataSet* DataSet) : TOwnedCollection(DataSet, TFieldDef::StaticClass()), FDataSet(DataSet) {}

TFieldDef* TFieldDefs::Items(int Index) const { return static_cast<TFieldDef*>(TCollection::Items(Index)); }

TFieldDef* TFieldDefs::AddFieldDef() { return static_cast<TFieldDef*>(TCollection::Add()); }

void TFieldDefs::Add(const AnsiString& Name, TFieldType DataType, int Size, bool Required) {
  if (Name.empty())
    DatabaseError("Field name missing", FDataSet);
  if (IndexOf(Name) >= 0)
    DatabaseErrorFmt(dbconsts::SDuplicateFieldName, {Name}, FDataSet);
  TFieldDef* def = AddFieldDef();
  def->SetName(Name);
  def->SetDataType(DataType);
  def->SetSize(Size);
  def->SetRequired(Required);
}

int TFieldDefs::IndexOf(const AnsiString& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameFieldName(Items(i)->Name(), Name))
      return i;
  return -1;
}

TFieldDef* TFieldDefs::Find(const AnsiString& Name) const {
  int index = IndexOf(Name);
  if (index < 0)
    DatabaseErrorFmt(dbconsts::SFieldNotFound, {Name}, FDataSet);
  return Items(index);
}

void TFieldDefs::Update() { FUpdated = true; }

void TFieldDefs::Update(TCollectionItem* Item) { FUpdated = false; }
