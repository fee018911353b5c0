#include "support/barcode/interleaved2of5.h"

#include <array>

#include "support/barcode/twowidth.h"
#include "support/barcode/upcean.h"

namespace {
// Narrow/wide mask of each digit's five elements.
constexpr std::array<std::string_view, 10> kDigits = {
    "00110", "10001", "01001", "11000", "00101", "10100", "01100", "00011", "10010", "01010"};
}  // namespace

char Interleaved2of5CheckDigit(std::string_view digits) {
  // The same weighting as the EAN/UPC check digit.
  return UpcEanCheckDigit(digits);
}

TBarcodePattern EncodeInterleaved2of5(std::string_view code, bool addCheckChar) {
  RequireNotEmpty(code);
  RequireChars(code, [](char c) { return c >= '0' && c <= '9'; });
  AnsiString digits(code);
  AnsiString check;
  if (addCheckChar) check = AnsiString(1, Interleaved2of5CheckDigit(code));
  digits += check;
  if (digits.size() % 2 != 0) {
    throw EStBarCodeError(addCheckChar ? "Interleaved 2 of 5 needs an odd number of digits when a check digit is added"
                                       : "Interleaved 2 of 5 needs an even number of digits");
  }
  TBarcodePattern p = NewTwoWidthPattern();
  // Start, five elements per digit, stop.
  ReserveElements(p, 4 + 5 * digits.size() + 3);
  AppendNarrowWide(p, "0000");
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    std::string_view bars = kDigits[static_cast<std::size_t>(digits[i] - '0')];
    std::string_view spaces = kDigits[static_cast<std::size_t>(digits[i + 1] - '0')];
    char mask[10];
    for (std::size_t k = 0; k < 5; ++k) {
      mask[2 * k] = bars[k];
      mask[2 * k + 1] = spaces[k];
    }
    AppendNarrowWide(p, std::string_view(mask, 10));
  }
  AppendNarrowWide(p, "100");
  p.HumanText = digits;
  p.CheckChars = check;
  SetTextUnderAll(p, digits);
  return p;
}
