#include "app/sheet/sheetcommands.h"

#include "classlib/data/field.h"
#include "classlib/system/numconv.h"

void CopyFirstCellEverywhere(TSheetTables& tables) {
  for (int which = 0; which < SheetTableCount; ++which) {
    TRxMemoryData& table = tables.Table(static_cast<TSheetTable>(which));
    if (table.RecordCount() == 0)
      continue;
    table.First();
    const AnsiString first = table.FieldByName(SheetCellFieldName(1))->AsString();
    for (; !table.Eof(); table.Next()) {
      table.Edit();
      for (int column = 1; column <= SheetColumnLimit; ++column)
        table.FieldByName(SheetCellFieldName(column))->SetAsString(first);
      table.Post();
    }
  }
}

TSeriesResult CopyNumberedSeries(TSheetTables& tables, int row, int column, int columns) {
  TRxMemoryData& table = tables.RxMemBarkod();
  const int rows = table.RecordCount();
  if (row < 1 || row > rows || column < 1 || column > SheetColumnLimit)
    return srNotANumber;
  std::int64_t number = 0;
  if (!TryStrToInt64(tables.Cell(stBarkod, row, column), number))
    return srNotANumber;
  // Every cell within the count takes a number of its own, and the cells
  // after the last of them take the number reached: it must stay within
  // the limit.
  const std::int64_t firstRow = column <= columns ? columns - column + 1 : 0;
  const std::int64_t counted = firstRow + static_cast<std::int64_t>(rows - row) * columns;
  if (number > SeriesNumberLimit - counted || number < -SeriesNumberLimit)
    return srTooLarge;
  for (int r = row; r <= rows; ++r) {
    table.SetRecNo(r);
    table.Edit();
    for (int c = r == row ? column : 1; c <= SheetColumnLimit; ++c) {
      table.FieldByName(SheetCellFieldName(c))->SetAsString(IntToStr(number));
      if (c <= columns)
        ++number;
    }
    table.Post();
  }
  return srDone;
}
