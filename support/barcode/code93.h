// Code 93: digits, upper-case letters, space and - . $ / + %, framed by the
// start/stop character. Two check characters always follow the code: C (mod 47,
// weights 1 to 20 from the right) and K (mod 47 over the code and C, weights
// 1 to 15). They are not part of the human-readable text.
#pragma once
#include <string_view>

#include "support/barcode/barcodepattern.h"

TBarcodePattern EncodeCode93(std::string_view code);
