#include "app/recordfilter.h"

#include "app/generalhelpers.h"
#include "app/recordtables.h"
#include "classlib/data/field.h"

bool FilterRowMatches(const AnsiString& fieldText, const AnsiString& value) {
  if (value.empty())
    return true;
  if (fieldText.size() < value.size())
    return false;
  return TurkishUpperCase(fieldText.substr(0, value.size())) == TurkishUpperCase(value);
}

bool RecordPassesFilter(TDataSet& table, const TRecordFilter& filter) {
  for (const TRecordFilterRow& row : filter) {
    if (row.Value.empty())
      continue;
    const AnsiString text = table.FieldByName(RecordFieldName(row.FieldNumber))->AsString();
    if (!FilterRowMatches(text, row.Value))
      return false;
  }
  return true;
}
