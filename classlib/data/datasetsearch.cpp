// TDataSet: filters, Locate and Lookup.
#include "classlib/data/dataset.h"
#include "classlib/data/dbconsts.h"
#include "classlib/data/field.h"
#include "classlib/data/filterexpression.h"
#include "classlib/system/strutils.h"

void TDataSet::SetFilter(const AnsiString& Value) {
  if (Value == FFilterText)
    return;
  FFilterExpr = Trim(Value).empty() ? nullptr : ParseFilterExpression(Value);
  SetFilterText(Value);
  if (Active() && FFiltered) {
    CheckBrowseMode();
    First();
  }
}

void TDataSet::SetFiltered(bool Value) {
  if (Value == FFiltered)
    return;
  if (Active()) {
    CheckBrowseMode();
    SetFilteredValue(Value);
    First();
  } else {
    SetFilteredValue(Value);
  }
}

void TDataSet::SetFilterOptions(TFilterOptions Value) {
  if (Value == FFilterOptions)
    return;
  FFilterOptions = Value;
  if (Active() && FFiltered) {
    CheckBrowseMode();
    First();
  }
}

bool TDataSet::RecordFilterAccepts(TRecordBuffer& Buffer) {
  TempState scope(*this, dsFilter, &Buffer);
  bool accept = true;
  if (FFilterExpr)
    accept = EvaluateFilterExpression(*FFilterExpr, *this, FFilterOptions);
  if (accept && OnFilterRecord)
    OnFilterRecord(this, accept);
  return accept;
}

void TDataSet::GetFieldList(std::vector<TField*>& List, const AnsiString& FieldNames) const {
  List.clear();
  size_t start = 0;
  while (start <= FieldNames.size()) {
    size_t end = FieldNames.find(';', start);
    if (end == AnsiString::npos)
      end = FieldNames.size();
    AnsiString name = Trim(FieldNames.substr(start, end - start));
    if (!name.empty())
      List.push_back(FieldByName(name));
    start = end + 1;
  }
}

bool TDataSet::FieldMatches(const TField* Field, const Variant& Key, TLocateOptions Options) {
  if (VarIsNull(Key) || VarIsEmpty(Key))
    return Field->IsNull();
  if (Field->IsNull())
    return false;
  switch (Field->DataType()) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
    case ftMemo:
    case ftFmtMemo: {
      AnsiString value = Field->AsString();
      AnsiString key = VarToStr(Key);
      if (Options.Contains(loPartialKey) && value.size() > key.size())
        value.resize(key.size());
      return Options.Contains(loCaseInsensitive) ? AnsiSameText(value, key) : value == key;
    }
    default:
      try {
        return VarCompareValue(Field->AsVariant(), Key) == vrEqual;
      } catch (const Exception&) {
        return false;  // a key that is no value of the field's type matches nothing
      }
  }
}

bool TDataSet::LocateRecord(const AnsiString& KeyFields, const std::vector<Variant>& KeyValues,
                            TLocateOptions Options, bool SyncCursor) {
  CheckBrowseMode();
  std::vector<TField*> fields;
  GetFieldList(fields, KeyFields);
  if (fields.empty())
    return false;
  TRecordBuffer& scratch = FBuffers[FRecordCount];
  return FindMatchingRecord(
      [&](TRecordBuffer& buffer) {
        TempState scope(*this, dsFilter, &buffer);
        for (size_t i = 0; i < fields.size(); ++i)
          if (!FieldMatches(fields[i], i < KeyValues.size() ? KeyValues[i] : Null(), Options))
            return false;
        return true;
      },
      scratch, SyncCursor);
}

bool TDataSet::Locate(const AnsiString& KeyFields, const std::vector<Variant>& KeyValues, TLocateOptions Options) {
  CheckBrowseMode();
  Fire(BeforeScroll);
  if (!LocateRecord(KeyFields, KeyValues, Options, true))
    return false;
  Resync({rmExact, rmCenter});
  Fire(AfterScroll);
  return true;
}

Variant TDataSet::Lookup(const AnsiString& KeyFields, const std::vector<Variant>& KeyValues,
                         const AnsiString& ResultField) {
  TField* result = FieldByName(ResultField);
  if (!LocateRecord(KeyFields, KeyValues, {}, false))
    return Null();
  TempState scope(*this, dsFilter, &FBuffers[FRecordCount]);
  return result->AsVariant();
}
