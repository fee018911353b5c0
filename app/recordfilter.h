// The record filter: up to three rows of a field and a value. A record
// passes when every row with a value matches; a row matches when the field's
// text starts with the value, both upper-cased by the Turkish rules.
#pragma once
#include <array>
#include <vector>

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
bool RecordPassesFilter(const TDataSet& table, const TRecordFilter& filter);

// The rows made ready once for testing many records: each row with a value
// as its field number and its value upper-cased. A record is tested in
// place, without copying or upper-casing its texts.
class TRecordFilterRule {
public:
  TRecordFilterRule() = default;
  explicit TRecordFilterRule(const TRecordFilter& filter);

  // No row has a value, so every record passes.
  bool AcceptsAll() const { return rows_.empty(); }
  // The record the table presents now: the one under test while it
  // filters, the current one otherwise.
  bool Accepts(const TDataSet& table) const;

private:
  struct TRow {
    int FieldNumber;
    AnsiString UpperValue;
  };
  std::vector<TRow> rows_;
};
