// PaintBarcode through GDI: the pixels it leaves are exactly the bar layout,
// at screen and printer resolution, in bitmaps and through metafiles.
#include <gtest/gtest.h>

#include "classlib/graphics/metafile.h"
#include "support/barcode/barcodeencoder.h"
#include "tests/support/barcode_components/rendertesting.h"

namespace {

struct SymbolCase {
  TBarcodeType Type;
  const char* Code;
  bool AddCheck;
};

const SymbolCase kSymbols[] = {
    {bcUPC_A, "03600029145", false},     {bcUPC_E, "0123456", false},
    {bcEAN_8, "9638507", false},         {bcEAN_13, "123456789012", true},
    {bcInterleaved2of5, "123456789", true}, {bcCodabar, "A40156B", false},
    {bcCode11, "123-45", true},          {bcCode39, "CODE39", true},
    {bcCode93, "TEST93", false},         {bcCode128, "Hello123456", false},
};

const int kResolutions[] = {96, 600};

TBarcodeLook LookOf(const SymbolCase& c) {
  TBarcodeLook look;
  look.BarCodeType = c.Type;
  look.Code = c.Code;
  look.AddCheckChar = c.AddCheck;
  look.BarWidth = 12;
  look.BarToSpaceRatio = 2.5;
  look.ShowCode = false;
  return look;
}

std::string Describe(const SymbolCase& c, int dpi) {
  return std::string(BarcodeTypeName(c.Type)) + " " + c.Code + " at " + std::to_string(dpi) + " dpi";
}

// Paints look into a bitmap of the rectangle's size plus its margin.
TInkMask PaintToBitmap(const TBarcodeLook& look, const RECT& rect, int dpi, TBitmap& bitmap) {
  MakeWhiteBitmap(bitmap, rect.right + rect.left, rect.bottom + rect.top, kGround);
  TFont font;
  PaintBarcode(bitmap.Canvas(), rect, dpi, look, font);
  return ReadInk(bitmap);
}

TEST(BarcodePainter, BitmapPixelsAreTheBarLayoutAtScreenAndPrinterResolution) {
  for (int dpi : kResolutions) {
    for (const SymbolCase& c : kSymbols) {
      SCOPED_TRACE(Describe(c, dpi));
      TBarcodeLook look = LookOf(c);
      RECT rect = RoomyRect(look, dpi, dpi / 2, 0, 5);
      TBitmap bitmap;
      TInkMask ink = PaintToBitmap(look, rect, dpi, bitmap);
      TBarcodePlacement place = PlacementWithoutText(look, rect, dpi);
      // The room is exactly the symbol: BarWidth's own module, no shrinking.
      EXPECT_EQ(place.ModulePixels, ModulePixels(12, dpi));
      EXPECT_EQ(place.Left, rect.left);
      EXPECT_EQ(FirstDifference(ink, BarsMask(place, ink.Width, ink.Height, rect)), "");
    }
  }
}

TEST(BarcodePainter, RectangleIsFilledWithTheColourAndNothingOutsideIsTouched) {
  TBarcodeLook look = LookOf(kSymbols[3]);
  look.Color = clYellow;
  RECT rect = RoomyRect(look, 96, 40, 0, 7);
  TBitmap bitmap;
  PaintToBitmap(look, rect, 96, bitmap);
  // Left of the rectangle: the ground; the quiet zone: yellow.
  EXPECT_EQ(bitmap.Canvas().GetPixel(rect.left - 1, rect.top + 1), kGround);
  EXPECT_EQ(bitmap.Canvas().GetPixel(rect.left, rect.top), clYellow);
  EXPECT_EQ(bitmap.Canvas().GetPixel(rect.right, rect.bottom), kGround);
  EXPECT_EQ(bitmap.Canvas().GetPixel(rect.right - 1, rect.bottom - 1), clYellow);
}

struct NarrowCase {
  int Dpi;
  int RoomWidth;  // pixels for the symbol with its quiet zones
  int Module;     // the module that fits
};

// EAN-13 is 113 modules with its quiet zones; 12 mils ask for 7 pixels at 600 dpi.
const NarrowCase kNarrowCases[] = {
    {600, 113 * 7, 7}, {600, 113 * 7 - 1, 6}, {600, 113 * 3 + 50, 3}, {600, 113 * 2, 2},
    {96, 113, 1},      {96, 60, 1},
};

TEST(BarcodePainter, ModuleShrinksToFitAndBarsStayWholePixels) {
  for (const NarrowCase& n : kNarrowCases) {
    SCOPED_TRACE("width " + std::to_string(n.RoomWidth) + " at " + std::to_string(n.Dpi));
    TBarcodeLook look = LookOf(kSymbols[3]);
    RECT rect{3, 3, 3 + n.RoomWidth, 3 + 80};
    TBitmap bitmap;
    TInkMask ink = PaintToBitmap(look, rect, n.Dpi, bitmap);
    TBarcodePlacement place = PlacementWithoutText(look, rect, n.Dpi);
    EXPECT_EQ(place.ModulePixels, n.Module);
    // Centred; when even one pixel is too wide, the bars are clipped to the room.
    EXPECT_EQ(place.Left, rect.left + (n.RoomWidth - place.Layout.Width) / 2);
    EXPECT_EQ(FirstDifference(ink, BarsMask(place, ink.Width, ink.Height, rect)), "")
        << "bars outside the room or not whole modules";
    for (int y = 0; y < ink.Height; ++y) {
      EXPECT_FALSE(ink.At(rect.left - 1, y) || ink.At(rect.right, y));
    }
  }
}

// With rounded wide elements the width is not quite proportional to the
// module; the module chosen is still the widest that fits.
TEST(BarcodePainter, ShrunkModuleIsTheWidestThatFits) {
  for (const SymbolCase& c : {kSymbols[4], kSymbols[7]}) {  // Interleaved 2 of 5, Code 39
    TBarcodeLook look = LookOf(c);
    look.BarWidth = 20;
    look.BarToSpaceRatio = 2.7;
    TBarcodePattern pattern = EncodeBarcode(look.BarCodeType, look.Code, look.AddCheckChar);
    int requested = ModulePixels(look.BarWidth, 600);
    for (int room = 100; room < 3000; room += 37) {
      SCOPED_TRACE(std::string(BarcodeTypeName(c.Type)) + " in " + std::to_string(room) + " pixels");
      TBarcodePlacement place = PlacementWithoutText(look, RECT{0, 0, room, 50}, 600);
      ASSERT_LE(place.ModulePixels, requested);
      if (place.ModulePixels > 1) {
        EXPECT_LE(place.Layout.Width, room);
      }
      if (place.ModulePixels < requested) {
        TBarLayoutOptions wider;
        wider.ModulePixels = place.ModulePixels + 1;
        wider.WideToNarrow = look.BarToSpaceRatio;
        EXPECT_GT(LayoutBars(pattern, wider).Width, room);
      }
    }
  }
}

TEST(BarcodePainter, TallGuardBarsReachGuardHeightFurtherDown) {
  TBarcodeLook look = LookOf(kSymbols[3]);  // EAN-13
  look.GuardHeight = 10;
  RECT rect{0, 0, 113, 60};
  for (bool tall : {false, true}) {
    SCOPED_TRACE(tall ? "tall guard bars" : "plain guard bars");
    look.TallGuardBars = tall;
    TBitmap bitmap;
    TInkMask ink = PaintToBitmap(look, rect, 96, bitmap);
    // Without the code shown, the bars leave the guard extension below them.
    int guardX = 11;         // the first bar of the start guard, after the quiet zone
    int dataX = guardX + 3;  // the seven modules of the second digit
    int barBottom = tall ? 50 : 60;
    EXPECT_TRUE(ink.At(guardX, 59));
    EXPECT_EQ(ink.At(guardX + 1, 5), false);
    int lastDataRow = -1;
    for (int y = 0; y < ink.Height; ++y) {
      bool dark = false;
      for (int x = dataX; x < dataX + 7; ++x) dark = dark || ink.At(x, y);
      if (dark) lastDataRow = y;
    }
    EXPECT_EQ(lastDataRow, barBottom - 1);
  }
}

TEST(BarcodePainter, ShownCodeIsWrittenUnderTheBarsBetweenTheGuards) {
  TBarcodeLook look = LookOf(kSymbols[3]);  // EAN-13: 1 | 234567 | 890128
  look.ShowCode = true;
  look.TallGuardBars = true;
  look.GuardHeight = 6;
  TFont font;
  font.SetName("Arial");
  font.SetSize(8);
  RECT rect{0, 0, 113 * 2, 80};
  look.BarWidth = 21;  // two pixels at 96 dpi: room for the digits
  TBitmap bitmap;
  MakeWhiteBitmap(bitmap, rect.right, rect.bottom);
  PaintBarcode(bitmap.Canvas(), rect, 96, look, font);
  TInkMask ink = ReadInk(bitmap);

  TBitmap measure;
  MakeWhiteBitmap(measure, 10, 10);
  measure.Canvas().Font().Assign(&font);
  int textHeight = measure.Canvas().TextHeight("0");
  TBarcodePattern pattern = EncodeBarcode(look.BarCodeType, look.Code, true);
  TBarcodePlacement place = PlaceBarcode(pattern, look, rect, 96, 96, textHeight);
  EXPECT_EQ(place.TextTop, 80 - textHeight);
  ASSERT_EQ(place.Layout.Texts.size(), 3u);
  // Each text span has ink in the text line apart from the guard bars.
  TInkMask bars = BarsMask(place, ink.Width, ink.Height, rect);
  for (const TBarTextSpan& span : place.Layout.Texts) {
    SCOPED_TRACE(span.Text);
    int textInk = 0;
    for (int y = place.TextTop; y < rect.bottom; ++y) {
      for (int x = span.Left + place.Left; x < span.Right + place.Left; ++x) {
        if (ink.At(x, y) && !bars.At(x, y)) ++textInk;
      }
    }
    EXPECT_GT(textInk, 5);
  }
  // Above the text line, only bars.
  for (int y = 0; y < place.TextTop; ++y) {
    for (int x = 0; x < ink.Width; ++x) ASSERT_EQ(ink.At(x, y), bars.At(x, y)) << x << "," << y;
  }
  // Without ShowCode, the text line holds no ink but the guard bars.
  look.ShowCode = false;
  MakeWhiteBitmap(bitmap, rect.right, rect.bottom);
  PaintBarcode(bitmap.Canvas(), rect, 96, look, font);
  TBarcodePlacement plain = PlaceBarcode(pattern, look, rect, 96, 96, 0);
  EXPECT_EQ(FirstDifference(ReadInk(bitmap), BarsMask(plain, ink.Width, ink.Height, rect)), "");
}

struct RejectedCase {
  TBarcodeType Type;
  const char* Code;
  bool AddCheck;
};

const RejectedCase kRejected[] = {
    {bcEAN_13, "12345678901A", false},  // a letter
    {bcEAN_13, "1234567890123", false}, // wrong check digit
    {bcUPC_A, "", false},               // nothing to encode
    {bcInterleaved2of5, "123", false},  // odd digit count without check
    {bcCode39, "lower", false},         // outside the character set
    {bcCodabar, "40156", false},        // no start and stop characters
};

TEST(BarcodePainter, RejectedCodeRaisesAndPaintsNothing) {
  for (const RejectedCase& r : kRejected) {
    SCOPED_TRACE(std::string(BarcodeTypeName(r.Type)) + " \"" + r.Code + "\"");
    TBarcodeLook look;
    look.BarCodeType = r.Type;
    look.Code = r.Code;
    look.AddCheckChar = r.AddCheck;
    look.ShowCode = true;
    TBitmap bitmap;
    MakeWhiteBitmap(bitmap, 120, 60, kGround);
    TFont font;
    EXPECT_THROW(PaintBarcode(bitmap.Canvas(), RECT{0, 0, 120, 60}, 96, look, font), EStBarCodeError);
    EXPECT_TRUE(AllPixelsAre(bitmap, kGround));
  }
}

TEST(BarcodePainter, MetafilePlaysBackTheSameBars) {
  for (const SymbolCase& c : kSymbols) {
    SCOPED_TRACE(Describe(c, 96));
    TBarcodeLook look = LookOf(c);
    RECT rect = RoomyRect(look, 96, 48, 0, 0);
    int width = rect.right, height = rect.bottom;

    TBitmap direct;
    TInkMask expected = PaintToBitmap(look, rect, 96, direct);

    TMetafile metafile;
    metafile.SetWidth(width);
    metafile.SetHeight(height);
    {
      TMetafileCanvas canvas(&metafile, nullptr);
      TFont font;
      PaintBarcode(canvas, rect, 96, look, font);
    }
    ASSERT_FALSE(metafile.Empty());
    TBitmap played;
    MakeWhiteBitmap(played, width, height, kGround);
    played.Canvas().StretchDraw(RECT{0, 0, width, height}, metafile);
    EXPECT_EQ(FirstDifference(ReadInk(played), expected), "");
  }
}

}  // namespace
