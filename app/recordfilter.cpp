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

bool RecordPassesFilter(const TDataSet& table, const TRecordFilter& filter) {
  return TRecordFilterRule(filter).Accepts(table);
}

TRecordFilterRule::TRecordFilterRule(const TRecordFilter& filter) {
  for (const TRecordFilterRow& row : filter)
    if (!row.Value.empty())
      rows_.push_back({row.FieldNumber, TurkishUpperCase(row.Value)});
}

namespace {

// A text field's bytes end at a zero byte or after Size of them; a value
// longer than the text meets the zero byte (no letter upper-cases to it)
// or runs past Size.
bool TextStartsWith(const TField& field, const std::uint8_t* text, const AnsiString& upperValue) {
  if (text == nullptr || upperValue.size() > static_cast<std::size_t>(field.Size()))
    return false;
  for (std::size_t i = 0; i < upperValue.size(); ++i)
    if (TurkishUpperChar(static_cast<char>(text[i])) != upperValue[i])
      return false;
  return true;
}

bool FieldStartsWith(const TDataSet& table, const TField& field, const AnsiString& upperValue) {
  if (field.DataType() == ftString || field.DataType() == ftFixedChar)
    return TextStartsWith(field, table.FieldDataInPlace(&field), upperValue);
  return FilterRowMatches(field.AsString(), upperValue);
}

}  // namespace

bool TRecordFilterRule::Accepts(const TDataSet& table) const {
  for (const TRow& row : rows_) {
    const TField* field = table.Fields().FieldByNumber(row.FieldNumber);
    if (field == nullptr)
      field = table.FieldByName(RecordFieldName(row.FieldNumber));
    if (!FieldStartsWith(table, *field, row.UpperValue))
      return false;
  }
  return true;
}
