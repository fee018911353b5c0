// Border widths, state cells, keyed and masked copies and the transparent
// runs of skin images' corners, on pixel views over plain memory.
#include <gtest/gtest.h>

#include "skin/core/maskpaint.h"

namespace {

void Put(const TPixelView& v, int x, int y, int b, int g, int r) {
  std::uint8_t* p = v.Pixel(x, y);
  p[0] = static_cast<std::uint8_t>(b);
  p[1] = static_cast<std::uint8_t>(g);
  p[2] = static_cast<std::uint8_t>(r);
}

void FillAll(const TPixelView& v, int b, int g, int r) {
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      Put(v, x, y, b, g, r);
}

void PutFuchsia(const TPixelView& v, int x, int y) { Put(v, x, y, 255, 0, 255); }

TEST(SkinMaskGeometry, BorderWidthsFitTheRectangle) {
  struct Case {
    int First, Second, Size, FirstOut, SecondOut;
  };
  const Case cases[] = {{6, 6, 9, 5, 4}, {6, 6, 10, 5, 5}, {2, 3, 10, 2, 3}, {9, 1, 2, 5, 0}, {3, 3, 0, 0, 0}};
  for (const Case& c : cases) {
    int a = c.First, b = c.Second;
    FitBorderWidths(a, b, c.Size);
    EXPECT_EQ(a, c.FirstOut) << c.First << "+" << c.Second << " in " << c.Size;
    EXPECT_EQ(b, c.SecondOut) << c.First << "+" << c.Second << " in " << c.Size;
  }
}

TEST(SkinMaskGeometry, StateCellsStopAtTheLastColumn) {
  TMaskImage image;
  image.R = {10, 0, 40, 20};
  image.ImageCount = 3;
  image.MaskType = 1;
  EXPECT_EQ(image.FrameWidth(), 10);
  EXPECT_EQ(image.FrameHeight(), 10);
  EXPECT_EQ(image.CellLeft(0), 10);
  EXPECT_EQ(image.CellLeft(5), 30);  // state 5 draws the third column
  image.ImageCount = 0;
  EXPECT_EQ(image.FrameWidth(), 0);
}

TEST(SkinMaskCopies, MaskedPixelRule) {
  EXPECT_EQ(MaskedPixel(200, 100, 255), 199);
  EXPECT_EQ(MaskedPixel(200, 100, 0), 100);
  EXPECT_EQ(MaskedPixel(0, 255, 255), 0);
}

TEST(SkinMaskCopies, PlainKeyedCopyClipsBothSides) {
  TPixelImage src(3, 3, 24), dst(4, 4, 24);
  FillAll(src, 1, 2, 3);
  PutFuchsia(src, 0, 0);
  CopyPlainKeyed(dst, src, 2, 2, 0xFF00FF, {-1, -1, 9, 9});
  EXPECT_EQ(dst.View().Pixel(2, 2)[0], 0);  // the key pixel
  EXPECT_EQ(dst.View().Pixel(3, 3)[2], 3);
  CopyPlainKeyed(dst, src, -2, -2, 0xFF00FF, {0, 0, 2, 2});
  EXPECT_EQ(dst.View().Pixel(0, 0)[1], 2);
}

TEST(SkinMaskCopies, KeyedPieceTakesBackgroundFillOrNothing) {
  TPixelImage src(2, 2, 24), bg(4, 4, 24);
  FillAll(src, 9, 9, 9);
  PutFuchsia(src, 0, 0);
  FillAll(bg, 40, 50, 60);
  struct Case {
    const char* What;
    bool CB, WithBitmap, Ready;
    int Blue;
  };
  const Case cases[] = {{"background behind the key", true, true, true, 40},
                        {"ready background without CB keeps", false, true, true, 0},
                        {"no background paints the fill colour", false, false, false, 0x33}};
  for (const Case& c : cases) {
    TPixelImage dst(4, 4, 24);
    TPixelBackground source;
    if (c.WithBitmap)
      source.Bitmap = bg;
    source.Ready = c.Ready;
    source.FillColor = 0x330000;  // blue 0x33
    CopyKeyedPiece(dst, src, 1, 1, c.CB, source, 0xFF00FF, {0, 0, 1, 1});
    EXPECT_EQ(dst.View().Pixel(1, 1)[0], c.Blue) << c.What;
    EXPECT_EQ(dst.View().Pixel(2, 2)[0], 9) << c.What;
  }
  // The background is the destination itself: key pixels stay.
  TPixelImage self(4, 4, 24);
  FillAll(self, 7, 7, 7);
  TPixelBackground same;
  same.Bitmap = self;
  same.Ready = true;
  CopyKeyedPiece(self, src, 0, 0, true, same, 0xFF00FF, {0, 0, 1, 1});
  EXPECT_EQ(self.View().Pixel(0, 0)[0], 7);
}

TEST(SkinMaskCopies, MaskedGlyphOffsetsFaintnessAndKeys) {
  // One 4 x 4 cell with its mask below: picture blue = 10 * x + y.
  TMaskImage image;
  TPixelImage bits(4, 8, 24);
  image.Bitmap = bits;
  image.R = {0, 0, 4, 8};
  image.MaskType = 1;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      Put(bits, x, y, 10 * x + y, 0, 0);  // mask bytes stay 0: the picture
  PutFuchsia(bits, 3, 3);
  TPixelImage dst(4, 4, 24);
  FillAll(dst, 200, 200, 200);
  CopyMaskedGlyph(dst, {-3, -2}, 0, image, false);
  EXPECT_EQ(dst.View().Pixel(0, 0)[0], 32);  // cell column 3, row 2
  EXPECT_EQ(dst.View().Pixel(0, 1)[0], 200);  // the fuchsia pixel is skipped
  EXPECT_EQ(dst.View().Pixel(1, 0)[0], 200);
  TPixelImage faint(4, 4, 24);
  FillAll(faint, 200, 200, 200);
  CopyMaskedGlyph(faint, {0, 0}, 0, image, true);
  EXPECT_EQ(faint.View().Pixel(1, 1)[0], MaskedPixel(200, 11, 100));
}

TEST(SkinMaskCopies, TransparentRunsOfTheCorners) {
  TMaskImage image;
  TPixelImage bits(8, 8, 24);
  image.Bitmap = bits;
  image.R = {0, 0, 8, 8};
  image.WL = image.WT = image.WR = image.WB = 4;
  for (int x = 0; x < 3; ++x)
    PutFuchsia(bits, x, 0);
  PutFuchsia(bits, 7, 1);
  PutFuchsia(bits, 0, 7);
  std::vector<TPixelRect> rects;
  CollectMaskTransparentRects(rects, 100, image, false, 5);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].left, 0);
  EXPECT_EQ(rects[0].top, 5);
  EXPECT_EQ(rects[0].right, 3);
  EXPECT_EQ(rects[0].bottom, 6);
  EXPECT_EQ(rects[1].left, 99);  // column 7 of the cell at the right edge
  EXPECT_EQ(rects[1].right, 100);
  EXPECT_EQ(rects[1].top, 6);
  rects.clear();
  CollectMaskTransparentRects(rects, 8, image, true, 0);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].top, 3);
  image.WT = 20;  // more rows than the bitmap holds
  rects.clear();
  CollectMaskTransparentRects(rects, 8, image, false, 0);
  EXPECT_TRUE(rects.empty());
}

}  // namespace
