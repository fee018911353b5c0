// The symbols the decode tests render, with what each independent reader
// (ZXingReader, zbarimg) reports for them: the layout's own renders and the
// components' GDI painting are read against the same table. Header-only.
#pragma once
#include "support/barcode/barcodepattern.h"

namespace barcode_decode {

struct DecodeCase {
  TBarcodeType Type;
  const char* Code;
  bool AddCheck;
  const char* ZxingFormat;
  const char* ZxingText;  // what ZXingReader reports
  const char* ZbarText;   // what zbarimg reports
};

// Code 11 has no independent reader here; zint's patterns cover it. EAN-13
// always carries its check digit: asking for one adds nothing.
inline const DecodeCase kCases[] = {
    {bcUPC_A, "03600029145", false, "UPC-A", "036000291452", "0036000291452"},
    {bcUPC_E, "0123456", false, "UPC-E", "01234565", "0012345000065"},
    {bcEAN_8, "9638507", false, "EAN-8", "96385074", "96385074"},
    {bcEAN_13, "123456789012", false, "EAN-13", "1234567890128", "1234567890128"},
    {bcEAN_13, "869000000001", true, "EAN-13", "8690000000012", "8690000000012"},
    {bcInterleaved2of5, "1234567890", false, "ITF", "1234567890", "1234567890"},
    {bcInterleaved2of5, "123456789", true, "ITF", "1234567895", "1234567895"},
    {bcCodabar, "A40156B", false, "Codabar", "40156", "A40156B"},
    {bcCode39, "CODE 39-$/+%.", false, "Code39", "CODE 39-$/+%.", "CODE 39-$/+%."},
    {bcCode39, "CODE39", true, "Code39", "CODE39W", "CODE39W"},
    {bcCode93, "TEST93-$/+%. X", false, "Code93", "TEST93-$/+%. X", "TEST93-$/+%. X"},
    {bcCode128, "Hello123456", false, "Code128", "Hello123456", "Hello123456"},
    {bcCode128, "ABC12345678def", false, "Code128", "ABC12345678def", "ABC12345678def"},
};

}  // namespace barcode_decode
