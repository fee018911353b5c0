// Laying a bar pattern out on a device: whole-pixel bar rectangles that the
// barcode components paint with GDI, and where the human-readable text goes.
//
// Module width. The components' BarWidth is the narrow module width in mils
// (thousandths of an inch). On a device of `dpi` dots per inch a module is
//   ModulePixels(BarWidth, dpi) = max(1, round(BarWidth / 1000 * dpi))
// whole device pixels: a 12-mil module is 1 pixel on a 96-dpi screen and 7
// pixels on a 600-dpi printer. Every bar and space is a whole number of
// module pixels, so all narrow elements come out equal, which readers need
// more than an exact physical size. A metafile canvas uses the resolution of
// the reference device it records for.
//
// Wide elements of the two-width symbologies are round(ratio x module) pixels;
// the components pass their BarToSpaceRatio as the ratio. It is clamped to
// 2..3: below 2 (the designer's prototypes carry 1) wide and narrow elements
// are too alike to read, above 3 no reader expects them.
#pragma once
#include <vector>

#include "support/barcode/barcodepattern.h"

struct TBarRect {
  int Left, Top, Right, Bottom;  // Right and Bottom exclusive
  bool operator==(const TBarRect&) const = default;
};

struct TBarTextSpan {
  AnsiString Text;
  int Left, Right;  // the horizontal span the text is centred in
};

struct TBarLayoutOptions {
  int ModulePixels = 1;
  double WideToNarrow = 2.0;
  int BarHeight = 50;       // Full bars span [0, BarHeight)
  int GuardExtension = 0;   // Guard bars reach BarHeight + GuardExtension
  bool QuietZones = true;   // leave the quiet zones left and right of the bars
};

struct TBarLayout {
  std::vector<TBarRect> Bars;
  std::vector<TBarTextSpan> Texts;
  int BarsLeft = 0;   // x of the first bar
  int BarsRight = 0;  // x just after the last bar
  int Width = 0;      // bars and quiet zones
  int Height = 0;     // the deepest bar's bottom
};

int ModulePixels(double barWidthMils, int dpi);
// Pixel width of a wide element for a module width and ratio (ratio clamped to 2..3).
int WidePixels(int modulePixels, double wideToNarrow);
TBarLayout LayoutBars(const TBarcodePattern& pattern, const TBarLayoutOptions& options);
