// The cells of one worksheet part, read into memory with their stored values.
#pragma once
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "classlib/system/ansistring.h"
#include "support/workbook/celltext.h"

namespace workbook {

// What the worksheet's cells refer to elsewhere in the workbook.
struct TSheetContext {
  const std::vector<AnsiString>* SharedStrings = nullptr;
  const std::vector<bool>* DateStyles = nullptr;
  bool Date1904 = false;
};

class TSheetCells {
public:
  // The cell's value; an empty value for a cell the sheet does not hold.
  const TCellValue& At(int row, int column) const;
  void Put(int row, int column, TCellValue value);

  // The rows of the used range (every cell element counts, as a formatted
  // empty cell does for a spreadsheet); both 0 when the sheet has no cells.
  int FirstRow() const { return firstRow_; }
  int LastRow() const { return lastRow_; }
  std::size_t Count() const { return cells_.size(); }

private:
  static std::uint64_t KeyOf(int row, int column) { return std::uint64_t(row) << 16 | std::uint32_t(column); }

  std::unordered_map<std::uint64_t, TCellValue> cells_;
  int firstRow_ = 0;
  int lastRow_ = 0;
};

// Reads a worksheet part (UTF-8 XML). Raises EWorkbookError for a cell or
// row address outside the worksheet's limits and for a shared string index
// the table does not have.
TSheetCells ReadSheetCells(std::string_view xml, const TSheetContext& context);

// A stored date serial of the workbook's date system as a date value.
TDateTime SerialToDate(double serial, bool date1904);

}  // namespace workbook
