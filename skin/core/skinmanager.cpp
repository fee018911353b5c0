#include "skin/core/skinmanager.h"

#include "classlib/classes/strings.h"
#include "classlib/classes/typinfo.h"
#include "classlib/controls/messages.h"
#include "classlib/forms/application.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"
#include "skin/core/commonsections.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinforms.h"
#include "skin/core/skinloader.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skinplatform.h"
#include "skin/core/skinshadow.h"
#include "skin/core/skinutils.h"
#include "support/png/graphic/pngicons.h"

namespace {
TsSkinManager* gDefaultManager = nullptr;
bool gSkinLoading = false;

// SkinLoading for the life of the scope, restored also when loading fails.
class SkinLoadingScope {
public:
  SkinLoadingScope() : saved_(gSkinLoading) { gSkinLoading = true; }
  ~SkinLoadingScope() { gSkinLoading = saved_; }

private:
  bool saved_;
};

bool IsNoColor(TColor Color) { return Color == -1 || Color == clFuchsia || Color == clWhite; }
}  // namespace

BEGIN_PUBLISHED(TsSkinManager)
  PROPERTY(ExtendedBorders, ExtendedBorders, SetExtendedBorders).Default(false),
  PROPERTY(SkinnedPopups, SkinnedPopups, SetSkinnedPopups).Default(true),
  PROPERTY(AllowGlowing, AllowGlowing, SetAllowGlowing).Default(true),
  PROPERTY(AnimEffects, AnimEffects, SetAnimEffects),
  PROPERTY(IsDefault, IsDefault, SetIsDefault).Default(true),
  PROPERTY(Active, Active, SetActive).Default(true),
  PROPERTY(CommonSections, CommonSections, SetCommonSections),
  PROPERTY(Saturation, Saturation, SetSaturation).Default(0),
  PROPERTY(HueOffset, HueOffset, SetHueOffset).Default(0),
  PROPERTY(InternalSkins, InternalSkins, SetInternalSkins),
  PROPERTY(MenuSupport, MenuSupport, SetMenuSupport),
  PROPERTY(SkinDirectory, SkinDirectory, SetSkinDirectory),
  PROPERTY(SkinName, SkinName, SetSkinName),
  PROPERTY(SkinInfo, SkinInfo, SetSkinInfo),
  PROPERTY(SkinningRules, SkinningRules, SetSkinningRules)
      .Default(TacSkinningRules{srStdForms, srStdDialogs, srThirdParty}),
  PROPERTY(ThirdParty, ThirdParty, SetThirdParty),
  PROPERTY(Version, Version, SetVersion).Stored(false),
  PROPERTY(OnAfterChange, OnAfterChange, OnAfterChange),
  PROPERTY(OnBeforeChange, OnBeforeChange, OnBeforeChange),
  PROPERTY(OnGetMenuExtraLineData, OnGetMenuExtraLineData, OnGetMenuExtraLineData),
END_PUBLISHED

bool SkinLoading() { return gSkinLoading; }

// The first manager made is the default one.
TsSkinManager::TsSkinManager(TComponent* AOwner) : TComponent(AOwner), FSkinData(std::make_unique<TsSkinData>()) {
  FAnimEffects->Manager = this;
  FAnimEffects->Buttons()->Owner = this;
  for (auto& list : FThirdLists)
    list = std::make_unique<TStringList>();
  UpdateThirdLists(false);
  if (gDefaultManager == nullptr) {
    gDefaultManager = this;
    HookMainWindow(true);
  }
}

TsSkinManager::~TsSkinManager() {
  HookMainWindow(false);
  if (gDefaultManager == this)
    gDefaultManager = nullptr;
  StoreThirdLists();
}

void TsSkinManager::HookMainWindow(bool Hook) {
  if (Application == nullptr || Hook == FMainWindowHooked)
    return;
  const TWindowHook hook(Method<&TsSkinManager::MainWindowHook>(this));
  if (Hook)
    Application->HookMainWindow(hook);
  else
    Application->UnhookMainWindow(hook);
  FMainWindowHooked = Hook;
}

