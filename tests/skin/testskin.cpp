#include "tests/skin/testskin.h"

#include <stdexcept>

#include "classlib/graphics/jpeg.h"

namespace skin_test {

TestSkin::TestSkin(bool MakeDefault) : FManager(new TsSkinManager(nullptr)) {
  if (MakeDefault)
    SetDefaultManager(FManager);
}

TestSkin::~TestSkin() { delete FManager; }

TsGeneralData& TestSkin::AddSection(const AnsiString& Name, const AnsiString& ParentClass) {
  TsGeneralData section;
  section.SectionName = Name;
  section.ParentClass = ParentClass;
  FManager->Sections.push_back(section);
  return FManager->Sections.back();
}

TsGeneralData& TestSkin::Section(const AnsiString& Name) {
  int index = FManager->FindSection(Name);
  if (index < 0)
    throw std::logic_error("no section " + Name);
  return FManager->Sections[index];
}

TsMaskData& TestSkin::AddImageMask(const AnsiString& SectionName, const AnsiString& PropertyName, TacImgType Type,
                                   int Width, int Height, TColor Color, short ImageCount, short MaskType) {
  auto bitmap = std::make_shared<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(Width, Height);
  bitmap->Canvas().Brush().SetColor(Color);
  bitmap->Canvas().FillRect(RECT{0, 0, Width, Height});
  TsMaskData mask;
  mask.Image = bitmap;
  mask.SectionName = SectionName;
  mask.PropertyName = PropertyName;
  mask.R = RECT{0, 0, Width, Height};
  mask.ImageCount = ImageCount;
  mask.MaskType = MaskType;
  mask.StretchMode = 4;
  mask.ImgType = Type;
  mask.Manager = FManager;
  mask.WL = mask.WR = static_cast<short>(Width / (ImageCount * 3));
  mask.WT = mask.WB = static_cast<short>(Height / ((MaskType + 1) * 3));
  FManager->Masks.push_back(mask);
  return FManager->Masks.back();
}

TsMaskData& TestSkin::AddMasterMask(const AnsiString& SectionName, const AnsiString& PropertyName, TacImgType Type,
                                    RECT R, short ImageCount, short MaskType) {
  TsMaskData mask;
  mask.SectionName = SectionName;
  mask.PropertyName = PropertyName;
  mask.R = R;
  mask.ImageCount = ImageCount;
  mask.MaskType = MaskType;
  mask.ImgType = Type;
  mask.Manager = FManager;
  FManager->Masks.push_back(mask);
  return FManager->Masks.back();
}

void TestSkin::SetMasterBitmap(int Width, int Height, TColor Color) {
  auto bitmap = std::make_shared<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(Width, Height);
  bitmap->Canvas().Brush().SetColor(Color);
  bitmap->Canvas().FillRect(RECT{0, 0, Width, Height});
  bitmap->SetTransparentColor(clFuchsia);
  FManager->MasterBitmap = bitmap;
}

TsPatternData& TestSkin::AddPattern(const AnsiString& SectionName, const AnsiString& PropertyName) {
  TsPatternData pattern;
  pattern.SectionName = SectionName;
  pattern.PropertyName = PropertyName;
  FManager->Patterns.push_back(pattern);
  return FManager->Patterns.back();
}

void TestSkin::Apply() {
  static const char* const kCorners[] = {"IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT"};
  for (int i = 0; i < FManager->SectionCount(); ++i) {
    TsGeneralData& section = FManager->Sections[i];
    section.BorderIndex = FManager->FindMask(i, section.SectionName, "BORDERSMASK");
    for (int corner = 0; corner < 4; ++corner)
      section.CornerIndexes[corner] = FManager->FindMask(i, section.SectionName, kCorners[corner]);
  }
  FManager->SkinData()->SkinActive = true;
}

std::string FlatJpegFile(int Width, int Height, TColor Color) {
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

}  // namespace skin_test
