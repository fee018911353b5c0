// Worksheet cell addresses: "B12" and column letters, within the limits of
// a worksheet (columns A..XFD, rows 1..1048576).
#pragma once
#include <string_view>

namespace workbook {

constexpr int MaxWorksheetColumn = 16384;   // XFD
constexpr int MaxWorksheetRow = 1048576;

struct TCellReference {
  int Row = 0;
  int Column = 0;
};

// The column number of letters ("A" = 1, "BZ" = 78, "XFD" = 16384); 0 when
// the text is not a column within the limits.
int ColumnOfLetters(std::string_view letters);
// Parses "B12" (an optional "$" before either part is allowed); false for
// anything else, including "A0" and "XFE1".
bool ParseCellReference(std::string_view text, TCellReference& reference);

}  // namespace workbook
