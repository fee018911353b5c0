// PNG pictures in TPicture: the "png" file format, the picture's "Data" in
// component streams (class name, then the PNG file unchanged) and PNG files
// kept as RCDATA resources.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/classes/component.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/typinfo.h"
#include "classlib/classes/writer.h"
#include "classlib/graphics/picture.h"
#include "tests/classlib/classes/lists/tempfolder.h"
#include "tests/support/pnggraphic/pnggraphic_test_util.h"

using namespace pnggraphic_test;

namespace {

// A component with a published picture, as a form holds one.
class TPictureHolder : public TComponent {
  DECLARE_CLASS(TPictureHolder, TComponent)

public:
  explicit TPictureHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TPicture* GetPicture() { return &picture; }
  void SetPicture(TPicture* value) { picture.Assign(value); }

  TPicture picture;
};

BEGIN_PUBLISHED(TPictureHolder)
  PROPERTY(Picture, GetPicture, SetPicture),
END_PUBLISHED

Bytes StreamBytes(TMemoryStream& stream) {
  const auto* p = static_cast<const std::uint8_t*>(stream.Memory());
  return Bytes(p, p + stream.Size());
}

std::string AsString(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

const Bytes& SamplePng() {
  static const Bytes png = RgbaPng({{{255, 0, 0, 255}, {0, 255, 0, 128}}, {{0, 0, 255, 0}, {9, 8, 7, 6}}});
  return png;
}

TEST(PngPicture, PngExtensionPicksThePngGraphic) {
  EXPECT_EQ(TPicture::FileFormatClass("png"), TPNGGraphic::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("PNG"), TPNGGraphic::StaticClass());

  TempFolder folder;
  WriteWholeFile(folder.Path("x.png"), AsString(SamplePng()));
  TPicture picture;
  picture.LoadFromFile(folder.File("x.png"));
  auto* png = dynamic_cast<TPNGGraphic*>(picture.Graphic());
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->ClassName(), "TPNGGraphic");
  EXPECT_EQ(picture.Width(), 2);
  EXPECT_EQ(picture.Height(), 2);
  EXPECT_EQ(png->PixelFormat(), pf32bit);
  EXPECT_EQ(Pixel32Of(*png, 1, 0), 0x8000FF00u);
  EXPECT_EQ(png->PngData(), SamplePng());

  // A PNG picture is a bitmap: asking for the bitmap keeps the image.
  EXPECT_EQ(&picture.Bitmap(), png);
  EXPECT_EQ(picture.Bitmap().Width(), 2);
}

TEST(PngPicture, DataIsTheClassNameThenThePngFile) {
  TPicture picture;
  auto png = std::make_unique<TPNGGraphic>();
  LoadPng(*png, SamplePng());
  picture.SetGraphic(png.get());

  TMemoryStream data;
  picture.WriteData(data);
  Bytes expected{11};
  for (char c : std::string("TPNGGraphic"))
    expected.push_back(static_cast<std::uint8_t>(c));
  expected.insert(expected.end(), SamplePng().begin(), SamplePng().end());
  EXPECT_EQ(StreamBytes(data), expected);

  data.SetPosition(0);
  TPicture copy;
  copy.ReadData(data);
  auto* read = dynamic_cast<TPNGGraphic*>(copy.Graphic());
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(Pixel32Of(*read, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(Pixel32Of(*read, 1, 1), 0x06090807u);
  TMemoryStream again;
  copy.WriteData(again);
  EXPECT_EQ(StreamBytes(again), expected);
}

class PngPictureStreamingTest : public testing::Test {
protected:
  void SetUp() override { RegisterClasses({TPictureHolder::StaticClass()}); }

  Bytes Write(TPictureHolder& holder) {
    TMemoryStream binary;
    {
      TWriter writer(binary);  // flushes when it goes
      writer.WriteRootComponent(&holder);
    }
    return StreamBytes(binary);
  }
  std::unique_ptr<TPictureHolder> Read(const Bytes& bytes) {
    TMemoryStream binary;
    binary.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    binary.SetPosition(0);
    auto holder = std::make_unique<TPictureHolder>(nullptr);
    TReader reader(binary);
    reader.ReadRootComponent(holder.get());
    return holder;
  }
};

TEST_F(PngPictureStreamingTest, PngPictureComesBackByteForByte) {
  TPictureHolder holder(nullptr);
  holder.SetName("Holder");
  auto png = std::make_unique<TPNGGraphic>();
  LoadPng(*png, SamplePng());
  holder.picture.SetGraphic(png.get());

  const Bytes first = Write(holder);
  // The PNG file lies whole inside the stream.
  EXPECT_NE(AsString(first).find(AsString(SamplePng())), std::string::npos);
  std::unique_ptr<TPictureHolder> back = Read(first);
  auto* read = dynamic_cast<TPNGGraphic*>(back->picture.Graphic());
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->PngData(), SamplePng());
  EXPECT_EQ(Pixel32Of(*read, 1, 0), 0x8000FF00u);
  EXPECT_EQ(Write(*back), first);
}

TEST_F(PngPictureStreamingTest, PngGraphicWithoutAFileStreamsAsItsBitmap) {
  TPictureHolder holder(nullptr);
  holder.SetName("Holder");
  TBitmap plain;
  FillBitmap(plain, 3, 2, RGBColor(10, 200, 30));
  TPNGGraphic png;
  png.Assign(&plain);
  holder.picture.SetGraphic(&png);

  const Bytes first = Write(holder);
  std::unique_ptr<TPictureHolder> back = Read(first);
  auto* read = dynamic_cast<TPNGGraphic*>(back->picture.Graphic());
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(read->PngData().empty());
  ASSERT_EQ(read->Width(), 3);
  EXPECT_EQ(PixelOf(*read, 2, 1), RGBColor(10, 200, 30));
  EXPECT_EQ(Write(*back), first);
}

TEST(PngResource, RcDataPngLoadsByNameAndById) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  TPNGGraphic byName, byId;
  byName.LoadFromResourceName(module, "RGBA3X2");
  byId.LoadFromResourceID(module, 301);
  for (TPNGGraphic* png : {&byName, &byId}) {
    ASSERT_EQ(png->Width(), 3);
    ASSERT_EQ(png->Height(), 2);
    EXPECT_EQ(png->PixelFormat(), pf32bit);
    EXPECT_EQ(Pixel32Of(*png, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(Pixel32Of(*png, 1, 0), 0x8000FF00u);
    EXPECT_EQ(Pixel32Of(*png, 2, 0), 0x000000FFu);
    EXPECT_EQ(Pixel32Of(*png, 2, 1), 0xC80A141Eu);
  }
  EXPECT_EQ(byName.PngData(), byId.PngData());
  EXPECT_EQ(byName.PngData().size(), 84u);
}

TEST(PngResource, MissingResourceRaisesResNotFound) {
  TPNGGraphic png;
  EXPECT_THROW(png.LoadFromResourceName(GetModuleHandleW(nullptr), "NO_SUCH_PNG"), EResNotFound);
}

}  // namespace
