#include "support/barcode/code93.h"

#include <vector>

namespace {

// The 43 data characters in the order of their values; values 43 to 46 are
// the shift characters, which only check characters use here.
constexpr std::string_view kChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr TCharValues kValues(kChars);
// Element widths (bar first) of the 47 values.
constexpr std::string_view kWidths[] = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114", "131211", "141111",
    "211113", "211212", "211311", "221112", "221211", "231111", "112113", "112212", "112311", "122112",
    "132111", "111123", "111222", "111321", "121122", "131121", "212112", "212211", "211122", "211221",
    "221121", "222111", "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211"};
constexpr std::string_view kStartStop = "111141";

int CheckValue(const std::vector<int>& values, int maxWeight) {
  int sum = 0;
  int weight = 1;
  for (auto it = values.rbegin(); it != values.rend(); ++it) {
    sum += *it * weight;
    weight = weight == maxWeight ? 1 : weight + 1;
  }
  return sum % 47;
}

}  // namespace

TBarcodePattern EncodeCode93(std::string_view code) {
  RequireNotEmpty(code);
  RequireChars(code, [](char c) { return kValues.Contains(c); });
  std::vector<int> values;
  values.reserve(code.size() + 2);
  for (char c : code) values.push_back(kValues[c]);
  values.push_back(CheckValue(values, 20));
  values.push_back(CheckValue(values, 15));
  TBarcodePattern p;
  p.LeftQuietZone = 10;
  p.RightQuietZone = 10;
  ReserveElements(p, 6 * (values.size() + 2) + 1);
  AppendWidths(p, kStartStop, true);
  for (int v : values) AppendWidths(p, kWidths[v], true);
  AppendWidths(p, kStartStop, true);
  AppendWidths(p, "1", true);  // termination bar
  p.HumanText = AnsiString(code);
  SetTextUnderAll(p, p.HumanText);
  return p;
}
