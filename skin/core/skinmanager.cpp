#include "skin/core/skinmanager.h"

#include "classlib/classes/typinfo.h"

namespace {
TsSkinManager* gDefaultManager = nullptr;

bool IsNoColor(TColor Color) { return Color == -1 || Color == clFuchsia || Color == clWhite; }
}  // namespace

BEGIN_PUBLISHED(TsSkinManager)
  PROPERTY(Active, Active, SetActive).Default(true),
END_PUBLISHED

TsSkinManager::TsSkinManager(TComponent* AOwner) : TComponent(AOwner), FSkinData(std::make_unique<TsSkinData>()) {}

TsSkinManager::~TsSkinManager() {
  if (gDefaultManager == this)
    gDefaultManager = nullptr;
}

int TsSkinManager::FindSection(const AnsiString& Name) const {
  for (int i = 0; i < SectionCount(); ++i)
    if (Sections[i].SectionName == Name)
      return i;
  return -1;
}

// Searches SectionName, then its parent sections. A chain that loops is
// cut after as many steps as there are sections.
template <class Match>
int TsSkinManager::FindWithParents(int SectionIndex, const AnsiString& SectionName, Match&& Matches) const {
  if (SectionName.empty())
    return -1;
  AnsiString name = SectionName;
  int index = SectionIndex;
  for (int step = 0; step <= SectionCount() && index >= 0; ++step) {
    int found = Matches(name);
    if (found >= 0 || index >= SectionCount())
      return found;
    const AnsiString& parent = Sections[index].ParentClass;
    if (parent.empty() || parent == name)
      return -1;
    name = parent;
    index = FindSection(parent);
  }
  return -1;
}

int TsSkinManager::FindMaskByName(const AnsiString& SectionName, const AnsiString& PropertyName) const {
  for (int i = 0; i < MaskCount(); ++i)
    if (Masks[i].SectionName == SectionName && Masks[i].PropertyName == PropertyName)
      return i;
  return -1;
}

int TsSkinManager::FindMask(int SectionIndex, const AnsiString& SectionName, const AnsiString& PropertyName) const {
  return FindWithParents(SectionIndex, SectionName,
                         [&](const AnsiString& Name) { return FindMaskByName(Name, PropertyName); });
}

int TsSkinManager::FindTexture(int SectionIndex, const AnsiString& SectionName, const AnsiString& PropertyName) const {
  return FindWithParents(SectionIndex, SectionName, [&](const AnsiString& Name) {
    for (int i = 0; i < MaskCount(); ++i)
      if (Masks[i].ImgType == itisaTexture && Masks[i].SectionName == Name && Masks[i].PropertyName == PropertyName)
        return i;
    return -1;
  });
}

int TsSkinManager::FindPattern(int SectionIndex, const AnsiString& SectionName, const AnsiString& PropertyName) const {
  return FindWithParents(SectionIndex, SectionName, [&](const AnsiString& Name) {
    for (int i = 0; i < static_cast<int>(Patterns.size()); ++i)
      if (Patterns[i].SectionName == Name && Patterns[i].PropertyName == PropertyName)
        return i;
    return -1;
  });
}

SIZE TsSkinManager::MaskImageSize(int Index) const {
  if (!IsMaskIndexValid(Index))
    return SIZE{0, 0};
  const TsMaskData& mask = Masks[Index];
  if (mask.Image != nullptr)
    return SIZE{mask.Image->Width() / 3, mask.Image->Height() / 2};
  return SIZE{MaskFrameWidth(mask), MaskFrameHeight(mask)};
}

int TsSkinManager::LeftBorderWidth(int Index) {
  if (!IsMaskIndexValid(Index))
    return -1;
  TsMaskData& mask = Masks[Index];
  if (mask.ImageCount == 0)
    mask.ImageCount = 1;
  return mask.WL > 0 ? mask.WL : mask.BorderWidth > 0 ? mask.BorderWidth : MaskFrameWidth(mask);
}

int TsSkinManager::TopBorderWidth(int Index) const {
  if (!IsMaskIndexValid(Index))
    return -1;
  const TsMaskData& mask = Masks[Index];
  return mask.WT > 0 ? mask.WT : mask.BorderWidth > 0 ? mask.BorderWidth : MaskFrameHeight(mask);
}

int TsSkinManager::RightBorderWidth(int Index) const {
  if (!IsMaskIndexValid(Index))
    return -1;
  const TsMaskData& mask = Masks[Index];
  return mask.WR > 0 ? mask.WR : mask.BorderWidth > 0 ? mask.BorderWidth : MaskFrameWidth(mask);
}

int TsSkinManager::BottomBorderWidth(int Index) const {
  if (!IsMaskIndexValid(Index))
    return -1;
  const TsMaskData& mask = Masks[Index];
  return mask.WB > 0 ? mask.WB : mask.BorderWidth > 0 ? mask.BorderWidth : MaskFrameHeight(mask);
}

TColor TsSkinManager::GlobalInfoColor() const {
  int index = FindSection("GLOBALINFO");
  return ColorToRGB(index >= 0 ? Sections[index].Color : clBtnFace);
}

TColor TsSkinManager::GlobalInfoFontColor() const {
  int index = FindSection("GLOBALINFO");
  return index >= 0 ? ColorToRGB(Sections[index].FontColor[0]) : clFuchsia;
}

TColor TsSkinManager::GlobalInfoHotColor() const {
  int index = FindSection("GLOBALINFO");
  return ColorToRGB(index >= 0 ? Sections[index].HotColor : clWindow);
}

TColor TsSkinManager::EditHotFontColor() const {
  int index = FindSection("EDIT");
  return index >= 0 ? ColorToRGB(Sections[index].HotFontColor[0]) : clFuchsia;
}

TColor TsSkinManager::HighlightColor() const {
  int index = FindSection("MENUITEM");
  if (index >= 0 && !IsNoColor(Sections[index].HotColor))
    return ColorToRGB(Sections[index].HotColor);
  return ColorToRGB(clHighlight);
}

TColor TsSkinManager::HighlightTextColor() const {
  int index = FindSection("MENUITEM");
  if (index >= 0) {
    const TsGeneralData& item = Sections[index];
    if (!IsNoColor(item.HotFontColor[0]) && item.HotFontColor[0] != 0 && !IsNoColor(item.HotColor))
      return ColorToRGB(item.HotFontColor[0]);
  }
  return ColorToRGB(clHighlightText);
}

TsSkinManager* DefaultManager() { return gDefaultManager; }

void SetDefaultManager(TsSkinManager* Manager) { gDefaultManager = Manager; }
