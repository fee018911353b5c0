// The symbols of the report library's barcode elements, from their text and
// check-character switches, through support/barcode:
//   EAN      EAN-13 from 12 digits (check digit added) or 13 (check digit
//            verified); EAN-8 from 7 or 8 digits the same way
//   UPC      UPC-A from 11 or 12 digits
//   Code128  any ASCII text; its check character is never shown
//   Code39   UseChecksum adds the optional mod 43 check character
//   PostNet  5, 9 or 11 digits and their check digit
//   2of5     interleaved 2 of 5; UseChecksum adds the optional check digit
#pragma once
#include "support/barcode/barcodepattern.h"
#include "support/rave/raveproject.h"

struct TRaveSymbol {
  TBarcodePattern Pattern;
  // The text printed under the bars ("" when PrintReadable is off): the
  // code, with its check characters only when PrintChecksum is on.
  AnsiString Readable;
};

// Raises EStBarCodeError for a text the element's kind cannot encode.
TRaveSymbol EncodeRaveSymbol(TRaveBarCodeKind kind, const AnsiString& text, bool useChecksum, bool printChecksum,
                             bool printReadable);
TRaveSymbol EncodeRaveSymbol(const TRaveBaseBarCode& code);
