// Pixel accessors, constant-weight blending, colour arithmetic, fills and
// greyscale, on pixel views over plain memory (top-down and bottom-up).
#include <gtest/gtest.h>

#include <cmath>

#include "skin/core/alphagraph.h"

namespace {

// Fills every byte of pixel (x, y) of a view with the given blue, green,
// red (and alpha).
void Put(const TPixelView& v, int x, int y, int b, int g, int r, int a = 0) {
  std::uint8_t* p = v.Pixel(x, y);
  p[0] = static_cast<std::uint8_t>(b);
  if (v.BitCount == 8)
    return;
  p[1] = static_cast<std::uint8_t>(g);
  p[2] = static_cast<std::uint8_t>(r);
  if (v.Is32())
    p[3] = static_cast<std::uint8_t>(a);
}

void FillAll(const TPixelView& v, int value) {
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      Put(v, x, y, value, value, value, value);
}

// Each pixel's bytes encode its position: blue = x, green = y.
void FillCoordinates(const TPixelView& v) {
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      Put(v, x, y, x, y, 200, 200);
}

TEST(SkinPixelAccess, AttachRefusesSmallBitmapsAndOtherFormats) {
  TPixelImage thin(1, 100, 24), flat(100, 1, 32), other(10, 10, 8), good(2, 2, 24);
  TacFast24 f24;
  f24.Width = 5;
  EXPECT_FALSE(f24.Attach(thin));
  EXPECT_EQ(f24.Width, 0);
  EXPECT_FALSE(f24.Attach(TPixelView{}));
  EXPECT_TRUE(f24.Attach(good));
  EXPECT_EQ(f24.Width, 2);
  TacFast32 f32;
  EXPECT_FALSE(f32.Attach(flat));
  EXPECT_EQ(f32.Width, 0);
  try {
    f24.Attach(other);
    FAIL() << "an 8-bit bitmap was accepted";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message, "Bitmap format is not supported");
  }
  EXPECT_THROW(f32.Attach(good), EAssertionFailed);
}

TEST(SkinPixelAccess, PixelsReadAndWriteInColourOrderOnBothRowOrders) {
  for (bool bottomUp : {false, true}) {
    TPixelImage img24(4, 3, 24, bottomUp), img32(4, 3, 32, bottomUp);
    Put(img24, 3, 2, 0x30, 0x20, 0x10);
    TacFast24 f24;
    ASSERT_TRUE(f24.Attach(img24));
    EXPECT_EQ(f24.PixelAt(3, 2), 0x302010) << bottomUp;
    EXPECT_EQ(f24.PixelAt(0, 0), 0) << bottomUp;
    TacFast32 f32;
    ASSERT_TRUE(f32.Attach(img32));
    f32.SetPixelAt(1, 2, 0x80302010u);
    const std::uint8_t* p = img32.View().Pixel(1, 2);
    EXPECT_EQ(p[0], 0x30);
    EXPECT_EQ(p[1], 0x20);
    EXPECT_EQ(p[2], 0x10);
    EXPECT_EQ(p[3], 0x80);
    EXPECT_EQ(f32.PixelAt(1, 2), 0x80302010u);
  }
}

TEST(SkinPixelAccess, FillAreaStaysInsideTheBitmap) {
  TPixelImage img(4, 4, 32);
  TacFast32 f32;
  ASSERT_TRUE(f32.Attach(img));
  f32.FillArea({-2, 1, 2, 9}, 0x11223344u);
  EXPECT_EQ(f32.PixelAt(0, 0), 0u);
  EXPECT_EQ(f32.PixelAt(1, 3), 0x11443322u);  // raw bytes 44 33 22 11 read back as colour
  const std::uint8_t* p = img.View().Pixel(1, 3);
  EXPECT_EQ(p[0], 0x44);
  EXPECT_EQ(p[3], 0x11);
  EXPECT_EQ(img.View().Pixel(2, 3)[0], 0);
}

TEST(SkinBlend, WeightsRoundDownByOneAtTheTop) {
  struct Case {
    int Weight, Dest, Source, Result;
  };
  const Case cases[] = {{0, 0, 255, 254}, {255, 255, 0, 254}, {128, 100, 200, 149}, {0, 10, 0, 0}};
  for (const Case& c : cases) {
    TPixelImage dst(2, 2, 24), src(2, 2, 24);
    FillAll(dst, c.Dest);
    FillAll(src, c.Source);
    TacFastSum24 sum;
    ASSERT_TRUE(sum.Attach(src, dst));
    sum.DestWeight = static_cast<std::uint8_t>(c.Weight);
    sum.DestArea = {0, 0, 2, 2};
    sum.SourceArea = {0, 0, 2, 2};
    sum.Blend();
    EXPECT_EQ(dst.View().Pixel(1, 1)[2], c.Result) << c.Weight << " " << c.Dest << " " << c.Source;
  }
}

