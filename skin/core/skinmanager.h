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
#include "skin/core/skindata.h"

class TsSkinManager : public TComponent {
  DECLARE_CLASS(TsSkinManager, TComponent)

public:
  explicit TsSkinManager(TComponent* AOwner);
  ~TsSkinManager() override;

  // Whether the manager skins its controls.
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }

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
  template <class Match>
  int FindWithParents(int SectionIndex, const AnsiString& SectionName, Match&& Matches) const;

  bool FActive = true;
  std::unique_ptr<TsSkinData> FSkinData;
};

// The manager controls without one of their own use, or nullptr.
TsSkinManager* DefaultManager();
// Makes Manager the default one (nullptr: none). A manager that is freed
// stops being the default.
void SetDefaultManager(TsSkinManager* Manager);
