// TsSkinManager: the component that owns the loaded skin and answers the
// look-ups of every painting routine: sections, skin images (masks) and
// textures by name, border widths and the skin's colours. Loading a skin
// fills its records (TsSkinData, the section, mask and pattern arrays and
// the master bitmap); until then it holds none, and no control using it
// counts as skinned.
//
// Look-ups never raise: a missing section, image or index answers -1 (or
// the colour named as the fallback), and names compare exactly and
// case-sensitively, as skins write them in upper case.
//
// The application's default manager is the one controls use when they name
// none of their own; there is none unless one is set.
#pragma once
#include <memory>

#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/classes/strings.h"
#include "skin/core/animeffects.h"
#include "skin/core/menusupport.h"
#include "skin/core/skindata.h"
#include "skin/core/storedskins.h"
#include "skin/core/thirdpartylist.h"

class TStrings;
class TMenuItem;
struct TsLoadedSkin;
struct TMessage;

// Which forms and dialogs the skin reaches.
enum TacSkinningRule { srStdForms, srStdDialogs, srThirdParty };
DOZURI_ENUM(TacSkinningRule, "srStdForms", "srStdDialogs", "srThirdParty");
DOZURI_SET(TacSkinningRules, TacSkinningRule);

// Asked by the menu painter for the extra line of a popup menu.
DOZURI_EVENT(TacGetExtraLineData, void(TMenuItem* FirstItem, AnsiString& SkinSection, AnsiString& Caption,
                                       TBitmap*& Glyph, bool& LineVisible));

// The indexes of the sections and images the library's own painters use
// most, looked up once per skin; -1 when the skin lacks them.
struct TsScrollIndexes {
  int Section = -1, Border = -1, Glyph = -1, Pattern = -1, HotPattern = -1;
};
struct TsStandardIndexes {
  int GlobalInfo = -1;
  // GLOBALINFO's BOXCHECKED, BOXUNCHECKED, BOXGRAYED, RADIOCHECKED,
  // RADIOUNCHECKED, RADIOGRAYED, SMALLCHECKED, SMALLUNCHECKED, SMALLGRAYED
  // and EXBORDER.
  std::array<int, 10> GlobalMasks{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  int ComboBtn = -1, ComboBtnBorder = -1, ComboBtnPattern = -1, ComboBtnHotPattern = -1, ComboBoxGlyph = -1;
  // TABTOP, TABBOTTOM, TABLEFT, TABRIGHT and their BORDERSMASK.
  std::array<int, 4> Tabs{-1, -1, -1, -1};
  std::array<int, 4> TabBorders{-1, -1, -1, -1};
  // SCROLLBTNTOP, SCROLLBTNBOTTOM, SCROLLBTNLEFT, SCROLLBTNRIGHT,
  // SCROLLSLIDERV, SCROLLSLIDERH.
  std::array<TsScrollIndexes, 6> ScrollButtons;
  // SCROLLBAR1H, SCROLLBAR1V, SCROLLBAR2H, SCROLLBAR2V (no glyphs).
  std::array<TsScrollIndexes, 4> ScrollBars;
};
// Positions in TsStandardIndexes::GlobalMasks.
enum TGlobalMaskIndex { gmBoxChecked, gmBoxUnchecked, gmBoxGrayed, gmRadioChecked, gmRadioUnchecked, gmRadioGrayed,
                        gmSmallChecked, gmSmallUnchecked, gmSmallGrayed, gmExBorder };

class TsSkinManager : public TComponent {
  DECLARE_CLASS(TsSkinManager, TComponent)

public:
  explicit TsSkinManager(TComponent* AOwner);
  ~TsSkinManager() override;

  void Loaded() override;

