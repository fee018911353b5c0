// The sheet's three cell tables: barcodes, product names and prices. Each
// has SIRA (the row number, 1 for the first row) and ALAN1..ALAN20, the
// cells of columns 1 to 20, 30 characters each. A table refuses a new row
// silently unless AllowRowInsert is on, which only the program's own appends
// switch on, so the grids cannot add rows (Insert, Down on the last row).
#pragma once
#include <array>

#include "classlib/data/rxmemorydata.h"

constexpr int SheetColumnLimit = 20;
constexpr int SheetRowLimit = 500;
constexpr int SheetCellSize = 30;

enum TSheetTable { stBarkod, stYazi, stFiyat };
constexpr int SheetTableCount = 3;

// "ALAN1" ... "ALAN20".
AnsiString SheetCellFieldName(int column);
// What a cell keeps of a text: up to its first zero byte (cells are stored
// as zero-terminated text), at most SheetCellSize characters.
AnsiString SheetCellText(const AnsiString& text);

class TSheetTables {
public:
  // The tables are owned by owner (a form) when one is given.
  explicit TSheetTables(TComponent* owner = nullptr);
  ~TSheetTables();
  TSheetTables(const TSheetTables&) = delete;
  TSheetTables& operator=(const TSheetTables&) = delete;

  TRxMemoryData& Table(TSheetTable which) const { return *tables_[which]; }
  TRxMemoryData& RxMemBarkod() const { return Table(stBarkod); }
  TRxMemoryData& RxMemYazi() const { return Table(stYazi); }
  TRxMemoryData& RxMemFiyat() const { return Table(stFiyat); }

  bool AllowRowInsert = false;

  // Appends one empty row numbered on (SIRA = row count + 1).
  void AppendRow(TSheetTable which);
  // Appends rows until every table has rows rows, then deletes the last
  // rows until none has more. Cells of the rows kept stay as they are.
  void SizeRows(int rows);
  void EmptyAll();
  int RowCount(TSheetTable which) const { return Table(which).RecordCount(); }

  // Cell (row, column) of a table, rows and columns from 1. Values are cut
  // by SheetCellText.
  AnsiString Cell(TSheetTable which, int row, int column) const;
  void SetCell(TSheetTable which, int row, int column, const AnsiString& text);

private:
  void RefuseInsert(TDataSet* dataSet);
  bool ownsTables_;
  std::array<TRxMemoryData*, SheetTableCount> tables_{};
};

// Switches AllowRowInsert on for the lifetime of the scope, so every path
// out, exceptions included, switches it off again.
class TAllowRowInsertScope {
public:
  explicit TAllowRowInsertScope(TSheetTables& tables) : tables_(tables) { tables_.AllowRowInsert = true; }
  ~TAllowRowInsertScope() { tables_.AllowRowInsert = false; }
  TAllowRowInsertScope(const TAllowRowInsertScope&) = delete;
  TAllowRowInsertScope& operator=(const TAllowRowInsertScope&) = delete;

private:
  TSheetTables& tables_;
};
