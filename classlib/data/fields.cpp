#include "classlib/data/fields.h"

#include <algorithm>

#include "classlib/data/dataset.h"
#include "classlib/data/dbconsts.h"
#include "classlib/data/field.h"
#include "classlib/system/strutils.h"

TField* TFields::Fields(int Index) const {
  if (Index < 0 || Index >= Count())
    DatabaseError(dbconsts::SFieldIndexError, FDataSet);
  return FList[Index];
}

bool SameFieldName(const AnsiString& a, const AnsiString& b) {
  // ASCII letters match in either case whatever the locale ("metin1" finds
  // "METIN1"); other letters match by the Turkish collation.
  return SameText(a, b) || AnsiSameText(a, b);
}

TField* TFields::FindField(const AnsiString& FieldName) const {
  for (TField* field : FList)
    if (SameFieldName(field->FieldName(), FieldName))
      return field;
  return nullptr;
}

TField* TFields::FieldByName(const AnsiString& FieldName) const {
  TField* field = FindField(FieldName);
  if (field == nullptr)
    DatabaseErrorFmt(dbconsts::SFieldNotFound, {FieldName}, FDataSet);
  return field;
}

TField* TFields::FieldByNumber(int FieldNo) const {
  for (TField* field : FList)
    if (field->FieldNo() == FieldNo)
      return field;
  return nullptr;
}

int TFields::IndexOf(const TField* Field) const {
  auto it = std::find(FList.begin(), FList.end(), Field);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TFields::CheckFieldName(const AnsiString& FieldName) const {
  if (FindField(FieldName) != nullptr)
    DatabaseErrorFmt(dbconsts::SDuplicateFieldName, {FieldName}, FDataSet);
}

void TFields::Add(TField* Field) {
  if (!Field->FieldName().empty())
    CheckFieldName(Field->FieldName());
  FList.push_back(Field);
}

void TFields::Remove(TField* Field) { std::erase(FList, Field); }

void TFields::SetFieldIndex(TField* Field, int Value) {
  int current = IndexOf(Field);
  if (current < 0)
    return;
  Value = std::clamp(Value, 0, Count() - 1);
  FList.erase(FList.begin() + current);
  FList.insert(FList.begin() + Value, Field);
}
