// The soft-edged colour wash.
#include <gtest/gtest.h>

#include <memory>

#include "skin/core/alphablend.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/softwash.h"

namespace {

std::unique_ptr<TBitmap> Grey(int w, int h, int grey) {
  std::unique_ptr<TBitmap> b(CreateBitmap24(w, h));
  b->Canvas().Brush().SetColor(static_cast<TColor>(grey | grey << 8 | grey << 16));
  RECT all{0, 0, w, h};
  b->Canvas().FillRect(all);
  return b;
}

TEST(SkinSoftWash, NoRingsMixEveryPixelWithTheBaseWeight) {
  auto b = Grey(20, 20, 200);
  BlendSoftRoundRect(b.get(), {2, 2, 12, 12}, 60, clBlack, 0, 0);
  const int washed = MixBytes(200, 0, 153);  // 60 % of 255
  for (POINT p : {POINT{2, 2}, POINT{7, 7}, POINT{10, 10}})
    EXPECT_EQ(b->Canvas().GetPixel(p.x, p.y), static_cast<TColor>(washed | washed << 8 | washed << 16))
        << p.x << "," << p.y;
  // A fill without outline leaves the last row and column of the mask as it
  // started: white, so the picture stays there.
  const int kept = MixBytes(200, 0, 255);
  for (POINT p : {POINT{11, 5}, POINT{5, 11}})
    EXPECT_EQ(b->Canvas().GetPixel(p.x, p.y), static_cast<TColor>(kept | kept << 8 | kept << 16))
        << p.x << "," << p.y;
  EXPECT_EQ(b->Canvas().GetPixel(12, 12), static_cast<TColor>(0xC8C8C8));  // outside R
}

TEST(SkinSoftWash, RingsFadeTowardsTheEdge) {
  auto b = Grey(40, 40, 200);
  BlendSoftRoundRect(b.get(), {0, 0, 40, 40}, 0, clBlack, 4, 0);
  const int edge = b->Canvas().GetPixel(0, 20) & 0xFF;
  const int centre = b->Canvas().GetPixel(20, 20) & 0xFF;
  EXPECT_EQ(edge, MixBytes(200, 0, 255));  // ring 0 is white: the picture
  EXPECT_EQ(centre, 0);                    // percent 0: the colour
  EXPECT_GT(b->Canvas().GetPixel(2, 20) & 0xFF, centre);
  EXPECT_LT(b->Canvas().GetPixel(2, 20) & 0xFF, edge);
}

}  // namespace