bool TsSkinManager::MainWindowHook(TMessage& Message) {
  if (!FSkinnedPopups)
    return false;
  switch (Message.Msg) {
    case WM_SYSCOMMAND: {
      const WPARAM command = Message.WParam & 0xFFF0;
      FLastSystemCommand = command == SC_MINIMIZE ? 2 : command == SC_RESTORE ? 1 : 0;
      return false;
    }
    case WM_THEMECHANGED:
      Message.Result = 0;
      return true;
    case CM_ACTIVATE:
      if (Screen != nullptr)
        for (int i = Screen->FormCount() - 1; i >= 0; --i)
          if (TCustomForm* form = Screen->Forms(i); form != nullptr && form->HandleAllocated())
            SendSkinCommand(form->Handle(), SkinCmdAfterAnimation, 0);
      return false;
    default:
      return false;
  }
}

bool TsSkinManager::ExtendedBorders() const { return FExtendedBorders && LayeredWindowsSupported(); }

void TsSkinManager::SetExtendedBorders(bool Value) {
  if (Value == FExtendedBorders)
    return;
  FExtendedBorders = Value;
  if (FSkinData->SkinActive && !Reading())
    SetSkinName(FSkinName);  // the load prepares the shadow again
}

// Glowing is off library-wide for a 32-bit program on 64-bit Windows
// without desktop composition.
bool TsSkinManager::AllowGlowing() const {
  return FAllowGlowing && LayeredWindowsSupported() && !(RunsUnderWow64() && !DwmCompositionEnabled());
}

bool TsSkinManager::IsDefault() const { return gDefaultManager == this; }

void TsSkinManager::SetIsDefault(bool Value) {
  if (!Value && gDefaultManager != nullptr)
    return;
  if (gDefaultManager != this) {
    if (gDefaultManager != nullptr)
      gDefaultManager->HookMainWindow(false);
    gDefaultManager = this;
    HookMainWindow(true);
  }
  if (Reading())
    return;
  if (!FActive) {
    BroadcastSkinRemoved();
  } else if (FSkinData->SkinActive) {
    BroadcastNewSkin(true);
  }
}

void TsSkinManager::PrepareShadow() {
  FShadowActive.reset();
  FShadowInactive.reset();
  FShadowMargins = RECT{0, 0, 0, 0};
  if (!FActive || !ExtendedBorders())
    return;
  const int border = FIndexes.GlobalMasks[gmExBorder];
  if (IsMaskIndexValid(border)) {
    const TsMaskData& mask = Masks[border];
    TBitmap* source = mask.Image != nullptr ? mask.Image.get() : MasterBitmap.get();
    if (source == nullptr)
      return;
    const int offset = FSkinData->FormOffset;
    FShadowMargins = FSkinData->BorderMode != 0 ? RECT{offset, offset, offset, offset}
                                                : RECT{mask.WL - offset, mask.WT - offset, mask.WR - offset,
                                                       mask.WB - offset};
    FShadowInactive = CopyMaskImage32(mask, *source, 0);
    FShadowActive = CopyMaskImage32(mask, *source, mask.ImageCount > 1 ? 1 : 0);
  } else if (TBitmap* builtIn = BuiltInShadowPicture()) {
    const int grow = DwmCompositionEnabled() ? 1 : 0;
    FShadowMargins = RECT{11 + grow, 7 + grow, 11 + grow, 11 + grow};
    FShadowActive = std::make_unique<TBitmap>();
    FShadowActive->Assign(builtIn);
    FShadowInactive = std::make_unique<TBitmap>();
    FShadowInactive->Assign(builtIn);
  }
  for (TBitmap* picture : {FShadowActive.get(), FShadowInactive.get()})
    if (picture != nullptr)
      ZeroTransparentWhite(*picture);
}

void TsSkinManager::UpdateThirdLists(bool Reset) {
  for (int i = 0; i < ThirdListCount; ++i) {
    if (Reset || FThirdParty->GetByIndex(i).empty())
      FThirdParty->SetByIndex(i, DefaultThirdList(i));
    FThirdLists[i]->SetText(FThirdParty->GetByIndex(i));
  }
}

void TsSkinManager::StoreThirdLists() {
  for (int i = 0; i < ThirdListCount; ++i)
    FThirdParty->SetByIndex(i, FThirdLists[i]->Text());
}

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  if (FSkinDirectory.empty())
    FSkinDirectory = "c:\\Skins";
  if (FMenuSupport->IcoLineSkin().empty())
    FMenuSupport->SetIcoLineSkin("ICOLINE");
  UpdateThirdLists(false);
  if (FActive && !FSkinName.empty())
    BroadcastNewSkin(false);
}

