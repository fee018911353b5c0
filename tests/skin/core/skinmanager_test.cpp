// The skin manager's look-ups over a skin built in memory: sections, masks
// with the parent fall-back, textures, patterns, border widths, image sizes
// and colours, and -1 for every index out of range.
#include <gtest/gtest.h>

#include "classlib/graphics/colors.h"
#include "skin/core/skinmanager.h"
#include "tests/skin/testskin.h"

namespace {

using skin_test::TestSkin;

TEST(SkinManagerLookups, SectionsByExactName) {
  TestSkin skin;
  skin.AddSection("GLOBALINFO");
  skin.AddSection("EDIT");
  TsSkinManager* m = skin.Manager();
  EXPECT_EQ(m->FindSection("EDIT"), 1);
  EXPECT_EQ(m->FindSection("edit"), -1) << "names compare case-sensitively";
  EXPECT_EQ(m->FindSection(""), -1);
  for (int index : {-1, 2, 1000})
    EXPECT_FALSE(m->IsSectionIndexValid(index)) << index;
  EXPECT_TRUE(m->IsSectionIndexValid(0));
}

TEST(SkinManagerLookups, MasksFallBackToTheParentSection) {
  TestSkin skin;
  skin.AddSection("PANEL");
  skin.AddSection("MYPANEL", "PANEL");
  skin.AddSection("ORPHAN", "MISSING");
  skin.AddImageMask("PANEL", "BORDERSMASK", itisaBorder, 30, 20, clBlue);
  skin.AddImageMask("PANEL", "PATTERN", itisaGlyph, 8, 8, clRed);
  skin.AddImageMask("PANEL", "PATTERN", itisaTexture, 8, 8, clRed);
  skin.AddImageMask("MISSING", "BORDERSMASK", itisaBorder, 30, 20, clBlue);
  skin.AddPattern("PANEL", "HOTPATTERN");
  TsSkinManager* m = skin.Manager();
  const int panel = m->FindSection("PANEL"), mine = m->FindSection("MYPANEL"), orphan = m->FindSection("ORPHAN");

  struct Case {
    const char* Name;
    int Found;
  };
  for (Case c : {Case{"own", m->FindMask(panel, "PANEL", "BORDERSMASK")},
                 Case{"from the parent", m->FindMask(mine, "MYPANEL", "BORDERSMASK")}}) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(c.Found, 0);
  }
  EXPECT_EQ(m->FindMaskByName("MYPANEL", "BORDERSMASK"), -1) << "no fall-back by name";
  EXPECT_EQ(m->FindMask(-1, "PANEL", "BORDERSMASK"), -1);
  EXPECT_EQ(m->FindMask(panel, "", "BORDERSMASK"), -1);
  EXPECT_EQ(m->FindMask(orphan, "ORPHAN", "BORDERSMASK"), -1) << "a parent that is no section ends the search";
  EXPECT_EQ(m->FindTexture(mine, "MYPANEL", "PATTERN"), 2) << "only texture images count";
  EXPECT_EQ(m->FindMask(mine, "MYPANEL", "PATTERN"), 1);
  EXPECT_EQ(m->FindPattern(mine, "MYPANEL", "HOTPATTERN"), 0);
  EXPECT_EQ(m->FindPattern(mine, "MYPANEL", "PATTERN"), -1);
}

TEST(SkinManagerLookups, ParentChainsThatLoopEnd) {
  TestSkin skin;
  skin.AddSection("A", "B");
  skin.AddSection("B", "A");
  skin.AddSection("SELF", "SELF");
  TsSkinManager* m = skin.Manager();
  EXPECT_EQ(m->FindMask(0, "A", "BORDERSMASK"), -1);
  EXPECT_EQ(m->FindTexture(1, "B", "PATTERN"), -1);
  EXPECT_EQ(m->FindPattern(2, "SELF", "PATTERN"), -1);
}

TEST(SkinManagerLookups, BorderWidthsAndImageSizes) {
  TestSkin skin;
  skin.AddSection("EDIT");
  skin.SetMasterBitmap(200, 100, clFuchsia);
  TsMaskData& own = skin.AddImageMask("EDIT", "BORDERSMASK", itisaBorder, 90, 40, clBlue, 3, 1);
  own.WL = 5;
  own.WT = 0;
  own.WR = 0;
  own.WB = 0;
  own.BorderWidth = 2;
  TsMaskData& cut = skin.AddMasterMask("EDIT", "GLYPH", itisaGlyph, RECT{10, 10, 70, 40}, 0, 2);
  TsSkinManager* m = skin.Manager();

  EXPECT_EQ(m->LeftBorderWidth(0), 5);
  EXPECT_EQ(m->TopBorderWidth(0), 2) << "BorderWidth stands in for a width of 0";
  EXPECT_EQ(m->MaskImageSize(0).cx, 30);
  EXPECT_EQ(m->MaskImageSize(0).cy, 20);

  EXPECT_EQ(m->RightBorderWidth(1), 0) << "ImageCount 0 gives a frame width of 0";
  EXPECT_EQ(m->LeftBorderWidth(1), 60) << "LeftBorderWidth first makes ImageCount 1";
  EXPECT_EQ(cut.ImageCount, 1);
  EXPECT_EQ(m->RightBorderWidth(1), 60);
  EXPECT_EQ(m->BottomBorderWidth(1), 10) << "30 rows in MaskType + 1 = 3 rows";
  EXPECT_EQ(m->MaskImageSize(1).cx, 60);
  EXPECT_EQ(m->MaskImageSize(1).cy, 10);

  for (int index : {-1, 2, 99}) {
    EXPECT_FALSE(m->IsMaskIndexValid(index));
    EXPECT_EQ(m->LeftBorderWidth(index), -1);
    EXPECT_EQ(m->TopBorderWidth(index), -1);
    EXPECT_EQ(m->RightBorderWidth(index), -1);
    EXPECT_EQ(m->BottomBorderWidth(index), -1);
    EXPECT_EQ(m->MaskImageSize(index).cx, 0);
  }
}

