#include "support/barcode/postnet.h"

#include <array>

namespace {
// Tall ('1') and short bars of each digit (weights 7, 4, 2, 1, 0).
constexpr std::array<std::string_view, 10> kDigits = {
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100"};

// A space before every bar but the first.
void AppendBar(TBarcodePattern& p, bool tall) {
  if (!p.Elements.empty()) p.Elements.push_back({false, 1, TBarHeight::Full});
  p.Elements.push_back({true, 1, tall ? TBarHeight::Full : TBarHeight::Short});
}
}  // namespace

TBarcodePattern EncodePostNet(std::string_view code) {
  RequireNotEmpty(code);
  RequireChars(code, [](char c) { return c >= '0' && c <= '9'; });
  if (code.size() != 5 && code.size() != 9 && code.size() != 11) {
    throw EStBarCodeError("PostNet code must be 5, 9 or 11 digits");
  }
  int sum = 0;
  for (char c : code) sum += c - '0';
  char check = static_cast<char>('0' + (10 - sum % 10) % 10);
  AnsiString digits = AnsiString(code) + check;
  TBarcodePattern p;
  // Two frame bars and five bars per digit, a space between bars.
  ReserveElements(p, 2 * (2 + 5 * digits.size()) - 1);
  AppendBar(p, true);
  for (char d : digits) {
    for (char tall : kDigits[static_cast<std::size_t>(d - '0')]) AppendBar(p, tall == '1');
  }
  AppendBar(p, true);
  p.HumanText = digits;
  p.CheckChars = AnsiString(1, check);
  SetTextUnderAll(p, digits);
  return p;
}
