#include "support/barcode/upcean.h"

#include <array>

namespace {

// Widths of the digits' L (odd parity) codes, space first. The G (even) code is
// the same widths reversed; the R code is the L widths starting with a bar.
constexpr std::array<std::string_view, 10> kLCodes = {
    "3211", "2221", "2122", "1411", "1132", "1231", "1114", "1312", "1213", "3112"};
// EAN-13: parity of the left six digits by the leading digit ('G' = even).
constexpr std::array<std::string_view, 10> kEan13Parity = {
    "LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG", "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};
// UPC-E with number system 0: parity of the six digits by the check digit.
// Number system 1 uses the opposite parities.
constexpr std::array<std::string_view, 10> kUpcEParity = {
    "GGGLLL", "GGLGLL", "GGLLGL", "GGLLLG", "GLGGLL", "GLLGGL", "GLLLGG", "GLGLGL", "GLGLLG", "GLLGLG"};

constexpr std::string_view kEndGuard = "111";
constexpr std::string_view kCentreGuard = "11111";
constexpr std::string_view kUpcEEndGuard = "111111";

void AppendDigit(TBarcodePattern& p, char digit, char parity, bool rightHalf) {
  std::string_view widths = kLCodes[static_cast<std::size_t>(digit - '0')];
  if (parity == 'G') {
    char reversed[4] = {widths[3], widths[2], widths[1], widths[0]};
    AppendWidths(p, std::string_view(reversed, 4), false);
  } else {
    AppendWidths(p, widths, rightHalf);
  }
}

[[noreturn]] void RaiseLength(const char* symbology, int without, int with) {
  throw EStBarCodeError(AnsiString(symbology) + " code must be " + std::to_string(without) + " or " +
                        std::to_string(with) + " digits");
}

// Digits with the check digit: computed for `dataDigits` digits, verified for one more.
AnsiString WithCheckDigit(std::string_view code, std::string_view checkedPart, std::size_t dataDigits,
                          const char* symbology) {
  RequireNotEmpty(code);
  RequireChars(code, [](char c) { return c >= '0' && c <= '9'; });
  if (code.size() != dataDigits && code.size() != dataDigits + 1) {
    RaiseLength(symbology, static_cast<int>(dataDigits), static_cast<int>(dataDigits + 1));
  }
  char check = UpcEanCheckDigit(checkedPart);
  if (code.size() == dataDigits + 1 && code.back() != check) {
    throw EStBarCodeError(AnsiString("Invalid check digit in code (expected ") + check + ")");
  }
  return AnsiString(code.substr(0, dataDigits)) + check;
}

// The common frame of EAN-13, EAN-8 and UPC-A: guard, left digits, centre,
// right digits, guard. leftParity gives each left digit's parity.
TBarcodePattern EncodeTwoHalves(std::string_view left, std::string_view leftParity, std::string_view right) {
  TBarcodePattern p;
  ReserveElements(p, 2 * kEndGuard.size() + kCentreGuard.size() + 4 * (left.size() + right.size()));
  AppendWidths(p, kEndGuard, true, TBarHeight::Guard);
  for (std::size_t i = 0; i < left.size(); ++i) AppendDigit(p, left[i], leftParity[i], false);
  AppendWidths(p, kCentreGuard, false, TBarHeight::Guard);
  for (char d : right) AppendDigit(p, d, 'L', true);
  AppendWidths(p, kEndGuard, true, TBarHeight::Guard);
  return p;
}

void MarkGuard(TBarcodePattern& p, std::size_t first, std::size_t end) {
  for (std::size_t i = first; i < end; ++i) p.Elements[i].Height = TBarHeight::Guard;
}

// Element index of the first element of left digit i (after the 3-element guard)
// and of right digit j (after the 5-element centre).
constexpr std::size_t LeftDigitElement(std::size_t i) { return 3 + 4 * i; }
constexpr std::size_t RightDigitElement(std::size_t leftDigits, std::size_t j) {
  return 3 + 4 * leftDigits + 5 + 4 * j;
}

}  // namespace

char UpcEanCheckDigit(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    sum += (*it - '0') * weight;
    weight = 4 - weight;
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

AnsiString ExpandUPCE(std::string_view ns) {
  // ns = number system + d1..d6
  std::string_view d = ns.substr(1);
  AnsiString a(1, ns[0]);
  switch (d[5]) {
    case '0': case '1': case '2':
      a += AnsiString(d.substr(0, 2)) + d[5] + "0000" + AnsiString(d.substr(2, 3));
      break;
    case '3':
      a += AnsiString(d.substr(0, 3)) + "00000" + AnsiString(d.substr(3, 2));
      break;
    case '4':
      a += AnsiString(d.substr(0, 4)) + "00000" + d[4];
      break;
    default:
      a += AnsiString(d.substr(0, 5)) + "0000" + d[5];
      break;
  }
  return a;
}

TBarcodePattern EncodeEAN13(std::string_view code) {
  AnsiString full = WithCheckDigit(code, code.substr(0, 12), 12, "EAN-13");
  std::string_view digits = full;
  TBarcodePattern p = EncodeTwoHalves(digits.substr(1, 6), kEan13Parity[static_cast<std::size_t>(digits[0] - '0')],
                                      digits.substr(7, 6));
  p.LeftQuietZone = 11;
  p.RightQuietZone = 7;
  p.HumanText = full;
  p.CheckChars = full.substr(12);
  p.TextGroups = {{full.substr(0, 1), TTextPlace::BeforeBars, 0, 0},
                  {full.substr(1, 6), TTextPlace::Under, LeftDigitElement(0), LeftDigitElement(6)},
                  {full.substr(7, 6), TTextPlace::Under, RightDigitElement(6, 0), RightDigitElement(6, 6)}};
  return p;
}

TBarcodePattern EncodeEAN8(std::string_view code) {
  AnsiString full = WithCheckDigit(code, code.substr(0, 7), 7, "EAN-8");
  std::string_view digits = full;
  TBarcodePattern p = EncodeTwoHalves(digits.substr(0, 4), "LLLL", digits.substr(4, 4));
  p.LeftQuietZone = 7;
  p.RightQuietZone = 7;
  p.HumanText = full;
  p.CheckChars = full.substr(7);
  p.TextGroups = {{full.substr(0, 4), TTextPlace::Under, LeftDigitElement(0), LeftDigitElement(4)},
                  {full.substr(4, 4), TTextPlace::Under, RightDigitElement(4, 0), RightDigitElement(4, 4)}};
  return p;
}

TBarcodePattern EncodeUPCA(std::string_view code) {
  AnsiString full = WithCheckDigit(code, code.substr(0, 11), 11, "UPC-A");
  std::string_view digits = full;
  TBarcodePattern p = EncodeTwoHalves(digits.substr(0, 6), "LLLLLL", digits.substr(6, 6));
  // The number system and check digits print outside; their bars are as long as the guards.
  MarkGuard(p, LeftDigitElement(0), LeftDigitElement(1));
  MarkGuard(p, RightDigitElement(6, 5), RightDigitElement(6, 6));
  p.LeftQuietZone = 9;
  p.RightQuietZone = 9;
  p.HumanText = full;
  p.CheckChars = full.substr(11);
  p.TextGroups = {{full.substr(0, 1), TTextPlace::BeforeBars, 0, 0},
                  {full.substr(1, 5), TTextPlace::Under, LeftDigitElement(1), LeftDigitElement(6)},
                  {full.substr(6, 5), TTextPlace::Under, RightDigitElement(6, 0), RightDigitElement(6, 5)},
                  {full.substr(11, 1), TTextPlace::AfterBars, 0, 0}};
  return p;
}

TBarcodePattern EncodeUPCE(std::string_view code) {
  RequireNotEmpty(code);
  RequireChars(code, [](char c) { return c >= '0' && c <= '9'; });
  if (code.size() < 6 || code.size() > 8) throw EStBarCodeError("UPC-E code must be 6, 7 or 8 digits");
  // Number system and six digits; six digits alone have number system 0.
  AnsiString ns = code.size() == 6 ? AnsiString(1, '0').append(code) : AnsiString(code.substr(0, 7));
  if (ns[0] != '0' && ns[0] != '1') throw EStBarCodeError("UPC-E number system must be 0 or 1");
  char check = UpcEanCheckDigit(ExpandUPCE(ns));
  if (code.size() == 8 && code.back() != check) {
    throw EStBarCodeError(AnsiString("Invalid check digit in code (expected ") + check + ")");
  }
  std::string_view parity = kUpcEParity[static_cast<std::size_t>(check - '0')];
  TBarcodePattern p;
  ReserveElements(p, kEndGuard.size() + 4 * 6 + kUpcEEndGuard.size());
  AppendWidths(p, kEndGuard, true, TBarHeight::Guard);
  for (std::size_t i = 0; i < 6; ++i) {
    char digitParity = parity[i];
    if (ns[0] == '1') digitParity = digitParity == 'G' ? 'L' : 'G';
    AppendDigit(p, ns[i + 1], digitParity, false);
  }
  AppendWidths(p, kUpcEEndGuard, false, TBarHeight::Guard);
  p.LeftQuietZone = 9;
  p.RightQuietZone = 7;
  p.HumanText = ns + check;
  p.CheckChars = AnsiString(1, check);
  p.TextGroups = {{ns.substr(0, 1), TTextPlace::BeforeBars, 0, 0},
                  {ns.substr(1, 6), TTextPlace::Under, LeftDigitElement(0), LeftDigitElement(6)},
                  {AnsiString(1, check), TTextPlace::AfterBars, 0, 0}};
  return p;
}