TEST(SkinManagerLookups, FrameSizesOfDegenerateMasks) {
  TsMaskData mask;
  mask.R = RECT{0, 0, 90, 40};
  mask.ImageCount = 0;
  mask.MaskType = -1;
  EXPECT_EQ(MaskFrameWidth(mask), 0);
  EXPECT_EQ(MaskFrameHeight(mask), 0);
  mask.ImageCount = 3;
  mask.MaskType = 1;
  EXPECT_EQ(MaskFrameWidth(mask), 30);
  EXPECT_EQ(MaskFrameHeight(mask), 20);
}

TEST(SkinManagerLookups, ColoursWithAndWithoutTheirSections) {
  {
    TestSkin empty;
    TsSkinManager* m = empty.Manager();
    EXPECT_EQ(m->GlobalInfoColor(), ColorToRGB(clBtnFace));
    EXPECT_EQ(m->GlobalInfoFontColor(), clFuchsia);
    EXPECT_EQ(m->GlobalInfoHotColor(), ColorToRGB(clWindow));
    EXPECT_EQ(m->EditHotFontColor(), clFuchsia);
    EXPECT_EQ(m->HighlightColor(), ColorToRGB(clHighlight));
    EXPECT_EQ(m->HighlightTextColor(), ColorToRGB(clHighlightText));
  }
  TestSkin skin;
  TsGeneralData& global = skin.AddSection("GLOBALINFO");
  global.Color = 0x102030;
  global.FontColor[0] = clWindowText;
  global.HotColor = 0x405060;
  skin.AddSection("EDIT").HotFontColor[0] = 0x0000AA;
  TsGeneralData& item = skin.AddSection("MENUITEM");
  item.HotColor = 0x00AA00;
  item.HotFontColor[0] = 0x112233;
  TsSkinManager* m = skin.Manager();
  EXPECT_EQ(m->GlobalInfoColor(), 0x102030);
  EXPECT_EQ(m->GlobalInfoFontColor(), ColorToRGB(clWindowText));
  EXPECT_EQ(m->GlobalInfoHotColor(), 0x405060);
  EXPECT_EQ(m->EditHotFontColor(), 0x0000AA);
  EXPECT_EQ(m->HighlightColor(), 0x00AA00);
  EXPECT_EQ(m->HighlightTextColor(), 0x112233);

  // White, clFuchsia and -1 are "no colour" for the highlight.
  for (TColor none : {static_cast<TColor>(clWhite), static_cast<TColor>(clFuchsia), -1}) {
    skin.Section("MENUITEM").HotColor = none;
    EXPECT_EQ(m->HighlightColor(), ColorToRGB(clHighlight)) << none;
    EXPECT_EQ(m->HighlightTextColor(), ColorToRGB(clHighlightText)) << none;
  }
  skin.Section("MENUITEM").HotColor = 0x00AA00;
  skin.Section("MENUITEM").HotFontColor[0] = 0;
  EXPECT_EQ(m->HighlightTextColor(), ColorToRGB(clHighlightText)) << "black text counts as none";
}

TEST(SkinManagerLookups, ApplyFillsBorderAndCornerIndexes) {
  TestSkin skin;
  skin.AddSection("BUTTON");
  skin.AddSection("MYBUTTON", "BUTTON");
  skin.AddImageMask("BUTTON", "IMGTOPLEFT", itisaGlyph, 6, 6, clRed);
  skin.AddImageMask("BUTTON", "BORDERSMASK", itisaBorder, 30, 20, clBlue);
  skin.AddImageMask("MYBUTTON", "IMGBTMRIGHT", itisaGlyph, 6, 6, clRed);
  EXPECT_FALSE(skin.Manager()->SkinData()->SkinActive);
  skin.Apply();
  EXPECT_TRUE(skin.Manager()->SkinData()->SkinActive);
  const TsGeneralData& mine = skin.Section("MYBUTTON");
  EXPECT_EQ(mine.BorderIndex, 1);
  EXPECT_EQ(mine.CornerIndexes[0], 0);
  EXPECT_EQ(mine.CornerIndexes[1], -1);
  EXPECT_EQ(mine.CornerIndexes[3], 2);
  EXPECT_EQ(skin.Section("BUTTON").CornerIndexes[3], -1);
}

}  // namespace
