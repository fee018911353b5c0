#include "skin/core/skinloader.h"

#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"
#include "skin/core/skinutils.h"
#include "skin/core/commonsections.h"
#include "skin/core/skinhue.h"
#include "skin/core/skinmanager.h"
#include "classlib/system/strutils.h"
#include "support/png/graphic/pngicons.h"
#include "support/png/graphic/pnggraphic.h"

namespace {

// Textures below this many pixels become skin images of their own.
constexpr int kSmallTexturePixels = 90000;

std::unique_ptr<TacImageItem>* FindEntryAsWritten(TacSkinConvertor* Archive, const AnsiString& Name) {
  for (auto& item : Archive->ImageItems)
    if (UpperCase(item->Name) == Name)
      return &item;
  return nullptr;
}

// A picture read from the skin's files, or nullptr when it is missing, does
// not decode or is empty. PNG pictures are 32-bit with their fully
// transparent white made all zero; bitmaps become 24-bit unless textures.
std::shared_ptr<TBitmap> ReadPicture(const TsSkinFiles& Files, const AnsiString& Name, bool Texture) {
  TMemoryStream data;
  if (!Files.Read(Name, data))
    return nullptr;
  const bool png = Pos(".PNG", UpperCase(Name)) != 0;
  std::shared_ptr<TBitmap> picture = png ? std::make_shared<TPNGGraphic>() : std::make_shared<TBitmap>();
  try {
    data.SetPosition(0);
    picture->LoadFromStream(data);
  } catch (const Exception&) {
    return nullptr;
  }
  if (picture->Width() <= 0 || picture->Height() <= 0)
    return nullptr;
  if (png) {
    picture->SetPixelFormat(pf32bit);
    ZeroTransparentWhite(*picture);
  } else if (!Texture) {
    picture->SetPixelFormat(pf24bit);
  }
  return picture;
}

std::shared_ptr<TBitmap> ReadMasterBitmap(const TsSkinOptions& Options, const TsSkinFiles& Files) {
  const AnsiString name = Options.ReadString("GLOBALINFO", "MASTERBITMAP", "");
  if (name.empty())
    return nullptr;
  std::shared_ptr<TBitmap> master = ReadPicture(Files, UpperCase(name), false);
  if (master == nullptr)
    return nullptr;
  master->SetPixelFormat(pf24bit);
  master->SetHandleType(bmDIB);
  master->SetTransparentColor(clFuchsia);
  master->SetTransparent(true);
  return master;
}

TsMaskData MaskOf(TsSkinManager* Manager, const AnsiString& Section, const AnsiString& Key,
                  const TSkinImageValue& v) {
  TsMaskData m;
  m.SectionName = v.UpperCaseNames ? UpperCase(Section) : Section;
  m.PropertyName = v.UpperCaseNames ? UpperCase(Key) : Key;
  m.R = RECT{v.Left, v.Top, v.Right, v.Bottom};
  m.ImageCount = static_cast<short>(v.ImageCount);
  m.MaskType = static_cast<short>(v.MaskType);
  m.BorderWidth = static_cast<short>(v.BorderWidth);
  m.StretchMode = static_cast<short>(v.StretchMode);
  m.ImgType = v.ImgType;
  m.Manager = Manager;
  m.WL = static_cast<short>(v.WL);
  m.WT = static_cast<short>(v.WT);
  m.WR = static_cast<short>(v.WR);
  m.WB = static_cast<short>(v.WB);
  return m;
}

// The skin image of one value, appended to the masks; nothing when the value
// names none, its picture is missing or its rectangle lies outside it.
void AddImageValue(TsSkinManager* Manager, const AnsiString& Section, const AnsiString& Key,
                   const AnsiString& Value, const TsSkinFiles& Files, TsLoadedSkin& Skin) {
  TSkinImageValue v;
  if (!ParseImageValue(Value, v))
    return;
  std::shared_ptr<TBitmap> own;
  int width = 0, height = 0;
  if (v.InMasterBitmap()) {
    if (Skin.MasterBitmap == nullptr)
      return;
    width = Skin.MasterBitmap->Width();
    height = Skin.MasterBitmap->Height();
    ApplyDefaultWidths(v, v.Right - v.Left, v.Bottom - v.Top);
  } else {
    // A "!" name is looked up as written, a plain one upper-cased.
    const AnsiString name = v.Form == TSkinImageForm::PlainFile ? UpperCase(v.FileName) : v.FileName;
    own = ReadPicture(Files, name, v.ImgType == itisaTexture);
    if (own == nullptr)
      return;
    width = own->Width();
    height = own->Height();
    v.Left = v.Top = 0;
    v.Right = width;
    v.Bottom = height;
    ApplyDefaultWidths(v, width, height);
  }
  if (!FitImageToBitmap(v, width, height))
    return;
  TsMaskData m = MaskOf(Manager, Section, Key, v);
  m.Image = own;
  Skin.Masks.push_back(std::move(m));
}

// A JPEG value: a pattern, or below 90000 pixels a texture image.
void AddPatternValue(TsSkinManager* Manager, const AnsiString& Section, const AnsiString& Key,
                     const AnsiString& Value, const TsSkinFiles& Files, TsLoadedSkin& Skin) {
  TMemoryStream data;
  if (!Files.Read(UpperCase(Value), data))
    return;
  auto jpeg = std::make_shared<TJPEGImage>();
  try {
    data.SetPosition(0);
    jpeg->LoadFromStream(data);
  } catch (const Exception&) {
    return;
  }
  const int width = jpeg->Width(), height = jpeg->Height();
  if (width <= 0 || height <= 0)
    return;
  if (width * height < kSmallTexturePixels) {
    auto bitmap = std::make_shared<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas().Draw(0, 0, *jpeg);
    TsMaskData m;
    m.Image = bitmap;
    m.SectionName = UpperCase(Section);
    m.PropertyName = UpperCase(Key);
    m.R = RECT{0, 0, width, height};
    m.ImageCount = 1;
    m.ImgType = itisaTexture;
    m.Manager = Manager;
    Skin.Masks.push_back(std::move(m));
    return;
  }
  Skin.Patterns.push_back(TsPatternData{jpeg, UpperCase(Section), UpperCase(Key)});
}

int FindLoadedMask(const TsLoadedSkin& Skin, const AnsiString& Section, const AnsiString& Key) {
  // The parent walk ends after as many steps as there are sections.
  AnsiString name = Section;
  for (std::size_t step = 0; step <= Skin.Sections.size() && !name.empty(); ++step) {
    for (std::size_t i = 0; i < Skin.Masks.size(); ++i)
      if (Skin.Masks[i].SectionName == name && Skin.Masks[i].PropertyName == Key)
        return static_cast<int>(i);
    AnsiString parent;
    for (const TsGeneralData& g : Skin.Sections)
      if (g.SectionName == name)
        parent = g.ParentClass;
    if (parent == name)
      break;
    name = parent;
  }
  return -1;
}

}  // namespace

