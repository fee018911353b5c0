// Skin images of a skin built in memory drawn into bitmaps and cut out of
// window regions.
#include <gtest/gtest.h>

#include <memory>

#include "skin/core/maskregion.h"
#include "skin/core/skinbitmaps.h"
#include "tests/skin/testskin.h"

namespace {

using skin_test::TestSkin;

// A 20 x 20 blue border image whose four corner pixels are clFuchsia.
TsMaskData& CornerMask(TestSkin& skin) {
  TsMaskData& m = skin.AddImageMask("FORM", "BORDERSMASK", itisaBorder, 20, 20, clBlue);
  m.WL = m.WT = m.WR = m.WB = 4;
  TCanvas& c = m.Image->Canvas();
  for (POINT p : {POINT{0, 0}, POINT{19, 0}, POINT{0, 19}, POINT{19, 19}, POINT{1, 0}})
    c.SetPixel(p.x, p.y, clFuchsia);
  return m;
}

TEST(SkinMaskRegion, CornerPixelsAreCutOutOfTheRegion) {
  TestSkin skin;
  skin.AddSection("FORM");
  TsMaskData& mask = CornerMask(skin);
  std::unique_ptr<TBitmap> b(CreateBitmap24(50, 30));
  HRGN rgn = CreateRectRgn(0, 0, 50, 30);
  BuildMaskRegion(b.get(), rgn, false, mask, 0);
  struct Probe {
    int X, Y;
    bool Inside;
  };
  const Probe probes[] = {{0, 0, false}, {1, 0, false}, {2, 0, true},   {1, 1, true},  {49, 0, false},
                          {48, 0, true}, {0, 29, false}, {1, 28, true}, {49, 29, false}, {48, 28, true}};
  for (const Probe& p : probes)
    EXPECT_EQ(PtInRegion(rgn, p.X, p.Y) != FALSE, p.Inside) << p.X << "," << p.Y;
  DeleteObject(rgn);
  EXPECT_EQ(b->Canvas().GetPixel(25, 0), clBlue);  // the border was drawn too
}

TEST(SkinMaskRegion, ImagesWithoutManagerOrWithDamagedRectanglesStaySafe) {
  TestSkin skin;
  skin.AddSection("FORM");
  TsMaskData& mask = CornerMask(skin);
  std::unique_ptr<TBitmap> b(CreateBitmap24(30, 30));
  b->Canvas().Brush().SetColor(clWhite);
  RECT all{0, 0, 30, 30};
  b->Canvas().FillRect(all);
  TsMaskData orphan = mask;
  orphan.Manager = nullptr;
  DrawMaskRect(b.get(), all, true, false, 0, orphan, {});
  EXPECT_EQ(b->Canvas().GetPixel(10, 0), clWhite);
  TsMaskData damaged = mask;
  damaged.R = {-50, -50, 5000, 5000};
  damaged.WL = damaged.WR = damaged.WT = damaged.WB = 400;
  DrawMaskRect(b.get(), all, true, false, 0, damaged, {});
  EXPECT_EQ(MaskImageOf(damaged).R.right, 20);
  EXPECT_EQ(MaskImageOf(damaged).R.left, 0);
}

}  // namespace

namespace {

// A 12 x 12 source: each pixel's colour is red = x * 20, green = y * 20.
std::unique_ptr<TBitmap> CoordinateSource() {
  std::unique_ptr<TBitmap> s(CreateBitmap24(12, 12));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x)
      s->Canvas().SetPixel(x, y, static_cast<TColor>(x * 20 | (y * 20) << 8));
  return s;
}

TColor At(int x, int y) { return static_cast<TColor>(x * 20 | (y * 20) << 8); }

TEST(SkinNinePart, CornersEdgesAndLimitedMargins) {
  auto s = CoordinateSource();
  std::unique_ptr<TBitmap> d(CreateBitmap24(30, 30));
  CopyNinePartImage(d.get(), s.get(), {0, 0, 30, 30}, {0, 0, 12, 12}, {4, 4, 4, 4}, {2, 2, 2, 2}, {0, 0, 0, 0}, 0,
                    true);
  TCanvas& c = d->Canvas();
  EXPECT_EQ(c.GetPixel(3, 1), At(3, 1));     // 4 x 2 block of the corner
  EXPECT_EQ(c.GetPixel(1, 3), At(1, 3));     // 2 x 2 block below it
  EXPECT_EQ(c.GetPixel(3, 3), clWhite);      // the rest of the margin stays (new bitmaps are white)
  EXPECT_EQ(c.GetPixel(29, 29), At(11, 11));
  EXPECT_EQ(c.GetPixel(4, 0), At(4, 0));     // top edge tiled from the margin
  EXPECT_EQ(c.GetPixel(8, 0), At(4, 0));
  EXPECT_EQ(c.GetPixel(15, 15), At(7, 7));   // centre tiled: (15 - 4) mod 4 + 4
}

TEST(SkinNinePart, AnEmptyMiddleStripDrawsNoTiles) {
  auto s = CoordinateSource();
  std::unique_ptr<TBitmap> d(CreateBitmap24(30, 30));
  CopyNinePartImage(d.get(), s.get(), {0, 0, 30, 30}, {0, 0, 12, 12}, {6, 6, 6, 6}, {6, 6, 6, 6}, {0, 0, 0, 0}, 0,
                    true);
  EXPECT_EQ(d->Canvas().GetPixel(15, 1), clWhite);
  EXPECT_EQ(d->Canvas().GetPixel(5, 5), At(5, 5));
}

}  // namespace
