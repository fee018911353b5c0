// One entry point for the symbologies of the barcode components.
#pragma once
#include <string_view>

#include "support/barcode/barcodepattern.h"

// Encodes code in the symbology type. addCheckChar switches the optional
// check characters of Code 39, Code 11 and Interleaved 2 of 5; EAN/UPC,
// Code 93 and Code 128 always carry theirs, Codabar has none. A code the
// symbology rejects raises EStBarCodeError.
TBarcodePattern EncodeBarcode(TBarcodeType type, std::string_view code, bool addCheckChar);
// The symbology's name as the designer lists it ("UPC_A" ... "Code128").
const char* BarcodeTypeName(TBarcodeType type);
