// The pixel view of a TBitmap, working bitmaps, fills and frames on device
// contexts, border strips and the layered-window look-up.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/graphics/bitmap.h"
#include "skin/core/skinbitmaps.h"

namespace {

std::unique_ptr<TBitmap> Filled(int w, int h, TColor color) {
  std::unique_ptr<TBitmap> b(CreateBitmap24(w, h));
  b->Canvas().Brush().SetColor(color);
  RECT r{0, 0, w, h};
  b->Canvas().FillRect(r);
  return b;
}

TEST(SkinBitmaps, ViewFollowsTheScanLines) {
  std::unique_ptr<TBitmap> b(CreateBitmap32(5, 4));
  EXPECT_EQ(b->PixelFormat(), pf32bit);
  EXPECT_EQ(b->HandleType(), bmDIB);
  const TPixelView v = PixelViewOf(b.get());
  EXPECT_EQ(v.Width, 5);
  EXPECT_EQ(v.Height, 4);
  EXPECT_EQ(v.BitCount, 32);
  EXPECT_EQ(v.Row(3), b->ScanLine(3));
  FillRect32(v, {1, 1, 2, 2}, clRed);
  EXPECT_EQ(b->Canvas().GetPixel(1, 1) & 0xFFFFFF, clRed);
  EXPECT_FALSE(PixelViewOf(nullptr).Assigned());
  std::unique_ptr<TBitmap> like(CreateBitmapLike(b.get()));
  EXPECT_EQ(like->PixelFormat(), pf32bit);
  EXPECT_EQ(like->Width(), 5);
}

TEST(SkinBitmaps, DeviceFillsAndFrames) {
  auto b = Filled(10, 10, clWhite);
  FillDeviceFrame(b->Canvas().Handle(), {0, 0, 10, 10}, 1, 2, 3, 4, clBlue);
  struct Probe {
    int X, Y;
    TColor Expected;
  };
  const Probe probes[] = {{5, 1, clBlue}, {5, 2, clWhite}, {0, 5, clBlue}, {1, 5, clWhite},
                          {6, 5, clWhite}, {7, 5, clBlue}, {5, 5, clWhite}, {5, 6, clBlue}};
  for (const Probe& p : probes)
    EXPECT_EQ(b->Canvas().GetPixel(p.X, p.Y), p.Expected) << p.X << "," << p.Y;
  FillDeviceRect(b->Canvas().Handle(), {3, 3, 5, 5}, clBtnFace);
  EXPECT_EQ(b->Canvas().GetPixel(4, 4), ColorToRGB(clBtnFace));
  EXPECT_EQ(b->Canvas().GetPixel(5, 5), clWhite);
}

TEST(SkinBitmaps, BorderStripsStayInsideTheArea) {
  auto source = Filled(20, 20, clRed);
  auto dest = Filled(20, 20, clWhite);
  CopyBorderStrips(dest->Canvas().Handle(), 2, 3, 10, 8, source->Canvas().Handle(), 2, 3, 2);
  struct Probe {
    int X, Y;
    TColor Expected;
  };
  // The area is x 2..11, y 3..10; its border two pixels wide.
  const Probe probes[] = {{2, 3, clRed},    {3, 10, clRed},  {11, 10, clRed}, {10, 5, clRed},
                          {6, 9, clRed},    {6, 6, clWhite}, {12, 5, clWhite}, {6, 11, clWhite},
                          {13, 12, clWhite}, {1, 3, clWhite}};
  for (const Probe& p : probes)
    EXPECT_EQ(dest->Canvas().GetPixel(p.X, p.Y), p.Expected) << p.X << "," << p.Y;
}

TEST(SkinBitmaps, LayeredWindowsAndTheSharedAccessorExist) {
  EXPECT_TRUE(LayeredWindowsSupported());
  ASSERT_NE(SharedFast32(), nullptr);
  EXPECT_EQ(SharedFast32(), SharedFast32());
}

}  // namespace
