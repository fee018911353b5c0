// fuzz-deps: dozuri_workbook dozuri_system
// Feeds arbitrary text to the workbook XML reader, to the shared string and
// style readers and, as a worksheet part, to the cell reader: every input
// must either be read or raise the workbook error, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "support/workbook/cellreference.h"
#include "support/workbook/workbookerror.h"
#include "support/workbook/xlsxsheet.h"
#include "support/workbook/xlsxstrings.h"
#include "support/workbook/xlsxstyles.h"
#include "support/workbook/xmlreader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view xml(reinterpret_cast<const char*>(data), size);
  try {
    workbook::TXmlReader reader(xml);
    while (reader.Next() != workbook::TXmlReader::TNode::EndOfDocument)
      if (reader.Depth() > workbook::TXmlReader::DefaultMaxDepth)
        __builtin_trap();
  } catch (const EWorkbookError&) {
  }
  std::vector<AnsiString> strings;
  std::vector<bool> dates;
  try {
    strings = workbook::ReadSharedStrings(xml);
  } catch (const EWorkbookError&) {
  }
  try {
    dates = workbook::ReadDateStyles(xml);
  } catch (const EWorkbookError&) {
  }
  try {
    const workbook::TSheetCells cells = workbook::ReadSheetCells(xml, {&strings, &dates, size % 2 == 1});
    if (cells.Count() > 0 && (cells.FirstRow() < 1 || cells.LastRow() > workbook::MaxWorksheetRow))
      __builtin_trap();
    workbook::CellText(cells.At(cells.FirstRow(), 1));
  } catch (const EWorkbookError&) {
  }
  return 0;
}
