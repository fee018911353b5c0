// Loading skins into a manager: a skin folder and the same skin packed,
// inheritance and image values against real pictures, damaged skins that
// leave the previous skin applied, and where skins are looked for.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/strings.h"
#include "classlib/classes/writer.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/system/strutils.h"
#include "skin/core/alphagraph.h"
#include "skin/core/skinhue.h"
#include "skin/core/skinmanager.h"
#include "skin/core/skinplatform.h"
#include "tests/skin/testarchive.h"
#include "tests/skin/testskin.h"
#include "tests/support/scratchfolder.h"

namespace {

using skin_test::ArchiveEntry;
using skin_test::BuildArchive;

// Each part of the test skin has a flat colour of its own.
const TColor kMasterColor = RGBColor(10, 20, 30);
const TColor kPanelColor = RGBColor(200, 100, 50);
const TColor kGlyphColor = RGBColor(0, 128, 255);

const char* const kOptions =
    "[GLOBALINFO]\r\n"
    "VERSION=6.5\r\n"
    "MASTERBITMAP=master.bmp\r\n"
    "SHADOW1OFFSET=2\r\n"
    "BOXCHECKED=@0000,0000,0030,0010,3,0\r\n"
    "[PANEL]\r\n"
    "COLOR=255\r\n"
    "BORDERSMASK=!PANEL.BMP!3!1!0\r\n"
    "[PANEL_LOW]\r\n"
    "PARENTCLASS=PANEL\r\n"
    "TRANSPARENCY=50\r\n"
    "[BUTTON]\r\n"
    "BORDERSMASK=#(0,10,30,30)(3,1)\r\n"
    "GLYPH=glyph.bmp\r\n"
    "LOWER=!glyph.bmp!1!0!2\r\n"
    "GRADIENTDATA=16711680;255;50;0;0\r\n"
    "[DAMAGED]\r\n"
    "OUTSIDE=#(0,0,500,10)(1,0)\r\n";

// The bytes of a 24-bit bitmap file of one colour with clFuchsia corners.
std::string BitmapFile(int Width, int Height, TColor Color) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(Width, Height);
  b.Canvas().Brush().SetColor(Color);
  b.Canvas().FillRect(RECT{0, 0, Width, Height});
  for (POINT p : {POINT{0, 0}, POINT{Width - 1, 0}, POINT{0, Height - 1}, POINT{Width - 1, Height - 1}})
    b.Canvas().SetPixel(p.x, p.y, clFuchsia);
  TMemoryStream s;
  b.SaveToStream(s);
  return std::string(static_cast<const char*>(s.Memory()), static_cast<std::size_t>(s.Size()));
}

void WriteText(const AnsiString& Name, const std::string& Bytes) {
  WriteFileBytes(Name, FileBytes(Bytes.begin(), Bytes.end()));
}

// A skin directory holding the test skin as the folder "Test" and packed
// as "Packed.asz", plus damaged packed skins.
class SkinLoading : public testing::Test {
protected:
  void SetUp() override {
    std::filesystem::create_directory(scratch.Path() / "Test");
    entries = {{"Options.dat", kOptions},
                                            {"MASTER.BMP", BitmapFile(40, 40, kMasterColor)},
                                            {"PANEL.BMP", BitmapFile(30, 20, kPanelColor)},
                                            {"GLYPH.BMP", BitmapFile(12, 6, kGlyphColor)}};
    for (const ArchiveEntry& e : entries)
      WriteText(scratch.File("Test\\" + e.Name), e.Data);
    archive = BuildArchive(entries);
    WriteText(scratch.File("Packed.asz"), archive);
    WriteText(scratch.File("Magic.asz"), BuildArchive(entries, std::nullopt, "ASzx"));
    WriteText(scratch.File("Shadow.asz"),
              BuildArchive({{"Options.dat", "[GLOBALINFO]\r\nSHADOW1OFFSET=two\r\n[PANEL]\r\nCOLOR=1\r\n"}}));
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->SetSkinDirectory(ExcludeTrailingPathDelimiter(scratch.File("")));
  }

