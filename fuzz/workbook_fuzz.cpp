// fuzz-deps: dozuri_workbook dozuri_classes dozuri_system
// Feeds arbitrary bytes to the built-in workbook reader as a whole file: open,
// the first two worksheets, their used range and the cells of the first rows.
// Every input must either be read or raise the workbook error, never crash,
// hang or allocate past the reader's limits.
#include <cstddef>
#include <cstdint>
#include <string>

#include "support/workbook/workbookerror.h"
#include "support/workbook/xlsxreader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  workbook::TXlsxWorkbookReader reader(1u << 22);
  try {
    reader.OpenWorkbookBytes(std::string(reinterpret_cast<const char*>(data), size), "fuzz.xlsx");
  } catch (const EWorkbookError&) {
    return 0;
  }
  for (int sheet = 1; sheet <= 2; ++sheet) {
    try {
      reader.OpenWorksheet(sheet);
      const int last = reader.LastUsedRow();
      if (last < 1)
        __builtin_trap();
      for (int row = 1; row <= 3; ++row)
        for (int column = 1; column <= 3; ++column)
          reader.CellText(row, column);
    } catch (const EWorkbookError&) {
    }
  }
  reader.Close();
  return 0;
}
