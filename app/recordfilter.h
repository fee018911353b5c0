// The record filter: up to three rows of a field and a value. A record
// passes when every row with a value matches; a row matches when the field's
// text starts with the value, both upper-cased by the Turkish rules.
#pragma once
#include <array>

#include "classlib/data/dataset.h"

struct TRecordFilterRow {
  int FieldNumber = 1;  // 1..20: METIN1..METIN20
  AnsiString Value;
};

using TRecordFilter = std::array<TRecordFilterRow, 3>;

// Prefix match ignoring letter case by the Turkish rules; an empty value
// matches everything, a value longer than the text never matches.
bool FilterRowMatches(const AnsiString& fieldText, const AnsiString& value);
// The current record of table against the rows, in order.
bool RecordPassesFilter(TDataSet& table, const TRecordFilter& filter);
