#include "support/rave/ravebarcode.h"

#include "support/barcode/code128.h"
#include "support/barcode/code39.h"
#include "support/barcode/interleaved2of5.h"
#include "support/barcode/postnet.h"
#include "support/barcode/upcean.h"

namespace {

TBarcodePattern EncodeRaveEan(const AnsiString& text) {
  if (text.size() == 7 || text.size() == 8)
    return EncodeEAN8(text);
  return EncodeEAN13(text);
}

TBarcodePattern EncodeRavePattern(TRaveBarCodeKind kind, const AnsiString& text, bool useChecksum) {
  switch (kind) {
    case TRaveBarCodeKind::EAN: return EncodeRaveEan(text);
    case TRaveBarCodeKind::UPC: return EncodeUPCA(text);
    case TRaveBarCodeKind::Code128: return EncodeCode128(text);
    case TRaveBarCodeKind::Code39: return EncodeCode39(text, useChecksum);
    case TRaveBarCodeKind::PostNet: return EncodePostNet(text);
    case TRaveBarCodeKind::I2of5: return EncodeInterleaved2of5(text, useChecksum);
  }
  throw EStBarCodeError("Unknown barcode type");
}

}  // namespace

TRaveSymbol EncodeRaveSymbol(TRaveBarCodeKind kind, const AnsiString& text, bool useChecksum, bool printChecksum,
                             bool printReadable) {
  TRaveSymbol symbol;
  symbol.Pattern = EncodeRavePattern(kind, text, useChecksum);
  if (!printReadable)
    return symbol;
  symbol.Readable = symbol.Pattern.HumanText;
  const AnsiString& check = symbol.Pattern.CheckChars;
  if (!printChecksum && !check.empty() && symbol.Readable.size() >= check.size() &&
      symbol.Readable.compare(symbol.Readable.size() - check.size(), check.size(), check) == 0)
    symbol.Readable.resize(symbol.Readable.size() - check.size());
  return symbol;
}

TRaveSymbol EncodeRaveSymbol(const TRaveBaseBarCode& code) {
  return EncodeRaveSymbol(code.Kind(), code.Text, code.UseChecksum, code.PrintChecksum, code.PrintReadable);
}
