// The blur kernel, the separable blur of 8-bit masks and the colouring of a
// picture through a glow mask, on pixel views over plain memory.
#include <gtest/gtest.h>

#include <cmath>

#include "skin/core/gaussblur.h"

namespace {

double KernelSum(const TGaussKernel& kernel) {
  double sum = 0;
  for (int k = -kernel.Size; k <= kernel.Size; ++k)
    sum += kernel.Weight(k);
  return sum;
}

void Fill8(const TPixelView& v, int value) {
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      v.Pixel(x, y)[0] = static_cast<std::uint8_t>(value);
}

TEST(GaussKernel, HalfWidthFollowsTheTailRuleAndIsNeverBelowOne) {
  struct Case {
    double Radius;
    int Size;
  };
  // Worked out from the rule with the weights exp(-(k/R)^2/2): the count
  // stops one step inside the offset where the tails first reach 1/510; a
  // wide kernel is still cut below 100.
  const Case cases[] = {{0.01, 1}, {0.5, 1}, {1, 2}, {2, 5}, {3, 8}, {5, 14}, {40, 97}};
  for (const Case& c : cases) {
    const TGaussKernel kernel = MakeGaussKernel(1, 255, c.Radius);
    SCOPED_TRACE(c.Radius);
    EXPECT_EQ(kernel.Size, c.Size);
    EXPECT_NEAR(KernelSum(kernel), 1.0, 1e-6) << "the kept weights are normalised again";
    EXPECT_FLOAT_EQ(kernel.Weight(1), kernel.Weight(-1));
    EXPECT_GT(kernel.Weight(0), kernel.Weight(1));
  }
}

TEST(GaussKernel, RadiusZeroOrBelowGivesTheIdentityInsteadOfDividingByZero) {
  for (double radius : {0.0, -3.0, std::nan("")}) {
    const TGaussKernel kernel = MakeGaussKernel(1, 255, radius);
    EXPECT_EQ(kernel.Size, 1);
    EXPECT_EQ(kernel.Weight(0), 1.0f);
    EXPECT_EQ(kernel.Weight(1), 0.0f);
    EXPECT_EQ(kernel.Weight(-1), 0.0f);
  }
  TPixelImage mask(5, 5, 8);
  Fill8(mask, 255);
  mask.View().Pixel(2, 2)[0] = 0;
  for (double radius : {0.0, -1.0}) {
    BlurBitmap8(mask, radius);
    EXPECT_EQ(mask.View().Pixel(2, 2)[0], 0);
    EXPECT_EQ(mask.View().Pixel(1, 2)[0], 255);
  }
}

TEST(GaussBlur, UniformMasksStayUniformAtEveryRadius) {
  for (int value : {0, 1, 128, 255}) {
    for (double radius : {0.3, 1.0, 2.0, 3.0, 7.0, 12.0, 25.0}) {
      TPixelImage mask(31, 9, 8, radius > 5);
      Fill8(mask, value);
      BlurBitmap8(mask, radius);
      for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 31; ++x)
          ASSERT_EQ(mask.View().Pixel(x, y)[0], value) << "radius " << radius << " at " << x << "," << y;
    }
  }
}

TEST(GaussBlur, ADarkDotSpreadsSymmetricallyAndEdgesRepeat) {
  TPixelImage mask(21, 21, 8);
  Fill8(mask, 255);
  mask.View().Pixel(10, 10)[0] = 0;
  BlurBitmap8(mask, 2);
  const TPixelView& v = mask.View();
  EXPECT_LT(v.Pixel(10, 10)[0], 255);
  EXPECT_GT(v.Pixel(10, 10)[0], 0) << "the dark spreads out";
  EXPECT_EQ(v.Pixel(9, 10)[0], v.Pixel(11, 10)[0]);
  EXPECT_EQ(v.Pixel(10, 9)[0], v.Pixel(10, 11)[0]);
  EXPECT_EQ(v.Pixel(9, 10)[0], v.Pixel(10, 9)[0]) << "rows and columns blur alike";
  EXPECT_LT(v.Pixel(10, 10)[0], v.Pixel(11, 10)[0]);
  EXPECT_LE(v.Pixel(11, 10)[0], v.Pixel(12, 10)[0]);
  EXPECT_EQ(v.Pixel(0, 0)[0], 255) << "the dot does not reach the corner";

  // At the edge the line's end byte repeats: a dark left column stays the
  // darkest and the blur reads no byte outside the line.
  TPixelImage edge(8, 3, 8);
  Fill8(edge, 255);
  for (int y = 0; y < 3; ++y)
    edge.View().Pixel(0, y)[0] = 0;
  BlurBitmap8(edge, 1);
  EXPECT_LT(edge.View().Pixel(0, 1)[0], edge.View().Pixel(1, 1)[0]);
  EXPECT_EQ(edge.View().Pixel(7, 1)[0], 255);
}

