#include "app/sheet/sheettables.h"

#include <algorithm>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/system/exceptions.h"

AnsiString SheetCellFieldName(int column) { return "ALAN" + std::to_string(column); }

AnsiString SheetCellText(const AnsiString& text) {
  return text.substr(0, std::min(text.find('\0'), static_cast<std::size_t>(SheetCellSize)));
}

TSheetTables::TSheetTables(TComponent* owner) : ownsTables_(owner == nullptr) {
  for (auto& table : tables_) {
    table = new TRxMemoryData(owner);
    table->FieldDefs()->Add("SIRA", ftInteger);
    for (int column = 1; column <= SheetColumnLimit; ++column)
      table->FieldDefs()->Add(SheetCellFieldName(column), ftString, SheetCellSize);
    table->BeforeInsert = [this](TDataSet* dataSet) { RefuseInsert(dataSet); };
    table->Open();
  }
}

TSheetTables::~TSheetTables() {
  if (!ownsTables_)
    return;
  for (TRxMemoryData* table : tables_)
    delete table;
}

void TSheetTables::RefuseInsert(TDataSet*) {
  if (!AllowRowInsert)
    throw EAbort("Operation aborted");
}

void TSheetTables::AppendRow(TSheetTable which) {
  TRxMemoryData& table = Table(which);
  TAllowRowInsertScope allow(*this);
  const int number = table.RecordCount() + 1;
  table.Append();
  table.FieldByName("SIRA")->SetAsInteger(number);
  table.Post();
}

void TSheetTables::SizeRows(int rows) {
  for (int which = 0; which < SheetTableCount; ++which) {
    TRxMemoryData& table = Table(static_cast<TSheetTable>(which));
    while (table.RecordCount() < rows)
      AppendRow(static_cast<TSheetTable>(which));
    while (table.RecordCount() > rows) {
      table.Last();
      table.Delete();
    }
  }
}

void TSheetTables::EmptyAll() {
  for (TRxMemoryData* table : tables_)
    table->EmptyTable();
}

AnsiString TSheetTables::Cell(TSheetTable which, int row, int column) const {
  TRxMemoryData& table = Table(which);
  table.SetRecNo(row);
  return table.FieldByName(SheetCellFieldName(column))->AsString();
}

void TSheetTables::SetCell(TSheetTable which, int row, int column, const AnsiString& text) {
  TRxMemoryData& table = Table(which);
  table.SetRecNo(row);
  table.Edit();
  table.FieldByName(SheetCellFieldName(column))->SetAsString(SheetCellText(text));
  table.Post();
}
