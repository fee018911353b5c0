#include "app/labeltable.h"

#include <cctype>
#include <charconv>

#include "classlib/data/field.h"
#include "classlib/data/fields.h"

int ReadWholeNumber(const AnsiString& Answer) {
  const char* first = Answer.data();
  const char* last = first + Answer.size();
  while (first < last && std::isspace(static_cast<unsigned char>(*first)))
    ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(last[-1])))
    --last;
  if (first < last && *first == '+')
    ++first;
  long long value = 0;
  auto [end, error] = std::from_chars(first, last, value);
  if (first == last || error != std::errc() || end != last)
    return 0;
  if (value > MaxLabelCount)
    return MaxLabelCount + 1;
  if (value < 0)
    return 0;
  return static_cast<int>(value);
}

void CopyRecordByFieldNames(TDataSet& Source, TDataSet& Target) {
  Target.Append();
  for (int i = 0; i < Source.FieldCount(); ++i) {
    TField* from = Source.Fields()[i];
    if (TField* to = Target.FindField(from->FieldName()))
      to->SetAsString(from->AsString());
  }
  Target.Post();
}

void CopyShownRecords(TDataSet& Source, TDataSet& Target, int Copies) {
  Source.First();
  while (!Source.Eof()) {
    for (int k = 0; k < Copies; ++k)
      CopyRecordByFieldNames(Source, Target);
    Source.Next();
  }
}

void RemovePlaceholders(TDataSet& Labels) {
  while (Labels.Locate("BAS", Variant(true), TLocateOptions{}))
    Labels.Delete();
}

void InsertPlaceholders(TDataSet& Labels, int Count) {
  for (int k = 0; k < Count; ++k) {
    Labels.First();
    Labels.Insert();
    Labels.FieldByName("BAS")->SetAsBoolean(true);
    Labels.Post();
  }
}

int PlaceholderCount(TDataSet& Labels) {
  int count = 0;
  Labels.First();
  for (; !Labels.Eof(); Labels.Next())
    count += Labels.FieldByName("BAS")->AsBoolean() ? 1 : 0;
  return count;
}
