// Sections of the application's own options text: what they leave out
// comes from the skin section their PARENTCLASS names, or the defaults.
#include <gtest/gtest.h>

#include "skin/core/commonsections.h"

namespace {

TEST(SkinCommonSections, AbsentKeysComeFromTheParentOrTheDefaults) {
  TStringList lines;
  lines.SetText(
      "ignored=1\r\n[MYPANEL]\r\nPARENTCLASS = panel\r\n; a comment\r\nTRANSPARENCY=0x10\r\n"
      "SHOWFOCUS=true\r\n[LONE]\r\nCOLOR=255\r\n");
  StripCommonSectionSpaces(&lines);
  EXPECT_EQ(lines.Strings(2), "PARENTCLASS=panel");
  EXPECT_EQ(lines.Strings(3), "; a comment");
  TsCommonSections common(&lines);
  EXPECT_EQ(common.SectionNames(), (std::vector<AnsiString>{"MYPANEL", "LONE"}));

  TsGeneralDataArray skin(1);
  skin[0].SectionName = "PANEL";
  skin[0].Color = 0x123456;
  skin[0].GlowCount = 5;
  skin[0].FontColor[2] = 77;
  skin[0].BorderIndex = 3;
  const TsGeneralData mine = common.ReadSection("MYPANEL", skin);
  EXPECT_EQ(mine.SectionName, "MYPANEL");
  EXPECT_EQ(mine.ParentClass, "PANEL");
  EXPECT_EQ(mine.Color, 0x123456);      // from the skin's PANEL
  EXPECT_EQ(mine.FontColor[2], 77);
  EXPECT_EQ(mine.Transparency, 16);     // "0x" hexadecimal
  EXPECT_TRUE(mine.ShowFocus);
  EXPECT_EQ(mine.GlowCount, 0);         // GLOW left out is 0, whatever the parent says
  EXPECT_EQ(mine.BorderIndex, -1);

  const TsGeneralData lone = common.ReadSection("LONE", skin);
  EXPECT_EQ(lone.ParentClass, "-1");
  EXPECT_EQ(lone.Color, 255);
  EXPECT_EQ(lone.FadingIterations, 5);  // the options file's default
  EXPECT_EQ(lone.GradientData, " ");
}

}  // namespace
