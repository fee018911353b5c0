// fuzz-deps: dozuri_sheetcore dozuri_data dozuri_classes dozuri_system
// Transfer files come from other programs: any bytes must fill a sheet or be
// refused, with no cell longer than a cell holds and every product placed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/sheet/transferfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1)
    return 0;
  TSheetDocument document;
  if (!document.DosyaAc(DefaultSheetName))
    std::abort();
  document.SetCounts(1 + data[0] % 20, 7, 7);
  TStringList lines;
  lines.SetText(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  const TTransferResult result = ImportTransferLines(lines, document);
  if (result != trImported)
    return 0;
  const int columns = document.Settings.Sutun;
  if (document.Settings.Satir != TransferRowCount(lines.Count(), columns))
    std::abort();
  for (int i = 0; i < lines.Count(); ++i) {
    const AnsiString barcode = document.Tables.Cell(stBarkod, i / columns + 1, i % columns + 1);
    if (barcode != SheetCellText(ParseTransferLine(lines[i]).Barkod))
      std::abort();
  }
  return 0;
}
