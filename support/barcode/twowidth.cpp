#include "support/barcode/twowidth.h"

void AppendNarrowWide(TBarcodePattern& pattern, std::string_view mask) {
  bool bar = true;
  for (char m : mask) {
    pattern.Elements.push_back({bar, static_cast<std::uint8_t>(m == '1' ? 2 : 1), TBarHeight::Full});
    bar = !bar;
  }
}

TBarcodePattern NewTwoWidthPattern() {
  TBarcodePattern p;
  p.WidthModel = TWidthModel::NarrowWide;
  p.LeftQuietZone = 10;
  p.RightQuietZone = 10;
  return p;
}
