// Codabar: digits and - $ : / . +, framed by a start and a stop character A,
// B, C or D that the code itself carries (lower case accepted). No check
// character.
#pragma once
#include <string_view>

#include "support/barcode/barcodepattern.h"

TBarcodePattern EncodeCodabar(std::string_view code);
