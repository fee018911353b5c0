// Fonts, pens, brushes and pictures inside component streams: nested
// published properties and the picture's binary "Data".
#include <gtest/gtest.h>

#include <memory>

#include "classlib/classes/component.h"
#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/typinfo.h"
#include "classlib/classes/writer.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/imagelist.h"
#include "classlib/graphics/picture.h"

namespace {

class TGraphicsHolder : public TComponent {
  DECLARE_CLASS(TGraphicsHolder, TComponent)

public:
  explicit TGraphicsHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TBrush* GetBrush() { return &brush; }
  void SetBrush(TBrush* value) { brush.Assign(value); }
  TFont* GetFont() { return &font; }
  void SetFont(TFont* value) { font.Assign(value); }
  TPen* GetPen() { return &pen; }
  void SetPen(TPen* value) { pen.Assign(value); }
  TPicture* GetPicture() { return &picture; }
  void SetPicture(TPicture* value) { picture.Assign(value); }
  // Streams the components it owns, as a form does.
  void GetChildren(TGetChildProc Proc, TComponent* Root) override {
    for (int i = 0; i < ComponentCount(); ++i)
      Proc(Components(i));
  }

  TBrush brush;
  TFont font;
  TPen pen;
  TPicture picture;
};

BEGIN_PUBLISHED(TGraphicsHolder)
  PROPERTY(Brush, GetBrush, SetBrush),
  PROPERTY(Font, GetFont, SetFont),
  PROPERTY(Pen, GetPen, SetPen),
  PROPERTY(Picture, GetPicture, SetPicture),
END_PUBLISHED

class GraphicsStreamingTest : public testing::Test {
protected:
  void SetUp() override { RegisterClasses({TGraphicsHolder::StaticClass(), TImageList::StaticClass()}); }

  void Write(TGraphicsHolder& holder) {
    binary.Clear();
    TWriter writer(binary);
    writer.WriteRootComponent(&holder);
  }
  std::string Text() {
    binary.SetPosition(0);
    TStringStream text;
    ObjectBinaryToText(binary, text);
    return text.DataString();
  }
  std::unique_ptr<TGraphicsHolder> ReadBack() {
    binary.SetPosition(0);
    auto holder = std::make_unique<TGraphicsHolder>(nullptr);
    TReader reader(binary);
    reader.ReadRootComponent(holder.get());
    return holder;
  }

  TMemoryStream binary;
};

TEST_F(GraphicsStreamingTest, FontPenAndBrushAreNestedProperties) {
  TGraphicsHolder holder(nullptr);
  holder.SetName("Holder");
  holder.font.SetName("Arial");
  holder.font.SetHeight(-13);
  holder.font.SetStyle({fsBold, fsUnderline});
  holder.pen.SetColor(clRed);
  holder.pen.SetWidth(2);
  holder.pen.SetStyle(psDash);
  holder.brush.SetStyle(bsClear);
  Write(holder);
  std::string text = Text();
  for (const char* line : {"  Brush.Style = bsClear\r\n", "  Font.Height = -13\r\n", "  Font.Name = 'Arial'\r\n",
                           "  Font.Style = [fsBold, fsUnderline]\r\n", "  Pen.Color = clRed\r\n",
                           "  Pen.Style = psDash\r\n", "  Pen.Width = 2\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << text;
  // Defaults and the derived Size stay out.
  for (const char* name : {"Font.Size", "Pen.Mode", "Font.Pitch", "Brush.Color"})
    EXPECT_EQ(text.find(name), std::string::npos) << name << text;

  std::unique_ptr<TGraphicsHolder> copy = ReadBack();
  EXPECT_EQ(copy->font.Name(), "Arial");
  EXPECT_EQ(copy->font.Height(), -13);
  EXPECT_EQ(copy->font.Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(copy->pen.Color(), clRed);
  EXPECT_EQ(copy->pen.Width(), 2);
  EXPECT_EQ(copy->pen.Style(), psDash);
  EXPECT_EQ(copy->brush.Style(), bsClear);
}

TEST_F(GraphicsStreamingTest, PublishedTablesNameThePlatformsProperties) {
  for (const char* name : {"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"})
    EXPECT_NE(GetPropInfo(TFont::StaticClass(), name), nullptr) << name;
  for (const char* name : {"Color", "Mode", "Style", "Width"})
    EXPECT_NE(GetPropInfo(TPen::StaticClass(), name), nullptr) << name;
  for (const char* name : {"Color", "Style"})
    EXPECT_NE(GetPropInfo(TBrush::StaticClass(), name), nullptr) << name;
}

TEST_F(GraphicsStreamingTest, PictureDataTravelsInTheComponentStream) {
  TGraphicsHolder holder(nullptr);
  holder.SetName("Holder");
  holder.picture.Bitmap().SetPixelFormat(pf24bit);
  holder.picture.Bitmap().SetSize(3, 2);
  holder.picture.Bitmap().Canvas().Pixels(2, 1) = clOlive;
  Write(holder);
  std::string text = Text();
  // The class name as a short string opens the data.
  EXPECT_NE(text.find("  Picture.Data = {\r\n    07544269746D6170"), std::string::npos) << text;
  std::unique_ptr<TGraphicsHolder> copy = ReadBack();
  ASSERT_NE(copy->picture.Graphic(), nullptr);
  EXPECT_EQ(copy->picture.Graphic()->ClassName(), "TBitmap");
  EXPECT_EQ(copy->picture.Bitmap().Canvas().Pixels(2, 1), clOlive);

  TGraphicsHolder empty(nullptr);
  empty.SetName("Empty");
  Write(empty);
  EXPECT_EQ(Text().find("Picture.Data"), std::string::npos);
}

TEST_F(GraphicsStreamingTest, OwnedImageListStreamsItsSettingsAndImages) {
  TGraphicsHolder holder(nullptr);
  holder.SetName("Holder");
  auto* images = new TImageList(&holder, 24, 24);
  images->SetName("Images");
  images->SetDrawingStyle(dsTransparent);
  TBitmap glyph;
  glyph.SetPixelFormat(pf24bit);
  glyph.SetSize(24, 24);
  glyph.Canvas().Brush().SetColor(clMaroon);
  glyph.Canvas().FillRect(RECT{0, 0, 24, 24});
  images->Add(&glyph, nullptr);
  images->Add(&glyph, nullptr);
  Write(holder);
  std::string text = Text();
  for (const char* line : {"  object Images: TImageList\r\n", "    DrawingStyle = dsTransparent\r\n",
                           "    Height = 24\r\n", "    Width = 24\r\n", "    Bitmap = {\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << text;
  EXPECT_EQ(text.find("Masked"), std::string::npos) << text;

  std::unique_ptr<TGraphicsHolder> copy = ReadBack();
  auto* read = dynamic_cast<TImageList*>(copy->FindComponent("Images"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Count(), 2);
  EXPECT_EQ(read->Width(), 24);
  EXPECT_EQ(read->DrawingStyle(), dsTransparent);
  TBitmap got;
  read->GetBitmap(1, got);
  EXPECT_EQ(got.Canvas().Pixels(12, 12), clMaroon);
}

}  // namespace
