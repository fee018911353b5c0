#include <gtest/gtest.h>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/icon.h"
#include "classlib/graphics/imagelist.h"
#include "graphics_test_util.h"

using namespace graphics_test;

namespace {

// A 16x16 image: a 10x10 square of ink in the middle on a fuchsia background.
void Glyph(TBitmap& bitmap, TColor ink) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(16, 16);
  bitmap.Canvas().Brush().SetColor(clFuchsia);
  bitmap.Canvas().FillRect(RECT{0, 0, 16, 16});
  bitmap.Canvas().Brush().SetColor(ink);
  bitmap.Canvas().FillRect(RECT{3, 3, 13, 13});
}

class ImageListTest : public testing::Test {
protected:
  void SetUp() override {
    target.SetPixelFormat(pf24bit);
    target.SetSize(40, 40);
    Glyph(red, clRed);
    Glyph(blue, clBlue);
  }
  TImageList list;
  TBitmap target, red, blue;
};

TEST_F(ImageListTest, AddMaskedDrawsOnlyTheInk) {
  EXPECT_EQ(list.AddMasked(red, clFuchsia), 0);
  EXPECT_EQ(list.AddMasked(blue, clFuchsia), 1);
  EXPECT_EQ(list.Count(), 2);
  list.Draw(target.Canvas(), 10, 10, 1);
  EXPECT_EQ(target.Canvas().Pixels(18, 18), clBlue);
  EXPECT_EQ(target.Canvas().Pixels(11, 11), clWhite);  // masked background
}

TEST_F(ImageListTest, DisabledImagesAreEmbossed) {
  list.AddMasked(red, clFuchsia);
  list.Draw(target.Canvas(), 10, 10, 0, false);
  EXPECT_EQ(target.Canvas().Pixels(18, 18), ColorToRGB(clBtnShadow));
  // The highlight copy shows one pixel below and right of the shadow copy.
  EXPECT_EQ(target.Canvas().Pixels(23, 23), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(target.Canvas().Pixels(11, 11), clWhite);
}

TEST_F(ImageListTest, ReplaceDeleteAndClear) {
  list.AddMasked(red, clFuchsia);
  list.AddMasked(blue, clFuchsia);
  list.Replace(0, &blue, nullptr);
  TBitmap got;
  list.GetBitmap(0, got);
  EXPECT_EQ(got.Canvas().Pixels(8, 8), clBlue);
  list.Delete(0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_THROW(list.Delete(5), EInvalidOperation);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ImageListTest, IconsGoInAndComeOut) {
  list.AddMasked(red, clFuchsia);
  TIcon icon;
  list.GetIcon(0, icon);
  EXPECT_EQ(icon.Width(), 16);
  EXPECT_EQ(list.AddIcon(icon), 1);
  list.Draw(target.Canvas(), 0, 0, 1);
  EXPECT_EQ(target.Canvas().Pixels(8, 8), clRed);
}

TEST_F(ImageListTest, ChangeLinksHearOfChangesUntilTheyGo) {
  int heard = 0;
  auto link = std::make_unique<TChangeLink>();
  link->OnChange = [&heard](TObject*) { ++heard; };
  list.RegisterChanges(link.get());
  EXPECT_EQ(link->Sender(), &list);
  list.AddMasked(red, clFuchsia);
  EXPECT_EQ(heard, 1);
  link.reset();  // unregisters itself
  list.AddMasked(blue, clFuchsia);
  EXPECT_EQ(heard, 1);
}

TEST_F(ImageListTest, SizeChangeEmptiesTheList) {
  list.AddMasked(red, clFuchsia);
  list.SetWidth(24);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Width(), 24);
}

TEST_F(ImageListTest, BitmapDataRoundTrip) {
  list.AddMasked(red, clFuchsia);
  list.AddMasked(blue, clFuchsia);
  TMemoryStream stream;
  list.WriteData(stream);
  std::int64_t written = stream.Size();
  ASSERT_GT(written, 0);
  stream.SetPosition(0);
  TImageList copy;
  copy.ReadData(stream);
  EXPECT_EQ(stream.Position(), written);
  EXPECT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Width(), 16);
  copy.Draw(target.Canvas(), 0, 0, 1);
  EXPECT_EQ(target.Canvas().Pixels(8, 8), clBlue);
}

TEST_F(ImageListTest, DamagedBitmapDataIsAReadError) {
  std::vector<std::uint8_t> junk = {'I', 'L', 1, 2, 3};
  TMemoryStream stream;
  stream.WriteBuffer(junk.data(), static_cast<std::int32_t>(junk.size()));
  stream.SetPosition(0);
  EXPECT_THROW(list.ReadData(stream), EReadError);
}

}  // namespace
