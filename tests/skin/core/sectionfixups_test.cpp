// Work on a control's picture after painting: transparent pixels restored,
// corner pixels refilled from the parent, the disabled look and the border
// of a windowed control.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "skin/core/commondata.h"
#include "skin/core/patternfill.h"
#include "skin/core/sectionfixups.h"
#include "skin/core/skinbitmaps.h"
#include "tests/skin/testskin.h"
#include "tests/support/formfixture.h"
#include "skinprobe.h"

namespace sectionfixups_test {

using skin_test::TestSkin;
using skin_test::TSkinProbe;
using test_support::FormFixture;

using Bitmap = std::unique_ptr<TBitmap>;

Bitmap Filled24(int W, int H, TColor C) {
  Bitmap b(CreateBitmap24(W, H));
  FillBitmapRect(b.get(), RECT{0, 0, W, H}, C);
  return b;
}

std::uint32_t Pixel32(TBitmap* B, int X, int Y) {
  std::uint32_t v;
  std::memcpy(&v, static_cast<std::uint8_t*>(B->ScanLine(Y)) + 4 * X, 4);
  return v;
}

void SetPixel32(TBitmap* B, int X, int Y, std::uint32_t V) {
  std::memcpy(static_cast<std::uint8_t*>(B->ScanLine(Y)) + 4 * X, &V, 4);
}

TEST(SectionFixups, TransparentPixelsTakeTheWholeBackgroundPixel) {
  Bitmap dst(CreateBitmap32(6, 6)), bg(CreateBitmap32(10, 10));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      SetPixel32(bg.get(), x, y, 0x80000000u | static_cast<std::uint32_t>(x << 8 | y));
  SetPixel32(dst.get(), 1, 1, 0x00FF00FFu);  // clFuchsia, alpha 0
  SetPixel32(dst.get(), 2, 1, 0xFFFF00FFu);  // clFuchsia, alpha 255
  SetPixel32(dst.get(), 3, 1, 0xFF123456u);
  RestoreTransparentPixels(dst.get(), bg.get(), RECT{0, 0, 6, 6}, POINT{2, 3}, -1, nullptr, HTTOPLEFT);
  EXPECT_EQ(Pixel32(dst.get(), 1, 1), 0x80000000u | (3 << 8 | 4));
  EXPECT_EQ(Pixel32(dst.get(), 2, 1), 0x80000000u | (4 << 8 | 4));
  EXPECT_EQ(Pixel32(dst.get(), 3, 1), 0xFF123456u) << "other colours stay";

  // With a skin image the test reads its picture from the named corner:
  // the image's top-right clFuchsia pixel marks the destination's first.
  TestSkin skin;
  skin.AddSection("S");
  TsMaskData& mask = skin.AddImageMask("S", "BORDERSMASK", itisaBorder, 9, 9, clLime);
  mask.Image->Canvas().SetPixel(6, 0, clFuchsia);
  Bitmap d2(CreateBitmap32(3, 3));
  const std::uint32_t untouched = Pixel32(d2.get(), 1, 0);
  RestoreTransparentPixels(d2.get(), bg.get(), RECT{0, 0, 3, 3}, POINT{0, 0}, 0, skin.Manager(), HTTOPRIGHT);
  EXPECT_EQ(Pixel32(d2.get(), 0, 0), 0x80000000u);
  EXPECT_EQ(Pixel32(d2.get(), 1, 0), untouched);
  Bitmap d3(CreateBitmap32(3, 3));
  RestoreTransparentPixels(d3.get(), bg.get(), RECT{0, 0, 3, 3}, POINT{0, 0}, 0, skin.Manager(), HTTOPLEFT);
  EXPECT_EQ(Pixel32(d3.get(), 0, 0), untouched) << "the top-left corner has no clFuchsia pixel";
}

TEST(SectionFixups, DisabledLook) {
  Bitmap b = Filled24(4, 4, static_cast<TColor>(RGB(100, 0, 200)));
  Bitmap bg = Filled24(10, 10, static_cast<TColor>(RGB(0, 250, 0)));
  ApplyDisabledKind(b.get(), dkBlended, nullptr, MakeBackgroundSource(bg.get(), 1, 1), POINT{2, 2});
  // 0.6 background + 0.4 picture.
  EXPECT_EQ(b->Canvas().GetPixel(1, 1), static_cast<TColor>(RGB(40, 150, 80)));

  Bitmap g = Filled24(4, 4, static_cast<TColor>(RGB(90, 0, 210)));
  ApplyDisabledKind(g.get(), dkGrayed | dkBlended, nullptr, TsBackgroundSource{nullptr, 0, 0, clBlack, false},
                    POINT{0, 0});
  // Grey 100, then half over black.
  EXPECT_EQ(g->Canvas().GetPixel(2, 2), static_cast<TColor>(RGB(50, 50, 50)));
}

TEST(SectionFixups, CacheCornersTakeTheParentsColour) {
  TestSkin skin;
  skin.AddSection("ITEM");
  TsMaskData& mask = skin.AddImageMask("ITEM", "BORDERSMASK", itisaBorder, 12, 12, clLime);
  mask.Image->Canvas().SetPixel(0, 0, clFuchsia);   // top-left corner piece
  mask.Image->Canvas().SetPixel(11, 11, clFuchsia);  // bottom-right corner piece
  skin.Apply();
  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(10, 10, 30, 20);
  probe->Parent()->SetColor(clAqua);
  probe->Data.SetSkinSection("ITEM");
  probe->Data.BorderMaskIndex = 0;
  probe->Data.SizeCacheBitmap();
  TBitmap* cache = probe->Data.CacheBitmap();
  FillBitmapRect(cache, RECT{0, 0, 30, 20}, clRed);
  RepaintCacheCorners(&probe->Data, 0);
  EXPECT_EQ(cache->Canvas().GetPixel(0, 0), clAqua);
  EXPECT_EQ(cache->Canvas().GetPixel(29, 19), clAqua);
  EXPECT_EQ(cache->Canvas().GetPixel(1, 0), clRed) << "only the mask's clFuchsia pixels";
  EXPECT_EQ(cache->Canvas().GetPixel(29, 0), clRed);
}

TEST(SectionFixups, BorderWithoutMaskFillsTheStripsOfTheStateColour) {
  TestSkin skin;
  TsGeneralData& s = skin.AddSection("ITEM");
  s.Color = clNavy;
  skin.Apply();
  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(10, 10, 30, 20);
  probe->Data.SetSkinSection("ITEM");
  probe->Data.BorderMaskIndex = -1;
  Bitmap b = Filled24(30, 20, clWhite);
  RECT client{1, 2, 3, 4};
  PaintControlBorder(b->Canvas().Handle(), RECT{0, 0, 30, 20}, 2, &probe->Data, 0, client);
  EXPECT_EQ(b->Canvas().GetPixel(1, 10), clNavy);
  EXPECT_EQ(b->Canvas().GetPixel(28, 18), clNavy);
  EXPECT_EQ(b->Canvas().GetPixel(2, 10), clWhite);
  EXPECT_EQ(client.right, 3) << "the client rectangle is left as it was";

  // With a mask the cache gets the border and the strips reach the DC.
  skin.AddImageMask("ITEM", "BORDERSMASK", itisaBorder, 12, 12, clLime);
  probe->Data.BorderMaskIndex = 0;
  Bitmap dc = Filled24(30, 20, clWhite);
  PaintControlBorder(dc->Canvas().Handle(), RECT{0, 0, 30, 20}, 6, &probe->Data, 0, client);
  EXPECT_EQ(probe->Data.CacheBitmap()->Canvas().GetPixel(2, 10), clLime);
  EXPECT_EQ(probe->Data.CacheBitmap()->Canvas().GetPixel(5, 10), clNavy) << "the ring out to the border width";
  EXPECT_EQ(dc->Canvas().GetPixel(2, 10), clLime);
  EXPECT_EQ(dc->Canvas().GetPixel(7, 10), clWhite);
  const RECT inside{6, 6, 24, 14};
  EXPECT_TRUE(EqualRect(&client, &inside)) << "R shrunk by the border width";
}

}  // namespace sectionfixups_test