  // The parts both forms of the test skin must agree on.
  void ExpectTestSkin(const char* Form) {
    SCOPED_TRACE(Form);
    TsSkinManager& m = *manager;
    EXPECT_TRUE(m.Active());
    EXPECT_TRUE(m.SkinData()->SkinActive);
    EXPECT_EQ(m.SkinInfo(), "6.5");
    EXPECT_EQ(m.SkinData()->Shadow1Offset, 2);
    ASSERT_EQ(m.SectionCount(), 5);
    const TsGeneralData& low = m.Sections[m.FindSection("PANEL_LOW")];
    EXPECT_EQ(low.Color, 255);  // from PANEL
    EXPECT_EQ(low.Transparency, 50);
    const TsGeneralData& button = m.Sections[m.FindSection("BUTTON")];
    ASSERT_EQ(button.GradientArray.size(), 1u);

    const int panelBorder = m.Sections[m.FindSection("PANEL")].BorderIndex;
    ASSERT_GE(panelBorder, 0);
    const TsMaskData& border = m.Masks[panelBorder];
    ASSERT_NE(border.Image, nullptr);
    EXPECT_EQ(border.R.right, 30);
    EXPECT_EQ(border.ImageCount, 3);
    EXPECT_EQ(border.WL, 30 / 9);  // a third of a cell
    EXPECT_EQ(border.Image->Canvas().GetPixel(5, 5), kPanelColor);
    EXPECT_EQ(border.Image->PixelFormat(), pf24bit);

    const int buttonBorder = button.BorderIndex;
    ASSERT_GE(buttonBorder, 0);
    EXPECT_EQ(m.Masks[buttonBorder].Image, nullptr);  // cut from the master bitmap
    EXPECT_EQ(m.Masks[buttonBorder].R.top, 10);
    ASSERT_NE(m.MasterBitmap, nullptr);
    EXPECT_EQ(m.MasterBitmap->Canvas().GetPixel(5, 5), kMasterColor);

    const int glyph = m.FindMaskByName("BUTTON", "GLYPH");
    ASSERT_GE(glyph, 0);
    EXPECT_EQ(m.Masks[glyph].Image->Canvas().GetPixel(3, 3), kGlyphColor);
    EXPECT_GE(m.FindMaskByName("GLOBALINFO", "BOXCHECKED"), 0);
  const TsStandardIndexes& standard = m.StandardIndexes();
  EXPECT_EQ(standard.GlobalInfo, m.FindSection("GLOBALINFO"));
  EXPECT_EQ(standard.GlobalMasks[gmBoxChecked], m.FindMaskByName("GLOBALINFO", "BOXCHECKED"));
  EXPECT_EQ(standard.GlobalMasks[gmRadioChecked], -1);
  EXPECT_EQ(standard.ComboBtn, -1);
  EXPECT_EQ(standard.ScrollButtons[1].Section, -1);
    EXPECT_EQ(m.FindMaskByName("DAMAGED", "OUTSIDE"), -1);  // outside the master bitmap: dropped
  }

  ScratchFolder scratch;
  std::vector<ArchiveEntry> entries;
  std::string archive;
  std::unique_ptr<TsSkinManager> manager;
};

TEST_F(SkinLoading, FolderAndPackedSkinGiveTheSameSkin) {
  manager->SetSkinName("Test");
  EXPECT_FALSE(manager->IsPacked());
  ExpectTestSkin("folder");
  // A "!" name written in lower case finds the file in a folder ...
  EXPECT_GE(manager->FindMaskByName("BUTTON", "LOWER"), 0);

  manager->SetSkinName("Packed");
  EXPECT_TRUE(manager->IsPacked());
  ExpectTestSkin("packed");
  // ... but no entry of an archive, whose names are compared upper-cased.
  EXPECT_EQ(manager->FindMaskByName("BUTTON", "LOWER"), -1);
}

