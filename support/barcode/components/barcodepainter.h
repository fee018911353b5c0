// Painting a barcode symbol into a rectangle of a canvas, at the resolution
// of the device behind the canvas. The barcode components paint themselves
// and the report's barcode images through it.
//
// Geometry, in device pixels of the target:
//   - Module width: ModulePixels(BarWidth, dpi), BarWidth being the narrow
//     module in mils (barcodelayout.h): 12 mils is 1 pixel at 96 dpi and 7 at
//     600 dpi. When the symbol with its quiet zones does not fit the
//     rectangle's width, the module shrinks one whole pixel at a time until it
//     fits (never below 1 pixel; a symbol too wide even then is clipped).
//     Bars therefore always cover whole device pixels.
//   - Wide elements of the two-width symbologies are BarToSpaceRatio modules,
//     the ratio taken into 2..3 (WidePixels).
//   - The symbol is centred horizontally in the rectangle; its bars start at
//     the rectangle's top.
//   - With ShowCode the text line (the font at the device's resolution)
//     takes the bottom of the rectangle and the bars the rest. GuardHeight is
//     in pixels of the screen's resolution: with TallGuardBars the EAN/UPC
//     guard bars reach that much further down, into the text line when the
//     code is shown (at most to the rectangle's bottom). Without ShowCode the
//     bars leave room for the guard extension under them.
//   - The rectangle is filled with Color; bars are black; the text is drawn
//     in the font's colour.
//
// A code the symbology rejects raises EStBarCodeError before anything is
// painted.
#pragma once
#include <windows.h>

#include "classlib/graphics/canvas.h"
#include "classlib/graphics/font.h"
#include "support/barcode/barcodelayout.h"
#include "support/barcode/barcodepattern.h"

// What painting reads from a barcode component.
struct TBarcodeLook {
  TBarcodeType BarCodeType = bcUPC_A;
  AnsiString Code;
  double BarWidth = 12;         // narrow module width, mils
  double BarToSpaceRatio = 2;   // wide-to-narrow ratio of the two-width symbologies
  bool AddCheckChar = false;
  bool ShowCode = true;
  bool TallGuardBars = false;
  int GuardHeight = 0;          // pixels at the screen's resolution
  TColor Color = clWhite;
};

// A symbol placed in a rectangle: the layout's coordinates are relative to
// (Left, Top), the rectangle's corner plus the centring offset.
struct TBarcodePlacement {
  TBarLayout Layout;
  int Left = 0;
  int Top = 0;
  int ModulePixels = 1;
  int TextTop = 0;  // relative y of the text line
};

// The placement of pattern in a width x height rectangle of a dpi device;
// textHeight is the height of the text line (used only with ShowCode) and
// screenDpi the resolution GuardHeight is given in.
TBarcodePlacement PlaceBarcode(const TBarcodePattern& pattern, const TBarcodeLook& look, const RECT& rect,
                               int dpi, int screenDpi, int textHeight);

// Encodes look's code and paints the symbol into rect. font is the
// component's font, whose size is in points, so it is scaled to dpi.
void PaintBarcode(TCanvas& canvas, const RECT& rect, int dpi, const TBarcodeLook& look, TFont& font);
