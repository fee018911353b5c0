#include <gtest/gtest.h>

#include <cstring>

#include "classlib/graphics/bitmap.h"
#include "graphics_test_util.h"

using namespace graphics_test;

namespace {

struct FormatCase {
  TPixelFormat Format;
  int BytesPerPixel;
};

class BitmapDrawingTest : public testing::TestWithParam<FormatCase> {
protected:
  void SetUp() override {
    bitmap.SetPixelFormat(GetParam().Format);
    bitmap.SetSize(40, 30);
  }
  // The pixel as its bytes say, read through ScanLine.
  TColor RawPixel(int x, int y) { return RowPixel(bitmap.ScanLine(y), x, GetParam().BytesPerPixel); }

  TBitmap bitmap;
};

TEST_P(BitmapDrawingTest, NewBitmapIsWhite) {
  EXPECT_EQ(bitmap.PixelFormat(), GetParam().Format);
  EXPECT_EQ(RawPixel(0, 0), clWhite);
  EXPECT_EQ(RawPixel(39, 29), clWhite);
}

TEST_P(BitmapDrawingTest, BrushAndPenPixelsReadBack) {
  TCanvas& c = bitmap.Canvas();
  c.Brush().SetColor(clRed);
  c.FillRect(RECT{0, 0, 10, 10});
  c.Pen().SetColor(clBlue);
  c.Brush().SetColor(clLime);
  c.Rectangle(10, 10, 20, 20);
  c.Pen().SetColor(clNavy);
  c.MoveTo(0, 25);
  c.LineTo(40, 25);
  EXPECT_EQ(c.Pixels(5, 5), clRed);
  EXPECT_EQ(c.Pixels(10, 10), clBlue);
  EXPECT_EQ(c.Pixels(15, 15), clLime);
  EXPECT_EQ(c.Pixels(20, 20), clWhite);
  EXPECT_EQ(c.Pixels(30, 25), clNavy);
  EXPECT_EQ(c.PenPos().x, 40);
  EXPECT_EQ(RawPixel(5, 5), clRed);
  EXPECT_EQ(RawPixel(15, 15), clLime);
  EXPECT_EQ(RawPixel(30, 25), clNavy);
}

TEST_P(BitmapDrawingTest, PixelsWriteAndXorPenUndoesItself) {
  TCanvas& c = bitmap.Canvas();
  c.Pixels(3, 4) = clPurple;
  EXPECT_EQ(RawPixel(3, 4), clPurple);
  c.Brush().SetColor(clYellow);
  c.FillRect(RECT{0, 10, 40, 20});
  c.Pen().SetColor(clWhite);
  c.Pen().SetMode(pmXor);
  c.MoveTo(0, 15);
  c.LineTo(40, 15);
  EXPECT_EQ(RawPixel(10, 15), clBlue);  // yellow xor white
  c.MoveTo(0, 15);
  c.LineTo(40, 15);
  EXPECT_EQ(RawPixel(10, 15), clYellow);
}

TEST_P(BitmapDrawingTest, TextLeavesInkInItsExtent) {
  TCanvas& c = bitmap.Canvas();
  c.Font().SetColor(clBlack);
  c.Font().SetName("Arial");
  c.Font().SetSize(10);
  c.Brush().SetStyle(bsClear);
  c.TextOut(2, 2, "Iğ");
  SIZE extent = c.TextExtent("Iğ");
  ASSERT_GT(extent.cx, 0);
  int ink = 0;
  for (int y = 2; y < 2 + extent.cy && y < 30; ++y)
    for (int x = 2; x < 2 + extent.cx && x < 40; ++x)
      ink += RawPixel(x, y) != clWhite;
  EXPECT_GT(ink, 3);
  EXPECT_EQ(RawPixel(39, 29), clWhite);
  EXPECT_EQ(c.PenPos().x, 2 + extent.cx);
}

TEST_P(BitmapDrawingTest, DrawCopiesAnotherBitmap) {
  TBitmap stamp;
  stamp.SetPixelFormat(pf24bit);
  stamp.SetSize(4, 4);
  stamp.Canvas().Brush().SetColor(clTeal);
  stamp.Canvas().FillRect(RECT{0, 0, 4, 4});
  bitmap.Canvas().Draw(30, 20, stamp);
  EXPECT_EQ(RawPixel(31, 21), clTeal);
  EXPECT_EQ(RawPixel(29, 21), clWhite);
  bitmap.Canvas().StretchDraw(RECT{0, 0, 8, 8}, stamp);
  EXPECT_EQ(RawPixel(7, 7), clTeal);
}

INSTANTIATE_TEST_SUITE_P(Formats, BitmapDrawingTest,
                         testing::Values(FormatCase{pf24bit, 3}, FormatCase{pf32bit, 4}),
                         [](const testing::TestParamInfo<FormatCase>& info) {
                           return info.param.Format == pf24bit ? std::string("pf24bit") : std::string("pf32bit");
                         });

TEST(BitmapConversion, PaletteTo24To32KeepsColoursAndAlphaIsZero) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf8bit);
  bitmap.SetSize(8, 2);
  const TColor colors[] = {clRed, clLime, clBlue, clBlack, clWhite, clYellow, clFuchsia, clGray};
  for (int x = 0; x < 8; ++x)
    bitmap.Canvas().Pixels(x, 0) = colors[x];
  for (int x = 0; x < 8; ++x)
    ASSERT_EQ(bitmap.Canvas().Pixels(x, 0), colors[x]) << x;
  bitmap.SetPixelFormat(pf24bit);
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(RowPixel(bitmap.ScanLine(0), x, 3), colors[x]) << x;
  bitmap.SetPixelFormat(pf32bit);
  const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(0));
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(RowPixel(row, x, 4), colors[x]) << x;
    EXPECT_EQ(row[x * 4 + 3], 0) << x;
  }
}