// A stored skin spelled out: a 30 x 20 master bitmap, a border cut from it,
// an image of its own, two sections and two textures sharing one picture.
void SpellOutStoredSkin(TsStoredSkin& stored) {
  stored.SetName("Spelled");
  stored.Version = 6.2;
  stored.MasterBitmap()->SetPixelFormat(pf24bit);
  stored.MasterBitmap()->SetSize(30, 20);
  stored.MasterBitmap()->Canvas().Brush().SetColor(kMasterColor);
  stored.MasterBitmap()->Canvas().FillRect(RECT{0, 0, 30, 20});
  auto* cut = static_cast<TsSkinImage*>(stored.Images()->Add());
  cut->SectionName = "panel";
  cut->PropertyName = "bordersmask";
  cut->Right = 30;
  cut->Bottom = 20;
  cut->ImageCount = 3;
  cut->MaskType = 1;
  cut->BorderWidth = 2;
  auto* own = static_cast<TsSkinImage*>(stored.Images()->Add());
  own->SectionName = "BUTTON";
  own->PropertyName = "GLYPH";
  own->SetName("glyph");
  own->Image()->SetPixelFormat(pf24bit);
  own->Image()->SetSize(6, 6);
  own->Image()->Canvas().Brush().SetColor(kGlyphColor);
  own->Image()->Canvas().FillRect(RECT{0, 0, 6, 6});
  auto* outside = static_cast<TsSkinImage*>(stored.Images()->Add());
  outside->SectionName = "PANEL";
  outside->PropertyName = "OUTSIDE";
  outside->Right = 31;
  outside->Bottom = 20;
  auto* panel = static_cast<TsSkinGeneral*>(stored.GeneralData()->Add());
  panel->SectionName = "PANEL";
  panel->Color = 255;
  panel->FontColor = "255 -1 -1 -1 -1";
  panel->HotFontColor = "1 2 3 4";
  panel->GradientData = "255;65280;100;0;0";
  auto* button = static_cast<TsSkinGeneral*>(stored.GeneralData()->Add());
  button->SectionName = "BUTTON";
  button->ParentClass = "PANEL";
  TBitmap picture;
  picture.SetPixelFormat(pf24bit);
  picture.SetSize(8, 8);
  for (const char* key : {"PATTERN", "HOTPATTERN"}) {
    auto* pattern = static_cast<TsSkinPattern*>(stored.Patterns()->Add());
    pattern->SectionName = "form";
    pattern->PropertyName = key;
    pattern->SetName("wood");
  }
  stored.Patterns()->Item(0)->Image()->Assign(&picture);
}

TEST_F(SkinLoading, StoredSkinsWithDataLoadAsPackedAndOthersFieldByField) {
  manager->SetSkinDirectory(scratch.File("nothing here"));
  SpellOutStoredSkin(*static_cast<TsStoredSkin*>(manager->InternalSkins()->Add()));
  auto* packed = static_cast<TsStoredSkin*>(manager->InternalSkins()->Add());
  packed->SetName("Stored");
  packed->Data.WriteBuffer(archive.data(), static_cast<std::int32_t>(archive.size()));
  EXPECT_EQ(manager->InternalSkins()->IndexOfName("Stored"), 1);
  EXPECT_EQ(manager->InternalSkins()->IndexOfName("stored"), -1);

  manager->SetSkinName("Stored");
  EXPECT_TRUE(manager->IsPacked());
  EXPECT_EQ(manager->SkinData()->SkinFolder, "");
  ExpectTestSkin("stored with data");

  manager->SetSkinName("Unknown");  // the first stored skin, whose name the manager takes
  EXPECT_EQ(manager->SkinName(), "Spelled");
  EXPECT_FALSE(manager->IsPacked());
  EXPECT_EQ(manager->SkinInfo(), "6.2");
  ASSERT_EQ(manager->SectionCount(), 2);
  const TsGeneralData& panel = manager->Sections[0];
  EXPECT_EQ(panel.FontColor, (std::array<TColor, 5>{255, -1, -1, -1, -1}));
  EXPECT_EQ(panel.HotFontColor, (std::array<TColor, 5>{0, -1, -1, -1, -1}));  // four numbers are not five
  EXPECT_EQ(panel.GradientArray.size(), 1u);
  EXPECT_EQ(manager->Sections[1].Color, 0);  // as stored: no inheritance of PANEL's 255
  const int border = manager->FindMaskByName("PANEL", "BORDERSMASK");  // names upper-cased
  ASSERT_GE(border, 0);
  EXPECT_EQ(panel.BorderIndex, border);
  EXPECT_EQ(manager->Masks[border].Image, nullptr);
  EXPECT_EQ(manager->Masks[border].WL, 2);  // widths all 0 take the border width
  const int glyph = manager->FindMaskByName("BUTTON", "GLYPH");
  ASSERT_GE(glyph, 0);
  EXPECT_EQ(manager->Masks[glyph].ImageCount, 3);  // a count of 0 becomes 3 with mask type 1
  EXPECT_EQ(manager->Masks[glyph].MaskType, 1);
  EXPECT_EQ(manager->Masks[glyph].Image->Canvas().GetPixel(2, 2), kGlyphColor);
  EXPECT_EQ(manager->FindMaskByName("PANEL", "OUTSIDE"), -1);
  ASSERT_EQ(manager->Patterns.size(), 2u);
  EXPECT_EQ(manager->Patterns[1].SectionName, "FORM");
  EXPECT_EQ(manager->Patterns[1].Image->Width(), 8);  // the shared picture of the first "wood"
}

