// Code 11: digits and '-'. With check characters on, both the C check (mod 11,
// weights 1 to 10 from the right) and the K check (mod 11 over the code and C,
// weights 1 to 9) are added; a check value of 10 is written '-'.
#pragma once
#include <string_view>

#include "support/barcode/barcodepattern.h"

TBarcodePattern EncodeCode11(std::string_view code, bool addCheckChars);
// The check character for text with weights 1..maxWeight cycling from the right.
char Code11Check(std::string_view text, int maxWeight);
