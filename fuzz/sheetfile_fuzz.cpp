// fuzz-deps: dozuri_sheetcore dozuri_data dozuri_classes dozuri_system
// Sheet files come from outside (copied between machines, edited by hand):
// any bytes must read as a sheet or be refused, never crash, loop or grow
// without bound; a sheet that read must write and read back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/sheet/sheetfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TSheetDocument document;
  document.PaperCount = 1 + (size > 0 ? data[0] % 8 : 0);
  document.Lines.SetText(std::string(reinterpret_cast<const char*>(data), size));
  if (!document.ApplyLines(false))
    return 0;
  document.FillLines();
  const AnsiString written = document.Lines.Text();
  TSheetDocument again;
  again.PaperCount = document.PaperCount;
  again.Lines.SetText(written);
  if (!again.ApplyLines(false))
    std::abort();  // a written sheet must read back
  again.FillLines();
  if (again.Lines.Text() != written)
    std::abort();
  return 0;
}