TEST_F(SkinLoading, StoredSkinsTravelInTheFormStream) {
  SpellOutStoredSkin(*static_cast<TsStoredSkin*>(manager->InternalSkins()->Add()));
  auto* packed = static_cast<TsStoredSkin*>(manager->InternalSkins()->Add());
  packed->SetName("Stored");
  packed->Data.WriteBuffer(archive.data(), static_cast<std::int32_t>(archive.size()));
  manager->SetName("sSkinManager1");
  TMemoryStream binary;
  {
    TWriter writer(binary);
    writer.WriteRootComponent(manager.get());
  }
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  const std::string dump(static_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
  EXPECT_NE(dump.find("InternalSkins = <"), std::string::npos) << dump;
  EXPECT_NE(dump.find("Name = 'Spelled'"), std::string::npos) << dump;
  EXPECT_NE(dump.find("Data = {"), std::string::npos) << dump;
  EXPECT_NE(dump.find("ThirdButtons = 'TButton'"), std::string::npos) << dump;

  binary.SetPosition(0);
  SetDefaultManager(nullptr);
  TsSkinManager copy(nullptr);
  {
    TReader reader(binary);
    reader.ReadRootComponent(&copy);
  }
  ASSERT_EQ(copy.InternalSkins()->Count(), 2);
  EXPECT_EQ(copy.InternalSkins()->Item(0)->Data.Size(), 0);  // written empty, read empty
  EXPECT_EQ(copy.InternalSkins()->Item(0)->Images()->Count(), 3);
  EXPECT_EQ(copy.InternalSkins()->Item(0)->GeneralData()->Item(0)->FontColor, "255 -1 -1 -1 -1");
  EXPECT_EQ(copy.InternalSkins()->Item(1)->Data.Size(), static_cast<std::int64_t>(archive.size()));
  copy.SetSkinDirectory(scratch.File("nothing here"));
  copy.SetSkinName("Stored");
  EXPECT_EQ(copy.SectionCount(), 5);
}

TEST(SkinStoredSkins, AssignRules) {
  TsStoredSkins skins(nullptr);
  auto* a = static_cast<TsStoredSkin*>(skins.Add());
  a->SetName("A");
  a->Author = "me";
  a->Data.WriteBuffer("xyz", 3);
  auto* b = static_cast<TsStoredSkin*>(skins.Add());
  b->Assign(a);
  EXPECT_EQ(b->GetName(), "A");
  EXPECT_EQ(b->Author, "me");
  EXPECT_EQ(b->Data.Size(), 3);
  try {
    b->Assign(nullptr);
    FAIL() << "assigning nil must raise";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "Cannot assign a nil to a TsStoredSkin");
  }
  TsStoredSkins other(nullptr);
  other.Assign(&skins);  // copies nothing
  EXPECT_EQ(other.Count(), 0);
}

