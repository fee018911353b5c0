// Binding hints come out of layout files, which travel between machines:
// reading any text must neither crash nor loop, and what is written reads
// back: a value set is the value read, a name removed is gone.
// fuzz-deps: dozuri_layouts_core
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "layouts/core/bindinghints.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const AnsiString text(reinterpret_cast<const char*>(data), size);
  TBindingHint hint(text);
  (void)hint.DataSet();
  (void)hint.Parametre();
  const TPrintOption option = hint.PrintOption();
  if (option < poOnlyFirstPage || option > poEveryPage)
    std::abort();
  if (hint.HareketSayisi() <= 0 || !(hint.HareketAlaniYukseklik() > 0))
    std::abort();
  (void)hint.IsInvoicePage();

  // A value of one line and a name without "=" round-trip.
  const AnsiString value = "METIN" + std::to_string(size % 20 + 1);
  hint.SetValue(HintDataField, value);
  if (hint.DataField() != value)
    std::abort();
  hint.SetValue("datafield", "");
  if (hint.HasName(HintDataField))
    std::abort();
  return 0;
}