TEST(GaussBlur, OnlyEightBitViewsAreBlurred) {
  TPixelImage picture(6, 6, 24);
  picture.View().Pixel(3, 3)[0] = 200;
  BlurBitmap8(picture, 2);
  EXPECT_EQ(picture.View().Pixel(3, 3)[0], 200);
  EXPECT_EQ(picture.View().Pixel(2, 3)[0], 0);
  BlurBitmap8(TPixelView{}, 2);
}

TEST(GlowMaskTint, ChannelsMoveTowardsTheColourByTheMaskByte) {
  TPixelImage picture24(4, 1, 24), picture32(4, 1, 32), mask(4, 1, 8);
  const std::uint8_t maskBytes[4] = {0, 128, 254, 255};
  for (int x = 0; x < 4; ++x) {
    mask.View().Pixel(x, 0)[0] = maskBytes[x];
    for (const TPixelView* v : {&picture24.View(), &picture32.View()}) {
      std::uint8_t* p = v->Pixel(x, 0);
      p[0] = 10;   // blue
      p[1] = 200;  // green
      p[2] = 100;  // red
      if (v->Is32())
        p[3] = 200;
    }
  }
  const TColor color = 0x0000FF;  // red 255, green 0, blue 0
  TintThroughGlowMask(picture24, mask, 0, 0, color);
  TintThroughGlowMask(picture32, mask, 0, 0, color);
  struct Expected {
    int Blue, Green, Red, Alpha;
  };
  // c + (p - c) * m div 255, truncated towards zero.
  const Expected expected[4] = {{0, 0, 255, 0},
                                {0 + 10 * 128 / 255, 200 * 128 / 255, 255 + (100 - 255) * 128 / 255, 200 + 128 - 255},
                                {10 * 254 / 255, 200 * 254 / 255, 255 + (100 - 255) * 254 / 255, 199},
                                {10, 200, 100, 200}};
  for (int x = 0; x < 4; ++x) {
    SCOPED_TRACE(x);
    for (const TPixelView* v : {&picture24.View(), &picture32.View()}) {
      const std::uint8_t* p = v->Pixel(x, 0);
      EXPECT_EQ(p[0], expected[x].Blue);
      EXPECT_EQ(p[1], expected[x].Green);
      EXPECT_EQ(p[2], expected[x].Red);
      if (v->Is32()) {
        EXPECT_EQ(p[3], expected[x].Alpha) << "alpha under mask 0 becomes 0";
      }
    }
  }
}

TEST(GlowMaskTint, MaskIsPlacedAtLeftTopAndClippedToThePicture) {
  TPixelImage picture(3, 3, 24), mask(3, 3, 8);
  Fill8(mask, 0);
  TintThroughGlowMask(picture, mask, 2, -1, 0xFFFFFF);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      const bool covered = x == 2 && y <= 1;
      EXPECT_EQ(picture.View().Pixel(x, y)[1], covered ? 255 : 0) << x << "," << y;
    }
  TPixelImage other(3, 3, 16);
  TintThroughGlowMask(other, mask, 0, 0, 0xFFFFFF);
  EXPECT_EQ(other.View().Pixel(0, 0)[0], 0) << "other formats are left unchanged";
}

}  // namespace
