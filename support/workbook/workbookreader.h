// One workbook source for the import: open a workbook, take its n-th
// worksheet, ask for the last row of its used range and for the text of a
// cell by row and column, close. Implemented by the spreadsheet application
// through automation where it is installed and by the built-in .xlsx reader
// otherwise; both give cells the text of the rule in celltext.h.
#pragma once
#include "classlib/system/ansistring.h"

namespace workbook {

class TWorkbookReader {
public:
  virtual ~TWorkbookReader() = default;

  // Each raises an exception whose message names the file and what is wrong.
  virtual void OpenWorkbook(const AnsiString& fileName) = 0;
  // Worksheet numbers start at 1.
  virtual void OpenWorksheet(int number) = 0;
  // The last row of the used range (its first row + its row count - 1).
  virtual int LastUsedRow() = 0;
  // Rows and columns start at 1; a cell past the content reads "".
  virtual AnsiString CellText(int row, int column) = 0;
  // Closes without saving and lets go of everything that was opened; safe to
  // call when nothing, or only part, is open, and more than once.
  virtual void Close() noexcept = 0;
};

}  // namespace workbook
