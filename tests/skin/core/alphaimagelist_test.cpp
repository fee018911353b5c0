// The alpha image list: its system list built from ICO and PNG items, the
// 32-bit images it gives (resampled PNG items, corner-keyed pictures
// without alpha), its stream (items byte for byte, an empty "Bitmap"),
// damaged item data at load, copying, the repair of images added as plain
// bitmaps, and glyphs drawn from image lists.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "classlib/graphics/icon.h"
#include "skin/core/alphablend.h"
#include "skin/core/alphaimagelist.h"
#include "skin/core/imagelistglyphs.h"
#include "skin/core/skinbitmaps.h"
#include "tests/skin/testicons.h"
#include "tests/support/componenttext.h"
#include "tests/support/pnggraphic/pnggraphic_test_util.h"

namespace {

using pnggraphic_test::Bytes;
using pnggraphic_test::Pixel32Of;
using pnggraphic_test::PixelOf;
using pnggraphic_test::Rgba;

constexpr TColor kIcoColours[] = {0x0000FF, 0x00FF00, 0xFF0000};  // red, green, blue

// An RGBA picture of the given size, its pixels from Pick(x, y).
std::vector<std::vector<Rgba>> Picture(int width, int height, const std::function<Rgba(int, int)>& Pick) {
  std::vector<std::vector<Rgba>> rows(height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      rows[y].push_back(Pick(x, y));
  return rows;
}

// An RGBA PNG: the left half Left, the right half Right.
Bytes HalvesPng(int width, int height, Rgba Left, Rgba Right) {
  return pnggraphic_test::RgbaPng(Picture(width, height, [&](int x, int) { return x < width / 2 ? Left : Right; }));
}

TsImgListItem* AddItem(TsAlphaImageList& list, TsImageFormat format, const Bytes& data) {
  TsImgListItem* item = list.Items()->Add();
  item->SetImageFormat(format);
  item->ImgData().WriteBuffer(data.data(), static_cast<std::int32_t>(data.size()));
  return item;
}

Bytes DataOf(TsImgListItem* item) {
  const auto* bytes = static_cast<const std::uint8_t*>(item->ImgData().Memory());
  return Bytes(bytes, bytes + item->ImgData().Size());
}

// A list of the given size created in code, as a form would hold it.
std::unique_ptr<TsAlphaImageList> NewList(int size) {
  auto list = std::make_unique<TsAlphaImageList>(nullptr);
  list->SetWidth(size);
  list->SetHeight(size);
  list->SetDrawingStyle(dsTransparent);
  list->Handle();
  return list;
}

std::unique_ptr<TBitmap> WhiteBitmap(int width, int height) {
  auto bitmap = std::make_unique<TBitmap>();
  pnggraphic_test::FillBitmap(*bitmap, width, height, clWhite);
  return bitmap;
}

std::uint8_t AlphaAt(TBitmap& bitmap, int x, int y) { return static_cast<std::uint8_t>(Pixel32Of(bitmap, x, y) >> 24); }

TEST(AlphaImageList, ThreeIcoItemsGiveThreeImagesDrawnAsIconsAtTheListSize) {
  auto list = NewList(32);
  EXPECT_TRUE(list->KeepItemData());
  EXPECT_FALSE(list->SystemListBuilt());  // no items yet
  for (TColor colour : kIcoColours)
    AddItem(*list, ifICO, TestIcoFile(32, colour));
  list->RebuildSystemList();
  EXPECT_TRUE(list->SystemListBuilt());
  ASSERT_EQ(list->Count(), 3);
  EXPECT_EQ(list->Items()->Count(), 3);  // the items stay
  for (int i = 0; i < 3; ++i) {
    auto canvas = WhiteBitmap(40, 40);
    list->Draw(canvas->Canvas(), 4, 4, i);
    EXPECT_EQ(PixelOf(*canvas, 4 + 16, 4 + 16), kIcoColours[i]) << i;
    EXPECT_EQ(PixelOf(*canvas, 4 + 2, 4 + 2), clWhite) << i;  // transparent around the square
    EXPECT_EQ(PixelOf(*canvas, 4 + 8, 4 + 23), kIcoColours[i]) << i;
  }

  // An icon of another size is drawn at the list's size.
  auto small = NewList(32);
  AddItem(*small, ifICO, TestIcoFile(16, kIcoColours[0]));
  small->RebuildSystemList();
  auto canvas = WhiteBitmap(32, 32);
  small->Draw(canvas->Canvas(), 0, 0, 0);
  EXPECT_EQ(PixelOf(*canvas, 9, 9), kIcoColours[0]);
  EXPECT_EQ(PixelOf(*canvas, 22, 22), kIcoColours[0]);
  EXPECT_EQ(PixelOf(*canvas, 3, 3), clWhite);

  // A list that does not keep its items lets them go once built.
  auto lean = NewList(32);
  lean->SetKeepItemData(false);
  AddItem(*lean, ifICO, TestIcoFile(32, kIcoColours[1]));
  lean->RebuildSystemList();
  EXPECT_EQ(lean->Count(), 1);
  EXPECT_EQ(lean->Items()->Count(), 0);
}

TEST(AlphaImageList, PngItemsAreDrawnWithTheirAlphaAndResampledToTheBitmapSize) {
  const Rgba red{255, 0, 0, 255}, blue{0, 0, 255, 255};
  auto list = NewList(32);
  AddItem(*list, ifPNG, HalvesPng(16, 16, red, blue));
  AddItem(*list, ifPNG, pnggraphic_test::RgbaPng(Picture(32, 32, [](int x, int) {
            return x < 16 ? Rgba{255, 0, 0, 128} : Rgba{0, 0, 0, 0};
          })));
  list->RebuildSystemList();
  ASSERT_EQ(list->Count(), 2);

  // The 16 x 16 picture comes back at the bitmap's 32 x 32, opaque.
  std::unique_ptr<TBitmap> image(CreateBitmap32(32, 32));
  ASSERT_TRUE(GetImageListBitmap32(list.get(), 0, image.get()));
  EXPECT_EQ(image->PixelFormat(), pf32bit);
  EXPECT_EQ(image->Width(), 32);
  EXPECT_EQ(Pixel32Of(*image, 6, 16), 0xFFFF0000u);  // red, alpha 255
  EXPECT_EQ(Pixel32Of(*image, 26, 16), 0xFF0000FFu);  // blue
  EXPECT_EQ(AlphaAt(*image, 16, 5), 255);

  // Half-transparent red over white gives pink; fully transparent pixels
  // leave the canvas.
  auto canvas = WhiteBitmap(40, 40);
  list->Draw(canvas->Canvas(), 2, 3, 1);
  const TColor pink = PixelOf(*canvas, 2 + 5, 3 + 5);
  EXPECT_EQ(pink & 0xFF, 255u);
  EXPECT_NEAR(static_cast<int>((pink >> 8) & 0xFF), 127, 2);
  EXPECT_NEAR(static_cast<int>((pink >> 16) & 0xFF), 127, 2);
  EXPECT_EQ(PixelOf(*canvas, 2 + 20, 3 + 5), clWhite);
  EXPECT_EQ(PixelOf(*canvas, 1, 5), clWhite);  // nothing outside the image

  // Out of range, no bitmap, no list: no image.
  EXPECT_FALSE(GetImageListBitmap32(list.get(), 2, image.get()));
  EXPECT_FALSE(GetImageListBitmap32(list.get(), -1, image.get()));
  EXPECT_FALSE(GetImageListBitmap32(list.get(), 0, nullptr));
  EXPECT_FALSE(GetImageListBitmap32(nullptr, 0, image.get()));
}

TEST(AlphaImageList, PicturesWithoutAlphaAreKeyedByTheirBottomLeftPixel) {
  // A 24-bit PNG item: white around a black square.
  auto list = NewList(8);
  AddItem(*list, ifPNG, pnggraphic_test::RgbPng(Picture(8, 8, [](int x, int y) {
            const bool inside = x >= 2 && x < 6 && y >= 2 && y < 6;
            return inside ? Rgba{0, 0, 0, 0} : Rgba{255, 255, 255, 0};
          })));
  list->RebuildSystemList();
  std::unique_ptr<TBitmap> image(CreateBitmap32(8, 8));
  ASSERT_TRUE(GetImageListBitmap32(list.get(), 0, image.get()));
  EXPECT_EQ(AlphaAt(*image, 0, 0), 0);
  EXPECT_EQ(AlphaAt(*image, 3, 3), 255);

  // Directly: any non-zero alpha keeps the bitmap; a bitmap of another
  // format is left alone.
  struct Case {
    const char* Name;
    TPixelFormat Format;
    std::uint8_t CornerAlpha;
    std::uint8_t ExpectedInside;
  };
  for (const Case& c : {Case{"all alpha 0", pf32bit, 0, 255}, Case{"some alpha", pf32bit, 7, 0},
                        Case{"24-bit", pf24bit, 0, 0}}) {
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(4, 4);
    for (int y = 0; y < 4; ++y) {
      auto* p = static_cast<std::uint8_t*>(b.ScanLine(y));
      for (int x = 0; x < 4; ++x) {
        p[x * 4 + 0] = x == 2 ? 0x40 : 0x10;
        p[x * 4 + 1] = p[x * 4 + 2] = 0x10;
        p[x * 4 + 3] = 0;
      }
    }
    static_cast<std::uint8_t*>(b.ScanLine(0))[3] = c.CornerAlpha;
    if (c.Format != pf32bit) {
      b.SetPixelFormat(c.Format);
      MakeAlphaFromCornerKey(&b);
      b.SetPixelFormat(pf32bit);
    } else {
      MakeAlphaFromCornerKey(&b);
    }
    EXPECT_EQ(AlphaAt(b, 2, 1), c.ExpectedInside) << c.Name;
    EXPECT_EQ(AlphaAt(b, 1, 1), 0) << c.Name;  // the key colour
  }
  MakeAlphaFromCornerKey(nullptr);
}

std::string StreamBytes(TComponent* root) {
  TMemoryStream binary;
  {
    TWriter writer(binary);
    writer.WriteRootComponent(root);
  }
  return std::string(static_cast<const char*>(binary.Memory()), static_cast<std::size_t>(binary.Size()));
}

void ReadInto(const std::string& bytes, TComponent* root) {
  TMemoryStream binary;
  binary.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  binary.SetPosition(0);
  TReader reader(binary);
  reader.ReadRootComponent(root);
}

TEST(AlphaImageList, AStreamCarriesTheItemsByteForByteAndNoBitmap) {
  auto list = NewList(32);
  list->SetName("sAlphaImageList1");
  const Bytes ico = TestIcoFile(32, kIcoColours[2]);
  const Bytes png = HalvesPng(32, 32, Rgba{255, 0, 0, 255}, Rgba{0, 255, 0, 255});
  AddItem(*list, ifICO, ico);
  AddItem(*list, ifPNG, png)->SetPixelFormat(pf24bit);
  AddItem(*list, ifPNG, png);
  list->RebuildSystemList();

  const std::string text = test_support::ComponentText(list.get());
  EXPECT_NE(text.find("ImageFormat = ifICO"), std::string::npos) << text;
  EXPECT_NE(text.find("ImageFormat = ifPNG"), std::string::npos) << text;
  EXPECT_EQ(text.find("PixelFormat = pf32bit"), std::string::npos) << text;
  const std::size_t pf24 = text.find("PixelFormat = pf24bit");
  ASSERT_NE(pf24, std::string::npos) << text;
  EXPECT_EQ(text.find("PixelFormat", pf24 + 1), std::string::npos) << text;  // once only
  EXPECT_NE(text.find("DrawingStyle = dsTransparent"), std::string::npos) << text;

  // "Bitmap" is there with a count of 0 bytes.
  const std::string bytes = StreamBytes(list.get());
  const std::string emptyBitmap = std::string("\x06" "Bitmap\x0A", 8) + std::string(4, '\0');
  EXPECT_NE(bytes.find(emptyBitmap), std::string::npos);

  auto copy = std::make_unique<TsAlphaImageList>(nullptr);
  ReadInto(bytes, copy.get());
  EXPECT_TRUE(copy->SystemListBuilt());
  EXPECT_EQ(copy->Width(), 32);
  EXPECT_EQ(copy->DrawingStyle(), dsTransparent);
  ASSERT_EQ(copy->Items()->Count(), 3);
  EXPECT_EQ(copy->Count(), 3);
  EXPECT_EQ(copy->Items()->Item(0)->ImageFormat(), ifICO);
  EXPECT_EQ(DataOf(copy->Items()->Item(0)), ico);
  EXPECT_EQ(copy->Items()->Item(1)->ImageFormat(), ifPNG);
  EXPECT_EQ(copy->Items()->Item(1)->PixelFormat(), pf24bit);
  EXPECT_EQ(DataOf(copy->Items()->Item(1)), png);
  EXPECT_EQ(copy->Items()->Item(2)->PixelFormat(), pf32bit);
  auto canvas = WhiteBitmap(32, 32);
  copy->Draw(canvas->Canvas(), 0, 0, 0);
  EXPECT_EQ(PixelOf(*canvas, 16, 16), kIcoColours[2]);

  // A "Bitmap" with bytes in it is ignored as well: the items make the images.
  const std::string withBitmap = [&] {
    std::string b = bytes;
    const std::size_t at = b.find(emptyBitmap);
    b.replace(at, emptyBitmap.size(), std::string("\x06" "Bitmap\x0A\x03\0\0\0xyz", 15));
    return b;
  }();
  auto other = std::make_unique<TsAlphaImageList>(nullptr);
  ReadInto(withBitmap, other.get());
  EXPECT_EQ(other->Count(), 3);
}

TEST(AlphaImageList, DamagedItemDataFailsTheLoadWithTheReadersMessage) {
  Bytes crcBroken = HalvesPng(32, 32, Rgba{1, 2, 3, 255}, Rgba{4, 5, 6, 255});
  crcBroken[crcBroken.size() - 20] ^= 0x55;  // inside the image data chunk
  const Bytes truncatedIco = [] {
    Bytes b = TestIcoFile(32, kIcoColours[0]);
    b.resize(40);
    return b;
  }();
  struct Case {
    const char* Name;
    TsImageFormat Format;
    Bytes Data;
  };
  for (const Case& c : {Case{"png", ifPNG, crcBroken}, Case{"ico", ifICO, truncatedIco}, Case{"empty", ifPNG, {}}}) {
    // The message of the reader of that format, read the same way.
    std::string expected;
    try {
      TMemoryStream data;
      if (!c.Data.empty())
        data.WriteBuffer(c.Data.data(), static_cast<std::int32_t>(c.Data.size()));
      data.SetPosition(0);
      if (c.Format == ifPNG) {
        TPNGGraphic png;
        png.LoadFromStream(data);
      } else {
        TIcon icon;
        icon.LoadFromStream(data);
      }
    } catch (Exception& e) {
      expected = e.Message;
    }
    ASSERT_FALSE(expected.empty()) << c.Name;

    auto list = NewList(32);
    list->SetName("Damaged");
    AddItem(*list, ifICO, TestIcoFile(32, kIcoColours[1]));  // a sound item first
    AddItem(*list, c.Format, c.Data);
    const std::string bytes = StreamBytes(list.get());

    auto target = std::make_unique<TsAlphaImageList>(nullptr);
    try {
      ReadInto(bytes, target.get());
      ADD_FAILURE() << c.Name << ": no error";
    } catch (Exception& e) {
      EXPECT_EQ(e.Message, expected) << c.Name;
    }
    // Nothing half-built: no image of the sound item either.
    EXPECT_EQ(target->Count(), 0) << c.Name;
    EXPECT_FALSE(target->SystemListBuilt()) << c.Name;
    // Drawing it later draws nothing and raises nothing.
    auto canvas = WhiteBitmap(32, 32);
    target->Draw(canvas->Canvas(), 0, 0, 1);
    EXPECT_EQ(PixelOf(*canvas, 16, 16), clWhite) << c.Name;
  }
}

TEST(AlphaImageList, AddedItemsRebuildAndPlainImagesAreRepaired) {
  auto list = NewList(16);
  AddItem(*list, ifICO, TestIcoFile(16, kIcoColours[0]));
  list->RebuildSystemList();
  ASSERT_EQ(list->Count(), 1);

  // More items than images: a change rebuilds.
  AddItem(*list, ifICO, TestIcoFile(16, kIcoColours[1]));
  list->SetBkColor(clNone);
  ASSERT_EQ(list->Count(), 2);

  // A bitmap without alpha added as to any image list: opaque but for its
  // fuchsia pixels.
  TBitmap plain;
  pnggraphic_test::FillBitmap(plain, 16, 16, clFuchsia);
  plain.Canvas().Brush().SetColor(clNavy);
  const RECT middle{4, 4, 12, 12};
  plain.Canvas().FillRect(middle);
  ASSERT_EQ(list->Add(&plain, nullptr), 2);
  EXPECT_EQ(list->Items()->Count(), 2);
  std::unique_ptr<TBitmap> image(CreateBitmap32(16, 16));
  ASSERT_TRUE(GetImageListBitmap32(list.get(), 2, image.get()));
  EXPECT_EQ(AlphaAt(*image, 8, 8), 255);
  EXPECT_EQ(AlphaAt(*image, 1, 1), 0);
  EXPECT_EQ(Pixel32Of(*image, 8, 8) & 0xFFFFFF, 0x000080u);  // navy kept
  // The images made from items keep their own alpha.
  ASSERT_TRUE(GetImageListBitmap32(list.get(), 0, image.get()));
  EXPECT_EQ(AlphaAt(*image, 1, 1), 0);
  EXPECT_EQ(AlphaAt(*image, 8, 8), 255);
}

TEST(AlphaImageList, CopiesTakeTheItemsSizeAndImages) {
  auto source = NewList(32);
  source->SetBkColor(clYellow);
  AddItem(*source, ifICO, TestIcoFile(32, kIcoColours[0]));
  AddItem(*source, ifPNG, HalvesPng(32, 32, Rgba{0, 255, 0, 255}, Rgba{0, 0, 255, 255}))->SetPixelFormat(pf8bit);
  source->RebuildSystemList();

  auto copy = NewList(16);
  AddItem(*copy, ifICO, TestIcoFile(16, kIcoColours[2]));
  copy->RebuildSystemList();
  copy->Assign(source.get());
  EXPECT_EQ(copy->Width(), 32);
  EXPECT_EQ(copy->Height(), 32);
  EXPECT_EQ(copy->BkColor(), clYellow);
  ASSERT_EQ(copy->Items()->Count(), 2);
  EXPECT_EQ(copy->Count(), 2);
  EXPECT_EQ(copy->Items()->Item(1)->PixelFormat(), pf8bit);
  EXPECT_EQ(DataOf(copy->Items()->Item(1)), DataOf(source->Items()->Item(1)));
  auto canvas = WhiteBitmap(32, 32);
  copy->Draw(canvas->Canvas(), 0, 0, 1);
  EXPECT_EQ(PixelOf(*canvas, 4, 16), 0x00FF00u);

  // A list that let its items go hands over its icons.
  auto lean = NewList(32);
  lean->SetKeepItemData(false);
  AddItem(*lean, ifICO, TestIcoFile(32, kIcoColours[1]));
  lean->RebuildSystemList();
  auto fromLean = NewList(16);
  fromLean->Assign(lean.get());
  EXPECT_EQ(fromLean->Count(), 1);
  EXPECT_EQ(fromLean->Items()->Count(), 0);
  canvas = WhiteBitmap(32, 32);
  fromLean->Draw(canvas->Canvas(), 0, 0, 0);
  EXPECT_EQ(PixelOf(*canvas, 16, 16), kIcoColours[1]);

  // A plain image list's images replace the items.
  TImageList plainList(nullptr, 16, 16);
  TBitmap plain;
  pnggraphic_test::FillBitmap(plain, 16, 16, clRed);
  plainList.Add(&plain, nullptr);
  copy->Assign(&plainList);
  EXPECT_EQ(copy->Items()->Count(), 0);
  EXPECT_EQ(copy->Count(), 1);
  EXPECT_EQ(copy->Width(), 16);

  copy->Assign(nullptr);
  EXPECT_FALSE(copy->HandleAllocated());

  // Items copy one another; nil is refused.
  TsImgListItems items(source.get());
  TsImgListItem* item = items.Add();
  item->Assign(source->Items()->Item(1));
  EXPECT_EQ(item->ImageFormat(), ifPNG);
  EXPECT_EQ(item->PixelFormat(), pf8bit);
  EXPECT_EQ(DataOf(item), DataOf(source->Items()->Item(1)));
  try {
    item->Assign(nullptr);
    ADD_FAILURE() << "nil assigned";
  } catch (Exception& e) {
    EXPECT_EQ(e.Message, "Cannot assign a nil to a TsImgListItem");
  }
}

TEST(ImageListGlyphs, ColumnsOfAlphaAndPlainListsAndNoColumnsAtAll) {
  auto alpha = NewList(32);
  AddItem(*alpha, ifPNG, HalvesPng(32, 32, Rgba{255, 0, 0, 255}, Rgba{0, 0, 255, 255}));
  alpha->RebuildSystemList();
  TImageList plain(nullptr, 32, 32);
  TBitmap halves;
  pnggraphic_test::FillBitmap(halves, 32, 32, clRed);
  halves.Canvas().Brush().SetColor(clBlue);
  const RECT right{16, 0, 32, 32};
  halves.Canvas().FillRect(right);
  plain.Add(&halves, nullptr);

  struct Case {
    const char* Name;
    TImageList* List;
    int State;
    TColor Expected;
  };
  for (const Case& c : {Case{"alpha, state 1", alpha.get(), 1, clBlue}, Case{"alpha, state 0", alpha.get(), 0, clRed},
                        Case{"alpha, state held", alpha.get(), 9, clBlue}, Case{"plain, state 1", &plain, 1, clBlue},
                        Case{"plain, state 0", &plain, 0, clRed}}) {
    auto canvas = WhiteBitmap(60, 40);
    SIZE size{};
    DrawImageListGlyph(c.List, canvas.get(), 10, size, false, 2, c.State, kNoTint, 0, 0, 4);
    EXPECT_EQ(size.cx, 16) << c.Name;
    EXPECT_EQ(size.cy, 32) << c.Name;
    EXPECT_EQ(PixelOf(*canvas, 10, 4), c.Expected) << c.Name;
    EXPECT_EQ(PixelOf(*canvas, 25, 35), c.Expected) << c.Name;
    EXPECT_EQ(PixelOf(*canvas, 26, 20), clWhite) << c.Name;  // one column only
    EXPECT_EQ(PixelOf(*canvas, 9, 20), clWhite) << c.Name;
  }

  // Onto a device context.
  auto target = WhiteBitmap(60, 40);
  DrawImageListGlyphDC(alpha.get(), target->Canvas().Handle(), 20, false, 2, 0, kNoTint, 0, 0, 2);
  EXPECT_EQ(PixelOf(*target, 20, 2), clRed);
  EXPECT_EQ(PixelOf(*target, 19, 2), clWhite);
  EXPECT_EQ(PixelOf(*target, 36, 2), clWhite);

  // No columns: nothing drawn, nothing divided.
  for (int numGlyphs : {0, -1}) {
    auto canvas = WhiteBitmap(60, 40);
    SIZE size{5, 5};
    DrawImageListGlyph(alpha.get(), canvas.get(), 0, size, false, numGlyphs, 0, kNoTint, 0, 0, 0);
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
    DrawImageListGlyphDC(&plain, canvas->Canvas().Handle(), 0, false, numGlyphs, 0, kNoTint, 0, 0, 0);
    for (int x : {0, 8, 20, 31})
      EXPECT_EQ(PixelOf(*canvas, x, 10), clWhite) << numGlyphs;
  }
}

}  // namespace
