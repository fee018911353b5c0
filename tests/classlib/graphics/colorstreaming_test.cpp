// Colours and font character sets in component streams: by name when the
// value has one (vaIdent), else as numbers, as the platform's layout files
// hold them; both forms read back.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/typinfo.h"
#include "classlib/classes/writer.h"
#include "classlib/graphics/brush.h"
#include "classlib/graphics/font.h"
#include "classlib/graphics/pen.h"
#include "graphics_test_util.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class TColorHolder : public TComponent {
  DECLARE_CLASS(TColorHolder, TComponent)

public:
  explicit TColorHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TFont* GetFont() { return &font; }
  void SetFont(TFont* value) { font.Assign(value); }
  TPen* GetPen() { return &pen; }
  void SetPen(TPen* value) { pen.Assign(value); }
  TBrush* GetBrush() { return &brush; }
  void SetBrush(TBrush* value) { brush.Assign(value); }

  TFont font;
  TPen pen;
  TBrush brush;
};

BEGIN_PUBLISHED(TColorHolder)
  PROPERTY(Font, GetFont, SetFont),
  PROPERTY(Pen, GetPen, SetPen),
  PROPERTY(Brush, GetBrush, SetBrush),
END_PUBLISHED

void Str(Bytes& b, const std::string& s) {
  b.push_back(static_cast<std::uint8_t>(s.size()));
  b.insert(b.end(), s.begin(), s.end());
}

Bytes Ident(const std::string& name) {
  Bytes b{vaIdent};
  Str(b, name);
  return b;
}

struct Prop {
  const char* name;
  Bytes value;
};

// A TColorHolder "Holder" stream with the given properties, in order.
Bytes HolderBytes(const std::vector<Prop>& props) {
  Bytes b{'T', 'P', 'F', '0'};
  Str(b, "TColorHolder");
  Str(b, "Holder");
  for (const Prop& p : props) {
    Str(b, p.name);
    b.insert(b.end(), p.value.begin(), p.value.end());
  }
  b.push_back(0x00);  // end of properties
  b.push_back(0x00);  // end of children
  return b;
}

// The properties of a font left as created, apart from Name and Height,
// which depend on nothing but what the test sets.
std::vector<Prop> FontProps(Bytes charset, Bytes color) {
  return {{"Font.Charset", std::move(charset)},
          {"Font.Color", std::move(color)},
          {"Font.Height", {vaInt8, 0xF3}},  // -13
          {"Font.Name", {vaString, 5, 'A', 'r', 'i', 'a', 'l'}},
          {"Font.Style", {vaSet, 0x00}}};
}

class ColorStreamingTest : public testing::Test {
protected:
  void SetUp() override {
    RegisterClass(TColorHolder::StaticClass());
    holder.SetName("Holder");
    holder.font.SetName("Arial");
    holder.font.SetHeight(-13);
  }

  Bytes Written() {
    TMemoryStream stream;
    {
      TWriter writer(stream);
      writer.WriteRootComponent(&holder);
    }
    return graphics_test::StreamBytes(stream);
  }

  static std::unique_ptr<TColorHolder> Read(const Bytes& bytes, std::vector<std::string>* errors = nullptr) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    auto read = std::make_unique<TColorHolder>(nullptr);
    TReader reader(stream);
    if (errors != nullptr)
      reader.OnError = [errors](TReader*, const AnsiString& message, bool& handled) {
        errors->push_back(message);
        handled = true;
      };
    reader.ReadRootComponent(read.get());
    return read;
  }

  TColorHolder holder{nullptr};
};

TEST_F(ColorStreamingTest, NewFontWritesItsColourAndCharsetAsIdentifiers) {
  EXPECT_EQ(Written(), HolderBytes(FontProps(Ident("DEFAULT_CHARSET"), Ident("clWindowText"))));
}

struct FontCase {
  TColor color;
  TFontCharset charset;
  Bytes colorBytes;
  Bytes charsetBytes;
};

TEST_F(ColorStreamingTest, NamedValuesByNameOthersAsNumbers) {
  const FontCase cases[] = {
      {clRed, TURKISH_CHARSET, Ident("clRed"), Ident("TURKISH_CHARSET")},
      {clBtnFace, ANSI_CHARSET, Ident("clBtnFace"), Ident("ANSI_CHARSET")},
      {clWhite, OEM_CHARSET, Ident("clWhite"), Ident("OEM_CHARSET")},
      {clNone, SYMBOL_CHARSET, Ident("clNone"), Ident("SYMBOL_CHARSET")},
      {0x123456, 3, {vaInt32, 0x56, 0x34, 0x12, 0x00}, {vaInt8, 0x03}},
      {0x00FE, 200, {vaInt16, 0xFE, 0x00}, {vaInt16, 0xC8, 0x00}},
      {clSystemColor | 99, 1, {vaInt32, 0x63, 0x00, 0x00, 0xFF}, Ident("DEFAULT_CHARSET")},
  };
  for (const FontCase& c : cases) {
    holder.font.SetColor(c.color);
    holder.font.SetCharset(c.charset);
    EXPECT_EQ(Written(), HolderBytes(FontProps(c.charsetBytes, c.colorBytes))) << c.color;
    std::unique_ptr<TColorHolder> read = Read(Written());
    EXPECT_EQ(read->font.Color(), c.color);
    EXPECT_EQ(read->font.Charset(), c.charset);
  }
}

