// Reading a skin's options file: skin-wide values with their strict keys,
// sections with PARENTCLASS inheritance, and the forms of image values.
#include <gtest/gtest.h>

#include "classlib/system/exceptions.h"
#include "skin/core/skinoptions.h"

namespace {

const char* const kOptions =
    "[GLOBALINFO]\n"
    "VERSION=6.5\n"
    "AUTHOR=Test\n"
    "TITLEHEIGHT=24\n"
    "SHADOW1OFFSET=3\n"
    "[PANEL]\n"
    "COLOR=255\n"
    "TRANSPARENCY=40\n"
    "SHOWFOCUS=true\n"
    "GRADIENTDATA=255;65280;100;0;0\n"
    "[PANEL_LOW]\n"
    "PARENTCLASS=PANEL\n"
    "COLOR=-1\n"
    "[BUTTON]\n"
    "PARENTCLASS=PANEL_LOW\n"
    "SHOWFOCUS=?\n"
    "[SELF]\n"
    "PARENTCLASS=SELF\n"
    "[LOOPA]\n"
    "PARENTCLASS=LOOPB\n"
    "[LOOPB]\n"
    "PARENTCLASS=LOOPA\n";

TEST(SkinOptionsSections, InheritanceThroughParentClass) {
  const TsSkinOptions options(kOptions);
  struct Case {
    const char* Section;
    TColor Color;
    int Transparency;
    bool ShowFocus;
  };
  const Case cases[] = {{"PANEL", 255, 40, true},
                        {"PANEL_LOW", 255, 40, true},  // -1 counts as absent
                        {"BUTTON", 255, 40, true},     // two steps up; "?" counts as absent
                        {"SELF", 0xFFFFFF, 0, false},  // a section naming itself takes the defaults
                        {"LOOPA", 0xFFFFFF, 0, false}, // a cycle ends and takes the defaults
                        {"MISSING", 0xFFFFFF, 0, false}};
  for (const Case& c : cases) {
    const TsGeneralData g = ReadSkinSection(options, c.Section);
    EXPECT_EQ(g.Color, c.Color) << c.Section;
    EXPECT_EQ(g.Transparency, c.Transparency) << c.Section;
    EXPECT_EQ(g.ShowFocus, c.ShowFocus) << c.Section;
    EXPECT_EQ(g.FontColor[1], -1) << c.Section;  // TCLEFT absent everywhere
    EXPECT_EQ(g.FadingIterations, 5) << c.Section;
    EXPECT_EQ(g.SectionName, c.Section);
  }
  EXPECT_EQ(ReadSkinSection(options, "BUTTON").ParentClass, "PANEL_LOW");
}

TEST(SkinOptionsSections, GradientTexts) {
  const TsSkinOptions options(kOptions);
  const TsGeneralData panel = ReadSkinSection(options, "PANEL");
  ASSERT_EQ(panel.GradientArray.size(), 1u);
  EXPECT_EQ(panel.GradientArray[0].EndColor, 65280);
  const TsGeneralData self = ReadSkinSection(options, "SELF");
  EXPECT_EQ(self.GradientData, " ");
  EXPECT_TRUE(self.GradientArray.empty());
  EXPECT_EQ(self.HotGradientData, "");
  EXPECT_TRUE(self.HotGradientArray.empty());
  EXPECT_THROW(ReadSkinSection(TsSkinOptions("[X]\nGRADIENTDATA=red;0;50;0;0\n"), "X"), EConvertError);
}

TEST(SkinOptionsGlobals, DefaultsAndStrictKeys) {
  TsSkinData data;
  ReadSkinGlobals(TsSkinOptions(kOptions), data);
  EXPECT_DOUBLE_EQ(data.Version, 6.5);
  EXPECT_EQ(data.Author, "Test");
  EXPECT_EQ(data.TitleHeight, 24);
  EXPECT_EQ(data.MaxHeight, 24);  // 0 takes the title height
  EXPECT_EQ(data.Shadow1Offset, 3);
  EXPECT_EQ(data.Shadow1Blur, -1);
  EXPECT_EQ(data.BorderWidth, 4);
  EXPECT_EQ(data.FormOffset, 8);
  for (const char* bad : {"SHADOW1OFFSET=two", "SHADOW1BLUR=", "BICONMAXGLOW=1x"}) {
    TsSkinData d;
    EXPECT_THROW(ReadSkinGlobals(TsSkinOptions(AnsiString("[GLOBALINFO]\n") + bad + "\n"), d), EConvertError) << bad;
  }
  TsSkinData lenient;
  ReadSkinGlobals(TsSkinOptions("[GLOBALINFO]\nTITLEHEIGHT=tall\nVERSION=six\n"), lenient);
  EXPECT_EQ(lenient.TitleHeight, 30);
  EXPECT_EQ(lenient.Version, 0);
}

TEST(SkinOptionsImages, ValueForms) {
  struct Case {
    const char* Value;
    TSkinImageForm Form;
    int Left, Top, Right, Bottom, Count, MaskType, StretchMode;
    TacImgType Type;
  };
  const Case cases[] = {
      {"!BTN.BMP!3!1!0", TSkinImageForm::File, 0, 0, 0, 0, 3, 1, 4, itisaBorder},
      {"!glyph.png!1!0!7", TSkinImageForm::File, 0, 0, 0, 0, 1, 0, 4, itisaPngGlyph},
      {"@0010,0020,0030,0040,3,1", TSkinImageForm::MasterGlyph, 10, 20, 30, 40, 3, 1, 0, itisaGlyph},
      {"^0000,0000,0090,0060,0004,0005,0006,0007,3,1,2,9", TSkinImageForm::MasterBorder, 0, 0, 90, 60, 3, 1, 2,
       itisaBorder},
      {"~0001,0002,0065,0066,02", TSkinImageForm::MasterTexture, 1, 2, 65, 66, 1, 0, 2, itisaTexture},
      {"~0001,0002,0065,0066,02,1", TSkinImageForm::MasterTexture, 1, 2, 65, 66, 1, 1, 2, itisaTexture},
      {"#(0,0,90,40)(3,1)", TSkinImageForm::Coordinates, 0, 0, 90, 40, 3, 1, 1, itisaBorder},
      {"#(5,6,7,8) (0,-2,3,0)", TSkinImageForm::Coordinates, 5, 6, 7, 8, 1, 0, 0, itisaBorder},
      {"panel.bmp", TSkinImageForm::PlainFile, 0, 0, 0, 0, 3, 1, 0, itisaBorder},
  };
  for (const Case& c : cases) {
    TSkinImageValue v;
    ASSERT_TRUE(ParseImageValue(c.Value, v)) << c.Value;
    EXPECT_EQ(v.Form, c.Form) << c.Value;
    EXPECT_EQ(v.Left, c.Left) << c.Value;
    EXPECT_EQ(v.Top, c.Top) << c.Value;
    EXPECT_EQ(v.Right, c.Right) << c.Value;
    EXPECT_EQ(v.Bottom, c.Bottom) << c.Value;
    EXPECT_EQ(v.ImageCount, c.Count) << c.Value;
    EXPECT_EQ(v.MaskType, c.MaskType) << c.Value;
    EXPECT_EQ(v.StretchMode, c.StretchMode) << c.Value;
    EXPECT_EQ(v.ImgType, c.Type) << c.Value;
  }
  TSkinImageValue border;
  ASSERT_TRUE(ParseImageValue("^0000,0000,0090,0060,0004,0005,0006,0007,3,1,2,9", border));
  EXPECT_EQ(border.WL, 4);
  EXPECT_EQ(border.WB, 7);
  EXPECT_EQ(border.BorderWidth, 9);
}

TEST(SkinOptionsImages, ValuesWithoutAnImageAndBadNumbers) {
  for (const char* none : {"", "!readme.txt!1!0!0", "!A.BMP!0!0!0", "!A.BMP!1!-1!0", "!A.BMP!1!0!-1", "#",
                           "clRed", "12345"}) {
    TSkinImageValue v;
    EXPECT_FALSE(ParseImageValue(none, v)) << none;
  }
  for (const char* bad : {"!A.BMP!x!1!0", "!A.BMP!3", "@00x0,0020,0030,0040,3,1", "@0010", "#(a,b)(1,1)"}) {
    TSkinImageValue v;
    EXPECT_THROW(ParseImageValue(bad, v), EConvertError) << bad;
  }
}

TEST(SkinOptionsImages, DefaultWidthsAndFittingToTheBitmap) {
  TSkinImageValue file;
  ASSERT_TRUE(ParseImageValue("!BTN.BMP!3!1!0", file));
  ApplyDefaultWidths(file, 90, 60);  // cells 30 x 30: a third is 10
  EXPECT_EQ(file.WL, 10);
  EXPECT_EQ(file.WT, 10);
  TSkinImageValue given;
  ASSERT_TRUE(ParseImageValue("!BTN.BMP!3!1!0!-2!5!6!7", given));
  ApplyDefaultWidths(given, 90, 60);
  EXPECT_EQ(given.WL, 0);  // negative widths become 0
  EXPECT_EQ(given.WT, 5);
  TSkinImageValue coords;
  ASSERT_TRUE(ParseImageValue("#(0,0,90,40)(3,1,4)", coords));
  ApplyDefaultWidths(coords, 90, 40);
  EXPECT_EQ(coords.WR, 4);  // all four 0: the border width

  TSkinImageValue inside;
  ASSERT_TRUE(ParseImageValue("#(10,10,40,30)(1,1)", inside));
  inside.WL = 100;
  EXPECT_TRUE(FitImageToBitmap(inside, 40, 30));
  EXPECT_EQ(inside.WL, 30);  // held to one cell
  for (const char* outside : {"#(10,10,41,30)(1,1)", "#(-1,0,10,10)(1,1)", "#(10,10,10,20)(1,1)"}) {
    TSkinImageValue v;
    ASSERT_TRUE(ParseImageValue(outside, v));
    EXPECT_FALSE(FitImageToBitmap(v, 40, 30)) << outside;
  }
  EXPECT_TRUE(IsPatternValue("wood.jpeg"));
  EXPECT_TRUE(IsPatternValue("WOOD.JPG"));
  EXPECT_FALSE(IsPatternValue("wood.bmp"));
}

}  // namespace
