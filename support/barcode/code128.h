// Code 128: any ASCII character (0 to 127). The encoder chooses the code sets
// A, B and C so that the symbol has the fewest characters: set C packs digit
// pairs, set A holds control characters, set B lower case; a shift character
// carries a single character of the other of A and B. Where encodings tie, it
// stays in the current set rather than switch, except that a run of four or
// more digits goes in set C, and a character that needs the other of A and B
// switches to it when the character after it fits that set too (else shifts). The mod 103 check character always follows and
// is not shown.
#pragma once
#include <string_view>
#include <vector>

#include "support/barcode/barcodepattern.h"

TBarcodePattern EncodeCode128(std::string_view code);
// The symbol character values from the start character to the check
// character, without the stop character.
std::vector<int> Code128Values(std::string_view code);
