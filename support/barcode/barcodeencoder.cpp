#include "support/barcode/barcodeencoder.h"

#include "support/barcode/codabar.h"
#include "support/barcode/code11.h"
#include "support/barcode/code128.h"
#include "support/barcode/code39.h"
#include "support/barcode/code93.h"
#include "support/barcode/interleaved2of5.h"
#include "support/barcode/upcean.h"

TBarcodePattern EncodeBarcode(TBarcodeType type, std::string_view code, bool addCheckChar) {
  switch (type) {
    case bcUPC_A: return EncodeUPCA(code);
    case bcUPC_E: return EncodeUPCE(code);
    case bcEAN_8: return EncodeEAN8(code);
    case bcEAN_13: return EncodeEAN13(code);
    case bcInterleaved2of5: return EncodeInterleaved2of5(code, addCheckChar);
    case bcCodabar: return EncodeCodabar(code);
    case bcCode11: return EncodeCode11(code, addCheckChar);
    case bcCode39: return EncodeCode39(code, addCheckChar);
    case bcCode93: return EncodeCode93(code);
    case bcCode128: return EncodeCode128(code);
  }
  throw EStBarCodeError("Unknown barcode type");
}

const char* BarcodeTypeName(TBarcodeType type) {
  static const char* const kNames[] = {"UPC_A",   "UPC_E",  "EAN_8",  "EAN_13", "Interleaved2of5",
                                       "Codabar", "Code11", "Code39", "Code93", "Code128"};
  unsigned index = static_cast<unsigned>(type);
  return index < sizeof kNames / sizeof kNames[0] ? kNames[index] : "";
}
