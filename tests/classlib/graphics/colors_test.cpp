#include <gtest/gtest.h>

#include "classlib/graphics/charsets.h"
#include "classlib/graphics/colors.h"
#include "classlib/system/exceptions.h"

namespace {

TEST(ColorValues, SystemColorsAreNegativeIndexes) {
  EXPECT_EQ(clBtnFace, -16777201);
  EXPECT_EQ(clWindowText, -16777208);
  EXPECT_EQ(clScrollBar, -16777216);
  EXPECT_EQ(clGray, 0x808080);
  EXPECT_EQ(clSilver, 0xC0C0C0);
  EXPECT_EQ(clFuchsia, 0xFF00FF);
  EXPECT_EQ(clMaroon, 0x000080);
  EXPECT_EQ(RGBColor(0x12, 0x34, 0x56), 0x563412);
}

struct NamedColor {
  TColor Value;
  const char* Text;
};

class ColorTextTest : public testing::TestWithParam<NamedColor> {};

TEST_P(ColorTextTest, RoundTripsThroughText) {
  EXPECT_EQ(ColorToString(GetParam().Value), GetParam().Text);
  EXPECT_EQ(StringToColor(GetParam().Text), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Colors, ColorTextTest,
                         testing::Values(NamedColor{clRed, "clRed"}, NamedColor{clBlack, "clBlack"},
                                         NamedColor{clWhite, "clWhite"}, NamedColor{clGray, "clGray"},
                                         NamedColor{clBtnFace, "clBtnFace"}, NamedColor{clNone, "clNone"},
                                         NamedColor{clDefault, "clDefault"}, NamedColor{clInfoBk, "clInfoBk"},
                                         NamedColor{0x00FF8040, "$00FF8040"}, NamedColor{0x00000001, "$00000001"},
                                         NamedColor{static_cast<TColor>(0xFF000063), "$FF000063"}));

TEST(ColorText, ReadsNamesInAnyCaseDecimalAndHex) {
  EXPECT_EQ(StringToColor("CLRED"), clRed);
  EXPECT_EQ(StringToColor("clltgray"), clSilver);
  EXPECT_EQ(StringToColor("255"), 255);
  EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
  EXPECT_EQ(StringToColor("$FF00"), clLime);
}

TEST(ColorText, RejectsWhatIsNeitherNameNorNumber) {
  for (const char* text : {"", "clRedd", "red", "$", "12x"})
    EXPECT_THROW(StringToColor(text), EConvertError) << text;
}

TEST(ColorText, IdentLookupsReportUnknownValues) {
  AnsiString ident;
  EXPECT_FALSE(ColorToIdent(0x123456, ident));
  TColor color = clRed;
  EXPECT_FALSE(IdentToColor("clNothing", color));
  EXPECT_EQ(color, clRed);
  EXPECT_TRUE(IdentToColor("clDkGray", color));
  EXPECT_EQ(color, clGray);
}

TEST(ColorToRGB, PlainColorsPassAndSystemColorsResolve) {
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clBtnFace), SystemColorRGB(15));
  EXPECT_EQ(ColorToRGB(clWindowText), SystemColorRGB(8));
  EXPECT_GE(ColorToRGB(clBtnFace), 0);
}

TEST(CharsetNames, BothWays) {
  const struct {
    int Value;
    const char* Name;
  } cases[] = {{0, "ANSI_CHARSET"}, {1, "DEFAULT_CHARSET"}, {162, "TURKISH_CHARSET"}, {255, "OEM_CHARSET"}};
  for (const auto& c : cases) {
    AnsiString ident;
    ASSERT_TRUE(CharsetToIdent(c.Value, ident)) << c.Value;
    EXPECT_EQ(ident, c.Name);
    int value = -1;
    ASSERT_TRUE(IdentToCharset(AnsiString(c.Name), value)) << c.Name;
    EXPECT_EQ(value, c.Value);
  }
  int value = 7;
  EXPECT_TRUE(IdentToCharset("turkish_charset", value));
  EXPECT_EQ(value, 162);
  EXPECT_FALSE(IdentToCharset("LATIN_CHARSET", value));
  AnsiString ident;
  EXPECT_FALSE(CharsetToIdent(3, ident));
}

}  // namespace
