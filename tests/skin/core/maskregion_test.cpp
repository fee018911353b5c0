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

namespace {

std::unique_ptr<TBitmap> FilledBitmap24(int Width, int Height, TColor Color) {
  std::unique_ptr<TBitmap> b(CreateBitmap24(Width, Height));
  b->Canvas().Brush().SetColor(Color);
  b->Canvas().FillRect(RECT{0, 0, Width, Height});
  return b;
}

TColor Grey(int v) { return RGBColor(v, v, v); }

TEST(SkinMaskGlyph, MaskedGlyphsAreFainterUnlessModeOne) {
  TestSkin skin;
  skin.AddSection("BUTTON");
  // A 4 x 4 picture of grey 100 above a black mask (take the picture).
  TsMaskData& glyph = skin.AddImageMask("BUTTON", "GLYPH", itisaGlyph, 4, 8, Grey(100), 1, 1);
  glyph.Image->Canvas().Brush().SetColor(clBlack);
  glyph.Image->Canvas().FillRect(RECT{0, 4, 4, 8});
  const struct {
    int Mode;
    int Expected;
  } cases[] = {{1, 100}, {0, ((200 - 100) * 100 + 100 * 256) >> 8}, {2, ((200 - 100) * 100 + 100 * 256) >> 8}};
  for (const auto& c : cases) {
    auto b = FilledBitmap24(10, 10, Grey(200));
    DrawMaskGlyph(b.get(), {2, 3}, 0, {}, glyph, c.Mode);
    EXPECT_EQ(b->Canvas().GetPixel(2, 3), Grey(c.Expected)) << "mode " << c.Mode;
    EXPECT_EQ(b->Canvas().GetPixel(5, 6), Grey(c.Expected)) << "mode " << c.Mode;
    EXPECT_EQ(b->Canvas().GetPixel(6, 7), Grey(200)) << "mode " << c.Mode;
  }
}

// A keyed glyph of two states cut from the master bitmap: column 0 red,
// column 1 green 4 x 4 each, with a clFuchsia pixel at the top-left of the
// green cell.
TsMaskData& KeyedMasterGlyph(TestSkin& skin) {
  skin.SetMasterBitmap(8, 4, clRed);
  TCanvas& c = skin.Manager()->MasterBitmap->Canvas();
  c.Brush().SetColor(clLime);
  c.FillRect(RECT{4, 0, 8, 4});
  c.SetPixel(4, 0, clFuchsia);
  skin.AddSection("BUTTON");
  return skin.AddMasterMask("BUTTON", "GLYPH", itisaGlyph, RECT{0, 0, 8, 4}, 2, 0);
}

TEST(SkinMaskGlyph, KeyedGlyphsCopyWithBackgroundOrBlendHalf) {
  TestSkin skin;
  TsMaskData& glyph = KeyedMasterGlyph(skin);
  auto background = FilledBitmap24(20, 20, clBlue);
  TPixelBackground src;
  src.Bitmap = PixelViewOf(background.get());
  src.X = 1;
  src.Y = 1;
  background->Canvas().SetPixel(3, 3, clYellow);

  auto copied = FilledBitmap24(10, 10, clWhite);
  DrawMaskGlyph(copied.get(), {2, 2}, 1, src, glyph, 1);
  EXPECT_EQ(copied->Canvas().GetPixel(2, 2), clYellow);  // the key pixel shows the background at (1 + 2, 1 + 2)
  EXPECT_EQ(copied->Canvas().GetPixel(3, 2), clLime);
  EXPECT_EQ(copied->Canvas().GetPixel(6, 6), clWhite);

  auto blended = FilledBitmap24(10, 10, clBlack);
  DrawMaskGlyph(blended.get(), {2, 2}, 1, src, glyph, 0);
  EXPECT_EQ(blended->Canvas().GetPixel(2, 2), clBlack);  // the key pixel is left out
  EXPECT_EQ(blended->Canvas().GetPixel(3, 2), RGBColor(0, 128, 0));  // Round(255 - 0.5 * 255) is 128 (ties to even)
}

TEST(SkinMaskGlyph, NegativePositionsStartInsideTheCell) {
  TestSkin skin;
  skin.SetMasterBitmap(8, 6, clBlack);
  TCanvas& c = skin.Manager()->MasterBitmap->Canvas();
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x)
      c.SetPixel(x, y, RGBColor(x * 20 + 10, y * 20 + 10, 0));
  skin.AddSection("BUTTON");
  TsMaskData& glyph = skin.AddMasterMask("BUTTON", "GLYPH", itisaGlyph, RECT{0, 0, 8, 6}, 1, 0);
  auto b = FilledBitmap24(10, 10, clWhite);
  DrawMaskGlyph(b.get(), {-3, -2}, 0, {}, glyph, 1);
  EXPECT_EQ(b->Canvas().GetPixel(0, 0), RGBColor(3 * 20 + 10, 2 * 20 + 10, 0));
  EXPECT_EQ(b->Canvas().GetPixel(4, 3), RGBColor(7 * 20 + 10, 5 * 20 + 10, 0));
  EXPECT_EQ(b->Canvas().GetPixel(5, 0), clWhite);
  EXPECT_EQ(b->Canvas().GetPixel(0, 4), clWhite);
}

TEST(SkinMaskRectOnBitmaps, StretchedEdgesSpreadTheStripWhileTiledEdgesRepeatIt) {
  // A 12 x 12 blue border image whose left edge strip (4 columns, rows 4-7)
  // is red in its upper two rows and green in its lower two.
  for (const int stretchMode : {0, 1}) {
    TestSkin skin;
    skin.AddSection("PANEL");
    TsMaskData& m = skin.AddImageMask("PANEL", "BORDERSMASK", itisaBorder, 12, 12, clBlue);
    m.WL = m.WT = m.WR = m.WB = 4;
    m.StretchMode = static_cast<short>(stretchMode);
    TCanvas& c = m.Image->Canvas();
    c.Brush().SetColor(clRed);
    c.FillRect(RECT{0, 4, 4, 6});
    c.Brush().SetColor(clLime);
    c.FillRect(RECT{0, 6, 4, 8});
    auto b = FilledBitmap24(40, 40, clWhite);
    DrawMaskRect(b.get(), RECT{0, 0, 40, 40}, false, false, 0, m, {});
    TCanvas& d = b->Canvas();
    EXPECT_EQ(d.GetPixel(1, 1), clBlue) << stretchMode;
    EXPECT_EQ(d.GetPixel(1, 4), clRed) << stretchMode;
    EXPECT_EQ(d.GetPixel(1, 35), clLime) << stretchMode;
    // Row 10: the fourth tile row of a tiled edge, the upper half of a stretched one.
    EXPECT_EQ(d.GetPixel(1, 10), stretchMode == 1 ? clRed : clLime) << stretchMode;
    EXPECT_EQ(d.GetPixel(1, 17), clRed) << stretchMode;
    EXPECT_EQ(d.GetPixel(1, 21), stretchMode == 1 ? clLime : clRed) << stretchMode;
  }
}

}  // namespace
