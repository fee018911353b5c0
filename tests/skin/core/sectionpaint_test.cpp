// Skin sections painted into memory bitmaps over a skin built in memory:
// the background cases by transparency, textures and gradients, the control
// item with its border and corners, and what bad input paints (nothing).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "classlib/graphics/jpeg.h"
#include "skin/core/commondata.h"
#include "skin/core/patternfill.h"
#include "skin/core/sectionpaint.h"
#include "skin/core/skinbitmaps.h"
#include "tests/skin/testskin.h"
#include "tests/skin/testskinfiles.h"
#include "tests/support/formfixture.h"
#include "skinprobe.h"

namespace sectionpaint_test {

using skin_test::TestSkin;
using skin_test::TSkinProbe;
using test_support::FormFixture;

using Bitmap = std::unique_ptr<TBitmap>;

Bitmap Filled(int W, int H, TColor C, bool ThirtyTwo = false) {
  Bitmap b(ThirtyTwo ? CreateBitmap32(W, H) : CreateBitmap24(W, H));
  FillBitmapRect(b.get(), RECT{0, 0, W, H}, C);
  return b;
}

// A background whose every pixel differs: red = x, green = y.
Bitmap Gradientish(int W, int H) {
  Bitmap b(CreateBitmap24(W, H));
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      b->Canvas().SetPixel(x, y, RGB(x, y, 77));
  return b;
}

TColor At(TBitmap* B, int X, int Y) { return B->Canvas().GetPixel(X, Y); }

int Channel(TColor C, int K) { return (static_cast<unsigned>(C) >> (8 * K)) & 0xFF; }

// The byte rule of BlendBitmapOnto with the background's share W.
int Blend(int Bg, int Pic, int W) { return (Bg * W + Pic * (255 - W) + 127) >> 8; }

TColor BlendedColor(TColor Bg, TColor Pic, int W) {
  return static_cast<TColor>(Blend(Channel(Bg, 0), Channel(Pic, 0), W) |
                             Blend(Channel(Bg, 1), Channel(Pic, 1), W) << 8 |
                             Blend(Channel(Bg, 2), Channel(Pic, 2), W) << 16);
}

// A section "SEC" with a keyed PATTERN texture of the master bitmap (4 x 3,
// blue, fill mode 0).
struct TexturedSkin {
  TestSkin skin;
  int Section;
  int Texture;
  TexturedSkin() {
    skin.SetMasterBitmap(40, 40, clBlue);
    TsGeneralData& s = skin.AddSection("SEC");
    s.Color = clWhite;
    skin.AddMasterMask("SEC", "PATTERN", itisaTexture, RECT{0, 0, 4, 3});
    skin.Apply();
    Section = skin.SectionIndex("SEC");
    Texture = skin.Manager()->FindMask(Section, "SEC", "PATTERN");
  }
  TsGeneralData& Data() { return skin.Section("SEC"); }
};

const TsGradArray kSolidGreen{{clLime, clLime, 100, gdVertical}};

TEST(SectionPaint, BackgroundByTransparencyTextureAndGradient) {
  struct Case {
    const char* Name;
    int Transparency, ImagePercent, GradientPercent;
    bool Gradient;  // else an empty gradient text
    TColor Expected;
  };
  const TColor tex = clBlue, col = clWhite, grad = clLime;
  // 30 percent texture, 70 percent colour: Round(0.3 * t + 0.7 * c).
  const TColor thirty = static_cast<TColor>(0xFFB2B2);
  // 60 over 60: the gradient over the texture, weight 153 for the texture.
  const TColor sixty = BlendedColor(tex, grad, 153);
  // 30 and an empty gradient text at 40: colour over the texture at weight
  // 76, then the colour takes 30 percent.
  const TColor colourLayer = BlendedColor(tex, col, 76);
  auto wash = [](int c, int k, int p) { return static_cast<int>(std::lround(p / 100.0 * c + (1 - p / 100.0) * k)); };
  const TColor emptyText = static_cast<TColor>(wash(Channel(colourLayer, 0), 255, 70) |
                                               wash(Channel(colourLayer, 1), 255, 70) << 8 |
                                               wash(Channel(colourLayer, 2), 255, 70) << 16);
  const Case cases[] = {
      {"no texture, no gradient", 0, 0, 0, true, col},
      {"30 percent texture alone", 0, 30, 0, true, thirty},
      {"60 and 60", 0, 60, 60, true, sixty},
      {"40 percent of an empty gradient text without texture", 0, 0, 40, false, col},
      {"30 texture and 40 of an empty gradient text", 0, 30, 40, false, emptyText},
      {"a gradient without texture", 0, 0, 100, true, grad},
  };
  for (const Case& c : cases) {
    TexturedSkin t;
    TsGeneralData& s = t.Data();
    s.Transparency = c.Transparency;
    s.ImagePercent = c.ImagePercent;
    s.GradientPercent = c.GradientPercent;
    if (c.Gradient)
      s.GradientArray = kSolidGreen;
    Bitmap b = Filled(20, 20, clBlack);
    PaintSectionBackground(t.Section, "SEC", EmptyBackgroundSource, 0, RECT{2, 2, 12, 12}, POINT{0, 0}, b.get(),
                           nullptr, -1, -1, clFuchsia);
    EXPECT_EQ(At(b.get(), 5, 5), c.Expected) << c.Name;
    EXPECT_EQ(At(b.get(), 1, 1), clBlack) << c.Name << ": nothing outside R";
  }
}

TEST(SectionPaint, SixtyAndSixtyInTheSecondPainterToo) {
  TexturedSkin t;
  TsGeneralData& s = t.Data();
  s.ImagePercent = 60;
  s.GradientPercent = 60;
  s.GradientArray = kSolidGreen;
  Bitmap b = Filled(20, 20, clBlack);
  PaintSectionBackgroundAt(t.Section, t.Texture, -1, EmptyBackgroundSource, 0, RECT{0, 0, 10, 10}, POINT{0, 0},
                           b.get(), nullptr);
  EXPECT_EQ(At(b.get(), 4, 4), BlendedColor(clBlue, clLime, 153));
  b = Filled(20, 20, clBlack);
  PaintSectionBackgroundAt(t.Section, -1, -1, EmptyBackgroundSource, 0, RECT{0, 0, 10, 10}, POINT{0, 0}, b.get(),
                           nullptr);
  // No look-up by name: without a texture its share is left out, so the
  // gradient takes 60 percent and the section colour the rest.
  EXPECT_EQ(At(b.get(), 4, 4), static_cast<TColor>(RGB(102, 255, 102)));
}

// A masked image of the section: an 8-pixel cell of Picture over a mask of
// 0 (the picture is opaque), StretchMode Mode.
int AddMaskedTexture(TestSkin& Skin, const AnsiString& Property, TColor Picture, int Mode);

// Paints section S over a parent at 13 x 9, then at 50 x 40 in another look,
// then at 13 x 9 again and expects the first pixels: the painters keep their
// work bitmaps between paints, and what a larger paint left there must not
// show through.
void ExpectSamePixelsAfterALargerPaint(const char* Name, int S, TsGeneralData& Data) {
  Bitmap parent = Gradientish(60, 50);
  const TsBackgroundSource src = MakeBackgroundSource(parent.get(), 0, 0);
  auto paint = [&](int W, int H) {
    Bitmap b = Filled(W, H, clBlack);
    PaintSectionBackground(S, "SEC", src, 0, RECT{1, 1, W - 1, H - 1}, POINT{3, 2}, b.get(), nullptr, -1, -1,
                           clFuchsia);
    return b;
  };
  const TsGeneralData look = Data;
  const Bitmap before = paint(13, 9);
  Data.Color = clRed;
  Data.GradientArray = {{clYellow, clNavy, 100, gdHorizontal}};
  paint(50, 40);
  Data = look;
  const Bitmap after = paint(13, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 13; ++x)
      ASSERT_EQ(At(after.get(), x, y), At(before.get(), x, y)) << Name << " at " << x << ", " << y;
}

TEST(SectionPaint, APaintAfterALargerOneGivesTheSamePixels) {
  struct Case {
    const char* Name;
    int Transparency, ImagePercent, GradientPercent;
  };
  const Case cases[] = {
      {"plain colour over the parent", 50, 0, 0},
      {"texture and gradient over the parent", 40, 60, 60},
      {"texture and gradient, opaque", 0, 60, 60},
  };
  for (const Case& c : cases) {
    TexturedSkin t;
    TsGeneralData& s = t.Data();
    s.Transparency = c.Transparency;
    s.ImagePercent = c.ImagePercent;
    s.GradientPercent = c.GradientPercent;
    s.GradientArray = kSolidGreen;
    ExpectSamePixelsAfterALargerPaint(c.Name, t.Section, s);
  }
  // Tiled masked cells leave the partial bottom row of the picture as it
  // was: black, as in a new bitmap.
  TestSkin skin;
  TsGeneralData& s = skin.AddSection("SEC");
  s.Color = clWhite;
  s.Transparency = 50;
  s.ImagePercent = 100;
  AddMaskedTexture(skin, "PATTERN", clRed, fmTile);
  skin.Apply();
  ExpectSamePixelsAfterALargerPaint("masked cells over the parent", skin.SectionIndex("SEC"), skin.Section("SEC"));
}

TEST(SectionPaint, FullTransparencyCopiesTheBackgroundAtTheControlsPlace) {
  TexturedSkin t;
  TsGeneralData& s = t.Data();
  s.Transparency = 100;
  s.ImagePercent = 50;
  s.GradientPercent = 50;
  s.GradientArray = kSolidGreen;
  Bitmap bg = Gradientish(60, 60);
  Bitmap b = Filled(30, 30, clBlack);
  const TsBackgroundSource src = MakeBackgroundSource(bg.get(), 3, 4);
  PaintSectionBackground(t.Section, "SEC", src, 0, RECT{2, 2, 12, 12}, POINT{5, 6}, b.get(), nullptr, -1, -1,
                         clFuchsia);
  for (int y = 2; y < 12; ++y)
    for (int x = 2; x < 12; ++x)
      ASSERT_EQ(At(b.get(), x, y), At(bg.get(), 3 + 5 + x - 2, 4 + 6 + y - 2)) << x << "," << y;
  // Without a bitmap the fill colour is painted.
  PaintSectionBackground(t.Section, "SEC", TsBackgroundSource{nullptr, 0, 0, clYellow, false}, 0, RECT{2, 2, 12, 12},
                         POINT{0, 0}, b.get(), nullptr, -1, -1, clFuchsia);
  EXPECT_EQ(At(b.get(), 11, 11), clYellow);
}

TEST(SectionPaint, HalfTransparencyBlendsThePictureOverTheBackground) {
  TexturedSkin t;
  TsGeneralData& s = t.Data();
  s.Color = static_cast<TColor>(RGB(200, 100, 0));
  s.Transparency = 50;
  const TColor behind = static_cast<TColor>(RGB(10, 20, 30));
  Bitmap bg = Filled(40, 40, behind);
  Bitmap b = Filled(20, 20, clBlack);
  PaintSectionBackground(t.Section, "SEC", MakeBackgroundSource(bg.get(), 0, 0), 0, RECT{0, 0, 10, 10}, POINT{4, 4},
                         b.get(), nullptr, -1, -1, clFuchsia);
  // ClampByte(50 * 255 div 100) = 127 for the background.
  EXPECT_EQ(At(b.get(), 3, 3), BlendedColor(behind, s.Color, 127));
  EXPECT_EQ(Channel(At(b.get(), 3, 3), 0), (10 * 127 + 200 * 128 + 127) >> 8);

  // A known fill colour without bitmap: BlendColors by the transparency.
  b = Filled(20, 20, clBlack);
  PaintSectionBackground(t.Section, "SEC", TsBackgroundSource{nullptr, 0, 0, behind, false}, 0, RECT{0, 0, 10, 10},
                         POINT{0, 0}, b.get(), nullptr, -1, -1, clFuchsia);
  EXPECT_EQ(At(b.get(), 3, 3), static_cast<TColor>(RGB(105, 60, 15)));
}

TEST(SectionPaint, NothingKnownBehindPaintsTheSectionColourNotAMixWithTheMarker) {
  TexturedSkin t;
  t.Data().Color = clTeal;
  for (int transparency : {1, 50, 99}) {
    t.Data().Transparency = transparency;
    Bitmap b = Filled(10, 10, clBlack);
    const TsBackgroundSource unknown{nullptr, 0, 0, clFuchsia, false};
    PaintSectionBackground(t.Section, "SEC", unknown, 0, RECT{0, 0, 10, 10}, POINT{0, 0}, b.get(), nullptr, -1, -1,
                           clFuchsia);
    EXPECT_EQ(At(b.get(), 5, 5), clTeal) << "transparency " << transparency;
  }
}

TEST(SectionPaint, ThirtyTwoBitTargetsAreFilledOpaque) {
  TexturedSkin t;
  t.Data().Color = clRed;
  Bitmap b(CreateBitmap32(8, 8));
  PaintSectionBackground(t.Section, "SEC", EmptyBackgroundSource, 0, RECT{0, 0, 8, 8}, POINT{0, 0}, b.get(),
                         nullptr, -1, -1, clFuchsia);
  const auto* p = static_cast<const std::uint8_t*>(b->ScanLine(3)) + 4 * 3;
  EXPECT_EQ(p[2], 255);
  EXPECT_EQ(p[0], 0);
  EXPECT_EQ(p[3], 255) << "the alpha byte of a filled 32-bit pixel";
}

// A masked image of the section: an 8-pixel cell of Picture over a mask of
// 0 (the picture is opaque), StretchMode Mode.
int AddMaskedTexture(TestSkin& Skin, const AnsiString& Property, TColor Picture, int Mode) {
  TsMaskData& m = Skin.AddImageMask("SEC", Property, itisaTexture, 8, 16, Picture, 1, 1);
  m.StretchMode = static_cast<short>(Mode);
  m.Image->Canvas().Brush().SetColor(clBlack);
  RECT mask{0, 8, 8, 16};
  m.Image->Canvas().FillRect(mask);
  return Skin.Manager()->MaskCount() - 1;
}

TEST(SectionPaint, ACallersMaskedPatternIsNoTextureButStillTheWholeTileOverlay) {
  TexturedSkin t;
  t.Data().ImagePercent = 50;
  const int masked = AddMaskedTexture(t.skin, "OTHER", clRed, fmWholeTiles);
  Bitmap b = Filled(20, 20, clBlack);
  // 20 x 12: two whole columns and one whole row of 8-pixel cells.
  PaintSectionBackground(t.Section, "SEC", TsBackgroundSource{nullptr, 0, 0, clYellow, false}, 0,
                         RECT{0, 0, 20, 12}, POINT{0, 0}, b.get(), nullptr, masked, -1, clFuchsia);
  EXPECT_EQ(At(b.get(), 3, 3), clRed) << "the overlay draws the whole cells";
  EXPECT_EQ(At(b.get(), 18, 3), clYellow) << "the strip right of them gets the background";
  EXPECT_EQ(At(b.get(), 3, 10), clYellow) << "and so does the strip below";
  // In the hot state there is no overlay; the masked index gives no texture
  // and the PATTERN of the section is not looked up either.
  b = Filled(20, 20, clBlack);
  t.Data().HotImagePercent = 50;
  t.Data().HotColor = clWhite;
  PaintSectionBackground(t.Section, "SEC", EmptyBackgroundSource, 1, RECT{0, 0, 20, 12}, POINT{0, 0}, b.get(),
                         nullptr, -1, masked, clFuchsia);
  EXPECT_EQ(At(b.get(), 3, 3), clWhite);
}

TEST(SectionPaint, MaskedTextureWholeTilesOnARectangleNarrowerThanACell) {
  TestSkin skin;
  skin.AddSection("SEC");
  AddMaskedTexture(skin, "PATTERN", clRed, fmWholeTiles);
  skin.Apply();
  const TsMaskData& image = skin.Manager()->Masks.back();
  Bitmap bg = Gradientish(40, 40);
  Bitmap b = Filled(20, 30, clWhite);
  RECT r{2, 5, 6, 25};
  TileMaskPattern(b.get(), r, MakeBackgroundSource(bg.get(), 7, 1), fmWholeTiles, image);
  EXPECT_TRUE(IsCoveredRect(r));
  for (int y = 5; y < 25; ++y)
    for (int x = 2; x < 6; ++x)
      ASSERT_EQ(At(b.get(), x, y), At(bg.get(), 7 + x, 1 + y)) << x << "," << y;
  EXPECT_EQ(At(b.get(), 3, 4), clWhite) << "nothing above the rectangle changes";

  // Mode 0 draws the rows of cells that fit, the last column cut.
  Bitmap c = Filled(20, 30, clWhite);
  RECT all{0, 0, 12, 20};
  TileMaskPattern(c.get(), all, EmptyBackgroundSource, fmTile, image);
  EXPECT_EQ(At(c.get(), 11, 15), clRed);
  EXPECT_EQ(At(c.get(), 11, 17), clWhite) << "the partial bottom row is not drawn";
  RECT other{0, 0, 12, 20};
  TileMaskPattern(c.get(), other, EmptyBackgroundSource, fmStretch, image);
  EXPECT_EQ(other.right, 12) << "other modes leave the rectangle";
}

TEST(SectionPaint, PatternFillModes) {
  struct Case {
    int Mode;
    RECT Rest;
    POINT Covered, Uncovered;
  };
  // The image is 4 x 3; R is (2, 2, 12, 12).
  const Case cases[] = {
      {fmTile, kCoveredRect, {11, 11}, {1, 1}},         {fmStretch, kCoveredRect, {11, 11}, {12, 12}},
      {fmTopBand, {2, 5, 12, 12}, {11, 4}, {11, 5}},    {fmLeftBand, {6, 2, 12, 12}, {5, 11}, {6, 11}},
      {fmTopStretched, {2, 5, 12, 12}, {11, 4}, {11, 5}}, {fmLeftStretched, {6, 2, 12, 12}, {5, 11}, {6, 11}},
      {fmBottomBand, {2, 2, 12, 9}, {11, 9}, {11, 8}},  {fmRightBand, {2, 2, 8, 12}, {8, 11}, {7, 11}},
      {fmWholeTiles, kCoveredRect, {11, 10}, {11, 11}}, {8, {8, 2, 12, 12}, {11, 11}, {12, 11}},
  };
  TestSkin skin;
  skin.SetMasterBitmap(20, 20, clBlue);
  skin.AddSection("SEC");
  TsMaskData& image = skin.AddMasterMask("SEC", "PATTERN", itisaTexture, RECT{0, 0, 4, 3});
  for (const Case& c : cases) {
    Bitmap b = Filled(20, 20, clWhite);
    RECT r{2, 2, 12, 12};
    image.StretchMode = static_cast<short>(c.Mode);
    PaintPatternRect(b->Canvas(), r, nullptr, c.Mode, image);
    EXPECT_TRUE(EqualRect(&r, &c.Rest)) << "mode " << c.Mode << ": " << r.left << "," << r.top << "," << r.right
                                        << "," << r.bottom;
    EXPECT_EQ(At(b.get(), c.Covered.x, c.Covered.y), clBlue) << "mode " << c.Mode;
    EXPECT_EQ(At(b.get(), c.Uncovered.x, c.Uncovered.y), clWhite) << "mode " << c.Mode;
  }
  // A picture from a file covers the whole rectangle, whatever the mode.
  Bitmap tile = Filled(3, 3, clRed);
  Bitmap b = Filled(20, 20, clWhite);
  RECT r{2, 2, 12, 12};
  PaintPatternRect(b->Canvas(), r, tile.get(), fmTopBand, image);
  EXPECT_TRUE(IsCoveredRect(r));
  EXPECT_EQ(At(b.get(), 11, 11), clRed);
  EXPECT_EQ(At(b.get(), 12, 12), clWhite);
}

// A probe control over a section with a 12 x 12 keyed border mask, its
// edges 4 wide, lime, and a red 4 x 4 bottom-left corner image.
struct ItemSkin {
  TestSkin skin;
  ItemSkin(short BorderStretch) {
    TsGeneralData& s = skin.AddSection("ITEM");
    s.Color = clWhite;
    skin.AddImageMask("ITEM", "BORDERSMASK", itisaBorder, 12, 12, clLime).StretchMode = BorderStretch;
    skin.AddImageMask("ITEM", "IMGBTMLEFT", itisaGlyph, 4, 4, clRed);
    skin.Apply();
  }
};

TEST(SectionPaint, ControlItemBorderCornersAndCustomColour) {
  ItemSkin s(smDrawCentre | smHotBorderOnly);
  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(10, 10, 30, 20);
  probe->Data.SetSkinSection("ITEM");
  probe->Data.BorderMaskIndex = s.skin.Manager()->FindMask(0, "ITEM", "BORDERSMASK");
  struct Case {
    int State;
    TColor Edge;
  };
  for (const Case& c : {Case{0, clWhite}, Case{1, clLime}}) {
    Bitmap b = Filled(50, 30, clBlack);
    PaintControlItem(&probe->Data, EmptyBackgroundSource, true, c.State, RECT{10, 5, 40, 25}, POINT{0, 0}, b.get(),
                     true);
    EXPECT_EQ(At(b.get(), 20, 5), c.Edge) << "top edge in state " << c.State;
    EXPECT_EQ(At(b.get(), 10, 24), clRed) << "the bottom-left corner starts at R.Left";
    EXPECT_EQ(At(b.get(), 13, 21), clRed);
    EXPECT_EQ(At(b.get(), 9, 24), clBlack) << "nothing left of R";
  }
  // Its own colour: opaque, no texture, no gradient, no transparency.
  s.skin.Section("ITEM").Transparency = 60;
  s.skin.Section("ITEM").GradientPercent = 100;
  s.skin.Section("ITEM").GradientArray = kSolidGreen;
  probe->SetColor(clYellow);
  probe->Data.SetCustomColor(true);
  Bitmap b = Filled(50, 30, clBlack);
  PaintControlBackground(&probe->Data, TsBackgroundSource{nullptr, 0, 0, clBlue, false}, 0, RECT{0, 0, 30, 20},
                         POINT{0, 0}, b.get());
  EXPECT_EQ(At(b.get(), 15, 10), clYellow);
}

TEST(SectionPaint, WithBorderLeavesTheSourceAsItWasAndToDcPaintsAtR) {
  ItemSkin s(smDrawCentre);
  const int section = s.skin.SectionIndex("ITEM");
  const int border = s.skin.Manager()->FindMask(section, "ITEM", "BORDERSMASK");
  Bitmap bg = Filled(40, 40, clBlue);
  TsBackgroundSource src = MakeBackgroundSource(bg.get(), 1, 2);
  Bitmap b = Filled(30, 30, clBlack);
  PaintSectionWithBorder(section, border, -1, -1, src, false, 0, RECT{0, 0, 20, 20}, POINT{5, 6}, b.get(), nullptr);
  EXPECT_EQ(src.X, 1);
  EXPECT_EQ(src.Y, 2);
  EXPECT_EQ(At(b.get(), 0, 10), clLime) << "the border";
  EXPECT_EQ(At(b.get(), 10, 10), clWhite) << "the section colour inside (no centre piece)";
  EXPECT_EQ(At(b.get(), 0, 19), clLime) << "no corner images";

  Bitmap dc = Filled(30, 30, clBlack);
  PaintSectionToDC(section, "ITEM", EmptyBackgroundSource, true, 0, RECT{5, 5, 25, 25}, POINT{0, 0},
                   dc->Canvas().Handle(), nullptr);
  EXPECT_EQ(At(dc.get(), 5, 15), clLime);
  EXPECT_EQ(At(dc.get(), 5, 24), clLime) << "the border mask is laid over the corner images";
  EXPECT_EQ(At(dc.get(), 4, 15), clBlack);
  Bitmap untouched = Filled(30, 30, clBlack);
  PaintSectionToDC(section, "ITEM", EmptyBackgroundSource, true, 0, RECT{-1, 5, 25, 25}, POINT{0, 0},
                   untouched->Canvas().Handle(), nullptr);
  EXPECT_EQ(At(untouched.get(), 5, 15), clBlack) << "a negative left paints nothing";
}

// The test skin's PANEL: a masked 3-state border mask of 20 x 20 cells with
// borders 6 wide and clFuchsia cell corners, and four keyed 8 x 8 corner
// images, each a flat colour of the script's table.
TEST(SectionPaint, ThePanelOfTheGeneratedTestSkin) {
  using skin_test::TestSkinColour;
  TsSkinManager manager(nullptr);
  manager.SetSkinDirectory(skin_test::TestSkinsDirectory());
  manager.SetSkinName("TestSkin");
  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(10, 10, 60, 30);
  probe->Data.SetSkinManager(&manager);
  probe->Data.SetSkinSection("PANEL");
  ASSERT_TRUE(probe->Data.IsSkinned());
  ASSERT_GE(probe->Data.BorderMaskIndex, 0);
  Bitmap parent = Gradientish(120, 80);
  const POINT p{5, 7};
  for (int state = 0; state < 3; ++state) {
    SCOPED_TRACE(testing::Message() << "state " << state);
    Bitmap b = Filled(60, 30, clBlack);
    PaintControlItem(&probe->Data, MakeBackgroundSource(parent.get(), 0, 0), false, state, RECT{0, 0, 60, 30}, p,
                     b.get(), true);
    const TColor border = TestSkinColour("PANEL.BORDERSMASK." + std::to_string(state));
    for (POINT strip : {POINT{30, 2}, POINT{2, 15}, POINT{57, 15}, POINT{30, 27}})
      EXPECT_EQ(At(b.get(), strip.x, strip.y), border) << strip.x << "," << strip.y;
    EXPECT_EQ(At(b.get(), 30, 15), TestSkinColour(state == 0 ? "PANEL.COLOR" : "PANEL.HOTCOLOR")) << "the centre";
    for (POINT corner : {POINT{0, 0}, POINT{59, 0}, POINT{0, 29}, POINT{59, 29}})
      EXPECT_EQ(At(b.get(), corner.x, corner.y), At(parent.get(), p.x + corner.x, p.y + corner.y))
          << "a clFuchsia corner pixel shows the parent at " << corner.x << "," << corner.y;
    EXPECT_EQ(At(b.get(), 1, 1), TestSkinColour("PANEL.IMGTOPLEFT.0"));
    EXPECT_EQ(At(b.get(), 58, 1), TestSkinColour("PANEL.IMGTOPRIGHT.0"));
    EXPECT_EQ(At(b.get(), 1, 28), TestSkinColour("PANEL.IMGBTMLEFT.0"));
    EXPECT_EQ(At(b.get(), 58, 28), TestSkinColour("PANEL.IMGBTMRIGHT.0"));
  }
}

// A section without a PATTERN image takes the picture of that name from the
// pattern list: tiled over the whole rectangle.
TEST(SectionPaint, ATextureFromAFileIsTiledOverTheWholeRectangle) {
  TestSkin skin;
  TsGeneralData& s = skin.AddSection("SEC");
  s.Color = clWhite;
  s.ImagePercent = 100;
  TsPatternData& pattern = skin.AddPattern("SEC", "PATTERN");
  pattern.Image = std::make_shared<TJPEGImage>();
  // Two 3-pixel columns, red then blue.
  Bitmap tile = Filled(6, 4, clRed);
  FillBitmapRect(tile.get(), RECT{3, 0, 6, 4}, clBlue);
  pattern.Image->Assign(tile.get());
  pattern.Image->Compress();
  skin.Apply();
  Bitmap b = Filled(20, 20, clBlack);
  PaintSectionBackground(0, "SEC", EmptyBackgroundSource, 0, RECT{2, 2, 16, 14}, POINT{0, 0}, b.get(), nullptr, -1,
                         -1, clFuchsia);
  // JPEG coding moves a flat colour by a few steps at most.
  auto closeTo = [](TColor a, TColor e) {
    for (int k = 0; k < 3; ++k)
      if (std::abs(Channel(a, k) - Channel(e, k)) > 12)
        return false;
    return true;
  };
  EXPECT_PRED2(closeTo, At(b.get(), 2, 3), clRed) << "tiles start at R's corner";
  EXPECT_PRED2(closeTo, At(b.get(), 6, 3), clBlue);
  EXPECT_PRED2(closeTo, At(b.get(), 14, 13), clRed) << "the third tile, cut at R's edges";
  EXPECT_EQ(At(b.get(), 16, 13), clBlack);
  EXPECT_EQ(At(b.get(), 15, 14), clBlack);
}

TEST(SectionPaint, BadInputPaintsNothing) {
  ItemSkin s(smDrawCentre);
  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(10, 10, 30, 20);
  probe->Data.SetSkinSection("ITEM");
  const int section = s.skin.SectionIndex("ITEM");
  struct Case {
    const char* Name;
    RECT R;
  };
  for (const Case& c : {Case{"negative left", {-1, 0, 10, 10}}, Case{"negative top", {0, -2, 10, 10}},
                        Case{"past the right edge", {0, 0, 51, 10}}, Case{"past the bottom", {0, 0, 10, 31}}}) {
    Bitmap b = Filled(50, 30, clBlack);
    PaintControlItem(&probe->Data, EmptyBackgroundSource, true, 0, c.R, POINT{0, 0}, b.get(), true);
    PaintSectionWithCorners(section, "ITEM", EmptyBackgroundSource, true, 0, c.R, POINT{0, 0}, b.get(), nullptr, -1,
                            -1);
    EXPECT_EQ(At(b.get(), 5, 5), clBlack) << c.Name;
  }
  Bitmap b = Filled(50, 30, clBlack);
  PaintSectionBackground(99, "ITEM", EmptyBackgroundSource, 0, RECT{0, 0, 10, 10}, POINT{0, 0}, b.get(), nullptr,
                         -1, -1, clFuchsia);
  EXPECT_EQ(At(b.get(), 5, 5), clBlack) << "an invalid section";
  EXPECT_EQ(PaintSectionByName(b.get(), "NONE", "NEITHER", 0, nullptr, RECT{0, 0, 0, 0}, clRed, nullptr), -1);
  EXPECT_EQ(At(b.get(), 5, 5), clBlack) << "two unknown names";
  // An index past the pattern list and a missing texture leave the layer out.
  s.skin.Section("ITEM").ImagePercent = 40;
  PaintSectionBackground(section, "ITEM", EmptyBackgroundSource, 0, RECT{0, 0, 10, 10}, POINT{0, 0}, b.get(),
                         nullptr, 999, -1, clFuchsia);
  EXPECT_EQ(At(b.get(), 5, 5), clWhite);
  EXPECT_EQ(PaintSectionByName(b.get(), "NONE", "ITEM", 0, nullptr, RECT{0, 0, 0, 0}, clRed, nullptr), section);
  EXPECT_EQ(At(b.get(), 0, 0), clLime) << "the second name's border";
}

}  // namespace sectionpaint_test
