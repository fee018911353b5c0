// The label table's EAN-13 codes, checked before the default layout prints
// them. METIN1 holds the code: empty prints no barcode, 12 digits get their
// check digit added, 13 digits print as they are when their last digit is
// the right check digit. Anything else is refused with a Turkish message
// naming the label, so no label prints a wrong or missing barcode unseen.
#pragma once
#include "classlib/system/ansistring.h"

class TDataSet;

// The EAN-13 check digit of the first 12 digits of Digits.
char Ean13CheckDigit(const AnsiString& Digits);

// "" when the code prints; otherwise what is wrong with it, in Turkish.
AnsiString Ean13CodeProblem(const AnsiString& Code);

// The first label (placeholders skipped) whose METIN1 does not print, as a
// message naming its place among the real labels; "" when all print. The
// current record is kept.
AnsiString FirstLabelBarcodeProblem(TDataSet& Labels);
