// Gradient text and the vertical and horizontal band painters.
#include <gtest/gtest.h>

#include <cmath>

#include "classlib/system/exceptions.h"
#include "skin/core/skingradient.h"

namespace {

// The byte a band shows t rows in: a float accumulator from Start advanced
// by the double step (End - Start) / n.
int Accumulated(int Start, int End, int n, int t) {
  float acc = static_cast<float>(Start);
  for (int i = 0; i < t; ++i)
    acc = static_cast<float>(acc + static_cast<double>(End - Start) / n);
  return static_cast<int>(std::nearbyint(acc));
}

// The colour of a pixel as red | green << 8 | blue << 16.
TColor ColourAt(const TPixelView& v, int x, int y) {
  const std::uint8_t* p = v.Pixel(x, y);
  return p[2] | p[1] << 8 | p[0] << 16;
}

TEST(SkinGradientText, StopsFromTokens) {
  struct Case {
    const char* Text;
    std::vector<TsGradientStop> Stops;
  };
  const Case cases[] = {
      {"", {}},
      {"16711680;255;50;0;0;255;65280;50;0;0", {{16711680, 255, 50, 0}, {255, 65280, 50, 0}}},
      {"255;;;0;50;0;0", {{255, 0, 50, 0}}},
      {"-5;$FF;150;1;x", {{0, 255, 100, 1}}},
      {"1;2;-3;7;0;1;2", {{1, 2, 0, 7}}},
      {"1;2;3;4", {}},
  };
  for (const Case& c : cases) {
    TsGradArray a{{9, 9, 9, 9}};
    ParseGradientData(c.Text, a);
    ASSERT_EQ(a.size(), c.Stops.size()) << c.Text;
    for (std::size_t i = 0; i < a.size(); ++i) {
      EXPECT_EQ(a[i].StartColor, c.Stops[i].StartColor) << c.Text << " stop " << i;
      EXPECT_EQ(a[i].EndColor, c.Stops[i].EndColor) << c.Text << " stop " << i;
      EXPECT_EQ(a[i].SharePercent, c.Stops[i].SharePercent) << c.Text << " stop " << i;
      EXPECT_EQ(a[i].Direction, c.Stops[i].Direction) << c.Text << " stop " << i;
    }
  }
}

TEST(SkinGradientText, ABadNumberRaisesTheConversionErrorAfterEarlierStops) {
  TsGradArray a;
  EXPECT_THROW(ParseGradientData("1;2;3;0;0;4;zz;6;0;0", a), EConvertError);
  ASSERT_EQ(a.size(), 1u);
  EXPECT_EQ(a[0].StartColor, 1);
}

TEST(SkinGradientPaint, VerticalBandsShareTheirBoundaryRow) {
  for (int bits : {24, 32}) {
    TPixelImage img(10, 100, bits, bits == 32);
    TsGradArray a;
    ParseGradientData("16711680;255;50;0;0;255;65280;50;0;0", a);
    PaintGradientBands(img, {0, 0, 10, 100}, a, 0);
    const TPixelView& v = img.View();
    EXPECT_EQ(ColourAt(v, 0, 0), 0xFF0000) << bits;
    EXPECT_EQ(ColourAt(v, 9, 50), 0x0000FF) << bits;
    EXPECT_EQ(ColourAt(v, 5, 99), 0x00FF00) << bits;
    // The rows between follow single-precision accumulators: row 25 drifts
    // just below 127.5 in blue and red, row 60 is ten steps from red to green.
    EXPECT_EQ(ColourAt(v, 0, 25), Accumulated(255, 0, 50, 25) | Accumulated(0, 255, 50, 25) << 16) << bits;
    EXPECT_EQ(ColourAt(v, 0, 25), 0x7F007F) << bits;
    EXPECT_EQ(ColourAt(v, 3, 60), Accumulated(255, 0, 49, 10) | Accumulated(0, 255, 49, 10) << 8) << bits;
    if (bits == 32) {
      EXPECT_EQ(v.Pixel(3, 60)[3], 255);
    }
  }
}

TEST(SkinGradientPaint, ShareZeroOffsetsAndClipping) {
  TPixelImage img(4, 100, 24);
  TsGradArray a{{0x0000FF, 0x0000FF, 0, 0}, {0x00FF00, 0xFF0000, 100, 0}};
  PaintGradientBands(img, {0, 0, 4, 100}, a, 0);
  EXPECT_EQ(ColourAt(img, 0, 0), 0x00FF00);  // the empty first band is skipped
  EXPECT_EQ(ColourAt(img, 0, 99), 0xFF0000);

  TPixelImage shifted(4, 100, 24);
  TsGradArray one{{0x0000FF, 0x0000FF, 50, 0}, {0x00FF00, 0x00FF00, 50, 0}};
  PaintGradientBands(shifted, {0, 0, 4, 100}, one, 20);
  EXPECT_EQ(ColourAt(shifted, 0, 19), 0);         // above the offset
  EXPECT_EQ(ColourAt(shifted, 0, 20), 0x0000FF);  // first band 20..80 (share of 120)
  EXPECT_EQ(ColourAt(shifted, 0, 79), 0x0000FF);
  EXPECT_EQ(ColourAt(shifted, 0, 81), 0x00FF00);

  TPixelImage clipped(4, 4, 24);
  PaintGradientBands(clipped, {-5, -5, 50, 50}, one, 0);
  EXPECT_EQ(ColourAt(clipped, 3, 0), 0x0000FF);
  EXPECT_EQ(ColourAt(clipped, 3, 3), 0x00FF00);
}

TEST(SkinGradientPaint, HorizontalLastStopRunsToTheRightEdge) {
  TPixelImage img(10, 3, 24);
  TsGradArray a{{0x0000FF, 0x0000FF, 30, 1}};
  PaintGradientBands(img, {0, 0, 10, 3}, a, 0);
  for (int x = 0; x < 10; ++x)
    EXPECT_EQ(ColourAt(img, x, 2), 0x0000FF) << x;
  TPixelImage two(10, 2, 24);
  TsGradArray b{{0x000000, 0x0000FF, 50, 1}, {0x00FF00, 0x00FF00, 50, 1}};
  PaintGradientBands(two, {0, 0, 10, 2}, b, 0);
  EXPECT_EQ(ColourAt(two, 0, 0), 0x000000);
  EXPECT_EQ(ColourAt(two, 4, 0), 0x0000CC);  // 4 of 5 steps to red
  EXPECT_EQ(ColourAt(two, 5, 1), 0x00FF00);  // the boundary pixel belongs to both bands
  EXPECT_EQ(ColourAt(two, 9, 1), 0x00FF00);
}

TEST(SkinGradientPaint, NothingForOtherFormatsDirectionsOrEmptyInput) {
  TsGradArray a{{0x0000FF, 0x0000FF, 100, 0}};
  TPixelImage grey(10, 10, 8);
  PaintGradientBands(grey, {0, 0, 10, 10}, a, 0);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      ASSERT_EQ(grey.View().Row(y)[x], 0);
  TPixelImage img(4, 4, 24);
  const TsGradArray fourCorner{{0x0000FF, 0x0000FF, 100, 2}}, unknown{{0x0000FF, 0x0000FF, 100, 9}};
  PaintGradientBands(img, {0, 0, 4, 4}, fourCorner, 0);
  PaintGradientBands(img, {0, 0, 4, 4}, unknown, 0);
  PaintGradientBands(img, {0, 0, 4, 4}, {}, 0);
  PaintGradientBands(img, {3, 0, 1, 4}, a, 0);
  PaintGradientBands(img, {0, 0, 4, 0}, a, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      ASSERT_EQ(ColourAt(img, x, y), 0) << x << "," << y;
}

}  // namespace
