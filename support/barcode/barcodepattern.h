// The bar pattern every barcode encoder produces, and the pieces they share.
//
// A pattern is a sequence of bars and spaces from the first bar to the last,
// with the quiet zones beside it given as counts. Two width models exist:
//   - Modules: each element is 1 to 4 modules wide (EAN/UPC, Code 93,
//     Code 128, PostNet);
//   - NarrowWide: each element is narrow (1) or wide (2); the renderer gives a
//     wide element its wide-to-narrow ratio (Code 39, Interleaved 2 of 5,
//     Codabar, Code 11).
// Quiet zones count narrow modules.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "classlib/system/ansistring.h"
#include "classlib/system/exceptions.h"

// A code the symbology rejects. Its message says what is wrong in plain words.
DOZURI_EXCEPTION(EStBarCodeError, Exception);

// The symbologies of the barcode components, in the order of their ordinals.
enum TBarcodeType {
  bcUPC_A,
  bcUPC_E,
  bcEAN_8,
  bcEAN_13,
  bcInterleaved2of5,
  bcCodabar,
  bcCode11,
  bcCode39,
  bcCode93,
  bcCode128,
};

// How tall a bar is drawn.
enum class TBarHeight : std::uint8_t {
  Full,   // the symbol's bar height
  Guard,  // EAN/UPC guard bars: extended below the human-readable text line
  Short,  // PostNet half-height bar
};

struct TBarElement {
  bool IsBar;
  std::uint8_t Width;  // modules (Modules), or 1 narrow / 2 wide (NarrowWide)
  TBarHeight Height;   // meaningful for bars only
  bool operator==(const TBarElement&) const = default;
};

enum class TWidthModel : std::uint8_t { Modules, NarrowWide };

// Where a piece of human-readable text goes: under a run of elements, or in
// the quiet zone before or after the bars (EAN-13's leading digit, the outer
// digits of UPC-A and UPC-E).
enum class TTextPlace : std::uint8_t { BeforeBars, Under, AfterBars };

struct TTextGroup {
  AnsiString Text;
  TTextPlace Place;
  std::size_t FirstElement;  // Under: the elements [FirstElement, EndElement)
  std::size_t EndElement;
};

struct TBarcodePattern {
  TWidthModel WidthModel = TWidthModel::Modules;
  std::vector<TBarElement> Elements;  // starts and ends with a bar
  int LeftQuietZone = 0;              // narrow modules
  int RightQuietZone = 0;
  // The text printed with the symbol: the code with the check characters the
  // symbology shows (EAN/UPC check digit, added Code 39, Code 11 and 2 of 5
  // checks). Code 93 and Code 128 checks are never shown.
  AnsiString HumanText;
  AnsiString CheckChars;  // the shown check characters, the end of HumanText
  std::vector<TTextGroup> TextGroups;
};

// Appends elements from a width string such as "3211": digits are element
// widths, alternating bar, space, bar ... starting with a bar when startWithBar.
void AppendWidths(TBarcodePattern& pattern, std::string_view widths, bool startWithBar,
                  TBarHeight height = TBarHeight::Full);
// Makes room for count more elements at once: every encoder knows its element
// count before it starts, so a pattern is allocated once.
void ReserveElements(TBarcodePattern& pattern, std::size_t count);
// Appends a single narrow space between characters (discrete symbologies).
void AppendGap(TBarcodePattern& pattern);
// One text group under all elements.
void SetTextUnderAll(TBarcodePattern& pattern, AnsiString text);

// Total width of the elements in modules, a wide element counting wideModules.
int PatternModules(const TBarcodePattern& pattern, int wideModules);
// The elements as a string of '1' (bar) and '0' (space) modules, a wide element
// being wideModules long. For comparisons with other encoders.
std::string ModuleString(const TBarcodePattern& pattern, int wideModules);

// Character checks shared by the encoders.
bool IsDigits(std::string_view text);
// Raises EStBarCodeError("Invalid character \"c\" in code") for the first
// character of text that allowed rejects.
template <typename Allowed>
void RequireChars(std::string_view text, Allowed allowed);
[[noreturn]] void RaiseInvalidChar(char c);

// The value of each byte in a symbology's character set (its index in
// chars), or -1 for a byte outside it: one table look-up per character
// instead of a search through the set.
class TCharValues {
public:
  explicit constexpr TCharValues(std::string_view chars) {
    for (int& v : values_) v = -1;
    for (std::size_t i = 0; i < chars.size(); ++i) values_[static_cast<unsigned char>(chars[i])] = static_cast<int>(i);
  }
  constexpr int operator[](char c) const { return values_[static_cast<unsigned char>(c)]; }
  constexpr bool Contains(char c) const { return (*this)[c] >= 0; }

private:
  int values_[256] = {};
};
void RequireNotEmpty(std::string_view code);

template <typename Allowed>
void RequireChars(std::string_view text, Allowed allowed) {
  for (char c : text) {
    if (!allowed(c)) RaiseInvalidChar(c);
  }
}
