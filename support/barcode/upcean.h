// UPC-A, UPC-E, EAN-8 and EAN-13.
//
// The check digit is part of these symbols: a code without it gets it
// computed, a code with it has it verified (a wrong one is an error). Guard
// bars (and UPC-A's outer digits) are marked to extend below the text line.
//   UPC-A:  11 digits, or 12 with the check digit
//   UPC-E:  6 digits (number system 0), 7 (number system 0 or 1 first), or 8
//           with the check digit, which is that of the expanded UPC-A code
//   EAN-8:  7 digits, or 8
//   EAN-13: 12 digits, or 13
#pragma once
#include <string_view>

#include "support/barcode/barcodepattern.h"

TBarcodePattern EncodeUPCA(std::string_view code);
TBarcodePattern EncodeUPCE(std::string_view code);
TBarcodePattern EncodeEAN8(std::string_view code);
TBarcodePattern EncodeEAN13(std::string_view code);

// The mod 10 check digit of EAN/UPC data digits (weights 3, 1, 3 ... from the
// right). digits must be all digits.
char UpcEanCheckDigit(std::string_view digits);
// The UPC-A data digits (11) a UPC-E number system plus 6 digits stand for.
AnsiString ExpandUPCE(std::string_view numberSystemAndDigits);