  // ---- Options edited in the form designer
  // Forms get the skin's extended borders with a shadow; only where layered
  // windows exist. A change reloads an applied skin.
  bool ExtendedBorders() const;
  void SetExtendedBorders(bool Value);
  // Popup menus are skinned; the main-window hook answers only while on.
  bool SkinnedPopups() const { return FSkinnedPopups; }
  void SetSkinnedPopups(bool Value) { FSkinnedPopups = Value; }
  // Controls may glow; only where layered windows exist and glowing is not
  // switched off library-wide.
  bool AllowGlowing() const;
  void SetAllowGlowing(bool Value) { FAllowGlowing = Value; }
  // This manager is the default one. Setting True (or anything while there
  // is none) makes it the default and tells the forms; False changes
  // nothing.
  bool IsDefault() const;
  void SetIsDefault(bool Value);
  TacSkinningRules SkinningRules() const { return FSkinningRules; }
  void SetSkinningRules(TacSkinningRules Value) { FSkinningRules = Value; }
  TacMenuSupport* MenuSupport() const { return FMenuSupport.get(); }
  void SetMenuSupport(TacMenuSupport* Value) { FMenuSupport->Assign(Value); }
  TacGetExtraLineData OnGetMenuExtraLineData;

  // ---- Options edited in the form designer (owned)
  // Options text of the application's own, added to every skin it loads.
  // Assigning it removes the spaces of its lines (not of comments) and
  // loads an applied skin again.
  TStringList* CommonSections() const { return FCommonSections.get(); }
  void SetCommonSections(TStringList* Value);
  // Skins stored in the form file; assigning a list copies nothing.
  TsStoredSkins* InternalSkins() const { return FInternalSkins.get(); }
  void SetInternalSkins(TsStoredSkins* Value) { FInternalSkins->Assign(Value); }
  TacAnimEffects* AnimEffects() const { return FAnimEffects.get(); }
  void SetAnimEffects(TacAnimEffects*) {}
  ThirdPartyList* ThirdParty() const { return FThirdParty.get(); }
  void SetThirdParty(ThirdPartyList*) {}
  // The class names of one ThirdParty category, one per line.
  TStringList* ThirdList(int Index) const { return FThirdLists[Index].get(); }
  // Each category's list takes its property's text; an empty property (or
  // every one, with Reset) first takes its default text.
  void UpdateThirdLists(bool Reset);
  // Each property takes its list's text.
  void StoreThirdLists();

  // Whether the manager skins its controls. Switching it on loads the skin
  // again; switching it off removes the skin from every form.
  bool Active() const { return FActive; }
  void SetActive(bool Value);

  // ---- The skin to load
  // Where skins are looked for: a folder of "<name>\Options.dat" skin
  // folders and "<name>.asz" packed skins. "c:\Skins" when left empty.
  AnsiString SkinDirectory() const { return FSkinDirectory; }
  void SetSkinDirectory(const AnsiString& Value);
  // Setting it loads the skin: the packed file, else the folder, else the
  // stored skin of that name, else the first stored skin (whose name it
  // then takes); with none of these the manager turns inactive. A load that fails
  // shows its error, keeps the previous skin applied and the previous name.
  AnsiString SkinName() const { return FSkinName; }
  void SetSkinName(const AnsiString& Value);
  // The loaded skin's VERSION with "." as decimal separator, or "N/A".
  AnsiString SkinInfo() const;
  void SetSkinInfo(const AnsiString&) {}
  AnsiString Version() const { return "6.68"; }
  void SetVersion(const AnsiString&) {}
  // Degrees the skin's colours turn and the saturation change in percent;
  // a change reloads an applied skin.
  int HueOffset() const { return FHueOffset; }
  void SetHueOffset(int Value);
  int Saturation() const { return FSaturation; }
  void SetSaturation(int Value);
  // The skin came from a packed archive.
  bool IsPacked() const { return FIsPacked; }

  // The packed file SkinName is loaded from: the resolved directory (a
  // one-letter one as a drive, "c" gives "c:\"), SkinName, ".asz".
  AnsiString PackedSkinFileName() const;
  // SkinDirectory as a full path: "..\" relative to the parent of the
  // program's folder, ".\" and a bare name relative to the program's
  // folder, a one-letter drive and anything with ":" or "\" as it stands.
  AnsiString GetFullSkinDirectory() const;
  // Kind 0 folder skins, 1 packed skins, 2 both, from the resolved
  // directory (packed: files whose extension is exactly ".asz", named by
  // the part before the first "."); sorted. FirstName: the first found.
  void CollectSkinNames(TStrings* List, int Kind, AnsiString& FirstName) const;

