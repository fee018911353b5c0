// The test skins the build writes, read natively: the packed skin holds the
// folder's files, and the options file gives the sections and image values
// the skin tests rely on, in the colours of the colour table.
#include <gtest/gtest.h>

#include <set>

#include "classlib/system/strutils.h"
#include "skin/core/acskinpack.h"
#include "skin/core/skinoptions.h"
#include "tests/skin/testskinfiles.h"

namespace {

using skin_test::ReadTestSkinFile;
using skin_test::TestSkinColour;

std::string StreamBytes(TMemoryStream& Stream) {
  return std::string(static_cast<const char*>(Stream.Memory()), static_cast<std::size_t>(Stream.Size()));
}

TEST(TestSkinFiles, ColourTableNamesDistinctColours) {
  const auto& table = skin_test::TestSkinColours();
  std::set<std::int32_t> seen;
  for (const auto& [name, colour] : table) {
    EXPECT_NE(colour, 0xFF00FF) << name;  // clFuchsia is the transparent key
    const int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    EXPECT_FALSE(r == g && g == b) << name << " is grey, which hue changes leave alone";
    EXPECT_TRUE(seen.insert(colour).second) << name << " repeats a colour";
  }
  EXPECT_THROW(TestSkinColour("NO.SUCH.COLOUR"), std::runtime_error);
}

TEST(TestSkinFiles, PackedSkinHoldsTheFolderFiles) {
  auto* source = new TMemoryStream;
  const std::string packed = ReadTestSkinFile("TestSkinPacked.asz");
  source->WriteBuffer(packed.data(), static_cast<int>(packed.size()));
  auto* reader = new TacSkinConvertor;
  reader->SetSourceStream(source, true);
  ReadSkinArchive(reader);
  ASSERT_NE(reader, nullptr);
  std::unique_ptr<TacSkinConvertor> owner(reader);
  ASSERT_NE(reader->OptionsStream, nullptr);
  EXPECT_EQ(StreamBytes(*reader->OptionsStream), ReadTestSkinFile("TestSkin/Options.dat"));
  ASSERT_GE(reader->ImageCount(), 10);
  for (const auto& item : reader->ImageItems) {
    EXPECT_EQ(item->Name, UpperCase(item->Name)) << "entries are named in capitals";
    EXPECT_EQ(StreamBytes(item->Data), ReadTestSkinFile("TestSkin/" + item->Name)) << item->Name;
  }
}

TEST(TestSkinFiles, PackedSkinWithWrongMagicIsRefused) {
  auto* source = new TMemoryStream;
  const std::string packed = ReadTestSkinFile("BadMagic.asz");
  source->WriteBuffer(packed.data(), static_cast<int>(packed.size()));
  auto* reader = new TacSkinConvertor;
  reader->SetSourceStream(source, true);
  EXPECT_THROW(ReadSkinArchive(reader), ESkinArchiveError);
  EXPECT_EQ(reader, nullptr);
}

TEST(TestSkinOptions, SectionsInheritAndTakeTheirColours) {
  const TsSkinOptions options(ReadTestSkinFile("TestSkin/Options.dat"));
  struct Case {
    const char* Section;
    TColor Color;
    int Transparency;
  };
  const Case cases[] = {
      {"PANEL", TestSkinColour("PANEL.COLOR"), 0},
      {"PANEL_LOW", TestSkinColour("PANEL.COLOR"), 50},      // COLOR absent: the parent's
      {"CLEARPANEL", TestSkinColour("PANEL.COLOR"), 100},
      {"SPEEDBUTTON", TestSkinColour("BUTTON.COLOR"), 0},    // COLOR=-1 counts as absent
      {"SELFISH", 0xFFFFFF, 0},                               // its own parent: the defaults
      {"EDIT", TestSkinColour("EDIT.COLOR"), 0},
  };
  for (const Case& c : cases) {
    const TsGeneralData g = ReadSkinSection(options, c.Section);
    EXPECT_EQ(g.Color, c.Color) << c.Section;
    EXPECT_EQ(g.Transparency, c.Transparency) << c.Section;
  }
  EXPECT_EQ(ReadSkinSection(options, "SPEEDBUTTON").FontColor[0], TestSkinColour("SPEEDBUTTON.FONTCOLOR"));
  const TsGeneralData button = ReadSkinSection(options, "BUTTON");
  ASSERT_EQ(button.GradientArray.size(), 1u);
  EXPECT_EQ(button.GradientArray[0].StartColor, TestSkinColour("BUTTON.GRADIENTSTART"));
  EXPECT_EQ(button.GradientArray[0].EndColor, TestSkinColour("BUTTON.GRADIENTEND"));
  EXPECT_EQ(button.GlowCount, 1);

  TsSkinData data;
  ReadSkinGlobals(options, data);
  EXPECT_EQ(data.Shadow1Color, TestSkinColour("GLOBALINFO.SHADOW1COLOR"));
  EXPECT_EQ(data.Shadow1Offset, 3);
  EXPECT_EQ(data.Shadow1Blur, 4);
  EXPECT_EQ(data.Shadow1Transparency, 40);
  EXPECT_DOUBLE_EQ(data.Version, 6.5);
}

TEST(TestSkinOptions, ImageValuesOfEveryForm) {
  const TsSkinOptions options(ReadTestSkinFile("TestSkin/Options.dat"));
  struct Case {
    const char* Section;
    const char* Key;
    TSkinImageForm Form;
    int Left, Top, Right, Bottom;  // in the master bitmap; 0 for files
    int ImageCount, MaskType;
    TacImgType ImgType;
  };
  const Case cases[] = {
      {"PANEL", "BORDERSMASK", TSkinImageForm::File, 0, 0, 0, 0, 3, 1, itisaBorder},
      {"BUTTON", "GLYPH", TSkinImageForm::File, 0, 0, 0, 0, 3, 0, itisaPngGlyph},
      {"BUTTON", "GLOW0", TSkinImageForm::File, 0, 0, 0, 0, 1, 1, itisaGlow},
      {"GLOBALINFO", "BOXCHECKED", TSkinImageForm::MasterGlyph, 0, 0, 48, 16, 3, 0, itisaGlyph},
      {"BUTTON", "BORDERSMASK", TSkinImageForm::MasterBorder, 48, 0, 108, 40, 3, 1, itisaBorder},
      {"PATTERNED", "PATTERN", TSkinImageForm::MasterTexture, 108, 0, 138, 60, 1, 1, itisaTexture},
      // 23 characters: the mask type's column is missing, so 0
      {"PATTERNED", "HOTPATTERN", TSkinImageForm::MasterTexture, 138, 0, 168, 30, 1, 0, itisaTexture},
      {"CHECKBOX", "BORDERSMASK", TSkinImageForm::PlainFile, 0, 0, 0, 0, 3, 1, itisaBorder},
      {"EDIT", "BORDERSMASK", TSkinImageForm::Coordinates, 0, 48, 60, 88, 3, 1, itisaBorder},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Section) + "." + c.Key);
    TSkinImageValue v;
    ASSERT_TRUE(ParseImageValue(options.ReadString(c.Section, c.Key, ""), v));
    EXPECT_EQ(v.Form, c.Form);
    EXPECT_EQ(v.ImageCount, c.ImageCount);
    EXPECT_EQ(v.MaskType, c.MaskType);
    EXPECT_EQ(v.ImgType, c.ImgType);
    if (v.InMasterBitmap()) {
      EXPECT_EQ(v.Left, c.Left);
      EXPECT_EQ(v.Top, c.Top);
      EXPECT_EQ(v.Right, c.Right);
      EXPECT_EQ(v.Bottom, c.Bottom);
    }
  }
  EXPECT_EQ(options.ReadString("PATTERNED", "HOTPATTERN", "").size(), 23u);
  EXPECT_TRUE(IsPatternValue(options.ReadString("JPEGSMALL", "PATTERN", "")));
}

TEST(TestSkinOptions, DamagedBangValuesNameNoImage) {
  const TsSkinOptions options(ReadTestSkinFile("BadBang/Options.dat"));
  for (const char* key : {"NOCOUNT", "NOMASKTYPE", "NEGATIVEKIND"}) {
    TSkinImageValue v;
    EXPECT_FALSE(ParseImageValue(options.ReadString("PANEL", key, ""), v)) << key;
  }
  TSkinImageValue v;
  ASSERT_TRUE(ParseImageValue(options.ReadString("PANEL", "NEGATIVEWIDTHS", ""), v));
  ApplyDefaultWidths(v, 60, 40);
  EXPECT_EQ(v.WL, 0);
  EXPECT_EQ(v.WT, 0);
  EXPECT_EQ(v.WR, 0);
  EXPECT_EQ(v.WB, 0);
}

}  // namespace
