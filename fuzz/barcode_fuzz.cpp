// Barcode encoders on arbitrary codes: codes come from records, sheets and
// layouts, so any bytes must either encode to a well-formed pattern or be
// rejected with EStBarCodeError.
// fuzz-deps: dozuri_barcode
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "support/barcode/barcodeencoder.h"
#include "support/barcode/barcodelayout.h"
#include "support/barcode/postnet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  int selector = data[0] % 11;  // the ten component symbologies and PostNet
  bool addCheck = (data[0] & 0x80) != 0;
  std::string_view code(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    TBarcodePattern pattern = selector == 10 ? EncodePostNet(code)
                                             : EncodeBarcode(static_cast<TBarcodeType>(selector), code, addCheck);
    if (pattern.Elements.empty() || !pattern.Elements.front().IsBar || !pattern.Elements.back().IsBar) std::abort();
    TBarLayoutOptions options;
    options.ModulePixels = 1 + data[0] % 3;
    TBarLayout layout = LayoutBars(pattern, options);
    for (std::size_t i = 1; i < layout.Bars.size(); ++i) {
      if (layout.Bars[i].Left <= layout.Bars[i - 1].Right - 1) std::abort();
    }
  } catch (const EStBarCodeError&) {
  }
  return 0;
}
