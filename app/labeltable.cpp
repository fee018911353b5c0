#include "app/labeltable.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "classlib/data/field.h"
#include "classlib/data/fields.h"

namespace {

// The answer without the white space around it.
void Trim(const AnsiString& Answer, const char*& first, const char*& last) {
  first = Answer.data();
  last = first + Answer.size();
  while (first < last && std::isspace(static_cast<unsigned char>(*first)))
    ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(last[-1])))
    --last;
}

}  // namespace

bool IsWholeNumberBelowOne(const AnsiString& Answer) {
  const char* first;
  const char* last;
  Trim(Answer, first, last);
  const bool negative = first < last && *first == '-';
  if (first < last && (*first == '+' || *first == '-'))
    ++first;
  if (first == last || !std::all_of(first, last, [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  return negative || std::all_of(first, last, [](char c) { return c == '0'; });
}

bool PlaceholdersFillASheet(int Start, int LabelsPerPage) {
  return LabelsPerPage > 0 && Start - 1 >= LabelsPerPage;
}

int ReadWholeNumber(const AnsiString& Answer) {
  const char* first;
  const char* last;
  Trim(Answer, first, last);
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
