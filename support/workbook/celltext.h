// A worksheet cell's stored value and the one rule that turns it into the
// text an import stores, the same for every workbook reader. The rule works
// on the value, never on what a spreadsheet would display, so a barcode kept
// as a number comes back as its digits rather than "8,69E+12" or "####".
#pragma once
#include "classlib/system/ansistring.h"
#include "classlib/system/datetime.h"

namespace workbook {

enum class TCellKind { Empty, Text, Number, Date, Boolean, Error };

struct TCellValue {
  TCellKind Kind = TCellKind::Empty;
  AnsiString Text;      // Text: the text (code page 1254); Error: "#N/A" etc.
  double Number = 0;    // Number: the value; Date: the date and time serial
  bool Boolean = false;

  static TCellValue MakeText(AnsiString text);
  static TCellValue MakeNumber(double value);
  static TCellValue MakeDate(TDateTime value);
  static TCellValue MakeBoolean(bool value);
  static TCellValue MakeError(AnsiString text);
};

// Text as it stands; whole numbers as plain digits; other numbers with the
// fewest digits that read back exactly and "," as the decimal separator;
// dates as dd.mm.yyyy; booleans as the Turkish "DOĞRU"/"YANLIŞ" a Turkish
// spreadsheet shows; errors as their text; empty cells as "".
AnsiString CellText(const TCellValue& value);

// The text of a number under the rule above.
AnsiString NumberCellText(double value);

}  // namespace workbook
