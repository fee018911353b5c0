// Alpha and keyed drawing on pixel views over plain memory.
#include <gtest/gtest.h>

#include "skin/core/alphablend.h"

namespace {

void Put(const TPixelView& v, int x, int y, int b, int g, int r, int a = 0) {
  std::uint8_t* p = v.Pixel(x, y);
  p[0] = static_cast<std::uint8_t>(b);
  p[1] = static_cast<std::uint8_t>(g);
  p[2] = static_cast<std::uint8_t>(r);
  if (v.Is32())
    p[3] = static_cast<std::uint8_t>(a);
}

void FillAll(const TPixelView& v, int b, int g, int r, int a = 0) {
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      Put(v, x, y, b, g, r, a);
}

// Blue, green and red of a pixel as one number 0xBBGGRR.
int Bgr(const TPixelView& v, int x, int y) {
  const std::uint8_t* p = v.Pixel(x, y);
  return p[0] << 16 | p[1] << 8 | p[2];
}

TEST(SkinMix, EightBitMixRule) {
  EXPECT_EQ(MixBytes(255, 0, 255), 254);
  EXPECT_EQ(MixBytes(7, 200, 0), 200);
  EXPECT_EQ(MixBytes(200, 100, 255), 199);
}

TEST(SkinAlphaDraw, OpaqueWhiteOverBlackGives254AndPercent100LeavesTheDestination) {
  TPixelImage src(4, 4, 32), dst(4, 4, 24);
  FillAll(src, 255, 255, 255, 255);
  DrawAlphaBitmap({0, 0, 4, 4}, {0, 0, 4, 4}, dst, src, {}, false, kNoTint, 100, false);
  EXPECT_EQ(Bgr(dst, 2, 2), 0);
  DrawAlphaBitmap({0, 0, 4, 4}, {0, 0, 4, 4}, dst, src, {}, false, kNoTint, 0, false);
  EXPECT_EQ(Bgr(dst, 2, 2), 0xFEFEFE);
  TPixelImage half(4, 4, 24);
  DrawAlphaBitmap({0, 0, 4, 4}, {0, 0, 4, 4}, half, src, {}, false, kNoTint, 50, false);
  EXPECT_EQ(Bgr(half, 0, 0), 0x7E7E7E);  // weight 127: (255 * 127) >> 8
}

TEST(SkinAlphaDraw, TintScalesTheGrey) {
  TPixelImage src(2, 2, 32), dst(2, 2, 24);
  FillAll(src, 31, 20, 10, 255);  // blue 31, green 20, red 10: grey 20
  FillAll(dst, 0, 0, 0);
  DrawAlphaBitmap({0, 0, 2, 2}, {0, 0, 2, 2}, dst, src, {}, false, 0x0000FF, 0, false);
  // Red value 20, green and blue 0, mixed at weight 255 over black.
  EXPECT_EQ(Bgr(dst, 1, 1), MixBytes(20, 0, 255));
}

TEST(SkinAlphaDraw, KeyPixelsTakeTheBackgroundWhenReady) {
  TPixelImage src(3, 2, 32), dst(3, 2, 24), bg(3, 2, 24);
  FillAll(src, 0, 0, 255, 255);
  Put(src, 1, 0, 255, 0, 255, 0);
  FillAll(bg, 10, 20, 30);
  FillAll(dst, 1, 1, 1);
  TPixelBackground ground;
  ground.Bitmap = bg;
  ground.Ready = true;
  DrawAlphaBitmap({0, 0, 3, 2}, {0, 0, 3, 2}, dst, src, ground, true, kNoTint, 0, false);
  EXPECT_EQ(Bgr(dst, 1, 0), 0x0A141E);
  EXPECT_EQ(dst.View().Pixel(0, 0)[2], MixBytes(255, 1, 255));  // red over the old byte 1
  TPixelImage kept(3, 2, 24);
  FillAll(kept, 1, 1, 1);
  DrawAlphaBitmap({0, 0, 3, 2}, {0, 0, 3, 2}, kept, src, ground, false, kNoTint, 0, false);
  EXPECT_EQ(Bgr(kept, 1, 0), 0x010101);
}

TEST(SkinAlphaDraw, ReflectionFadesByLevels) {
  TPixelImage src(2, 20, 32), dst(2, 40, 24);
  FillAll(src, 255, 255, 255, 255);
  DrawAlphaBitmap({0, 0, 2, 20}, {0, 0, 2, 20}, dst, src, {}, false, kNoTint, 0, true);
  EXPECT_EQ(Bgr(dst, 0, 20), 0);  // the row right under the image stays
  const int levels[] = {255, 230, 205};
  for (int t = 1; t <= 3; ++t) {
    const int weight = (100 * 255 / 300) * levels[t - 1] / 255;
    EXPECT_EQ(dst.View().Pixel(0, 20 + t)[0], MixBytes(255, 0, weight)) << t;
  }
  EXPECT_NE(dst.View().Pixel(1, 29)[0], 0);  // nine rows
  EXPECT_EQ(dst.View().Pixel(1, 30)[0], 0);
}

TEST(SkinAlphaDraw, AreasAreClippedToBothBitmaps) {
  TPixelImage src(4, 4, 32), dst(4, 4, 24), dst32(4, 4, 32);
  FillAll(src, 255, 255, 255, 255);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      Put(src, x, y, x * 10, y * 10, 0, 255);
  DrawAlphaBitmap({-1, -2, 3, 4}, {0, 0, 4, 4}, dst, src, {}, false, kNoTint, 0, false);
  EXPECT_EQ(dst.View().Pixel(0, 0)[0], MixBytes(10, 0, 255));
  EXPECT_EQ(dst.View().Pixel(0, 0)[1], MixBytes(20, 0, 255));
  EXPECT_EQ(Bgr(dst, 3, 0), 0);
  DrawAlphaBitmap({2, 2, 40, 40}, {0, 0, 40, 40}, dst, src, {}, false, kNoTint, 0, false);
  EXPECT_EQ(Bgr(dst, 3, 3), MixBytes(10, 0, 255) << 16 | MixBytes(10, 0, 255) << 8);
  DrawAlphaBitmap({0, 0, 4, 4}, {0, 0, 4, 4}, dst32, src, {}, false, kNoTint, 0, false);
  EXPECT_EQ(Bgr(dst32, 3, 3), 0);  // only 24-bit destinations
}

TEST(SkinMaskDraw, BlendThroughMaskByMaskOrAlpha) {
  TPixelImage src(2, 4, 24), dst(2, 2, 24);
  FillAll(src, 100, 100, 100);
  FillAll(dst, 200, 200, 200);
  Put(src, 0, 2, 255, 255, 255);  // white mask keeps the destination
  Put(src, 1, 2, 0, 0, 0);        // black takes the picture
  BlendThroughMask({0, 0, 2, 2}, {0, 0, 2, 2}, dst, src, {}, false);
  EXPECT_EQ(dst.View().Pixel(0, 0)[0], MixBytes(200, 100, 255));
  EXPECT_EQ(dst.View().Pixel(1, 0)[0], 100);
  TPixelImage src32(2, 2, 32), dst32(2, 2, 32);
  FillAll(src32, 50, 60, 70, 0);
  FillAll(dst32, 9, 9, 9, 0);
  BlendThroughMask({0, 0, 2, 2}, {0, 0, 2, 2}, dst32, src32, {}, false);
  EXPECT_EQ(Bgr(dst32, 1, 1), 0x090909);
  EXPECT_EQ(dst32.View().Pixel(1, 1)[3], 255);
}

TEST(SkinBlendRect, FactorsKeysAndOffsets) {
  struct Case {
    const char* What;
    double Factor;
    TColor Key;
    int Expected;
  };
  const Case cases[] = {{"half of 1 over 0 ties to even", 0.5, static_cast<TColor>(0xFF000000), 0},
                        {"factor 0 copies", 0, static_cast<TColor>(0xFF000000), 1},
                        {"factor 1 keeps", 1, static_cast<TColor>(0xFF000000), 0},
                        {"a key of 1 skips", 0, 0x010101, 0}};
  for (const Case& c : cases) {
    TPixelImage src(2, 2, 24), dst(2, 2, 24);
    FillAll(src, 1, 1, 1);
    BlendBitmapRect(dst, 0, 0, src, {0, 0, 1, 1}, c.Factor, c.Key);
    EXPECT_EQ(dst.View().Pixel(1, 1)[0], c.Expected) << c.What;
  }
  TPixelImage src(4, 2, 24), dst(8, 2, 24);
  for (int x = 0; x < 4; ++x)
    Put(src, x, 0, 10 + x, 0, 0);
  BlendBitmapRect(dst, 0, 0, src, {-3, 0, 3, 0}, 0, static_cast<TColor>(0xFF000000));
  EXPECT_EQ(dst.View().Pixel(3, 0)[0], 10);  // source column 0 at X + 3
  TPixelImage left(8, 2, 24);
  BlendBitmapRect(left, -2, 0, src, {0, 0, 3, 0}, 0, static_cast<TColor>(0xFF000000));
  EXPECT_EQ(left.View().Pixel(0, 0)[0], 12);
  EXPECT_EQ(left.View().Pixel(1, 0)[0], 13);
  EXPECT_EQ(left.View().Pixel(2, 0)[0], 0);
}

TEST(SkinBlendRect, FuchsiaKeyAndColourBlend) {
  TPixelImage src(2, 2, 24), dst(2, 2, 24);
  FillAll(src, 255, 0, 255);
  Put(src, 1, 1, 7, 7, 7);
  BlendBitmapRect(dst, 0, 0, src, {0, 0, 1, 1}, 0, 0xFF00FF);
  EXPECT_EQ(Bgr(dst, 0, 0), 0);
  EXPECT_EQ(Bgr(dst, 1, 1), 0x070707);
  TPixelImage img(2, 2, 32);
  FillAll(img, 100, 100, 100, 5);
  Put(img, 1, 1, 255, 0, 255, 0);
  BlendBitmapColor(img, 0x0000FF, 0xFF00FF, 0.5);
  EXPECT_EQ(Bgr(img, 0, 0), 0x3232B2);  // blue 50, green 50, red 177.5 -> 178
  EXPECT_EQ(img.View().Pixel(0, 0)[3], 5);
  EXPECT_EQ(Bgr(img, 1, 1), 0xFF00FF);
}

TEST(SkinKeyedCopy, CopiesAroundTheKeyInsideTheDestination) {
  TPixelImage src(3, 3, 24), dst(4, 4, 32);
  FillAll(src, 1, 2, 3);
  Put(src, 1, 1, 255, 0, 255);
  CopyBitmapKeyed(dst, src, 2, 2, 0xFF00FF);
  EXPECT_EQ(Bgr(dst, 2, 2), 0x010203);
  EXPECT_EQ(dst.View().Pixel(2, 2)[3], 255);
  EXPECT_EQ(Bgr(dst, 3, 3), 0);  // the key pixel
  EXPECT_EQ(Bgr(dst, 1, 1), 0);
}

TEST(SkinMixInto32, WeightMaskAndSizeChecks) {
  TPixelImage a(2, 2, 24), b(2, 2, 24), d(2, 2, 32), small(1, 2, 32), mask(2, 2, 24), other(3, 2, 24);
  FillAll(a, 200, 200, 200);
  FillAll(b, 17, 18, 19);
  FillAll(d, 0, 0, 0, 77);
  MixBitmapsInto32(d, a, b, nullptr, 0);
  EXPECT_EQ(Bgr(d, 1, 1), 0x111213);
  EXPECT_EQ(d.View().Pixel(1, 1)[3], 77);
  Put(mask, 0, 0, 255, 255, 255);
  MixBitmapsInto32(d, a, b, &mask.View(), 0);
  EXPECT_EQ(d.View().Pixel(0, 0)[0], MixBytes(200, 17, 255));
  FillAll(d, 0, 0, 0, 0);
  MixBitmapsInto32(d, a, other, nullptr, 0);
  MixBitmapsInto32(small, a, b, nullptr, 0);
  MixBitmapsInto32(d, a, b, &small.View(), 0);
  EXPECT_EQ(Bgr(d, 1, 1), 0);
  EXPECT_EQ(small.View().Pixel(0, 1)[0], 0);
}

TEST(SkinChannels, CopyPixelChannelBothWays) {
  TPixelImage wide(3, 2, 32), narrow(3, 2, 8);
  Put(wide, 2, 1, 1, 2, 3, 4);
  CopyPixelChannel(wide, narrow, 3, true);
  EXPECT_EQ(narrow.View().Row(1)[2], 4);
  narrow.View().Row(0)[1] = 99;
  CopyPixelChannel(wide, narrow, 0, false);
  EXPECT_EQ(wide.View().Pixel(1, 0)[0], 99);
  EXPECT_EQ(wide.View().Pixel(2, 1)[0], 4);  // the alpha copied out before
  EXPECT_EQ(wide.View().Pixel(2, 1)[1], 2);
}

TEST(SkinGlyphColumns, ColumnByStateAndGlyphCount) {
  struct Case {
    int NumGlyphs;
    bool Enabled;
    int State;
    bool Down, SixteenColour;
    int Column;
  };
  const Case cases[] = {{4, true, 2, true, false, 3},  {3, true, 2, true, false, 1},
                        {3, true, 2, true, true, 0},   {3, true, 2, false, false, 2},
                        {4, true, 1, false, false, 1}, {4, true, 1, false, true, 0},
                        {4, false, 2, true, false, 0}, {4, true, 0, true, false, 0},
                        {1, true, 2, true, false, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(GlyphColumn(c.NumGlyphs, c.Enabled, c.State, c.Down, c.SixteenColour), c.Column)
        << c.NumGlyphs << " glyphs, state " << c.State << (c.Down ? " down" : "");
  ClassicGlyphColumns = true;
  EXPECT_EQ(GlyphColumn(3, true, 2, true, false), 0);
  EXPECT_EQ(GlyphColumn(4, true, 2, true, false), 3);
  ClassicGlyphColumns = false;
}

}  // namespace