TEST_F(SkinLoading, DamagedSkinsShowTheErrorAndKeepThePreviousSkin) {
  manager->SetSkinName("Test");
  ASSERT_EQ(manager->SectionCount(), 5);
  const struct {
    const char* Name;
    const char* Message;
  } cases[] = {{"Magic", "Loaded data is not a packed skin file"}, {"Shadow", "'two' is not a valid integer value"}};
  for (const auto& c : cases) {
    TScriptedDialogService dialogs;
    TDialogServiceScope scope(dialogs);
    dialogs.AnswerButton(mrOk);
    manager->SetSkinName(c.Name);
    ASSERT_EQ(dialogs.Records().size(), 1u) << c.Name;
    EXPECT_EQ(dialogs.Records()[0].Text, c.Message);
    EXPECT_EQ(dialogs.Records()[0].DlgType, mtError);
    EXPECT_EQ(manager->SkinName(), "Test") << c.Name;
    EXPECT_EQ(manager->SectionCount(), 5) << c.Name;
    EXPECT_GE(manager->FindMaskByName("BUTTON", "GLYPH"), 0) << c.Name;
    EXPECT_TRUE(manager->SkinData()->SkinActive) << c.Name;
    EXPECT_FALSE(manager->IsPacked()) << c.Name;
  }
}

TEST_F(SkinLoading, HueAndSaturationTurnTheLoadedColours) {
  manager->SetHueOffset(120);
  manager->SetSkinName("Test");
  const int panel = manager->FindSection("PANEL");
  EXPECT_EQ(manager->Sections[panel].Color, ChangeHue(120, 255));
  EXPECT_EQ(manager->Sections[panel].FontColor[1], -1);  // unset colours stay unset
  EXPECT_EQ(manager->MasterBitmap->Canvas().GetPixel(5, 5), ChangeHue(120, kMasterColor));
  EXPECT_EQ(manager->MasterBitmap->Canvas().GetPixel(0, 0), clFuchsia);
  const TsMaskData& border = manager->Masks[manager->Sections[panel].BorderIndex];
  EXPECT_EQ(border.Image->Canvas().GetPixel(5, 5), ChangeHue(120, kPanelColor));

  manager->SetHueOffset(0);  // an applied skin loads again
  EXPECT_EQ(manager->Sections[manager->FindSection("PANEL")].Color, 255);
  manager->SetSaturation(30);
  EXPECT_EQ(manager->Sections[manager->FindSection("PANEL")].Color, ChangeSaturation(255, -30));
  EXPECT_EQ(SaturationPercent(30), -30);
  EXPECT_EQ(SaturationPercent(-130), 29);
}

TEST_F(SkinLoading, CommonSectionsAddWhatTheSkinLacks) {
  WriteText(scratch.File("Test\\EXTRA.BMP"), BitmapFile(9, 9, kGlyphColor));
  manager->SetSkinName("Test");
  TStringList common;
  common.SetText("[PANEL]\r\nCOLOR=1\r\n[MYPANEL]\r\nPARENTCLASS = panel\r\nTRANSPARENCY=7\r\nEXTRA=extra.bmp\r\n"
                 "CUT=#(0,0,10,10)(1,0)\r\n");
  manager->SetCommonSections(&common);  // an applied skin loads again
  EXPECT_EQ(manager->CommonSections()->Strings(3), "PARENTCLASS=panel");
  ASSERT_EQ(manager->SectionCount(), 6);
  EXPECT_EQ(manager->Sections[manager->FindSection("PANEL")].Color, 255);  // the skin's own section stays
  const TsGeneralData& mine = manager->Sections[manager->FindSection("MYPANEL")];
  EXPECT_EQ(mine.Color, 255);
  EXPECT_EQ(mine.Transparency, 7);
  EXPECT_EQ(mine.ParentClass, "PANEL");
  const int extra = manager->FindMaskByName("MYPANEL", "EXTRA");
  ASSERT_GE(extra, 0);
  EXPECT_EQ(manager->Masks[extra].Image->Canvas().GetPixel(4, 4), kGlyphColor);
  EXPECT_GE(manager->FindMaskByName("MYPANEL", "CUT"), 0);
}

