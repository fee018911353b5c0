// Shared by the two-width symbologies (Interleaved 2 of 5, Codabar, Code 11,
// Code 39): turning a narrow/wide mask into elements.
#pragma once
#include <string_view>

#include "support/barcode/barcodepattern.h"

// Appends elements for a mask such as "0011010": '1' wide, '0' narrow,
// alternating bar and space starting with a bar.
void AppendNarrowWide(TBarcodePattern& pattern, std::string_view mask);
// A pattern with the NarrowWide model and the usual 10-module quiet zones.
TBarcodePattern NewTwoWidthPattern();