TEST(SkinBlend, AreasOfDifferentHeightsAlignAtTheBottom) {
  TPixelImage dst(4, 4, 32, true), src(4, 6, 32);
  FillCoordinates(src);
  TacFastSum32 sum;
  ASSERT_TRUE(sum.Attach(src, dst));
  sum.DestWeight = 0;
  sum.DestArea = {0, 0, 4, 4};
  sum.SourceArea = {0, 0, 4, 6};
  sum.Blend();
  for (int y = 0; y < 4; ++y)
    EXPECT_EQ(dst.View().Pixel(0, y)[1], ((y + 2) * 255 + 127) >> 8) << y;  // source rows 2..5
  EXPECT_EQ(dst.View().Pixel(3, 0)[0], (3 * 255 + 127) >> 8);
}

TEST(SkinBlend, BlendBitmapOntoClipsNegativePoints) {
  TPixelImage dst(10, 10, 24), src(10, 10, 24);
  FillCoordinates(src);
  BlendBitmapOnto(dst, src, 0, {0, 0, 10, 10}, {-3, -2});
  // Source (3, 2) lands at (0, 0); the last copied source pixel is (9, 9).
  EXPECT_EQ(dst.View().Pixel(0, 0)[0], (3 * 255 + 127) >> 8);
  EXPECT_EQ(dst.View().Pixel(0, 0)[1], (2 * 255 + 127) >> 8);
  EXPECT_EQ(dst.View().Pixel(6, 7)[0], (9 * 255 + 127) >> 8);
  EXPECT_EQ(dst.View().Pixel(7, 7)[2], 0);  // beyond the source's width
  EXPECT_EQ(dst.View().Pixel(6, 8)[2], 0);
}

TEST(SkinBlend, BlendBitmapOntoLeavesMixedFormatsAndEmptyRectanglesAlone) {
  struct Case {
    int DstBits, SrcBits;
    TPixelRect R;
    TPixelPoint P;
  };
  const Case cases[] = {{32, 24, {0, 0, 4, 4}, {0, 0}},  {24, 32, {0, 0, 4, 4}, {0, 0}},
                        {8, 8, {0, 0, 4, 4}, {0, 0}},    {24, 24, {2, 0, 2, 4}, {0, 0}},
                        {24, 24, {0, 0, 4, 4}, {4, 0}},  {24, 24, {0, 0, 4, 4}, {-4, 0}},
                        {24, 24, {0, 3, 4, 1}, {0, 0}}};
  for (const Case& c : cases) {
    TPixelImage dst(4, 4, c.DstBits), src(4, 4, c.SrcBits);
    FillAll(src, 200);
    BlendBitmapOnto(dst, src, 0, c.R, c.P);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        EXPECT_EQ(dst.View().Pixel(x, y)[0], 0) << c.DstBits << "/" << c.SrcBits << " at " << x << "," << y;
  }
}

TEST(SkinBlend, SameSizeBlendNeedsEqualSizes) {
  TPixelImage dst(3, 3, 24), src(3, 3, 24), other(3, 4, 24);
  FillAll(src, 100);
  FillAll(other, 100);
  BlendSameSize24(dst, other, 0);
  EXPECT_EQ(dst.View().Pixel(2, 2)[0], 0);
  BlendSameSize24(dst, src, 0);
  EXPECT_EQ(dst.View().Pixel(2, 2)[0], (100 * 255 + 127) >> 8);
}

TEST(SkinColours, ArithmeticOnColourValues) {
  struct Case {
    const char* What;
    TColor Got, Expected;
  };
  const Case cases[] = {
      {"saturation 100 of red is grey", ChangeSaturation(0x0000FF, 100), 0x555555},
      {"saturation -100 of red stays red", ChangeSaturation(0x0000FF, -100), 0x0000FF},
      {"saturation 0 keeps a system colour", ChangeSaturation(clBtnFace, 0), clBtnFace},
      {"saturation 50: 42.5 ties to 42", ChangeSaturation(0x0000FF, 50), 0x2A2AAA},
      {"hue 120 turns red green", ChangeHue(120, 0x0000FF), 0x00FF00},
      {"hue -30 of red stays red", ChangeHue(-30, 0x0000FF), 0x0000FF},
      {"hue of a grey is the grey", ChangeHue(77, 0x808080), 0x808080},
      {"hue 240 turns red blue", ChangeHue(240, 0x0000FF), 0xFF0000},
      {"blend 1 gives A", BlendColors(0x01020304, 0x00FFFFFF, 1), 0x01020304},
      {"blend 0 gives B with A's top byte", BlendColors(0x01020304, 0x00FFFFFF, 0), 0x01FFFFFF},
      {"blend half ties to even", BlendColors(0x000001, 0x000000, 0.5), 0x000000},
      {"blend half of 3 and 0", BlendColors(0x000003, 0x000000, 0.5), 0x000002},
      {"strip", StripColorAlpha(static_cast<TColor>(0xFFFFFFFF)), 0x00FFFFFF},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.Got, c.Expected) << c.What;
  EXPECT_EQ(ColorToPixel32(0x00112233), 0xFF332211u);
  EXPECT_EQ(ColorToPixel32(static_cast<TColor>(0x80112233)), 0xFF332211u);
}

