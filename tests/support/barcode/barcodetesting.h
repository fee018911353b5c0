// Encoding by the symbology names the case tables use: the designer's names
// ("EAN_13", "Code128" ...) and "PostNet".
#pragma once
#include <stdexcept>
#include <string>

#include "support/barcode/barcodeencoder.h"
#include "support/barcode/postnet.h"

inline TBarcodePattern EncodeByName(const std::string& name, const std::string& code, bool addCheck) {
  if (name == "PostNet") return EncodePostNet(code);
  for (int t = bcUPC_A; t <= bcCode128; ++t) {
    if (name == BarcodeTypeName(static_cast<TBarcodeType>(t))) {
      return EncodeBarcode(static_cast<TBarcodeType>(t), code, addCheck);
    }
  }
  throw std::invalid_argument("unknown symbology " + name);
}