  // The standard indexes of the loaded skin (all -1 without one).
  const TsStandardIndexes& StandardIndexes() const { return FIndexes; }
  // Looks the standard indexes up again, and each section's BorderIndex
  // and CornerIndexes.
  void FillStandardIndexes();

  // The window under the mouse: a new one gets skin command 0x1D, the one
  // before 0x1E (LParam the manager).
  HWND HotWindow() const { return FHotWindow; }
  void SetHotWindow(HWND Wnd);

  // Skin command 0x01 (a new skin), 0x02 (the skin is gone) or 0x10 and
  // 0x03 (repaint) to every form of the application and its controls.
  void BroadcastNewSkin(bool Repaint);
  void BroadcastSkinRemoved();
  void BroadcastRefresh();

  TNotifyEvent OnBeforeChange;
  TNotifyEvent OnAfterChange;

  // ---- Extended borders
  // Makes the two shadow pictures of the loaded skin: one image each of its
  // GLOBALINFO EXBORDER (inactive the first, active the second), else
  // copies of the program's "acSHDA" picture; none without extended
  // borders, an active manager, or either source.
  void PrepareShadow();
  // How far the shadow reaches out of a form on each side.
  const RECT& ShadowMargins() const { return FShadowMargins; }
  TBitmap* ShadowPictureActive() const { return FShadowActive.get(); }
  TBitmap* ShadowPictureInactive() const { return FShadowInactive.get(); }

  // ---- The application's main window (hooked by the default manager)
  // While SkinnedPopups: records minimize (2) and restore (1) system
  // commands, anything else as 0; answers WM_THEMECHANGED as handled; on
  // CM_ACTIVATE sends skin command 0x12 to every form of the screen, last
  // to first.
  bool MainWindowHook(TMessage& Message);
  // The record of the last system command the hook saw.
  int LastSystemCommand() const { return FLastSystemCommand; }

  // ---- The loaded skin
  TsSkinData* SkinData() const { return FSkinData.get(); }
  TsGeneralDataArray Sections;
  TsMaskArray Masks;
  TsPatternArray Patterns;
  // The 24-bit master bitmap (transparent colour clFuchsia); nullptr when
  // the skin has none.
  std::shared_ptr<TBitmap> MasterBitmap;

  int SectionCount() const { return static_cast<int>(Sections.size()); }
  int MaskCount() const { return static_cast<int>(Masks.size()); }

  // ---- Look-ups
  // Index of the section of that name; -1 when none.
  int FindSection(const AnsiString& Name) const;
  // The first mask of SectionName and PropertyName; failing that the same
  // search in the parent section (PARENTCLASS), and so on up a chain that
  // ends after as many steps as there are sections. -1 for SectionIndex < 0
  // or an empty SectionName.
  int FindMask(int SectionIndex, const AnsiString& SectionName, const AnsiString& PropertyName) const;
  // The same without parent fall-back.
  int FindMaskByName(const AnsiString& SectionName, const AnsiString& PropertyName) const;
  // As FindMask, counting texture images only.
  int FindTexture(int SectionIndex, const AnsiString& SectionName, const AnsiString& PropertyName) const;
  // As FindMask, in the pattern array.
  int FindPattern(int SectionIndex, const AnsiString& SectionName, const AnsiString& PropertyName) const;
  bool IsMaskIndexValid(int Index) const { return Index >= 0 && Index < MaskCount(); }
  // Needs loaded skin data too.
  bool IsSectionIndexValid(int Index) const {
    return FSkinData != nullptr && Index >= 0 && Index < SectionCount();
  }