bool TsSkinFiles::Read(const AnsiString& Name, TMemoryStream& Data) const {
  if (Archive != nullptr) {
    auto* entry = FindEntryAsWritten(Archive, Name);
    if (entry == nullptr)
      return false;
    (*entry)->Data.SetPosition(0);
    Data.CopyFrom((*entry)->Data, 0);
    return true;
  }
  const AnsiString path = Pos(":", Name) != 0 ? Name : Folder + Name;
  if (!FileExists(path))
    return false;
  try {
    Data.LoadFromFile(path);
  } catch (const Exception&) {
    return false;
  }
  return true;
}

void FillSectionIndexes(TsSkinManager* /*Manager*/, TsLoadedSkin& Skin) {
  static const char* const kCorners[4] = {"IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT"};
  for (TsGeneralData& g : Skin.Sections) {
    if (g.SectionName == "GLOBALINFO")
      continue;
    g.BorderIndex = FindLoadedMask(Skin, g.SectionName, "BORDERSMASK");
    for (int i = 0; i < 4; ++i)
      g.CornerIndexes[i] = FindLoadedMask(Skin, g.SectionName, kCorners[i]);
  }
}

namespace {

TsGeneralData StoredSection(const TsSkinGeneral& s) {
  TsGeneralData g;
  g.SectionName = s.SectionName;
  g.ParentClass = s.ParentClass;
  g.Color = s.Color;
  g.ReservedBoolean = s.ReservedBoolean;
  g.GiveOwnFont = s.GiveOwnFont;
  g.GlowCount = s.GlowCount;
  g.GlowMargin = s.GlowMargin;
  g.Transparency = s.Transparency;
  g.GradientPercent = s.GradientPercent;
  g.ImagePercent = s.ImagePercent;
  g.GradientData = s.GradientData;
  ParseGradientData(g.GradientData, g.GradientArray);
  g.ShowFocus = s.ShowFocus;
  g.FadingEnabled = s.FadingEnabled;
  g.FadingIterations = s.FadingIterations;
  g.HotColor = s.HotColor;
  g.HotTransparency = s.HotTransparency;
  g.HotGradientPercent = s.HotGradientPercent;
  g.HotGradientData = s.HotGradientData;
  ParseGradientData(g.HotGradientData, g.HotGradientArray);
  g.HotImagePercent = s.HotImagePercent;
  g.HotGlowColor = s.HotGlowColor;
  g.HotGlowSize = static_cast<unsigned char>(s.HotGlowSize);
  g.GlowColor = s.GlowColor;
  g.GlowSize = static_cast<unsigned char>(s.GlowSize);
  ReadStoredFontColors(s.FontColor, g.FontColor);
  ReadStoredFontColors(s.HotFontColor, g.HotFontColor);
  return g;
}

void AddStoredImage(TsSkinManager* Manager, TsSkinImage& item, TsLoadedSkin& Skin) {
  TSkinImageValue v;
  v.Form = TSkinImageForm::Coordinates;  // widths all 0 take the border width, else a third of a cell
  v.ImageCount = item.ImageCount;
  v.MaskType = item.MaskType;
  if (v.ImageCount == 0) {
    v.ImageCount = 3;
    v.MaskType = 1;
  }
  v.BorderWidth = item.BorderWidth;
  v.StretchMode = item.StretchMode;
  v.ImgType = item.ImgType;
  v.WL = item.WL;
  v.WT = item.WT;
  v.WR = item.WR;
  v.WB = item.WB;
  std::shared_ptr<TBitmap> own;
  int width = 0, height = 0;
  if (!item.Image()->Empty() && !item.GetName().empty()) {
    own = std::make_shared<TBitmap>();
    own->Assign(item.Image());
    own->SetPixelFormat(pf24bit);
    width = own->Width();
    height = own->Height();
    v.Right = width;
    v.Bottom = height;
  } else {
    if (Skin.MasterBitmap == nullptr)
      return;
    width = Skin.MasterBitmap->Width();
    height = Skin.MasterBitmap->Height();
    v.Left = item.Left;
    v.Top = item.Top;
    v.Right = item.Right;
    v.Bottom = item.Bottom;
  }
  if (v.MaskType < 0)
    return;
  ApplyDefaultWidths(v, v.Right - v.Left, v.Bottom - v.Top);
  if (!FitImageToBitmap(v, width, height))
    return;
  TsMaskData m = MaskOf(Manager, UpperCase(item.SectionName), UpperCase(item.PropertyName), v);
  m.Image = own;
  Skin.Masks.push_back(std::move(m));
}

void AddStoredPattern(const TsSkinPatterns& patterns, int index, TsLoadedSkin& Skin) {
  const TsSkinPattern& item = *patterns.Item(index);
  const TsSkinPattern* source = &item;
  if (item.Image()->Empty())
    for (int i = 0; i < patterns.Count(); ++i)
      if (patterns.Item(i)->GetName() == item.GetName() && !patterns.Item(i)->Image()->Empty()) {
        source = patterns.Item(i);
        break;
      }
  auto jpeg = std::make_shared<TJPEGImage>();
  if (!source->Image()->Empty())
    jpeg->Assign(source->Image());
  Skin.Patterns.push_back(TsPatternData{jpeg, UpperCase(item.SectionName), UpperCase(item.PropertyName)});
}

// The images, textures and sections of the manager's CommonSections: images
// and textures from files of the skin folder only, sections the skin does
// not have appended.
void AddCommonSections(TsSkinManager* Manager, const TsSkinFiles& Files, TsLoadedSkin& Skin) {
  if (Manager == nullptr || Manager->CommonSections()->Count() == 0)
    return;
  const TsCommonSections common(Manager->CommonSections());
  TsSkinFiles folderOnly;
  folderOnly.Folder = Files.Folder;
  for (const AnsiString& section : common.SectionNames()) {
    if (UpperCase(section) == "GLOBALINFO")
      continue;
    for (const auto& [key, value] : common.Values(section)) {
      const bool coordinates = Pos("#", value) != 0;
      if ((Skin.MasterBitmap == nullptr || !coordinates) && Pos(".BMP", UpperCase(value)) != 0) {
        std::shared_ptr<TBitmap> own = ReadPicture(folderOnly, value, false);
        if (own == nullptr)
          continue;
        TsMaskData m;
        m.Image = own;
        m.SectionName = UpperCase(section);
        m.PropertyName = UpperCase(key);
        m.R = RECT{0, 0, own->Width(), own->Height()};
        m.Manager = Manager;
        Skin.Masks.push_back(std::move(m));
      } else if (coordinates && value != "#") {
        AddImageValue(Manager, section, key, value, folderOnly, Skin);
      } else if (IsPatternValue(value)) {
        TMemoryStream data;
        auto jpeg = std::make_shared<TJPEGImage>();
        if (!folderOnly.Read(value, data))
          continue;
        try {
          data.SetPosition(0);
          jpeg->LoadFromStream(data);
        } catch (const Exception&) {
          continue;
        }
        if (!jpeg->Empty())
          Skin.Patterns.push_back(TsPatternData{jpeg, UpperCase(section), UpperCase(key)});
      }
    }
  }
  for (const AnsiString& section : common.SectionNames()) {
    bool known = false;
    for (const TsGeneralData& g : Skin.Sections)
      known = known || g.SectionName == section;
    if (!known)
      Skin.Sections.push_back(common.ReadSection(section, Skin.Sections));
  }
}

// What every load does last: CommonSections, the border and corner
// indexes, then hue and saturation.
void FinishSkin(TsSkinManager* Manager, const TsSkinFiles& Files, TsLoadedSkin& Skin) {
  AddCommonSections(Manager, Files, Skin);
  FillSectionIndexes(Manager, Skin);
  if (Manager != nullptr) {
    ChangeSkinHue(Skin, Manager->HueOffset());
    ChangeSkinSaturation(Skin, Manager->Saturation());
  }
}

}  // namespace

