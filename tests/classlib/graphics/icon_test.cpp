#include <gtest/gtest.h>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/icon.h"
#include "graphics_test_util.h"

using namespace graphics_test;

namespace {

// An icon of the given size filled with one colour.
HICON SolidIcon(int size, TColor color) {
  TBitmap image, mask;
  image.SetPixelFormat(pf32bit);
  image.SetSize(size, size);
  image.Canvas().Brush().SetColor(color);
  image.Canvas().FillRect(RECT{0, 0, size, size});
  mask.SetMonochrome(true);
  mask.SetSize(size, size);
  mask.Canvas().Brush().SetColor(clBlack);
  mask.Canvas().FillRect(RECT{0, 0, size, size});
  ICONINFO info{TRUE, 0, 0, mask.Handle(), image.Handle()};
  return CreateIconIndirect(&info);
}

// An ICO file holding one image per (size, colour), built from one-image files.
std::vector<std::uint8_t> MultiIcon(const std::vector<std::pair<int, TColor>>& images) {
  std::vector<std::vector<std::uint8_t>> singles;
  for (const auto& [size, color] : images) {
    TIcon icon;
    icon.SetHandle(SolidIcon(size, color));
    singles.push_back(SavedBytes(icon));
  }
  std::vector<std::uint8_t> out = {0, 0, 1, 0, static_cast<std::uint8_t>(images.size()), 0};
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (const auto& single : singles) {
    out.insert(out.end(), single.begin() + 6, single.begin() + 18);  // entry without its offset
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(single.size() - 22);
  }
  for (const auto& single : singles)
    out.insert(out.end(), single.begin() + 22, single.end());
  return out;
}

void LoadIcon(TIcon& icon, const std::vector<std::uint8_t>& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  stream.SetPosition(0);
  icon.LoadFromStream(stream);
}

TColor DrawnCentre(TIcon& icon) {
  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(icon.Width(), icon.Height());
  target.Canvas().Draw(0, 0, icon);
  return target.Canvas().Pixels(icon.Width() / 2, icon.Height() / 2);
}

struct WantedSize {
  int Wanted;
  int Picked;
  TColor Color;
};

class IconPickTest : public testing::TestWithParam<WantedSize> {};

TEST_P(IconPickTest, PicksTheImageNearestTheWantedSize) {
  std::vector<std::uint8_t> file = MultiIcon({{16, clRed}, {32, clLime}, {48, clBlue}});
  TIcon icon;
  icon.SetSize(GetParam().Wanted, GetParam().Wanted);
  LoadIcon(icon, file);
  EXPECT_EQ(icon.Width(), GetParam().Picked);
  EXPECT_EQ(icon.Height(), GetParam().Picked);
  EXPECT_EQ(DrawnCentre(icon), GetParam().Color);
  EXPECT_EQ(SavedBytes(icon), file);
}

INSTANTIATE_TEST_SUITE_P(Sizes, IconPickTest,
                         testing::Values(WantedSize{16, 16, clRed}, WantedSize{20, 16, clRed},
                                         WantedSize{30, 32, clLime}, WantedSize{44, 48, clBlue},
                                         WantedSize{256, 48, clBlue}));

TEST(Icon, HandleIconSavesAsOneImageFileAndReloads) {
  TIcon icon;
  icon.SetHandle(SolidIcon(24, clNavy));
  EXPECT_EQ(icon.Width(), 24);
  std::vector<std::uint8_t> file = SavedBytes(icon);
  TIcon loaded;
  loaded.SetSize(24, 24);
  LoadIcon(loaded, file);
  EXPECT_EQ(loaded.Width(), 24);
  EXPECT_EQ(DrawnCentre(loaded), clNavy);
  HICON released = loaded.ReleaseHandle();
  EXPECT_NE(released, nullptr);
  EXPECT_TRUE(loaded.Empty());
  DestroyIcon(released);
}

TEST(Icon, DamagedFilesAreRefused) {
  std::vector<std::uint8_t> good = MultiIcon({{16, clRed}});
  std::vector<std::vector<std::uint8_t>> bad = {
      {}, {0, 0, 1, 0, 0, 0}, {0, 0, 2, 0, 1, 0}, std::vector<std::uint8_t>(good.begin(), good.begin() + 30)};
  std::vector<std::uint8_t> farOffset = good;
  farOffset[18] = 0xFF, farOffset[19] = 0xFF;
  bad.push_back(farOffset);
  for (const auto& bytes : bad) {
    TIcon icon;
    EXPECT_THROW(LoadIcon(icon, bytes), EInvalidGraphic) << bytes.size();
    EXPECT_TRUE(icon.Empty());
  }
}

}  // namespace
