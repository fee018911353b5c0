// Interleaved 2 of 5: digits in pairs, the first of a pair in the bars and the
// second in the spaces, so the digit count (with the check digit when one is
// added) must be even. The optional check digit is mod 10 with weights 3, 1,
// 3 ... from the right.
#pragma once
#include <string_view>

#include "support/barcode/barcodepattern.h"

TBarcodePattern EncodeInterleaved2of5(std::string_view code, bool addCheckChar);
char Interleaved2of5CheckDigit(std::string_view digits);
