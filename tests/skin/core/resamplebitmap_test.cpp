// The bitmap form of the resampler and the nested three-dimensional frame.
#include <gtest/gtest.h>

#include <memory>

#include "skin/core/bitmappixels.h"
#include "skin/core/nestedframes.h"
#include "skin/core/resamplebitmap.h"
#include "skin/core/skinbitmaps.h"

namespace {

std::unique_ptr<TBitmap> Filled(TPixelFormat format, int w, int h, TColor color) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(format);
  b->SetSize(w, h);
  b->Canvas().Brush().SetColor(color);
  b->Canvas().FillRect({0, 0, w, h});
  return b;
}

TEST(SkinSmoothResize, FormatsSizesAndTheSmallSourceError) {
  // An 8-bit source is made 24-bit first and stays so; the result has the
  // new size and the colour of a uniform picture.
  auto source = Filled(pf8bit, 20, 10, clRed);
  auto dest = std::make_unique<TBitmap>();
  SmoothResize(source.get(), dest.get(), 7, 33, rfMitchell);
  EXPECT_EQ(source->PixelFormat(), pf24bit);
  EXPECT_EQ(dest->PixelFormat(), pf24bit);
  EXPECT_EQ(dest->Width(), 7);
  EXPECT_EQ(dest->Height(), 33);
  const TColor middle = dest->Canvas().GetPixel(3, 16);
  EXPECT_NEAR(static_cast<int>(middle & 0xFF), 255, 2);
  EXPECT_NEAR(static_cast<int>((middle >> 8) & 0xFF), 0, 2);

  // A 32-bit source keeps its alpha channel.
  std::unique_ptr<TBitmap> alpha(CreateBitmap32(16, 16));
  const TPixelView a = PixelViewOf(alpha.get());
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      a.Pixel(x, y)[3] = 90;
  auto half = std::make_unique<TBitmap>();
  SmoothResize(alpha.get(), half.get(), 8, 8, rfTriangle);
  EXPECT_EQ(half->PixelFormat(), pf32bit);
  EXPECT_NEAR(PixelViewOf(half.get()).Pixel(4, 4)[3], 90, 1);

  // Into itself: the source is read from a copy.
  auto self = Filled(pf24bit, 12, 12, clBlue);
  SmoothResize(self.get(), self.get(), 30, 6, rfBell);
  EXPECT_EQ(self->Width(), 30);
  EXPECT_NEAR(static_cast<int>((self->Canvas().GetPixel(15, 3) >> 16) & 0xFF), 255, 2);

  // The same size copies.
  auto copy = std::make_unique<TBitmap>();
  SmoothResize(source.get(), copy.get(), 20, 10, rfMitchell);
  EXPECT_EQ(copy->Width(), 20);
  EXPECT_EQ(copy->Canvas().GetPixel(19, 9), ColorToRGB(clRed));

  auto thin = Filled(pf24bit, 1, 10, clRed);
  auto kept = Filled(pf24bit, 4, 4, clLime);
  try {
    SmoothResize(thin.get(), kept.get(), 5, 5, rfMitchell);
    FAIL() << "a 1-pixel-wide source was accepted";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Source bitmap is too small");
  }
  EXPECT_EQ(kept->Width(), 4);
  EXPECT_EQ(kept->Canvas().GetPixel(1, 1), ColorToRGB(clLime));
  SmoothResize(source.get(), kept.get(), 0, 5, rfMitchell);
  EXPECT_EQ(kept->Width(), 0) << "a new size of 0 leaves the destination empty";
}

TEST(SkinNestedFrames, OutlinesShrinkTheRectangleAndUseUpTheCount) {
  auto b = Filled(pf24bit, 12, 12, clWhite);
  const TColor light = clBtnHighlight, dark = 0x0000FF;
  RECT r{0, 0, 10, 10};
  int count = 2;
  DrawNestedFrames(b->Canvas().Handle(), r, light, dark, count);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.top, 2);
  EXPECT_EQ(r.right, 8);
  EXPECT_EQ(r.bottom, 8);
  EXPECT_EQ(count, 0);
  const TColor lightRgb = ColorToRGB(light);
  struct Case {
    int X, Y;
    TColor Color;
  };
  // Outlines (0, 0)-(9, 9) and (1, 1)-(8, 8): light top and left, dark
  // right and bottom (the dark line is drawn last at the shared corners).
  const Case cases[] = {{5, 0, lightRgb}, {0, 5, lightRgb}, {0, 0, lightRgb}, {9, 0, dark},    {9, 5, dark},
                        {5, 9, dark},     {0, 9, dark},     {9, 9, dark},     {5, 1, lightRgb}, {1, 5, lightRgb},
                        {8, 5, dark},     {5, 8, dark},     {5, 5, 0xFFFFFF}, {2, 5, 0xFFFFFF}, {10, 5, 0xFFFFFF}};
  for (const Case& c : cases)
    EXPECT_EQ(b->Canvas().GetPixel(c.X, c.Y), c.Color) << c.X << "," << c.Y;

  for (int none : {0, -3}) {
    RECT same{1, 2, 6, 7};
    int n = none;
    DrawNestedFrames(b->Canvas().Handle(), same, light, dark, n);
    EXPECT_EQ(same.left, 1);
    EXPECT_EQ(same.right, 6);
    EXPECT_EQ(same.bottom, 7);
    EXPECT_EQ(n, none);
  }
}

}  // namespace
