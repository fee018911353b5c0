#include "support/barcode/code11.h"

#include "support/barcode/twowidth.h"

namespace {

constexpr std::string_view kChars = "0123456789-";
// Narrow/wide mask of each character's five elements, in the order of kChars.
constexpr std::string_view kMasks[] = {"00001", "10001", "01001", "11000", "00101", "10100",
                                       "01100", "00011", "10010", "10000", "00100"};
constexpr std::string_view kStartStop = "00110";

constexpr TCharValues kValues(kChars);
int ValueOf(char c) { return kValues[c]; }

}  // namespace

char Code11Check(std::string_view text, int maxWeight) {
  int sum = 0;
  int weight = 1;
  for (auto it = text.rbegin(); it != text.rend(); ++it) {
    sum += ValueOf(*it) * weight;
    weight = weight == maxWeight ? 1 : weight + 1;
  }
  return kChars[static_cast<std::size_t>(sum % 11)];
}

TBarcodePattern EncodeCode11(std::string_view code, bool addCheckChars) {
  RequireNotEmpty(code);
  RequireChars(code, [](char c) { return kValues.Contains(c); });
  AnsiString text;
  text.reserve(code.size() + 2);
  text.append(code);
  if (addCheckChars) {
    text += Code11Check(text, 10);
    text += Code11Check(text, 9);
  }
  const std::size_t checks = text.size() - code.size();
  TBarcodePattern p = NewTwoWidthPattern();
  // Start, a gap and five elements per character, a gap and the stop.
  ReserveElements(p, 6 * (text.size() + 2) - 1);
  AppendNarrowWide(p, kStartStop);
  for (char c : text) {
    AppendGap(p);
    AppendNarrowWide(p, kMasks[ValueOf(c)]);
  }
  AppendGap(p);
  AppendNarrowWide(p, kStartStop);
  p.HumanText = text;
  p.CheckChars = text.substr(text.size() - checks);
  SetTextUnderAll(p, text);
  return p;
}