TEST(SkinFills, BlendColorRectCoversTheExclusiveRectangle) {
  TPixelImage img(10, 10, 24);
  FillAll(img, 1);
  BlendColorRect(img, {0, 0, 10, 10}, 50, 0x000000);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      ASSERT_EQ(img.View().Pixel(x, y)[0], 0) << x << "," << y;  // Round(0.5) = 0
  FillAll(img, 100);
  BlendColorRect(img, {2, 2, 4, 4}, 0, 0x0000FF);
  EXPECT_EQ(img.View().Pixel(3, 3)[2], 255);
  EXPECT_EQ(img.View().Pixel(3, 3)[0], 0);
  EXPECT_EQ(img.View().Pixel(4, 3)[2], 100);  // right edge exclusive
  EXPECT_EQ(img.View().Pixel(3, 4)[2], 100);
}

TEST(SkinFills, BlendColorRectKeepsAlphaAndIgnoresOtherFormats) {
  TPixelImage img(3, 3, 32), grey(3, 3, 8);
  FillAll(img, 40);
  BlendColorRect(img, {-5, -5, 50, 50}, 0, 0xFFFFFF);
  EXPECT_EQ(img.View().Pixel(2, 2)[0], 255);
  EXPECT_EQ(img.View().Pixel(2, 2)[3], 40);
  BlendColorRect(grey, {0, 0, 3, 3}, 0, 0xFFFFFF);
  EXPECT_EQ(grey.View().Row(0)[0], 0);
}

TEST(SkinFills, FillRect32AndSetAlphaRect) {
  TPixelImage img(4, 4, 32), small(1, 4, 32);
  FillRect32(img, {1, 1, 3, 3}, 0x00102030);
  const std::uint8_t* p = img.View().Pixel(2, 2);
  EXPECT_EQ(p[0], 0x10);
  EXPECT_EQ(p[1], 0x20);
  EXPECT_EQ(p[2], 0x30);
  EXPECT_EQ(p[3], 0xFF);
  EXPECT_EQ(img.View().Pixel(3, 3)[3], 0);
  SetAlphaRect(img, {0, 0, 2, 9}, 7);
  EXPECT_EQ(img.View().Pixel(1, 3)[3], 7);
  EXPECT_EQ(img.View().Pixel(1, 1)[0], 0x10);
  EXPECT_EQ(img.View().Pixel(2, 1)[3], 0xFF);
  FillRect32(small, {0, 0, 1, 4}, 0xFFFFFF);
  EXPECT_EQ(small.View().Pixel(0, 0)[0], 0);
}

TEST(SkinFills, GreyscaleTruncatesAndKeepsTheKey) {
  TPixelImage img24(2, 2, 24), img32(2, 2, 32);
  Put(img24, 0, 0, 10, 10, 11);
  Put(img24, 1, 0, 255, 0, 255);
  Put(img32, 0, 0, 10, 10, 11, 99);
  TPixelImage copy24(2, 2, 24);
  Put(copy24, 0, 0, 10, 10, 11);
  Put(copy24, 1, 0, 255, 0, 255);
  GrayscaleBitmap(img24);
  GrayscaleBitmap(img32);
  GrayscaleBitmapExcept(copy24, kSkinKeyColor);
  EXPECT_EQ(img24.View().Pixel(0, 0)[2], 10);
  EXPECT_EQ(img24.View().Pixel(1, 0)[0], 170);
  EXPECT_EQ(img32.View().Pixel(0, 0)[2], 10);
  EXPECT_EQ(img32.View().Pixel(0, 0)[3], 99);
  EXPECT_EQ(copy24.View().Pixel(0, 0)[2], 10);
  EXPECT_EQ(copy24.View().Pixel(1, 0)[0], 255);
  EXPECT_EQ(copy24.View().Pixel(1, 0)[1], 0);
}

TEST(SkinRounding, RoundEvenTiesToTheEvenNeighbourLikeNearbyint) {
  const struct {
    double Value;
    int Expected;
  } cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},   {-0.5, 0},     {-1.5, -2},         {-2.5, -2}, {0.49999, 0},
               {2.50001, 3}, {-7.2, -7}, {3641.0, 3641}, {58253.5, 58254}, {1e9 + 0.5, 1000000000}};
  for (const auto& c : cases)
    EXPECT_EQ(RoundEven(c.Value), c.Expected) << c.Value;
  for (int i = -4000; i <= 4000; ++i) {
    const double v = i * 0.125 + 1e-3 * (i % 7);
    ASSERT_EQ(RoundEven(v), static_cast<int>(std::nearbyint(v))) << v;
  }
}

}  // namespace
