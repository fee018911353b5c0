// What a label prints, as the runner's label handler decides it record by
// record: a data text's tag picks one character of its value or the value
// of a fixed record, and a label's PRINTOPTION keeps or empties its text by
// page.
#pragma once
#include "classlib/data/dataset.h"
#include "layouts/core/bindinghints.h"

// The character at 1-based Position of Value; "" when Value is shorter.
AnsiString CharacterAt(const AnsiString& Value, int Position);

// The display text of the field in record RecordNumber (1-based) of the
// data set; "" when the data set has fewer records. The data set comes back
// to its current record with its controls enabled on every path out,
// exceptions included (a field the data set lacks raises its
// field-not-found error).
AnsiString FieldTextInRecord(TDataSet& DataSet, const AnsiString& FieldName, long long RecordNumber);

// Value, or "" when the option keeps the label off this page of a graphic
// report (Page 1-based, PageCount the count of the preparing run).
AnsiString ApplyPrintOption(const AnsiString& Value, TPrintOption Option, int Page, int PageCount);

// Keeps a data set's place and its controls disabled for the lifetime of
// the scope: going back to the bookmark, freeing it and enabling the
// controls happen on every path out.
class TDataSetPlaceScope {
public:
  explicit TDataSetPlaceScope(TDataSet& DataSet);
  ~TDataSetPlaceScope();
  TDataSetPlaceScope(const TDataSetPlaceScope&) = delete;
  TDataSetPlaceScope& operator=(const TDataSetPlaceScope&) = delete;

private:
  TDataSet& dataSet_;
  TBookmark bookmark_;
};