bool TsSkinManager::Reading() const {
  return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading);
}

void TsSkinManager::SetActive(bool Value) {
  if (Value == FActive)
    return;
  FActive = Value;
  if (Value) {
    SetSkinName(FSkinName);
  } else if (!gSkinLoading && !Reading()) {
    BroadcastSkinRemoved();
  }
}

void TsSkinManager::SetSkinDirectory(const AnsiString& Value) {
  if (Value == FSkinDirectory)
    return;
  FSkinDirectory = Value;
  FSkinData->SkinFolder = GetFullSkinDirectory();
}

void TsSkinManager::SetSkinName(const AnsiString& Value) {
  const AnsiString previous = FSkinName;
  FSkinName = Value;
  if (!FActive)
    return;
  if (OnBeforeChange)
    OnBeforeChange(this);
  LoadAndApply(previous);
  if (OnAfterChange)
    OnAfterChange(this);
}

void TsSkinManager::LoadAndApply(const AnsiString& PreviousName) {
  SkinLoadingScope loading;
  TsLoadedSkin skin;
  bool found = false;
  const bool wasPacked = FIsPacked;
  try {
    found = LoadSkinFiles(skin);
  } catch (const Exception& e) {
    // The skin built so far is dropped; the previous one stays applied.
    FSkinName = PreviousName;
    FIsPacked = wasPacked;
    ShowErrorMessage(e.Message);
    return;
  }
  if (!found) {
    FActive = false;
    if (!Reading())
      BroadcastSkinRemoved();
    return;
  }
  TakeSkin(skin);
  gSkinLoading = false;
  BroadcastNewSkin(true);
}

AnsiString TsSkinManager::PackedSkinFileName() const {
  return AddPathDelimiter(GetFullSkinDirectory()) + FSkinName + ".asz";
}

bool TsSkinManager::LoadSkinFiles(TsLoadedSkin& Skin) {
  const AnsiString directory = AddPathDelimiter(GetFullSkinDirectory());
  const AnsiString packed = PackedSkinFileName();
  TsSkinFiles files;
  std::unique_ptr<TacSkinConvertor> archive;
  AnsiString optionsText;
  FIsPacked = !FSkinName.empty() && FileExists(packed);
  if (FIsPacked) {
    TacSkinConvertor* reader = nullptr;
    LoadSkinArchive(packed, reader, true);
    archive.reset(reader);
    if (archive == nullptr || archive->OptionsStream == nullptr)
      return false;
    TMemoryStream& options = *archive->OptionsStream;
    optionsText.assign(static_cast<const char*>(options.Memory()), static_cast<std::size_t>(options.Size()));
    files.Folder = directory;
    files.Archive = archive.get();
  } else {
    const AnsiString folder = directory + FSkinName + "\\";
    if (FSkinName.empty() || !FileExists(folder + "Options.dat"))
      return LoadStoredSkin(Skin);
    TMemoryStream options;
    options.LoadFromFile(folder + "Options.dat");
    optionsText.assign(static_cast<const char*>(options.Memory()), static_cast<std::size_t>(options.Size()));
    files.Folder = folder;
  }
  const TsSkinOptions options(optionsText);
  BuildSkin(this, options, files, Skin);
  return true;
}

bool TsSkinManager::LoadStoredSkin(TsLoadedSkin& Skin) {
  if (FInternalSkins->Count() == 0)
    return false;
  int index = FInternalSkins->IndexOfName(FSkinName);
  if (index < 0) {
    index = 0;
    FSkinName = FInternalSkins->Item(0)->GetName();
  }
  TsStoredSkin& stored = *FInternalSkins->Item(index);
  if (stored.Data.Size() == 0) {
    FIsPacked = false;
    BuildStoredSkin(this, stored, Skin);
    return true;
  }
  // The Data is a packed archive, read where it lies.
  TacSkinConvertor* reader = new TacSkinConvertor;
  reader->SetSourceStream(&stored.Data, false);
  ReadSkinArchive(reader);
  std::unique_ptr<TacSkinConvertor> archive(reader);
  FIsPacked = true;
  TMemoryStream& options = *archive->OptionsStream;
  const AnsiString text(static_cast<const char*>(options.Memory()), static_cast<std::size_t>(options.Size()));
  TsSkinFiles files;
  files.Archive = archive.get();
  BuildSkin(this, TsSkinOptions(text), files, Skin);
  return true;
}

