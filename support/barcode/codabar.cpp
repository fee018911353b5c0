#include "support/barcode/codabar.h"

#include "support/barcode/twowidth.h"

namespace {

constexpr std::string_view kChars = "0123456789-$:/.+ABCD";
// Narrow/wide mask of each character's seven elements, in the order of kChars.
constexpr std::string_view kMasks[] = {
    "0000011", "0000110", "0001001", "1100000", "0010010", "1000010", "0100001", "0100100", "0110000", "1001000",
    "0001100", "0011000", "1000101", "1010001", "1010100", "0010101", "0011010", "0101001", "0001011", "0001110"};

constexpr TCharValues kValues(kChars);

char Upper(char c) { return (c >= 'a' && c <= 'd') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsStartStop(char c) { return c >= 'A' && c <= 'D'; }

}  // namespace

TBarcodePattern EncodeCodabar(std::string_view code) {
  RequireNotEmpty(code);
  AnsiString text(code);
  for (char& c : text) c = Upper(c);
  RequireChars(text, [](char c) { return kValues.Contains(c); });
  if (text.size() < 3 || !IsStartStop(text.front()) || !IsStartStop(text.back())) {
    throw EStBarCodeError("Codabar code must start and end with A, B, C or D and hold data between them");
  }
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    if (IsStartStop(text[i])) throw EStBarCodeError("Codabar code holds A, B, C or D inside the data");
  }
  TBarcodePattern p = NewTwoWidthPattern();
  // Seven elements per character and a gap between characters.
  ReserveElements(p, 8 * text.size() - 1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i > 0) AppendGap(p);
    AppendNarrowWide(p, kMasks[kValues[text[i]]]);
  }
  p.HumanText = text;
  SetTextUnderAll(p, text);
  return p;
}
