// Code 39: digits, upper-case letters, space and - . $ / + %, framed by '*'.
// The optional check character is the sum of the character values mod 43.
#pragma once
#include <string_view>

#include "support/barcode/barcodepattern.h"

TBarcodePattern EncodeCode39(std::string_view code, bool addCheckChar);
char Code39CheckChar(std::string_view text);
