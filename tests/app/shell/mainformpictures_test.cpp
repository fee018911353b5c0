// The main form's pictures come from the program's resources.
#include "app/shell/mainformpictures.h"
#include "app/shell/programidentity.h"
#include "classlib/graphics/bitmap.h"
#include "shell_test_util.h"

using shell_test::MainFormTest;

namespace {

// Pixels of an image that are neither see-through nor of one colour: the
// image shows a picture.
int DrawnPixels(TImageList& list, int index) {
  TBitmap image;
  list.GetBitmap(index, image);
  int drawn = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      drawn += static_cast<TColor>(image.Canvas().Pixels(x, y)) != static_cast<TColor>(image.Canvas().Pixels(0, 0)) ? 1 : 0;
  return drawn;
}

}  // namespace

TEST_F(MainFormTest, TheImageListHeaderAndGlyphHoldPictures) {
  TAnaF& f = Create();
  ASSERT_EQ(f.ImageList1->Count(), MainImageCount);
  EXPECT_GE(f.ImageList1->Count(), 30);
  for (int index = 0; index < f.ImageList1->Count(); ++index)
    EXPECT_GT(DrawnPixels(*f.ImageList1, index), 8) << "image " << index;
  EXPECT_EQ(f.MainMenu1->Images(), f.ImageList1);
  std::vector<int> toolImages;
  for (int i = 0; i < f.Araclar1->Count(); ++i)
    if (f.Araclar1->Items(i)->ImageIndex() >= 0)
      toolImages.push_back(f.Araclar1->Items(i)->ImageIndex());
  EXPECT_EQ(toolImages, (std::vector<int>{29, 26, 28}));

  EXPECT_EQ(f.VTFormHeader1->ImageList(), f.ImageList1);
  EXPECT_EQ(f.VTFormHeader1->ImageIndex(), HeaderImageIndex);
  EXPECT_EQ(f.ImageBaslik1->Picture()->Bitmap().Width(), 32);
  EXPECT_EQ(f.ImageBaslik1->Picture()->Bitmap().Height(), 32);
  EXPECT_EQ(f.SpeedButton1->Glyph()->Width(), 16);
  EXPECT_FALSE(f.SpeedButton1->Glyph()->Empty());
}