void BuildStoredSkin(TsSkinManager* Manager, TsStoredSkin& Stored, TsLoadedSkin& Skin) {
  if (!Stored.MasterBitmap()->Empty()) {
    Skin.MasterBitmap = std::make_shared<TBitmap>();
    Skin.MasterBitmap->Assign(Stored.MasterBitmap());
    Skin.MasterBitmap->SetPixelFormat(pf24bit);
    Skin.MasterBitmap->SetHandleType(bmDIB);
    Skin.MasterBitmap->SetTransparentColor(clFuchsia);
    Skin.MasterBitmap->SetTransparent(true);
  }
  for (int i = 0; i < Stored.Images()->Count(); ++i)
    AddStoredImage(Manager, *Stored.Images()->Item(i), Skin);
  for (int i = 0; i < Stored.Patterns()->Count(); ++i)
    AddStoredPattern(*Stored.Patterns(), i, Skin);
  TsSkinData& d = *Skin.Data;
  d.Version = Stored.Version;
  d.Author = Stored.Author;
  d.Description = Stored.Description;
  d.Shadow1Color = Stored.Shadow1Color;
  d.Shadow1Offset = static_cast<short>(Stored.Shadow1Offset);
  d.Shadow1Blur = static_cast<short>(Stored.Shadow1Blur);
  d.Shadow1Transparency = static_cast<short>(Stored.Shadow1Transparency);
  d.BorderColor = Stored.BorderColor;
  if (Manager != nullptr)
    Manager->CheckSkinVersion(d.Version);
  for (int i = 0; i < Stored.GeneralData()->Count(); ++i)
    Skin.Sections.push_back(StoredSection(*Stored.GeneralData()->Item(i)));
  FinishSkin(Manager, TsSkinFiles{}, Skin);
}

void BuildSkin(TsSkinManager* Manager, const TsSkinOptions& Options, const TsSkinFiles& Files, TsLoadedSkin& Skin) {
  Skin.Data->SkinFolder = Files.Folder;
  Skin.MasterBitmap = ReadMasterBitmap(Options, Files);
  const std::vector<AnsiString> sections = Options.Sections();
  for (const AnsiString& section : sections)
    for (const AnsiString& key : Options.Keys(section)) {
      if (section == "GLOBALINFO" && UpperCase(key) == "MASTERBITMAP")
        continue;
      AddImageValue(Manager, section, key, Options.ReadString(section, key, ""), Files, Skin);
    }
  for (const AnsiString& section : sections)
    for (const AnsiString& key : Options.Keys(section)) {
      const AnsiString value = Options.ReadString(section, key, "");
      if (IsPatternValue(value))
        AddPatternValue(Manager, section, key, value, Files, Skin);
    }
  ReadSkinGlobals(Options, *Skin.Data);
  if (Manager != nullptr)
    Manager->CheckSkinVersion(Skin.Data->Version);
  for (const AnsiString& section : sections)
    Skin.Sections.push_back(ReadSkinSection(Options, section));
  FinishSkin(Manager, Files, Skin);
}