TEST(BitmapConversion, ResizingKeepsFormatPaletteAndPixels) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf8bit);
  bitmap.SetSize(4, 4);
  bitmap.Canvas().Pixels(1, 1) = clMaroon;
  HPALETTE before = bitmap.Palette();
  ASSERT_NE(before, nullptr);
  bitmap.SetSize(10, 6);
  EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
  EXPECT_EQ(bitmap.Width(), 10);
  EXPECT_EQ(bitmap.Height(), 6);
  EXPECT_EQ(bitmap.Canvas().Pixels(1, 1), clMaroon);
  EXPECT_EQ(bitmap.Canvas().Pixels(9, 5), clWhite);
  EXPECT_NE(bitmap.Palette(), nullptr);
}

TEST(BitmapConversion, MonochromeIsOneBit) {
  TBitmap bitmap;
  bitmap.SetSize(8, 8);
  bitmap.SetMonochrome(true);
  EXPECT_EQ(bitmap.PixelFormat(), pf1bit);
  EXPECT_TRUE(bitmap.Monochrome());
  bitmap.Canvas().Pixels(2, 2) = clBlack;
  EXPECT_EQ(bitmap.Canvas().Pixels(2, 2), clBlack);
  EXPECT_EQ(bitmap.Canvas().Pixels(3, 3), clWhite);
}

TEST(BitmapConversion, DeviceBitmapBecomesDibForScanLine) {
  TBitmap bitmap;
  bitmap.SetSize(5, 5);
  EXPECT_EQ(bitmap.HandleType(), bmDDB);
  bitmap.Canvas().Pixels(1, 2) = clOlive;
  ASSERT_NE(bitmap.ScanLine(2), nullptr);
  EXPECT_EQ(bitmap.HandleType(), bmDIB);
  EXPECT_EQ(bitmap.Canvas().Pixels(1, 2), clOlive);
}

struct RowOrderCase {
  const char* Name;
  bool TopDown;
};

class ScanLineTest : public testing::TestWithParam<RowOrderCase> {};

TEST_P(ScanLineTest, RowZeroIsTheTopRowAndStrideHasTheRowOrderSign) {
  const std::vector<std::vector<TColor>> rows = {{clRed, clRed, clRed}, {clLime, clLime, clLime},
                                                 {clBlue, clBlue, clBlue}};
  TBitmap bitmap;
  LoadBitmapBytes(bitmap, Bmp24(rows, GetParam().TopDown));
  EXPECT_EQ(bitmap.TopDown(), GetParam().TopDown);
  EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(RowPixel(bitmap.ScanLine(y), 1, 3), rows[y][1]) << y;
    EXPECT_EQ(bitmap.Canvas().Pixels(1, y), rows[y][1]) << y;
  }
  std::ptrdiff_t stride = static_cast<std::uint8_t*>(bitmap.ScanLine(1)) - static_cast<std::uint8_t*>(bitmap.ScanLine(0));
  EXPECT_EQ(stride, GetParam().TopDown ? 12 : -12);
  EXPECT_THROW(bitmap.ScanLine(3), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphicOperation);
}

TEST_P(ScanLineTest, SavedFileIsTheLoadedFile) {
  std::vector<std::uint8_t> file = Bmp24({{clRed, clLime}, {clBlue, clWhite}}, GetParam().TopDown);
  TBitmap bitmap;
  LoadBitmapBytes(bitmap, file);
  std::vector<std::uint8_t> saved = SavedBytes(bitmap);
  ASSERT_EQ(saved.size(), file.size());
  // Same header fields (resolution aside) and the same pixel bytes.
  EXPECT_TRUE(std::equal(file.begin(), file.begin() + 38, saved.begin()));
  EXPECT_TRUE(std::equal(file.begin() + 54, file.end(), saved.begin() + 54));
}

INSTANTIATE_TEST_SUITE_P(RowOrders, ScanLineTest,
                         testing::Values(RowOrderCase{"BottomUp", false}, RowOrderCase{"TopDown", true}),
                         [](const testing::TestParamInfo<RowOrderCase>& info) { return std::string(info.param.Name); });

