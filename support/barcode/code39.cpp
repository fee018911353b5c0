#include "support/barcode/code39.h"

#include "support/barcode/twowidth.h"

namespace {

// The characters in the order of their values.
constexpr std::string_view kChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
// Narrow/wide mask of each character's nine elements, in the order of kChars.
constexpr std::string_view kMasks[] = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000", "000100101",
    "100100100", "001100100", "100001001", "001001001", "101001000", "000011001", "100011000", "001011000",
    "000001101", "100001100", "001001100", "000011100", "100000011", "001000011", "101000010", "000010011",
    "100010010", "001010010", "000000111", "100000110", "001000110", "000010110", "110000001", "011000001",
    "111000000", "010010001", "110010000", "011010000", "010000101", "110000100", "011000100", "010101000",
    "010100010", "010001010", "000101010"};
constexpr std::string_view kStartStop = "010010100";
constexpr TCharValues kValues(kChars);

}  // namespace

char Code39CheckChar(std::string_view text) {
  std::size_t sum = 0;
  for (char c : text) sum += static_cast<std::size_t>(kValues[c]);
  return kChars[sum % 43];
}

TBarcodePattern EncodeCode39(std::string_view code, bool addCheckChar) {
  RequireNotEmpty(code);
  RequireChars(code, [](char c) { return kValues.Contains(c); });
  AnsiString text(code);
  AnsiString check;
  if (addCheckChar) check = AnsiString(1, Code39CheckChar(text));
  text += check;
  TBarcodePattern p = NewTwoWidthPattern();
  // Start, a gap and nine elements per character, a gap and the stop.
  ReserveElements(p, 10 * (text.size() + 2) - 1);
  AppendNarrowWide(p, kStartStop);
  for (char c : text) {
    AppendGap(p);
    AppendNarrowWide(p, kMasks[kValues[c]]);
  }
  AppendGap(p);
  AppendNarrowWide(p, kStartStop);
  p.HumanText = text;
  p.CheckChars = check;
  SetTextUnderAll(p, text);
  return p;
}
