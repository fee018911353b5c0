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

// A 2 x 4 image: the picture half is grey 100 with a clFuchsia pixel at
// (0, 0), the mask half is black (take the picture) but for a white pixel
// under (1, 1) (keep the destination).
struct MaskedCellImage {
  TPixelImage Bits{2, 4, 24};
  MaskedCellImage() {
    FillAll(Bits, 100, 100, 100);
    PutFuchsia(Bits, 0, 0);
    for (int y = 2; y < 4; ++y)
      for (int x = 0; x < 2; ++x)
        Put(Bits, x, y, 0, 0, 0);
    Put(Bits, 1, 3, 255, 255, 255);
  }
};

TEST(SkinMaskCopies, MaskedCellTakesKeyPixelsFromTheBackground) {
  MaskedCellImage image;
  TPixelImage bg(8, 8, 24);
  FillAll(bg, 10, 20, 30);
  Put(bg, 3, 4, 11, 22, 33);
  struct Case {
    const char* What;
    bool WithBitmap;
    TColor Fill;
    int KeyBlue;  // blue byte of the destination under the key pixel
  };
  const Case cases[] = {{"background bitmap at (X + x, Y + y)", true, 0, 11},
                        {"fill colour without a bitmap", false, 0x00FF0000, 0xFF},
                        {"a clFuchsia fill leaves the pixel", false, 0xFF00FF, 200}};
  for (const Case& c : cases) {
    TPixelImage dst(4, 4, 24);
    FillAll(dst, 200, 200, 200);
    TPixelBackground src;
    if (c.WithBitmap)
      src.Bitmap = bg;
    src.X = 2;
    src.Y = 3;
    src.FillColor = c.Fill;
    CopyMaskedCell({1, 1, 3, 3}, {0, 0, 2, 4}, dst, image.Bits, src);
    EXPECT_EQ(dst.View().Pixel(1, 1)[0], c.KeyBlue) << c.What;
    EXPECT_EQ(dst.View().Pixel(2, 1)[0], 100) << c.What;                          // black mask: the picture
    EXPECT_EQ(dst.View().Pixel(2, 2)[0], MaskedPixel(200, 100, 255)) << c.What;  // white mask: the destination
    EXPECT_EQ(dst.View().Pixel(3, 3)[0], 200) << c.What;                          // outside the cell
  }
}

