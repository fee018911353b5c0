#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/metafile.h"
#include "graphics_test_util.h"

using namespace graphics_test;

namespace {

// The texts of the EMR_EXTTEXTOUTW records of a metafile.
std::vector<std::wstring> RecordedTexts(HENHMETAFILE metafile) {
  std::vector<std::wstring> texts;
  auto collect = [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) -> int {
    if (record->iType == EMR_EXTTEXTOUTW) {
      const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
      const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const std::uint8_t*>(record) +
                                                           text->emrtext.offString);
      reinterpret_cast<std::vector<std::wstring>*>(data)->emplace_back(chars, text->emrtext.nChars);
    }
    return 1;
  };
  EnumEnhMetaFile(nullptr, metafile, collect, &texts, nullptr);
  return texts;
}

class MetafileTest : public testing::Test {
protected:
  void SetUp() override {
    metafile.SetWidth(200);
    metafile.SetHeight(100);
    TMetafileCanvas canvas(&metafile, nullptr);
    canvas.Brush().SetColor(clRed);
    canvas.Pen().SetColor(clBlue);
    canvas.Rectangle(10, 10, 100, 60);
    canvas.Font().SetName("Arial");
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(20, 70, "Ürün Şişe ığ");
  }
  TMetafile metafile;
};

TEST_F(MetafileTest, DestroyingTheCanvasCompletesTheMetafile) {
  ASSERT_FALSE(metafile.Empty());
  EXPECT_EQ(metafile.Width(), 200);
  EXPECT_EQ(metafile.Height(), 100);
  EXPECT_TRUE(metafile.Enhanced());
  ENHMETAHEADER header{};
  ASSERT_NE(GetEnhMetaFileHeader(metafile.Handle(), sizeof(header), &header), 0u);
  EXPECT_GT(header.nRecords, 3u);
}

TEST_F(MetafileTest, RecordsTextAsUnicodeTextOut) {
  std::vector<std::wstring> texts = RecordedTexts(metafile.Handle());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], L"Ürün Şişe ığ");
}

TEST_F(MetafileTest, PlaysIntoABitmap) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(200, 100);
  bitmap.Canvas().Draw(0, 0, metafile);
  EXPECT_EQ(bitmap.Canvas().Pixels(50, 30), clRed);
  EXPECT_EQ(bitmap.Canvas().Pixels(10, 30), clBlue);
  EXPECT_EQ(bitmap.Canvas().Pixels(150, 30), clWhite);
  int ink = 0;
  for (int x = 20; x < 150; ++x)
    for (int y = 70; y < 90; ++y)
      ink += bitmap.Canvas().Pixels(x, y) != clWhite;
  EXPECT_GT(ink, 10);
}

TEST_F(MetafileTest, EmfBytesSurviveSaveAndLoad) {
  std::vector<std::uint8_t> saved = SavedBytes(metafile);
  ASSERT_GT(saved.size(), 88u);
  std::uint32_t signature = 0;
  std::memcpy(&signature, saved.data() + 40, 4);
  EXPECT_EQ(signature, 0x464D4520u);
  TMemoryStream stream;
  stream.WriteBuffer(saved.data(), static_cast<std::int32_t>(saved.size()));
  stream.SetPosition(0);
  TMetafile loaded;
  loaded.LoadFromStream(stream);
  EXPECT_EQ(SavedBytes(loaded), saved);
  EXPECT_EQ(loaded.MMWidth(), metafile.MMWidth());
  EXPECT_EQ(RecordedTexts(loaded.Handle()).size(), 1u);
}

TEST_F(MetafileTest, PlaceableWmfRoundTrip) {
  metafile.SetEnhanced(false);
  std::vector<std::uint8_t> wmf = SavedBytes(metafile);
  ASSERT_GT(wmf.size(), 40u);
  EXPECT_EQ(wmf[0], 0xD7);
  EXPECT_EQ(wmf[1], 0xCD);
  TMemoryStream stream;
  stream.WriteBuffer(wmf.data(), static_cast<std::int32_t>(wmf.size()));
  stream.SetPosition(0);
  TMetafile loaded;
  loaded.LoadFromStream(stream);
  EXPECT_FALSE(loaded.Enhanced());
  EXPECT_EQ(loaded.Inch(), 96);
  EXPECT_NEAR(loaded.Width(), 200, 1);
  EXPECT_NEAR(loaded.Height(), 100, 1);
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(200, 100);
  bitmap.Canvas().StretchDraw(RECT{0, 0, 200, 100}, loaded);
  EXPECT_EQ(bitmap.Canvas().Pixels(50, 30), clRed);
}

TEST_F(MetafileTest, AssignCopiesAndClearEmpties) {
  TMetafile copy;
  copy.Assign(&metafile);
  EXPECT_NE(copy.Handle(), metafile.Handle());
  EXPECT_EQ(copy.MMHeight(), metafile.MMHeight());
  copy.Clear();
  EXPECT_TRUE(copy.Empty());
  EXPECT_EQ(copy.Width(), 0);
}

TEST(MetafileLoading, DamagedStreamsAreRefused) {
  const std::vector<std::vector<std::uint8_t>> inputs = {
      {},
      {1, 0, 0, 0},
      std::vector<std::uint8_t>(100, 0),
      {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 10, 0, 10, 0, 96, 0, 0, 0, 0, 0, 0x12, 0x34},
  };
  for (const auto& bytes : inputs) {
    TMemoryStream stream;
    if (!bytes.empty())
      stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    stream.SetPosition(0);
    TMetafile metafile;
    EXPECT_THROW(metafile.LoadFromStream(stream), EInvalidGraphic) << bytes.size();
    EXPECT_TRUE(metafile.Empty());
  }
}

}  // namespace
