// Icons made from PNG pictures and the clean-up of transparent white.
#include <gtest/gtest.h>

#include <vector>

#include "support/png/graphic/pngicons.h"
#include "tests/support/pnggraphic/pnggraphic_test_util.h"

using namespace pnggraphic_test;

namespace {

// The icon's colour and mask bitmaps, owned by two TBitmap objects.
struct IconParts {
  explicit IconParts(HICON icon) {
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(icon, &info));
    mask.SetHandle(info.hbmMask);
    if (info.hbmColor != nullptr)
      colour.SetHandle(info.hbmColor);
    DestroyIcon(icon);
  }
  // True when the mask leaves pixel (x, y) transparent.
  bool Transparent(int x, int y) { return (mask.Canvas().Pixels(x, y) & 0xFFFFFF) != 0; }

  TBitmap mask;
  TBitmap colour;
};

TEST(PngIcons, ColourMaskMakesTheTopLeftColourTransparent) {
  TPNGGraphic png;
  // An RGB image: the top-left colour (green) marks the transparent pixels.
  LoadPng(png, RgbPng({{{0, 255, 0, 0}, {255, 0, 0, 0}}, {{0, 0, 255, 0}, {0, 255, 0, 0}}}));
  HICON icon = MakeIconFromPng(png, false);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(png.PixelFormat(), pf32bit);  // the picture itself became 32-bit
  IconParts parts(icon);
  ASSERT_EQ(parts.mask.Width(), 2);
  EXPECT_TRUE(parts.Transparent(0, 0));
  EXPECT_FALSE(parts.Transparent(1, 0));
  EXPECT_FALSE(parts.Transparent(0, 1));
  EXPECT_TRUE(parts.Transparent(1, 1));
}

TEST(PngIcons, AlphaImageWithoutColourMaskKeepsAnOpaqueMask) {
  TPNGGraphic png;
  LoadPng(png, RgbaPng({{{0, 255, 0, 0}, {255, 0, 0, 255}}}));
  IconParts parts(MakeIconFromPng(png, false));
  EXPECT_FALSE(parts.Transparent(0, 0));
  EXPECT_FALSE(parts.Transparent(1, 0));

  LoadPng(png, RgbaPng({{{0, 255, 0, 0}, {255, 0, 0, 255}}}));
  IconParts keyed(MakeIconFromPng(png, true));
  EXPECT_TRUE(keyed.Transparent(0, 0));
  EXPECT_FALSE(keyed.Transparent(1, 0));
}

TEST(PngIcons, AlphaIconMasksWhereAlphaIsZero) {
  TPNGGraphic png;
  LoadPng(png, RgbaPng({{{0, 255, 0, 0}, {255, 0, 0, 255}, {0, 0, 255, 100}}}));
  HICON icon = MakeAlphaIconFromPng(png);
  ASSERT_NE(icon, nullptr);

  // Drawn over white, the icon shows its alpha.
  TBitmap target;
  FillBitmap(target, 3, 1, clWhite);
  DrawIconEx(target.Canvas().Handle(), 0, 0, icon, 3, 1, 0, nullptr, DI_NORMAL);
  EXPECT_LE(ColourDistance(PixelOf(target, 0, 0), clWhite), 2);
  EXPECT_LE(ColourDistance(PixelOf(target, 1, 0), RGBColor(255, 0, 0)), 2);
  EXPECT_LE(ColourDistance(PixelOf(target, 2, 0), RGBColor(155, 155, 255)), 3);

  IconParts parts(icon);
  EXPECT_TRUE(parts.Transparent(0, 0));
  EXPECT_FALSE(parts.Transparent(1, 0));
  EXPECT_FALSE(parts.Transparent(2, 0));
}

TEST(PngIcons, ImageWithoutAlphaGetsAlphaFromFuchsia) {
  TPNGGraphic png;
  LoadPng(png, RgbPng({{{255, 0, 255, 0}, {255, 0, 254, 0}}}));
  IconParts parts(MakeAlphaIconFromPng(png));
  ASSERT_EQ(png.PixelFormat(), pf32bit);
  EXPECT_EQ(Pixel32Of(png, 0, 0), 0x00FF00FFu);
  EXPECT_EQ(Pixel32Of(png, 1, 0), 0xFFFF00FEu);
  EXPECT_TRUE(parts.Transparent(0, 0));
  EXPECT_FALSE(parts.Transparent(1, 0));
}

TEST(ZeroTransparentWhite, ClearsOnlyFullyTransparentWhite) {
  TPNGGraphic png;
  LoadPng(png, RgbaPng({{{255, 255, 255, 0}, {255, 255, 255, 1}}, {{254, 255, 255, 0}, {255, 255, 255, 0}}}));
  ZeroTransparentWhite(png);
  EXPECT_EQ(Pixel32Of(png, 0, 0), 0u);
  EXPECT_EQ(Pixel32Of(png, 1, 0), 0x01FFFFFFu);
  EXPECT_EQ(Pixel32Of(png, 0, 1), 0x00FEFFFFu);
  EXPECT_EQ(Pixel32Of(png, 1, 1), 0u);
}

TEST(ZeroTransparentWhite, LeavesSmallAndNon32BitImagesAlone) {
  TPNGGraphic narrow;
  LoadPng(narrow, RgbaPng({{{255, 255, 255, 0}}, {{255, 255, 255, 0}}}));
  ZeroTransparentWhite(narrow);
  EXPECT_EQ(Pixel32Of(narrow, 0, 0), 0x00FFFFFFu);

  TBitmap rgb;
  FillBitmap(rgb, 2, 2, clWhite);
  ZeroTransparentWhite(rgb);
  EXPECT_EQ(PixelOf(rgb, 0, 0), clWhite);
}

}  // namespace
