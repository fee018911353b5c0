#include "layouts/labelprintvalue.h"

#include "classlib/data/field.h"

AnsiString CharacterAt(const AnsiString& Value, int Position) {
  if (Position < 1 || static_cast<std::size_t>(Position) > Value.size())
    return AnsiString();
  return Value.substr(static_cast<std::size_t>(Position) - 1, 1);
}

TDataSetPlaceScope::TDataSetPlaceScope(TDataSet& DataSet) : dataSet_(DataSet), bookmark_(DataSet.GetBookmark()) {
  dataSet_.DisableControls();
}

TDataSetPlaceScope::~TDataSetPlaceScope() {
  try {
    if (bookmark_ != nullptr)
      dataSet_.GotoBookmark(bookmark_);
  } catch (...) {
    // The record it marked is gone; the data set stays where it is.
  }
  dataSet_.FreeBookmark(bookmark_);
  dataSet_.EnableControls();
}

AnsiString FieldTextInRecord(TDataSet& DataSet, const AnsiString& FieldName, long long RecordNumber) {
  TDataSetPlaceScope place(DataSet);
  DataSet.First();
  for (long long k = 1; k < RecordNumber && !DataSet.Eof(); ++k)
    DataSet.Next();
  if (DataSet.RecordCount() < RecordNumber)
    return AnsiString();
  return DataSet.FieldByName(FieldName)->DisplayText();
}

AnsiString ApplyPrintOption(const AnsiString& Value, TPrintOption Option, int Page, int PageCount) {
  return PrintsOnGraphicPage(Option, Page, PageCount) ? Value : AnsiString();
}
