// PostNet: 5, 9 or 11 digits and a check digit (the digit that makes the sum
// of all digits a multiple of 10), between two tall frame bars. Each digit is
// five bars, two of them tall; the rest are short. Bars and spaces are one
// module each.
#pragma once
#include <string_view>

#include "support/barcode/barcodepattern.h"

TBarcodePattern EncodePostNet(std::string_view code);