void TsSkinManager::TakeSkin(TsLoadedSkin& Skin) {
  FSkinData = std::move(Skin.Data);
  Sections = std::move(Skin.Sections);
  Masks = std::move(Skin.Masks);
  Patterns = std::move(Skin.Patterns);
  MasterBitmap = std::move(Skin.MasterBitmap);
  FillStandardIndexes();
  PrepareShadow();
}

void TsSkinManager::FreeSkin() {
  Masks.clear();
  Patterns.clear();
  Sections.clear();
  MasterBitmap.reset();
  FIndexes = TsStandardIndexes{};
  FShadowActive.reset();
  FShadowInactive.reset();
  FShadowMargins = RECT{0, 0, 0, 0};
}

AnsiString TsSkinManager::SkinInfo() const {
  if (FSkinData == nullptr || Sections.empty())
    return "N/A";
  TFormatSettings dot = FormatSettings;
  dot.DecimalSeparator = '.';
  return FloatToStr(FSkinData->Version, dot);
}

void TsSkinManager::SetCommonSections(TStringList* Value) {
  FCommonSections->Assign(Value);
  StripCommonSectionSpaces(FCommonSections.get());
  if (FSkinData->SkinActive && !Reading())
    SetSkinName(FSkinName);
}

void TsSkinManager::SetHueOffset(int Value) {
  if (Value == FHueOffset)
    return;
  FHueOffset = Value;
  if (FSkinData->SkinActive)
    SetSkinName(FSkinName);
}

void TsSkinManager::SetSaturation(int Value) {
  if (Value == FSaturation)
    return;
  FSaturation = Value;
  if (FSkinData->SkinActive)
    SetSkinName(FSkinName);
}

AnsiString TsSkinManager::GetFullSkinDirectory() const {
  const AnsiString& d = FSkinDirectory;
  if (d.rfind("..", 0) == 0)
    return ExtractFilePath(ExcludeTrailingPathDelimiter(ProgramFolder())) + d.substr(std::min<std::size_t>(3, d.size()));
  if (d.rfind(".\\", 0) == 0 || d.rfind("./", 0) == 0)
    return ProgramFolder() + d.substr(2);
  if (d.size() > 1 && Pos(":", d) == 0 && Pos("\\", d) == 0)
    return ProgramFolder() + d;
  return d;
}