TEST_F(ColorStreamingTest, PenAndBrushColoursByNameWhenNotTheDefault) {
  holder.pen.SetColor(clHighlight);
  holder.brush.SetColor(clInfoBk);
  Bytes expected = HolderBytes([] {
    std::vector<Prop> props = FontProps(Ident("DEFAULT_CHARSET"), Ident("clWindowText"));
    props.push_back({"Pen.Color", Ident("clHighlight")});
    props.push_back({"Brush.Color", Ident("clInfoBk")});
    return props;
  }());
  EXPECT_EQ(Written(), expected);
  std::unique_ptr<TColorHolder> read = Read(expected);
  EXPECT_EQ(read->pen.Color(), clHighlight);
  EXPECT_EQ(read->brush.Color(), clInfoBk);
}

TEST_F(ColorStreamingTest, NumberAndIdentifierReadAsTheSameColour) {
  const Bytes forms[] = {
      {vaInt16, 0xFF, 0x00},  // 255
      Ident("clRed"),
      Ident("CLRED"),
  };
  for (const Bytes& form : forms) {
    std::unique_ptr<TColorHolder> read = Read(HolderBytes({{"Font.Color", form}, {"Pen.Color", form}}));
    EXPECT_EQ(read->font.Color(), 0x0000FF);
    EXPECT_EQ(read->pen.Color(), 0x0000FF);
  }
  std::unique_ptr<TColorHolder> read =
      Read(HolderBytes({{"Font.Charset", Ident("turkish_charset")}, {"Brush.Color", {vaInt32, 0x05, 0, 0, 0xFF}}}));
  EXPECT_EQ(read->font.Charset(), TURKISH_CHARSET);
  EXPECT_EQ(read->brush.Color(), clWindow);
}

TEST_F(ColorStreamingTest, UnknownIdentifierIsSkippedByTheTolerantRead) {
  Bytes bytes = HolderBytes({{"Font.Color", Ident("clPaleRose")},
                             {"Font.Charset", Ident("KLINGON_CHARSET")},
                             {"Font.Name", {vaString, 5, 'A', 'r', 'i', 'a', 'l'}},
                             {"Pen.Color", Ident("clRed")}});
  std::vector<std::string> errors;
  std::unique_ptr<TColorHolder> read = Read(bytes, &errors);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_NE(errors[0].find("Font.Color"), std::string::npos) << errors[0];
  EXPECT_NE(errors[1].find("Font.Charset"), std::string::npos) << errors[1];
  EXPECT_EQ(read->font.Color(), clWindowText);
  EXPECT_EQ(read->font.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(read->font.Name(), "Arial");
  EXPECT_EQ(read->pen.Color(), clRed);

  EXPECT_THROW(Read(bytes), EReadError);
}

TEST_F(ColorStreamingTest, TextFormAndPropValuesUseTheNames) {
  holder.brush.SetColor(clCream);
  Bytes written = Written();
  TMemoryStream binary;
  binary.WriteBuffer(written.data(), static_cast<int>(written.size()));
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(binary, text);
  for (const char* line : {"  Font.Charset = DEFAULT_CHARSET\r\n", "  Font.Color = clWindowText\r\n",
                           "  Brush.Color = clCream\r\n"})
    EXPECT_NE(text.DataString().find(line), std::string::npos) << line << text.DataString();

  EXPECT_EQ(GetPropValue(&holder.font, "Color"), "clWindowText");
  EXPECT_EQ(GetPropValue(&holder.font, "Charset"), "DEFAULT_CHARSET");
  SetPropValue(&holder.font, "Color", "clMaroon");
  SetPropValue(&holder.font, "Charset", "TURKISH_CHARSET");
  EXPECT_EQ(holder.font.Color(), clMaroon);
  EXPECT_EQ(holder.font.Charset(), TURKISH_CHARSET);
  SetPropValue(&holder.pen, "Color", "$00804020");
  EXPECT_EQ(GetPropValue(&holder.pen, "Color"), "8405024");
}

TEST_F(ColorStreamingTest, PublishedTypesCarryThePlatformsNames) {
  EXPECT_EQ(GetPropInfo(TFont::StaticClass(), "Color")->PropType->Name, "TColor");
  EXPECT_EQ(GetPropInfo(TFont::StaticClass(), "Charset")->PropType->Name, "TFontCharset");
  EXPECT_EQ(GetPropInfo(TPen::StaticClass(), "Color")->PropType->Name, "TColor");
  EXPECT_EQ(GetPropInfo(TBrush::StaticClass(), "Color")->PropType->Name, "TColor");
  EXPECT_NE(FindIntToIdent("TColor"), nullptr);
  EXPECT_NE(FindIdentToInt("TFontCharset"), nullptr);
}

}  // namespace
