// Rendering barcodes into bitmaps and reading the pixels back, for the
// component tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/graphics/bitmap.h"
#include "support/barcode/components/barcodepainter.h"

// Which pixels of an image are dark (ink), row by row.
struct TInkMask {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Dark;  // Width x Height, 1 = dark
  bool At(int x, int y) const { return Dark[static_cast<std::size_t>(y) * Width + x] != 0; }
  bool operator==(const TInkMask&) const = default;
};

// A light colour that is neither white nor anything PaintBarcode uses: the
// ground outside the painted rectangle, which must stay as it is.
constexpr TColor kGround = RGBColor(200, 230, 255);

// A white 24-bit bitmap of that size.
void MakeWhiteBitmap(TBitmap& bitmap, int width, int height, TColor fill = clWhite);
// Dark = luminance below half.
TInkMask ReadInk(TBitmap& bitmap);
// True when every pixel of the bitmap has exactly that colour.
bool AllPixelsAre(TBitmap& bitmap, TColor color);
// The bars of a placement as a mask of the given size, clipped to the
// rectangle the symbol was painted in.
TInkMask BarsMask(const TBarcodePlacement& place, int width, int height, const RECT& clip);
// "x,y" of the first pixel where the masks differ, or "" when equal.
std::string FirstDifference(const TInkMask& actual, const TInkMask& expected);
// The placement PaintBarcode uses for look in rect at dpi, without text.
TBarcodePlacement PlacementWithoutText(const TBarcodeLook& look, const RECT& rect, int dpi);
// A rectangle wide enough for the symbol at its own module width, with a
// margin of white around the quiet zones, and bars barHeight high plus a
// text line of textHeight.
RECT RoomyRect(const TBarcodeLook& look, int dpi, int barHeight, int textHeight, int margin);
