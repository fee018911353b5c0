#include "support/barcode/barcodepattern.h"

#include <cstdio>

void AppendWidths(TBarcodePattern& pattern, std::string_view widths, bool startWithBar,
                  TBarHeight height) {
  bool bar = startWithBar;
  for (char w : widths) {
    pattern.Elements.push_back({bar, static_cast<std::uint8_t>(w - '0'), height});
    bar = !bar;
  }
}

void ReserveElements(TBarcodePattern& pattern, std::size_t count) {
  pattern.Elements.reserve(pattern.Elements.size() + count);
}

void AppendGap(TBarcodePattern& pattern) {
  pattern.Elements.push_back({false, 1, TBarHeight::Full});
}

void SetTextUnderAll(TBarcodePattern& pattern, AnsiString text) {
  pattern.TextGroups.assign(1, TTextGroup{std::move(text), TTextPlace::Under, 0, pattern.Elements.size()});
}

int PatternModules(const TBarcodePattern& pattern, int wideModules) {
  int total = 0;
  for (const TBarElement& e : pattern.Elements) {
    total += (pattern.WidthModel == TWidthModel::NarrowWide && e.Width == 2) ? wideModules : e.Width;
  }
  return total;
}

std::string ModuleString(const TBarcodePattern& pattern, int wideModules) {
  std::string modules;
  modules.reserve(static_cast<std::size_t>(PatternModules(pattern, wideModules)));
  for (const TBarElement& e : pattern.Elements) {
    int width = (pattern.WidthModel == TWidthModel::NarrowWide && e.Width == 2) ? wideModules : e.Width;
    modules.append(static_cast<std::size_t>(width), e.IsBar ? '1' : '0');
  }
  return modules;
}

bool IsDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

void RaiseInvalidChar(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  char text[48];
  if (byte >= 0x20 && byte != 0x7F) {
    std::snprintf(text, sizeof text, "Invalid character \"%c\" in code", c);
  } else {
    std::snprintf(text, sizeof text, "Invalid character #%u in code", byte);
  }
  throw EStBarCodeError(text);
}

void RequireNotEmpty(std::string_view code) {
  if (code.empty()) throw EStBarCodeError("Code is empty");
}
