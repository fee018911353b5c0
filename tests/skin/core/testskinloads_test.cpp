// Loading the test skin and its damaged variants through the manager: a
// damaged skin shows its error and leaves the previous skin whole, skins
// with bad values load without them, JPEG textures by size, and the
// application's CommonSections beside the skin's own sections.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/jpeg.h"
#include "classlib/system/strutils.h"
#include "skin/core/skinmanager.h"
#include "tests/skin/testskinfiles.h"
#include "tests/support/scratchfolder.h"

namespace {

using skin_test::TestSkinColour;
using skin_test::TestSkinPath;
using skin_test::TestSkinsDirectory;

// A manager with the test skin applied from its folder; every dialog the
// test brings up is answered and recorded.
class TestSkinLoads : public testing::Test {
protected:
  void SetUp() override {
    dialogs.AnswerButton(mrOk);
    manager.SetSkinDirectory(TestSkinsDirectory());
    manager.SetSkinName("TestSkin");
    ASSERT_TRUE(manager.Active());
  }

  TScriptedDialogService dialogs;
  TDialogServiceScope scope{dialogs};
  TsSkinManager manager{nullptr};
};

// What a test compares before and after a failed load.
std::string SkinState(const TsSkinManager& M) {
  std::string state = M.SkinName() + "|" + M.SkinInfo() + "|" + std::to_string(M.SectionCount()) + "|" +
                      std::to_string(M.MaskCount()) + "|" + std::to_string(M.SkinData()->SkinActive);
  for (const TsGeneralData& g : M.Sections)
    state += "|" + g.SectionName + ":" + std::to_string(g.Color) + ":" + std::to_string(g.BorderIndex);
  for (const TsMaskData& m : M.Masks)
    state += "|" + m.SectionName + "." + m.PropertyName + ":" + std::to_string(m.R.right);
  return state;
}

TEST_F(TestSkinLoads, DamagedSkinsShowTheirErrorAndLeaveThePreviousSkin) {
  const std::string before = SkinState(manager);
  const TBitmap* master = manager.MasterBitmap.get();
  struct Case {
    const char* Name;
    const char* Message;
  } cases[] = {{"BadMagic", "Loaded data is not a packed skin file"},
               {"BadShadow", "'two' is not a valid integer value"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    dialogs.Clear();
    dialogs.AnswerButton(mrOk);
    manager.SetSkinName(c.Name);
    ASSERT_EQ(dialogs.Records().size(), 1u);
    EXPECT_EQ(dialogs.Records()[0].Text, c.Message);
    EXPECT_EQ(dialogs.Records()[0].DlgType, mtError);
    EXPECT_EQ(manager.SkinName(), "TestSkin");
    EXPECT_EQ(SkinState(manager), before);
    EXPECT_EQ(manager.MasterBitmap.get(), master);
    EXPECT_FALSE(manager.IsPacked());
  }
}

TEST_F(TestSkinLoads, ParentClassCycleEndsInTheDefaults) {
  manager.SetSkinName("Cycle");
  EXPECT_TRUE(dialogs.Records().empty());
  ASSERT_EQ(manager.SectionCount(), 3);
  EXPECT_EQ(manager.Sections[manager.FindSection("ALPHA")].Color, 0xFFFFFF);
  EXPECT_EQ(manager.Sections[manager.FindSection("BETA")].FadingIterations, 5);
  EXPECT_EQ(manager.Sections[manager.FindSection("GAMMA")].Color, 255);
  EXPECT_EQ(manager.FindMask(manager.FindSection("GAMMA"), "GAMMA", "BORDERSMASK"), -1);  // the walk ends
}

TEST_F(TestSkinLoads, BangValuesWithoutCountOrMaskTypeGiveNoImage) {
  manager.SetSkinName("BadBang");
  EXPECT_TRUE(dialogs.Records().empty());
  for (const char* key : {"NOCOUNT", "NOMASKTYPE", "NEGATIVEKIND"})
    EXPECT_EQ(manager.FindMaskByName("PANEL", key), -1) << key;
  const int negative = manager.FindMaskByName("PANEL", "NEGATIVEWIDTHS");
  ASSERT_GE(negative, 0);
  EXPECT_EQ(manager.Masks[negative].WL, 0);
  EXPECT_EQ(manager.Masks[negative].WB, 0);
  const int border = manager.FindMaskByName("PANEL", "BORDERSMASK");
  ASSERT_GE(border, 0);
  EXPECT_EQ(manager.Masks[border].WL, 60 / 9);
}

TEST_F(TestSkinLoads, RectanglesOutsideTheMasterBitmapAreDropped) {
  manager.SetSkinName("Outside");
  EXPECT_TRUE(dialogs.Records().empty());
  ASSERT_NE(manager.MasterBitmap, nullptr);
  EXPECT_EQ(manager.FindMaskByName("PANEL", "BORDERSMASK"), -1);
  EXPECT_EQ(manager.FindMaskByName("PANEL", "GLYPHMASK"), -1);
  EXPECT_GE(manager.FindMaskByName("PANEL", "INSIDE"), 0);
  EXPECT_EQ(manager.Sections[manager.FindSection("PANEL")].BorderIndex, -1);
}

// The bytes of a flat JPEG of that size, made by the class library's encoder.
std::string FlatJpeg(int Width, int Height, TColor Color) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(Width, Height);
  b.Canvas().Brush().SetColor(Color);
  b.Canvas().FillRect(RECT{0, 0, Width, Height});
  TJPEGImage jpeg;
  jpeg.Assign(&b);
  TMemoryStream s;
  jpeg.SaveToStream(s);
  return std::string(static_cast<const char*>(s.Memory()), static_cast<std::size_t>(s.Size()));
}

// The test skin copied with its two JPEG textures: 299 x 300 becomes a
// texture image, 300 x 300 (90000 pixels) stays a pattern.
TEST_F(TestSkinLoads, JpegTexturesBySize) {
  ScratchFolder scratch;
  std::filesystem::copy(std::filesystem::path(TestSkinPath("TestSkin").c_str()), scratch.Path() / "TestSkin");
  for (const auto& [name, width] : {std::pair{"SMALL.JPG", 299}, std::pair{"LARGE.JPG", 300}}) {
    std::ofstream out(scratch.Path() / "TestSkin" / name, std::ios::binary);
    out << FlatJpeg(width, 300, RGBColor(40, 90, 160));
  }
  manager.SetSkinDirectory(ExcludeTrailingPathDelimiter(scratch.File("")));
  manager.SetSkinName("TestSkin");
  const int small = manager.FindMaskByName("JPEGSMALL", "PATTERN");
  ASSERT_GE(small, 0);
  EXPECT_EQ(manager.Masks[small].ImgType, itisaTexture);
  EXPECT_EQ(manager.Masks[small].R.right, 299);
  EXPECT_EQ(manager.FindPattern(manager.FindSection("JPEGSMALL"), "JPEGSMALL", "PATTERN"), -1);
  const int large = manager.FindPattern(manager.FindSection("JPEGLARGE"), "JPEGLARGE", "PATTERN");
  ASSERT_GE(large, 0);
  EXPECT_EQ(manager.Patterns[large].Image->Width(), 300);
  EXPECT_EQ(manager.FindMaskByName("JPEGLARGE", "PATTERN"), -1);
}

// A CommonSections section the skin has (EDIT) leaves it alone; a new one
// (MYPANEL, parent written in lower case) takes what it lacks from the
// skin's PANEL.
TEST_F(TestSkinLoads, CommonSectionsBesideTheSkinsOwn) {
  const int sections = manager.SectionCount();
  TStringList common;
  common.SetText("[EDIT]\r\nCOLOR=1\r\n[MYPANEL]\r\nPARENTCLASS = panel\r\nTRANSPARENCY=7\r\n");
  manager.SetCommonSections(&common);
  ASSERT_EQ(manager.SectionCount(), sections + 1);
  EXPECT_EQ(manager.Sections[manager.FindSection("EDIT")].Color, TestSkinColour("EDIT.COLOR"));
  const TsGeneralData& mine = manager.Sections[manager.FindSection("MYPANEL")];
  EXPECT_EQ(mine.ParentClass, "PANEL");
  EXPECT_EQ(mine.Transparency, 7);
  EXPECT_EQ(mine.Color, TestSkinColour("PANEL.COLOR"));
  EXPECT_EQ(mine.HotColor, TestSkinColour("PANEL.HOTCOLOR"));
  EXPECT_EQ(mine.FontColor[0], TestSkinColour("PANEL.FONTCOLOR"));
  EXPECT_EQ(mine.BorderIndex, manager.FindMaskByName("PANEL", "BORDERSMASK"));  // found through the parent
}

}  // namespace
