// The test skin from each of its sources: the skin folder, the packed file,
// and a form file (read from its text form) whose manager stores the skin
// twice, once as the packed bytes and once spelled out. All four give the
// same sections, skin images (rectangles and pixels) and textures.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/forms/forms.h"
#include "skin/core/skinmanager.h"
#include "tests/skin/testskinfiles.h"

namespace {

using skin_test::ReadTestSkinFile;
using skin_test::TestSkinColour;
using skin_test::TestSkinsDirectory;

// The form of TestSkinForm.txt, read through the text-to-binary conversion.
struct FreeForm {
  void operator()(TForm* Form) const { Form->Free(); }
};
std::unique_ptr<TForm, FreeForm> ReadTestSkinForm() {
  RegisterClasses({TsSkinManager::StaticClass()});
  TStringStream text(ReadTestSkinFile("TestSkinForm.txt"));
  TMemoryStream binary;
  ObjectTextToBinary(text, binary);
  binary.SetPosition(0);
  std::unique_ptr<TForm, FreeForm> form(new TForm(nullptr));
  TReader reader(binary);
  reader.ReadRootComponent(form.get());
  return form;
}

TsSkinManager* ManagerOf(TForm& Form) {
  return dynamic_cast<TsSkinManager*>(Form.FindComponent("sSkinManager1"));
}

// The colour of every pixel of the rectangle, folded into one number, and
// the colour of the centre of each state cell.
std::string PixelsOf(TBitmap& Bitmap, const RECT& R, int ImageCount) {
  std::uint64_t hash = 1469598103934665603ull;
  for (int y = R.top; y < R.bottom; ++y)
    for (int x = R.left; x < R.right; ++x)
      hash = (hash ^ static_cast<std::uint32_t>(Bitmap.Canvas().GetPixel(x, y))) * 1099511628211ull;
  std::ostringstream out;
  out << std::hex << hash;
  const int cell = ImageCount > 0 ? (R.right - R.left) / ImageCount : 0;
  for (int s = 0; s < ImageCount; ++s)
    out << " " << Bitmap.Canvas().GetPixel(R.left + s * cell + cell / 2, R.top + (R.bottom - R.top) / 4);
  return out.str();
}

std::string MaskName(const TsSkinManager& M, int Index) {
  return M.IsMaskIndexValid(Index) ? M.Masks[Index].SectionName + "." + M.Masks[Index].PropertyName : "-";
}

// Everything a load gives, as text by name: sections with their values and
// border and corner images named, images with their geometry and pixels,
// textures with their sizes.
struct SkinSnapshot {
  std::map<std::string, std::string> Sections, Masks, Patterns;
};

SkinSnapshot Snapshot(TsSkinManager& M) {
  SkinSnapshot s;
  for (const TsGeneralData& g : M.Sections) {
    std::ostringstream out;
    out << "parent=" << g.ParentClass << " color=" << g.Color << " hot=" << g.HotColor
        << " t=" << g.Transparency << "/" << g.HotTransparency << " grad=" << g.GradientPercent << "'"
        << g.GradientData << "'" << g.GradientArray.size() << " hotgrad='" << g.HotGradientData << "'"
        << " img=" << g.ImagePercent << " glow=" << g.GlowCount << "/" << g.GlowMargin << " gcol=" << g.GlowColor
        << "/" << g.HotGlowColor << " fading=" << g.FadingEnabled << g.FadingIterations << " focus=" << g.ShowFocus
        << " font=";
    for (int i = 0; i < 5; ++i)
      out << g.FontColor[i] << "," << g.HotFontColor[i] << ";";
    out << " border=" << MaskName(M, g.BorderIndex) << " corners=";
    for (int c : g.CornerIndexes)
      out << MaskName(M, c) << ",";
    s.Sections[g.SectionName] = out.str();
  }
  for (int i = 0; i < M.MaskCount(); ++i) {
    const TsMaskData& m = M.Masks[i];
    std::ostringstream out;
    out << "R=" << m.R.left << "," << m.R.top << "," << m.R.right << "," << m.R.bottom << " own=" << (m.Image != nullptr)
        << " count=" << m.ImageCount << " masktype=" << m.MaskType << " bw=" << m.BorderWidth
        << " stretch=" << m.StretchMode << " type=" << m.ImgType << " pixels="
        << PixelsOf(m.Image != nullptr ? *m.Image : *M.MasterBitmap, m.R, m.ImageCount);
    s.Masks[MaskName(M, i)] = out.str();
  }
  for (const TsPatternData& p : M.Patterns)
    s.Patterns[p.SectionName + "." + p.PropertyName] =
        std::to_string(p.Image->Width()) + "x" + std::to_string(p.Image->Height());
  return s;
}

void ExpectSameSkin(const SkinSnapshot& Expected, const SkinSnapshot& Actual, const char* Source) {
  SCOPED_TRACE(Source);
  EXPECT_EQ(Expected.Sections, Actual.Sections);
  EXPECT_EQ(Expected.Masks, Actual.Masks);
  EXPECT_EQ(Expected.Patterns, Actual.Patterns);
}

TEST(TestSkinSources, FolderPackedAndStoredSkinsAgree) {
  auto form = ReadTestSkinForm();
  TsSkinManager* manager = ManagerOf(*form);
  ASSERT_NE(manager, nullptr);
  ASSERT_EQ(manager->InternalSkins()->Count(), 2);
  EXPECT_EQ(manager->InternalSkins()->Item(0)->Data.Size(),
            static_cast<std::int64_t>(ReadTestSkinFile("TestSkinPacked.asz").size()));
  EXPECT_EQ(manager->InternalSkins()->Item(1)->Data.Size(), 0);

  manager->SetSkinDirectory(TestSkinsDirectory());
  manager->SetSkinName("TestSkin");
  ASSERT_TRUE(manager->Active());
  EXPECT_FALSE(manager->IsPacked());
  SkinSnapshot folder = Snapshot(*manager);
  // The one difference: a "!" name in lower case finds the folder's file but
  // no entry of an archive, whose names are compared as written.
  ASSERT_EQ(folder.Masks.erase("CHECKBOX.LOWERGLYPH"), 1u);
  EXPECT_EQ(folder.Sections.size(), 15u);
  EXPECT_EQ(folder.Masks.size(), 21u);

  manager->SetSkinName("TestSkinPacked");
  EXPECT_TRUE(manager->IsPacked());
  ExpectSameSkin(folder, Snapshot(*manager), "packed file");

  manager->SetSkinDirectory(TestSkinsDirectory() + "\\no such folder");
  manager->SetSkinName("StoredPacked");
  EXPECT_TRUE(manager->IsPacked());
  EXPECT_EQ(manager->SkinData()->SkinFolder, "");
  ExpectSameSkin(folder, Snapshot(*manager), "stored with Data");

  manager->SetSkinName("StoredSpelled");
  EXPECT_EQ(manager->SkinName(), "StoredSpelled");
  EXPECT_FALSE(manager->IsPacked());
  EXPECT_EQ(manager->SkinData()->Shadow1Color, TestSkinColour("GLOBALINFO.SHADOW1COLOR"));
  EXPECT_EQ(manager->SkinInfo(), "6.5");
  ExpectSameSkin(folder, Snapshot(*manager), "stored spelled out");
}

// The flat colours of the images as the colour table lists them, in each
// state column, and the transparent corners.
TEST(TestSkinSources, ImagesHaveTheColoursOfTheTable) {
  TsSkinManager manager(nullptr);
  manager.SetSkinDirectory(TestSkinsDirectory());
  manager.SetSkinName("TestSkinPacked");
  ASSERT_TRUE(manager.Active());
  struct Case {
    const char* Section;
    const char* Key;
    int Cells;
  };
  const Case cases[] = {{"PANEL", "BORDERSMASK", 3},      {"BUTTON", "BORDERSMASK", 3}, {"GLOBALINFO", "BOXCHECKED", 3},
                        {"EDIT", "BORDERSMASK", 3},       {"CHECKBOX", "BORDERSMASK", 3},
                        {"SCROLLBTNBOTTOM", "GLYPHMASK", 3}, {"PATTERNED", "HOTPATTERN", 1}, {"BUTTON", "GLYPH", 3}};
  for (const Case& c : cases) {
    const std::string name = std::string(c.Section) + "." + c.Key;
    SCOPED_TRACE(name);
    const int index = manager.FindMaskByName(c.Section, c.Key);
    ASSERT_GE(index, 0);
    const TsMaskData& m = manager.Masks[index];
    TBitmap& bitmap = m.Image != nullptr ? *m.Image : *manager.MasterBitmap;
    const int cell = (m.R.right - m.R.left) / m.ImageCount;
    ASSERT_EQ(m.ImageCount, c.Cells);
    for (int s = 0; s < c.Cells; ++s)
      EXPECT_EQ(bitmap.Canvas().GetPixel(m.R.left + s * cell + cell / 2, m.R.top + 2),
                TestSkinColour(name + "." + std::to_string(s)))
          << "state " << s;
    if (m.ImgType != itisaPngGlyph) {
      EXPECT_EQ(bitmap.Canvas().GetPixel(m.R.left, m.R.top), clFuchsia);
    }
  }
  EXPECT_EQ(manager.MasterBitmap->Canvas().GetPixel(199, 99), TestSkinColour("MASTER"));
  const int glyph = manager.FindMaskByName("BUTTON", "GLYPH");
  EXPECT_EQ(manager.Masks[glyph].Image->PixelFormat(), pf32bit);
  EXPECT_EQ(manager.Masks[glyph].Image->Canvas().GetPixel(0, 0), 0);  // transparent white made all zero
}

}  // namespace