void TsSkinManager::CollectSkinNames(TStrings* List, int Kind, AnsiString& FirstName) const {
  FirstName.clear();
  if (List == nullptr)
    return;
  auto add = [&](const AnsiString& Name) {
    if (FirstName.empty())
      FirstName = Name;
    List->Add(Name);
  };
  const AnsiString directory = AddPathDelimiter(GetFullSkinDirectory());
  TSearchEntry entry;
  if (DirectoryExists(GetFullSkinDirectory()) && FindFirstEntry(directory + "*", entry) == 0) {
    do {
      const AnsiString& name = entry.Name;
      if (name.empty() || name[0] == '.')
        continue;
      const bool folder = (entry.Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      if (folder && Kind != 1 && FileExists(directory + name + "\\Options.dat"))
        add(name);
      const std::size_t dot = name.rfind('.');
      if (!folder && Kind != 0 && dot != AnsiString::npos && name.substr(dot) == ".asz")
        add(name.substr(0, name.find('.')));
    } while (FindNextEntry(entry) == 0);
    FindCloseEntry(entry);
  }
  if (auto* sorted = dynamic_cast<TStringList*>(List))
    sorted->Sort();
}

void TsSkinManager::FillStandardIndexes() {
  FIndexes = TsStandardIndexes{};
  static const char* const kCorners[4] = {"IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT"};
  for (int i = 0; i < SectionCount(); ++i) {
    TsGeneralData& g = Sections[i];
    if (g.SectionName == "GLOBALINFO")
      continue;
    g.BorderIndex = FindMask(i, g.SectionName, "BORDERSMASK");
    for (int c = 0; c < 4; ++c)
      g.CornerIndexes[c] = FindMask(i, g.SectionName, kCorners[c]);
  }
  FIndexes.GlobalInfo = FindSection("GLOBALINFO");
  if (FIndexes.GlobalInfo >= 0) {
    static const char* const kGlobal[10] = {"BOXCHECKED",   "BOXUNCHECKED",   "BOXGRAYED",    "RADIOCHECKED",
                                            "RADIOUNCHECKED", "RADIOGRAYED",  "SMALLCHECKED", "SMALLUNCHECKED",
                                            "SMALLGRAYED",  "EXBORDER"};
    for (int i = 0; i < 10; ++i)
      FIndexes.GlobalMasks[i] = FindMask(FIndexes.GlobalInfo, "GLOBALINFO", kGlobal[i]);
  }
  FIndexes.ComboBtn = FindSection("COMBOBTN");
  FIndexes.ComboBtnBorder = FindMaskByName("COMBOBTN", "BORDERSMASK");
  FIndexes.ComboBtnPattern = FindTexture(FIndexes.ComboBtn, "COMBOBTN", "PATTERN");
  FIndexes.ComboBtnHotPattern = FindTexture(FIndexes.ComboBtn, "COMBOBTN", "HOTPATTERN");
  FIndexes.ComboBoxGlyph = FindMaskByName("COMBOBOX", "GLYPHMASK");
  static const char* const kTabs[4] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
  for (int i = 0; i < 4; ++i) {
    FIndexes.Tabs[i] = FindSection(kTabs[i]);
    FIndexes.TabBorders[i] = FindMask(FIndexes.Tabs[i], kTabs[i], "BORDERSMASK");
  }
  auto scroll = [this](const char* Name, bool WithGlyph) {
    TsScrollIndexes r;
    r.Section = FindSection(Name);
    r.Border = FindMask(r.Section, Name, "BORDERSMASK");
    if (WithGlyph && r.Section >= 0)
      r.Glyph = FindMask(r.Section, Name, "GLYPHMASK");
    r.Pattern = FindMask(r.Section, Name, "PATTERN");
    r.HotPattern = FindMask(r.Section, Name, "HOTPATTERN");
    return r;
  };
  static const char* const kButtons[6] = {"SCROLLBTNTOP",  "SCROLLBTNBOTTOM", "SCROLLBTNLEFT",
                                          "SCROLLBTNRIGHT", "SCROLLSLIDERV",  "SCROLLSLIDERH"};
  for (int i = 0; i < 6; ++i)
    FIndexes.ScrollButtons[i] = scroll(kButtons[i], true);
  static const char* const kBars[4] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
  for (int i = 0; i < 4; ++i)
    FIndexes.ScrollBars[i] = scroll(kBars[i], false);
}

void TsSkinManager::SetHotWindow(HWND Wnd) {
  if (Wnd == FHotWindow)
    return;
  const HWND previous = FHotWindow;
  FHotWindow = Wnd;
  if (previous != nullptr)
    SendSkinCommand(previous, SkinCmdMouseLeave, reinterpret_cast<LPARAM>(this));
  if (Wnd != nullptr)
    SendSkinCommand(Wnd, SkinCmdMouseEnter, reinterpret_cast<LPARAM>(this));
}

void TsSkinManager::BroadcastNewSkin(bool Repaint) {
  if (gSkinLoading || Reading())
    return;
  FSkinData->SkinActive = false;
  FillStandardIndexes();
  SendToForms(SkinCmdNewSkin, false);
  FSkinData->SkinActive = true;
  if (Repaint)
    BroadcastRefresh();
}

void TsSkinManager::BroadcastSkinRemoved() {
  FSkinData->SkinActive = false;
  SendToForms(SkinCmdSkinRemoved, true);
  FreeSkin();
}

void TsSkinManager::BroadcastRefresh() {
  if (!ComponentState().Contains(csDesigning))
    SendToForms(SkinCmdStopFading, false);
  SendToForms(SkinCmdRefresh, false);
}

void TsSkinManager::SendToForms(WORD Command, bool Removal) {
  TMessage message{SM_ALPHACMD, SkinCommandWParam(Command), reinterpret_cast<LPARAM>(this), 0};
  if (ComponentState().Contains(csDesigning))
    SendToDesignedForms(message, Removal);
  else
    SendToApplicationForms(message);
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