TEST_F(SkinLoading, SmallTexturesBecomeImagesAndLargeOnesStayPatterns) {
  std::filesystem::create_directory(scratch.Path() / "Wood");
  const std::string options = "[form]\r\nsmall=small.jpg\r\nLARGE=large.jpeg\r\nMISSING=none.jpg\r\n";
  WriteText(scratch.File("Wood\\Options.dat"), options);
  WriteText(scratch.File("Wood\\SMALL.JPG"), skin_test::FlatJpegFile(299, 300, kPanelColor));
  WriteText(scratch.File("Wood\\LARGE.JPEG"), skin_test::FlatJpegFile(300, 300, kPanelColor));
  manager->SetSkinName("Wood");
  const int small = manager->FindMaskByName("FORM", "SMALL");
  ASSERT_GE(small, 0);
  EXPECT_EQ(manager->Masks[small].ImgType, itisaTexture);
  EXPECT_EQ(manager->Masks[small].R.right, 299);
  ASSERT_EQ(manager->Patterns.size(), 1u);  // the missing picture is skipped
  EXPECT_EQ(manager->Patterns[0].PropertyName, "LARGE");
  EXPECT_EQ(manager->Patterns[0].SectionName, "FORM");
  EXPECT_EQ(manager->Patterns[0].Image->Width(), 300);
}

TEST_F(SkinLoading, AMissingSkinTurnsTheManagerInactive) {
  manager->SetSkinName("Test");
  manager->SetSkinName("Nowhere");
  EXPECT_FALSE(manager->Active());
  EXPECT_EQ(manager->SectionCount(), 0);
  EXPECT_EQ(manager->MaskCount(), 0);
  EXPECT_EQ(manager->SkinInfo(), "N/A");
  EXPECT_EQ(manager->StandardIndexes().GlobalInfo, -1);
  manager->SetActive(true);  // loads the name it holds: still nothing
  EXPECT_FALSE(manager->Active());
}

TEST_F(SkinLoading, SkinNamesOfTheDirectory) {
  for (const char* file : {"Blue.Dark.asz", "Red.ASZ"})
    WriteText(scratch.File(file), "x");
  TStringList names;
  AnsiString first;
  manager->CollectSkinNames(&names, 1, first);
  EXPECT_EQ(names.Text(), "Blue\r\nMagic\r\nPacked\r\nShadow\r\n");
  names.Clear();
  manager->CollectSkinNames(&names, 0, first);
  EXPECT_EQ(names.Text(), "Test\r\n");
  EXPECT_EQ(first, "Test");
}

TEST(SkinManagerSetup, DefaultsDirectoriesAndTheDefaultManager) {
  SetDefaultManager(nullptr);
  TsSkinManager first(nullptr), second(nullptr);
  EXPECT_EQ(DefaultManager(), &first);  // a second manager does not become the default
  EXPECT_EQ(first.Version(), "6.68");
  EXPECT_EQ(first.SkinInfo(), "N/A");
  EXPECT_EQ(first.SkinDirectory(), "c:\\Skins");
  first.SetHueOffset(40);  // no skin applied: only stored
  EXPECT_EQ(first.HueOffset(), 40);
  EXPECT_TRUE(first.Active());
  EXPECT_EQ(first.ThirdList(tlButtons)->Text(), "TButton\r\n");
  EXPECT_EQ(first.ThirdParty()->GetByIndex(tlEdits), " ");
  EXPECT_EQ(first.AnimEffects()->SkinChanging()->Time(), 100);
  first.ThirdParty()->SetByIndex(tlPanels, "");  // cleared in the designer
  first.UpdateThirdLists(false);
  EXPECT_EQ(first.ThirdParty()->GetByIndex(tlPanels), " ");

  const AnsiString program = ProgramFolder();
  const AnsiString parent = ExtractFilePath(ExcludeTrailingPathDelimiter(program));
  const struct {
    const char* Directory;
    AnsiString Full;
  } cases[] = {{"c", "c"},
               {"D:\\Skins", "D:\\Skins"},
               {"..\\Skins", parent + "Skins"},
               {".\\Skins", program + "Skins"},
               {"Skins", program + "Skins"}};
  for (const auto& c : cases) {
    first.SetSkinDirectory(c.Directory);
    EXPECT_EQ(first.GetFullSkinDirectory(), c.Full) << c.Directory;
  }
  SetDefaultManager(nullptr);
}

}  // namespace
