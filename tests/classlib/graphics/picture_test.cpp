#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/icon.h"
#include "classlib/graphics/jpeg.h"
#include "classlib/graphics/metafile.h"
#include "classlib/graphics/picture.h"
#include "graphics_test_util.h"

using namespace graphics_test;

namespace {

// A 64x48 picture with smooth gradients and a sharp block.
void PaintGradient(TBitmap& bitmap) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(64, 48);
  for (int y = 0; y < 48; ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap.ScanLine(y));
    for (int x = 0; x < 64; ++x) {
      row[x * 3 + 0] = static_cast<std::uint8_t>(x * 4);
      row[x * 3 + 1] = static_cast<std::uint8_t>(y * 5);
      row[x * 3 + 2] = static_cast<std::uint8_t>(128 + x);
    }
  }
}

int MaxChannelDifference(TBitmap& a, TBitmap& b) {
  TBitmap a24, b24;
  a24.Assign(&a);
  a24.SetPixelFormat(pf24bit);
  b24.Assign(&b);
  b24.SetPixelFormat(pf24bit);
  int worst = 0;
  for (int y = 0; y < a24.Height(); ++y) {
    auto* ra = static_cast<std::uint8_t*>(a24.ScanLine(y));
    auto* rb = static_cast<std::uint8_t*>(b24.ScanLine(y));
    for (int i = 0; i < a24.Width() * 3; ++i)
      worst = std::max(worst, std::abs(ra[i] - rb[i]));
  }
  return worst;
}

TEST(Jpeg, EncodeDecodeStaysWithinTolerance) {
  TBitmap original;
  PaintGradient(original);
  TJPEGImage jpeg;
  jpeg.SetCompressionQuality(95);
  jpeg.Assign(&original);
  std::vector<std::uint8_t> file = SavedBytes(jpeg);
  ASSERT_GT(file.size(), 100u);
  EXPECT_EQ(file[0], 0xFF);
  EXPECT_EQ(file[1], 0xD8);

  TMemoryStream stream;
  stream.WriteBuffer(file.data(), static_cast<std::int32_t>(file.size()));
  stream.SetPosition(0);
  TJPEGImage loaded;
  loaded.LoadFromStream(stream);
  EXPECT_EQ(loaded.Width(), 64);
  EXPECT_EQ(loaded.Height(), 48);
  TBitmap decoded;
  decoded.Assign(&loaded);
  EXPECT_LE(MaxChannelDifference(original, decoded), 24);
}

TEST(Jpeg, LowerQualityGivesSmallerFiles) {
  TBitmap original;
  PaintGradient(original);
  TJPEGImage fine, coarse;
  fine.SetCompressionQuality(100);
  coarse.SetCompressionQuality(10);
  fine.Assign(&original);
  coarse.Assign(&original);
  std::size_t fineSize = SavedBytes(fine).size(), coarseSize = SavedBytes(coarse).size();
  if (fineSize == coarseSize)
    GTEST_SKIP() << "this imaging component ignores the ImageQuality option (Wine's does)";
  EXPECT_LT(coarseSize, fineSize);
}

TEST(Jpeg, CompressionQualityIsClamped) {
  TJPEGImage jpeg;
  EXPECT_EQ(jpeg.CompressionQuality(), 90);
  jpeg.SetCompressionQuality(0);
  EXPECT_EQ(jpeg.CompressionQuality(), 1);
  jpeg.SetCompressionQuality(250);
  EXPECT_EQ(jpeg.CompressionQuality(), 100);
}

TEST(Jpeg, NonJpegBytesAreRefused) {
  TBitmap bitmap;
  PaintGradient(bitmap);
  std::vector<std::uint8_t> bmp = SavedBytes(bitmap);
  std::vector<std::uint8_t> brokenJpeg = {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3};
  for (const auto& bytes : {bmp, brokenJpeg}) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    stream.SetPosition(0);
    TJPEGImage jpeg;
    EXPECT_THROW(jpeg.LoadFromStream(stream), EInvalidGraphic);
    EXPECT_TRUE(jpeg.Empty());
  }
}

