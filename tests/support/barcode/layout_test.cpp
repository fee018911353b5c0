// Module widths on devices, and the bar rectangles and text spans of a layout.
#include <gtest/gtest.h>

#include <cmath>

#include "support/barcode/barcodelayout.h"
#include "support/barcode/code39.h"
#include "support/barcode/postnet.h"
#include "support/barcode/upcean.h"

void PrintTo(const TBarRect& r, std::ostream* os) {
  *os << "{" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << "}";
}

namespace {

TEST(BarcodeLayout, ModulePixelsFromMilsAndResolution) {
  struct {
    double Mils;
    int Dpi, Pixels;
  } cases[] = {{12, 96, 1},  {12, 600, 7},  {10, 300, 3},  {7.5, 96, 1},    {13, 1200, 16},
               {0, 600, 1},  {-5, 96, 1},   {21, 96, 2},   {100, 96, 10},   {12.5, 1200, 15}};
  for (const auto& c : cases) EXPECT_EQ(ModulePixels(c.Mils, c.Dpi), c.Pixels) << c.Mils << " mils at " << c.Dpi;
}

TEST(BarcodeLayout, WideElementsKeepARatioOfTwoToThree) {
  struct {
    int Module;
    double Ratio;
    int Wide;
  } cases[] = {{1, 2.5, 3}, {7, 2.5, 18}, {2, 1.0, 4}, {2, 5.0, 6}, {3, NAN, 6}, {4, 2.2, 9}};
  for (const auto& c : cases) EXPECT_EQ(WidePixels(c.Module, c.Ratio), c.Wide) << c.Module << " x " << c.Ratio;
}

TEST(BarcodeLayout, Ean13BarsGuardsAndTexts) {
  TBarLayoutOptions options;
  options.ModulePixels = 3;
  options.BarHeight = 60;
  options.GuardExtension = 9;
  TBarLayout layout = LayoutBars(EncodeEAN13("123456789012"), options);
  EXPECT_EQ(layout.Bars.size(), 30u);
  EXPECT_EQ(layout.BarsLeft, 11 * 3);
  EXPECT_EQ(layout.BarsRight, (11 + 95) * 3);
  EXPECT_EQ(layout.Width, (11 + 95 + 7) * 3);
  EXPECT_EQ(layout.Height, 69);
  EXPECT_EQ(layout.Bars.front(), (TBarRect{33, 0, 36, 69}));   // start guard
  // The first bar of "2" (L code: space 2, bar 1, ...) follows the 3-module guard and a 2-module space.
  EXPECT_EQ(layout.Bars[2], (TBarRect{48, 0, 51, 60}));
  EXPECT_EQ(layout.Bars.back(), (TBarRect{315, 0, 318, 69}));  // end guard
  ASSERT_EQ(layout.Texts.size(), 3u);
  EXPECT_EQ(layout.Texts[0].Text, "1");
  EXPECT_EQ(layout.Texts[0].Left, 0);
  EXPECT_EQ(layout.Texts[0].Right, 33);
  EXPECT_EQ(layout.Texts[1].Left, (11 + 3) * 3);
  EXPECT_EQ(layout.Texts[1].Right, (11 + 45) * 3);
  EXPECT_EQ(layout.Texts[2].Left, (11 + 50) * 3);
  EXPECT_EQ(layout.Texts[2].Right, (11 + 92) * 3);
}

TEST(BarcodeLayout, BarsAreWholeDisjointPixelsInOrder) {
  TBarLayoutOptions options;
  options.ModulePixels = 2;
  options.WideToNarrow = 2.5;
  TBarLayout layout = LayoutBars(EncodeCode39("CODE 39", true), options);
  for (std::size_t i = 0; i < layout.Bars.size(); ++i) {
    EXPECT_LT(layout.Bars[i].Left, layout.Bars[i].Right);
    EXPECT_TRUE(layout.Bars[i].Right - layout.Bars[i].Left == 2 || layout.Bars[i].Right - layout.Bars[i].Left == 5);
    if (i > 0) {
      EXPECT_LT(layout.Bars[i - 1].Right, layout.Bars[i].Left);
    }
  }
}

TEST(BarcodeLayout, TwoWidthSymbolWidth) {
  TBarLayoutOptions options;
  options.ModulePixels = 2;
  options.WideToNarrow = 3;
  // "*1*": three characters of six narrow and three wide elements, two gaps.
  TBarLayout layout = LayoutBars(EncodeCode39("1", false), options);
  EXPECT_EQ(layout.BarsRight - layout.BarsLeft, 20 * 2 + 9 * 6);
  EXPECT_EQ(layout.Width, 20 * 2 + 9 * 6 + 2 * 10 * 2);
}

TEST(BarcodeLayout, PostNetShortBarsStandOnTheBaseline) {
  TBarLayoutOptions options;
  options.ModulePixels = 4;
  options.BarHeight = 50;
  TBarLayout layout = LayoutBars(EncodePostNet("12345"), options);
  ASSERT_EQ(layout.Bars.size(), 32u);
  EXPECT_EQ(layout.Bars[0], (TBarRect{0, 0, 4, 50}));  // frame bar; PostNet has no quiet zone here
  EXPECT_EQ(layout.Bars[1], (TBarRect{8, 30, 12, 50}));  // "1" = short short short tall tall
  EXPECT_EQ(layout.Bars[4], (TBarRect{32, 0, 36, 50}));
}

TEST(BarcodeLayout, WithoutQuietZonesTheBarsStartAtZero) {
  TBarLayoutOptions options;
  options.QuietZones = false;
  TBarLayout layout = LayoutBars(EncodeEAN8("9638507"), options);
  EXPECT_EQ(layout.BarsLeft, 0);
  EXPECT_EQ(layout.Bars.front().Left, 0);
  EXPECT_EQ(layout.Width, 67);
}

}  // namespace
