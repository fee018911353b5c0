// Skin gradients painted into TBitmap objects, the four-corner direction
// through the system's triangle fill.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "skin/core/skinbitmaps.h"
#include "skin/core/skingradientfill.h"

namespace {

bool Near(TColor a, TColor b) {
  for (int k = 0; k < 3; ++k)
    if (std::abs(((a >> (8 * k)) & 0xFF) - ((b >> (8 * k)) & 0xFF)) > 8)
      return false;
  return true;
}

TEST(SkinGradientFill, VerticalBandsIntoABitmap) {
  std::unique_ptr<TBitmap> b(CreateBitmap24(10, 100));
  TsGradArray a;
  ParseGradientData("16711680;255;50;0;0;255;65280;50;0;0", a);
  PaintGradient(b.get(), {0, 0, 10, 100}, a, 0);
  EXPECT_EQ(b->Canvas().GetPixel(0, 0), 0xFF0000);
  EXPECT_EQ(b->Canvas().GetPixel(9, 50), 0x0000FF);
  EXPECT_EQ(b->Canvas().GetPixel(5, 99), 0x00FF00);
}

TEST(SkinGradientFill, EightBitBitmapStaysUnchanged) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf8bit);
  b->SetSize(10, 10);
  b->Canvas().Brush().SetColor(clWhite);
  RECT all{0, 0, 10, 10};
  b->Canvas().FillRect(all);
  TsGradArray a{{0x0000FF, 0x0000FF, 100, gdVertical}};
  PaintGradient(b.get(), all, a, 0);
  EXPECT_EQ(b->Canvas().GetPixel(5, 5), clWhite);
}

TEST(SkinGradientFill, FourCornersTakeTheStopsColours) {
  ASSERT_TRUE(TriangleGradientSupported());
  std::unique_ptr<TBitmap> b(CreateBitmap24(40, 40));
  TsGradArray a{{0x0000FF, 0, 0, gdFourCorner}, {0x00FF00, 0, 0, 0}};
  PaintGradient(b.get(), {0, 0, 40, 40}, a, 0);
  EXPECT_TRUE(Near(b->Canvas().GetPixel(0, 0), 0x0000FF)) << std::hex << b->Canvas().GetPixel(0, 0);
  EXPECT_TRUE(Near(b->Canvas().GetPixel(20, 20), 0x00FF00)) << std::hex << b->Canvas().GetPixel(20, 20);
  // Vertices 2, 3 and 4 repeat stop 1's colour.
  EXPECT_TRUE(Near(b->Canvas().GetPixel(39, 1), 0x00FF00)) << std::hex << b->Canvas().GetPixel(39, 1);
  EXPECT_TRUE(Near(b->Canvas().GetPixel(39, 39), 0x00FF00)) << std::hex << b->Canvas().GetPixel(39, 39);
  EXPECT_TRUE(Near(b->Canvas().GetPixel(1, 39), 0x00FF00)) << std::hex << b->Canvas().GetPixel(1, 39);
}

}  // namespace