TEST(Gif, FewColoursSurviveExactly) {
  TBitmap original;
  original.SetPixelFormat(pf24bit);
  original.SetSize(20, 10);
  original.Canvas().Brush().SetColor(clRed);
  original.Canvas().FillRect(RECT{0, 0, 10, 10});
  original.Canvas().Pixels(15, 5) = RGBColor(1, 2, 3);
  TGIFImage gif;
  gif.Assign(&original);
  std::vector<std::uint8_t> file = SavedBytes(gif);
  ASSERT_GT(file.size(), 13u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 3), "GIF");
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), static_cast<std::int32_t>(file.size()));
  stream.SetPosition(0);
  TGIFImage loaded;
  loaded.LoadFromStream(stream);
  EXPECT_EQ(MaxChannelDifference(original, loaded.Bitmap()), 0);
}

TEST(Gif, ManyColoursAreMappedToTheNearestTableColour) {
  TBitmap original;
  PaintGradient(original);
  TGIFImage gif;
  gif.Assign(&original);
  TMemoryStream stream;
  gif.SaveToStream(stream);
  stream.SetPosition(0);
  TGIFImage loaded;
  loaded.LoadFromStream(stream);
  EXPECT_EQ(loaded.Width(), 64);
  EXPECT_LE(MaxChannelDifference(original, loaded.Bitmap()), 60);
}

// Writes the picture's "Data" and reads it into a new picture.
std::unique_ptr<TPicture> ThroughData(TPicture& picture, std::vector<std::uint8_t>* data = nullptr) {
  TMemoryStream stream;
  picture.WriteData(stream);
  if (data != nullptr)
    *data = StreamBytes(stream);
  stream.SetPosition(0);
  auto copy = std::make_unique<TPicture>();
  copy->ReadData(stream);
  EXPECT_EQ(stream.Position(), stream.Size());
  return copy;
}

TEST(PictureData, BitmapStreamsAsClassNameSizeAndBmp) {
  TPicture picture;
  picture.Bitmap().SetPixelFormat(pf24bit);
  picture.Bitmap().SetSize(5, 3);
  picture.Bitmap().Canvas().Pixels(4, 2) = clPurple;
  std::vector<std::uint8_t> data;
  std::unique_ptr<TPicture> copy = ThroughData(picture, &data);
  ASSERT_GT(data.size(), 12u);
  EXPECT_EQ(data[0], 7);
  EXPECT_EQ(std::string(data.begin() + 1, data.begin() + 8), "TBitmap");
  std::uint32_t size = data[8] | (data[9] << 8) | (data[10] << 16) | (data[11] << 24);
  EXPECT_EQ(size, data.size() - 12);
  EXPECT_EQ(data[12], 'B');
  ASSERT_NE(dynamic_cast<TBitmap*>(copy->Graphic()), nullptr);
  EXPECT_EQ(copy->Bitmap().Canvas().Pixels(4, 2), clPurple);
  EXPECT_EQ(copy->Width(), 5);
}

TEST(PictureData, MetafileStreamsAsEmf) {
  TPicture picture;
  picture.Metafile().SetWidth(50);
  picture.Metafile().SetHeight(40);
  {
    TMetafileCanvas canvas(&picture.Metafile(), nullptr);
    canvas.TextOut(1, 1, "Data");
  }
  std::unique_ptr<TPicture> copy = ThroughData(picture);
  auto* metafile = dynamic_cast<TMetafile*>(copy->Graphic());
  ASSERT_NE(metafile, nullptr);
  EXPECT_EQ(metafile->EmfBytes(), picture.Metafile().EmfBytes());
  EXPECT_EQ(copy->Width(), 50);
}

TEST(PictureData, JpegStreamsItsFile) {
  TBitmap bitmap;
  PaintGradient(bitmap);
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  TPicture picture;
  picture.SetGraphic(&jpeg);
  std::vector<std::uint8_t> data;
  std::unique_ptr<TPicture> copy = ThroughData(picture, &data);
  EXPECT_EQ(std::string(data.begin() + 1, data.begin() + 1 + data[0]), "TJPEGImage");
  auto* loaded = dynamic_cast<TJPEGImage*>(copy->Graphic());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(SavedBytes(*loaded), SavedBytes(jpeg));
  EXPECT_EQ(copy->Height(), 48);
}

