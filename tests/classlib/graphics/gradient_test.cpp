// The gradient fill: bands along each direction, the first in the begin
// colour and the last in the end colour, as many as asked for within
// 1..256 and the rectangle's extent, and nothing painted outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/gradient.h"

namespace {

constexpr TColor kMarker = clFuchsia;
// Every channel steps by at least 2 per band up to 60 bands, so
// neighbouring bands always differ.
constexpr TColor kBegin = static_cast<TColor>(0x102030);
constexpr TColor kEnd = static_cast<TColor>(0xF0E0D0);
const RECT kArea{2, 3, 62, 43};  // 60 x 40

struct FillCase {
  TFillDirection Direction;
  int Colors;
};

// The pixels along the fill's axis through the middle of the area, from the
// side the direction starts at.
std::vector<COLORREF> AxisPixels(HDC dc, TFillDirection direction) {
  std::vector<COLORREF> pixels;
  const int midX = (kArea.left + kArea.right) / 2, midY = (kArea.top + kArea.bottom) / 2;
  switch (direction) {
    case fdTopToBottom:
      for (int y = kArea.top; y < kArea.bottom; ++y) pixels.push_back(GetPixel(dc, midX, y));
      break;
    case fdBottomToTop:
      for (int y = kArea.bottom - 1; y >= kArea.top; --y) pixels.push_back(GetPixel(dc, midX, y));
      break;
    case fdLeftToRight:
      for (int x = kArea.left; x < kArea.right; ++x) pixels.push_back(GetPixel(dc, x, midY));
      break;
    case fdRightToLeft:
      for (int x = kArea.right - 1; x >= kArea.left; --x) pixels.push_back(GetPixel(dc, x, midY));
      break;
  }
  return pixels;
}

int RunCount(const std::vector<COLORREF>& pixels) {
  int runs = pixels.empty() ? 0 : 1;
  for (std::size_t i = 1; i < pixels.size(); ++i)
    if (pixels[i] != pixels[i - 1])
      ++runs;
  return runs;
}

class GradientFill : public testing::TestWithParam<FillCase> {
protected:
  void SetUp() override {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(64, 46);
    bitmap.Canvas().Brush().SetColor(kMarker);
    bitmap.Canvas().FillRect(RECT{0, 0, 64, 46});
  }
  TBitmap bitmap;
};

TEST_P(GradientFill, BandsRunFromBeginToEndColour) {
  const FillCase c = GetParam();
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(clLime);
  canvas.Brush().SetStyle(bsCross);
  GradientFillRect(canvas, kArea, kBegin, kEnd, c.Direction, c.Colors);
  EXPECT_EQ(canvas.Brush().Color(), clLime) << "the brush is left as it was";
  EXPECT_EQ(canvas.Brush().Style(), bsCross);

  HDC dc = canvas.Handle();
  std::vector<COLORREF> axis = AxisPixels(dc, c.Direction);
  const bool vertical = c.Direction == fdTopToBottom || c.Direction == fdBottomToTop;
  const int extent = vertical ? kArea.bottom - kArea.top : kArea.right - kArea.left;
  const int expectedBands = std::min(std::clamp(c.Colors, 1, 256), extent);
  EXPECT_EQ(RunCount(axis), expectedBands);
  EXPECT_EQ(axis.front(), static_cast<COLORREF>(kBegin));
  EXPECT_EQ(axis.back(), static_cast<COLORREF>(expectedBands > 1 ? kEnd : kBegin));

  // Across the axis each band has one colour, and nothing outside the area
  // is touched.
  if (vertical) {
    EXPECT_EQ(GetPixel(dc, kArea.left, kArea.top), GetPixel(dc, kArea.right - 1, kArea.top));
    EXPECT_EQ(GetPixel(dc, kArea.left, kArea.bottom - 1), GetPixel(dc, kArea.right - 1, kArea.bottom - 1));
  } else {
    EXPECT_EQ(GetPixel(dc, kArea.left, kArea.top), GetPixel(dc, kArea.left, kArea.bottom - 1));
    EXPECT_EQ(GetPixel(dc, kArea.right - 1, kArea.top), GetPixel(dc, kArea.right - 1, kArea.bottom - 1));
  }
  for (POINT p : {POINT{kArea.left - 1, kArea.top}, POINT{kArea.right, kArea.top},
                  POINT{kArea.left, kArea.top - 1}, POINT{kArea.left, kArea.bottom}})
    EXPECT_EQ(GetPixel(dc, p.x, p.y), static_cast<COLORREF>(kMarker)) << p.x << "," << p.y;
}

INSTANTIATE_TEST_SUITE_P(
    DirectionsAndCounts, GradientFill,
    testing::Values(FillCase{fdTopToBottom, 50}, FillCase{fdBottomToTop, 50}, FillCase{fdLeftToRight, 50},
                    FillCase{fdRightToLeft, 50}, FillCase{fdTopToBottom, 2}, FillCase{fdRightToLeft, 7},
                    FillCase{fdLeftToRight, 1}, FillCase{fdBottomToTop, 0}, FillCase{fdLeftToRight, -5},
                    FillCase{fdTopToBottom, 300}, FillCase{fdLeftToRight, 300}));

TEST(GradientFillEdges, EmptyRectanglePaintsNothing) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(10, 10);
  bitmap.Canvas().Brush().SetColor(kMarker);
  bitmap.Canvas().FillRect(RECT{0, 0, 10, 10});
  for (RECT r : {RECT{5, 5, 5, 9}, RECT{2, 6, 8, 6}, RECT{8, 2, 3, 7}}) {
    GradientFillRect(bitmap.Canvas(), r, kBegin, kEnd, fdLeftToRight, 50);
    GradientFillRect(bitmap.Canvas(), r, kBegin, kEnd, fdTopToBottom, 50);
  }
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      ASSERT_EQ(GetPixel(bitmap.Canvas().Handle(), x, y), static_cast<COLORREF>(kMarker)) << x << "," << y;
}

}  // namespace