TEST(SkinMaskCopies, MaskedCellClipsNegativeOriginsAndEdges) {
  MaskedCellImage image;
  TPixelImage dst(3, 3, 24);
  FillAll(dst, 200, 200, 200);
  // Destination one column and row left of and above the bitmap: the cell's
  // first row and column are dropped, its (1, 1) lands at (0, 0).
  CopyMaskedCell({-1, -1, 1, 1}, {0, 0, 2, 4}, dst, image.Bits, {});
  EXPECT_EQ(dst.View().Pixel(0, 0)[0], MaskedPixel(200, 100, 255));
  EXPECT_EQ(dst.View().Pixel(1, 0)[0], 200);
  // At the bottom-right corner only one pixel fits.
  CopyMaskedCell({2, 2, 4, 4}, {0, 0, 2, 4}, dst, image.Bits, {});
  EXPECT_EQ(dst.View().Pixel(2, 2)[0], 0);  // the cell's key pixel gets the fill colour, black
  EXPECT_EQ(dst.View().Pixel(2, 1)[0], 200);
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

namespace {

// A keyed image of three 12 x 12 cells: blue = 100 + column, green = x and
// red = y within the cell, so each drawn pixel names its source.
struct ThreeCells {
  TPixelImage Bits{36, 12, 24};
  TMaskImage Image;

  ThreeCells() {
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 36; ++x)
        Put(Bits, x, y, 100 + x / 12, x % 12, y);
    Image.Bitmap = Bits;
    Image.R = {0, 0, 36, 12};
    Image.ImageCount = 3;
    Image.WL = Image.WR = 6;
  }
};

TEST(SkinMaskRect, OddWidthFitsTheBordersAsFiveAndFour) {
  ThreeCells cells;
  TPixelImage dst(9, 12, 24);
  DrawMaskRect(dst, {0, 0, 9, 12}, false, false, 0, cells.Image, {});
  EXPECT_EQ(dst.View().Pixel(4, 5)[1], 4);  // left strip, 5 wide
  EXPECT_EQ(dst.View().Pixel(5, 5)[1], 8);  // right strip from column fw - 4
  EXPECT_EQ(dst.View().Pixel(8, 5)[1], 11);
}

TEST(SkinMaskRect, StatesColumnsAndCentre) {
  struct Case {
    const char* What;
    int State, StretchMode;
    bool FC;
    int BorderBlue, CentreBlue;  // 0: untouched
  };
  const Case cases[] = {{"state 5 of three columns draws the third", 5, 0, false, 102, 0},
                        {"bit 2 draws nothing in state 0", 0, 2, true, 0, 0},
                        {"bit 2 draws the border in state 1", 1, 2, false, 101, 0},
                        {"FC without bit 4 leaves the centre", 0, 0, true, 100, 0},
                        {"FC with bit 4 draws the centre", 0, 4, true, 100, 100}};
  for (const Case& c : cases) {
    ThreeCells cells;
    cells.Image.WL = cells.Image.WR = cells.Image.WT = cells.Image.WB = 3;
    cells.Image.StretchMode = c.StretchMode;
    TPixelImage dst(30, 30, 24);
    DrawMaskRect(dst, {0, 0, 30, 30}, c.FC, false, c.State, cells.Image, {});
    EXPECT_EQ(dst.View().Pixel(1, 1)[0], c.BorderBlue) << c.What;
    EXPECT_EQ(dst.View().Pixel(15, 15)[0], c.CentreBlue) << c.What;
  }
}

TEST(SkinMaskRect, EdgesTileFromTheNearCornerAndStretchWithBitOne) {
  ThreeCells cells;
  cells.Image.WL = cells.Image.WR = cells.Image.WT = cells.Image.WB = 3;  // middle strips 6 wide
  TPixelImage tiled(30, 30, 24);
  DrawMaskRect(tiled, {0, 0, 30, 30}, false, false, 0, cells.Image, {});
  EXPECT_EQ(tiled.View().Pixel(3, 0)[1], 3);   // first top piece
  EXPECT_EQ(tiled.View().Pixel(9, 0)[1], 3);   // second piece starts again
  EXPECT_EQ(tiled.View().Pixel(26, 0)[1], 8);  // partial piece before the corner
  EXPECT_EQ(tiled.View().Pixel(27, 0)[1], 9);  // top-right corner
  cells.Image.StretchMode = 1;
  TPixelImage stretched(30, 30, 24);
  DrawMaskRect(stretched, {0, 0, 30, 30}, false, false, 0, cells.Image, {});
  EXPECT_EQ(stretched.View().Pixel(3, 0)[1], 3);
  EXPECT_EQ(stretched.View().Pixel(26, 0)[1], 8);
  EXPECT_EQ(stretched.View().Pixel(14, 0)[1], 3 + (14 - 3) * 6 / 24);
}

TEST(SkinMaskRect, MaskedCornersMixAndKeyedCornersSkipTheKey) {
  TMaskImage image;
  TPixelImage bits(4, 8, 24);
  image.Bitmap = bits;
  image.R = {0, 0, 4, 8};
  image.MaskType = 1;
  image.WL = image.WR = image.WT = image.WB = 2;
  FillAll(bits, 100, 100, 100);
  for (int y = 4; y < 8; ++y)
    for (int x = 0; x < 4; ++x)
      Put(bits, x, y, 255, 255, 255);  // white mask keeps the destination
  PutFuchsia(bits, 0, 0);
  TPixelImage dst(10, 10, 24);
  FillAll(dst, 200, 200, 200);
  TPixelBackground fill;
  fill.FillColor = 0x0000FF;  // red
  DrawMaskRect(dst, {0, 0, 10, 10}, false, true, 0, image, fill);
  EXPECT_EQ(dst.View().Pixel(0, 0)[2], 255);  // key pixel of a corner takes the fill colour
  EXPECT_EQ(dst.View().Pixel(0, 0)[0], 0);
  EXPECT_EQ(dst.View().Pixel(1, 1)[0], MaskedPixel(200, 100, 255));
  EXPECT_EQ(dst.View().Pixel(9, 9)[0], MaskedPixel(200, 100, 255));
}

}  // namespace