TEST(PictureData, UnknownOrNonGraphicClassesAreRefused) {
  for (const char* name : {"TNoSuchGraphic", "TPicture"}) {
    TMemoryStream stream;
    unsigned char length = static_cast<unsigned char>(std::strlen(name));
    stream.WriteBuffer(&length, 1);
    stream.WriteBuffer(name, length);
    stream.SetPosition(0);
    TPicture picture;
    EXPECT_THROW(picture.ReadData(stream), EClassNotFound) << name;
    EXPECT_EQ(picture.Graphic(), nullptr);
  }
}

TEST(PictureData, TruncatedDataIsAReadError) {
  TPicture picture;
  picture.Bitmap().SetSize(4, 4);
  std::vector<std::uint8_t> data;
  ThroughData(picture, &data);
  TMemoryStream stream;
  stream.WriteBuffer(data.data(), static_cast<std::int32_t>(data.size() - 10));
  stream.SetPosition(0);
  TPicture copy;
  EXPECT_THROW(copy.ReadData(stream), EReadError);
}

class PictureFileTest : public testing::Test {
protected:
  AnsiString TempName(const char* name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    AnsiString path;
    for (const wchar_t* p = folder; *p; ++p)
      path += static_cast<char>(*p);
    return path + name;
  }
};

TEST_F(PictureFileTest, LoadFromFilePicksTheClassByExtension) {
  TBitmap bitmap;
  PaintGradient(bitmap);
  AnsiString bmpName = TempName("dozuri_picture_test.BMP");
  AnsiString jpgName = TempName("dozuri_picture_test.jpg");
  bitmap.SaveToFile(bmpName);
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  jpeg.SaveToFile(jpgName);

  TPicture picture;
  int changes = 0;
  picture.OnChange = [&changes](TObject*) { ++changes; };
  picture.LoadFromFile(bmpName);
  EXPECT_EQ(picture.Graphic()->ClassName(), "TBitmap");
  picture.LoadFromFile(jpgName);
  EXPECT_EQ(picture.Graphic()->ClassName(), "TJPEGImage");
  EXPECT_EQ(picture.Width(), 64);
  EXPECT_GE(changes, 2);
  try {
    picture.LoadFromFile(TempName("dozuri_picture_test.xyz"));
    FAIL() << "no exception";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message, "Unknown picture file extension (.xyz)");
  }
  EXPECT_EQ(picture.Graphic()->ClassName(), "TJPEGImage");
  for (const AnsiString& name : {bmpName, jpgName})
    DeleteFileW(std::wstring(name.begin(), name.end()).c_str());
}

TEST(PictureFormats, RegisterAndUnregister) {
  EXPECT_EQ(TPicture::FileFormatClass("EMF"), TMetafile::StaticClass());
  TPicture::RegisterFileFormat("tst", "Test pictures", TIcon::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("tst"), TIcon::StaticClass());
  TPicture::UnregisterGraphicClass(TIcon::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("tst"), nullptr);
  EXPECT_EQ(TPicture::FileFormatClass("ico"), nullptr);
  TPicture::RegisterFileFormat("ico", "Icons", TIcon::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("ico"), TIcon::StaticClass());
}

TEST(PictureGraphic, AccessorsReplaceOtherKinds) {
  TPicture picture;
  picture.Bitmap().SetSize(3, 3);
  TMetafile& metafile = picture.Metafile();
  EXPECT_TRUE(metafile.Empty());
  EXPECT_EQ(picture.Graphic(), &metafile);
  TPicture other;
  other.Assign(&picture);
  EXPECT_NE(other.Graphic(), picture.Graphic());
  EXPECT_EQ(other.Graphic()->ClassName(), "TMetafile");
  other.Assign(nullptr);
  EXPECT_EQ(other.Graphic(), nullptr);
}

}  // namespace