TEST(BitmapFile, DamagedFilesAreRefused) {
  std::vector<std::uint8_t> good = Bmp24({{clRed, clLime}, {clBlue, clWhite}}, false);
  struct Damage {
    const char* Name;
    std::size_t Offset;
    std::uint32_t Value;
    std::size_t Keep;
  };
  const Damage damages[] = {
      {"truncated pixels", 0, 0, good.size() - 4},
      {"header only", 0, 0, 20},
      {"bad info size", 14, 7, good.size()},
      {"zero width", 18, 0, good.size()},
      {"huge width", 18, 0x7FFFFFFF, good.size()},
      {"bad bit count", 28, 13, good.size()},
      {"pixels beyond file", 10, 100000, good.size()},
      {"unknown compression", 30, 9, good.size()},
  };
  for (const Damage& d : damages) {
    std::vector<std::uint8_t> bytes(good.begin(), good.begin() + d.Keep);
    if (d.Offset != 0) {
      std::uint32_t v = d.Value;
      if (d.Offset == 28)
        bytes[28] = static_cast<std::uint8_t>(v), bytes[29] = 0;
      else
        std::memcpy(bytes.data() + d.Offset, &v, 4);
    }
    TBitmap bitmap;
    EXPECT_THROW(LoadBitmapBytes(bitmap, bytes), EInvalidGraphic) << d.Name;
    EXPECT_TRUE(bitmap.Empty()) << d.Name;
  }
}

TEST(BitmapLifetime, DormantAndReleaseHandleKeepTheImage) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(6, 6);
  bitmap.Canvas().Pixels(2, 3) = clGreen;
  bitmap.Dormant();
  EXPECT_FALSE(bitmap.HandleAllocated());
  EXPECT_EQ(bitmap.Canvas().Pixels(2, 3), clGreen);

  HBITMAP released = bitmap.ReleaseHandle();
  ASSERT_NE(released, nullptr);
  DIBSECTION info{};
  ASSERT_EQ(GetObjectW(released, sizeof(info), &info), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(info.dsBm.bmWidth, 6);
  DeleteObject(released);
  EXPECT_EQ(bitmap.Width(), 6);
  EXPECT_EQ(bitmap.Canvas().Pixels(2, 3), clWhite);
}

TEST(BitmapLifetime, AssignCopiesPixelsAndTransparency) {
  TBitmap source;
  source.SetPixelFormat(pf32bit);
  source.SetSize(3, 3);
  source.Canvas().Pixels(1, 1) = clAqua;
  source.SetTransparentColor(clAqua);
  TBitmap copy;
  copy.Assign(&source);
  source.Canvas().Pixels(1, 1) = clBlack;
  EXPECT_EQ(copy.PixelFormat(), pf32bit);
  EXPECT_EQ(copy.Canvas().Pixels(1, 1), clAqua);
  EXPECT_EQ(copy.TransparentMode(), tmFixed);
  EXPECT_EQ(copy.TransparentColor(), clAqua);
}

TEST(BitmapLifetime, TransparentDrawSkipsTheTransparentColour) {
  TBitmap sprite;
  sprite.SetPixelFormat(pf24bit);
  sprite.SetSize(4, 4);
  sprite.Canvas().Brush().SetColor(clFuchsia);
  sprite.Canvas().FillRect(RECT{0, 0, 4, 4});
  sprite.Canvas().Pixels(1, 1) = clNavy;
  sprite.SetTransparent(true);
  EXPECT_EQ(sprite.TransparentColor() & 0xFFFFFF, clFuchsia);
  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(8, 8);
  target.Canvas().Draw(2, 2, sprite);
  EXPECT_EQ(target.Canvas().Pixels(3, 3), clNavy);
  EXPECT_EQ(target.Canvas().Pixels(2, 2), clWhite);
}

TEST(BitmapLifetime, OnChangeFiresForDrawing) {
  TBitmap bitmap;
  int changes = 0;
  bitmap.OnChange = [&changes](TObject*) { ++changes; };
  bitmap.SetSize(2, 2);
  int afterSize = changes;
  EXPECT_GT(afterSize, 0);
  bitmap.Canvas().Pixels(0, 0) = clRed;
  EXPECT_GT(changes, afterSize);
  EXPECT_TRUE(bitmap.Modified());
}

}  // namespace

namespace {

TEST(BitmapResource, LoadsByNameAndById) {
  HINSTANCE program = GetModuleHandleW(nullptr);
  TBitmap byName, byId;
  byName.LoadFromResourceName(program, "REDBLUE");
  byId.LoadFromResourceID(program, 101);
  for (TBitmap* b : {&byName, &byId}) {
    EXPECT_EQ(b->Width(), 4);
    EXPECT_EQ(b->Height(), 2);
    EXPECT_EQ(b->PixelFormat(), pf24bit);
    EXPECT_EQ(b->Canvas().Pixels(1, 0), clRed);
    EXPECT_EQ(b->Canvas().Pixels(1, 1), clBlue);
  }
  TBitmap missing;
  EXPECT_THROW(missing.LoadFromResourceName(program, "NOSUCHBITMAP"), EResNotFound);
  EXPECT_THROW(missing.LoadFromResourceID(program, 999), EResNotFound);
}

}  // namespace