  // Width and height of one image of the mask: its own bitmap's width div 3
  // and height div 2, else MaskFrameWidth and MaskFrameHeight. (0, 0) for an
  // invalid index.
  SIZE MaskImageSize(int Index) const;
  // WL (WT, WR, WB) when positive, else BorderWidth when positive, else the
  // frame width (left, right) or height (top, bottom). -1 for an invalid
  // index. LeftBorderWidth first makes an ImageCount of 0 into 1.
  int LeftBorderWidth(int Index);
  int TopBorderWidth(int Index) const;
  int RightBorderWidth(int Index) const;
  int BottomBorderWidth(int Index) const;

  // ---- Colours (as RGB)
  // GLOBALINFO Color; clBtnFace without GLOBALINFO.
  TColor GlobalInfoColor() const;
  // GLOBALINFO FontColor[1]; clFuchsia without.
  TColor GlobalInfoFontColor() const;
  // GLOBALINFO HotColor; clWindow without.
  TColor GlobalInfoHotColor() const;
  // EDIT HotFontColor[1]; clFuchsia without EDIT.
  TColor EditHotFontColor() const;
  // MENUITEM HotColor unless it is -1, clFuchsia or white; else clHighlight.
  TColor HighlightColor() const;
  // MENUITEM HotFontColor[1] when it is none of -1, clFuchsia, white and 0
  // and HotColor is none of -1, clFuchsia and white; else clHighlightText.
  TColor HighlightTextColor() const;

private:
  // Loads SkinName into a new skin: the packed file or the folder in the
  // resolved directory. False when neither exists.
  bool LoadSkinFiles(TsLoadedSkin& Skin);
  // The stored skin of SkinName, or the first one, into a new skin.
  bool LoadStoredSkin(TsLoadedSkin& Skin);
  // Makes the built skin the manager's own.
  void TakeSkin(TsLoadedSkin& Skin);
  void FreeSkin();
  // Loads SkinName and broadcasts the outcome; a failure shows its message
  // and changes nothing.
  void LoadAndApply(const AnsiString& PreviousName);
  bool Reading() const;

  template <class Match>
  int FindWithParents(int SectionIndex, const AnsiString& SectionName, Match&& Matches) const;

  // Hooks or unhooks the application's main window.
  void HookMainWindow(bool Hook);
  // The skin command to the forms: through the application at run time, to
  // the screen's forms (not the designer's own) at design time.
  void SendToForms(WORD Command, bool Removal);

  bool FActive = true;
  bool FExtendedBorders = false;
  bool FSkinnedPopups = true;
  bool FAllowGlowing = true;
  TacSkinningRules FSkinningRules{srStdForms, srStdDialogs, srThirdParty};
  std::unique_ptr<TacMenuSupport> FMenuSupport = std::make_unique<TacMenuSupport>();
  RECT FShadowMargins{0, 0, 0, 0};
  std::unique_ptr<TBitmap> FShadowActive, FShadowInactive;
  bool FMainWindowHooked = false;
  int FLastSystemCommand = 0;
  std::unique_ptr<TsSkinData> FSkinData;
  std::unique_ptr<TacAnimEffects> FAnimEffects = std::make_unique<TacAnimEffects>();
  std::unique_ptr<ThirdPartyList> FThirdParty = std::make_unique<ThirdPartyList>();
  std::unique_ptr<TStringList> FCommonSections = std::make_unique<TStringList>();
  std::unique_ptr<TsStoredSkins> FInternalSkins = std::make_unique<TsStoredSkins>(this);
  std::array<std::unique_ptr<TStringList>, ThirdListCount> FThirdLists;
  AnsiString FSkinDirectory = "c:\\Skins";
  AnsiString FSkinName;
  int FHueOffset = 0;
  int FSaturation = 0;
  bool FIsPacked = false;
  TsStandardIndexes FIndexes;
  HWND FHotWindow = nullptr;
};

// The manager controls without one of their own use, or nullptr.
TsSkinManager* DefaultManager();
// True while a manager loads a skin (button fading is skipped meanwhile).
bool SkinLoading();

// Makes Manager the default one (nullptr: none). A manager that is freed
// stops being the default.
void SetDefaultManager(TsSkinManager* Manager);
