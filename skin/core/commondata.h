// TsCommonData: the skin state a skinned control (or adapter, or form skin
// provider) owns. It names the skin section the control paints from, the
// manager it takes the skin from (its own, else the application's default
// one), the indexes of the section, its border mask and textures, the cache
// bitmap the control paints into, whether the control keeps its own colour
// and font, the paint lock and the hover and focus state.
//
// Without a manager, or with one that has loaded no skin, the owner is not
// skinned, and it paints as the class library's control does; the shared
// commands still answer (colours from the owner's own Color).
//
// Calling order expected of an owner: create the object in its constructor,
// set ControlKind at once (and SkinSection when it needs a fixed one), call
// OwnerLoaded after loading, pass every message to HandleCommonMessage from
// its window procedure, free the object in its destructor.
#pragma once
#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>

#include "classlib/classes/persistent.h"
#include "classlib/controls/messages.h"
#include "classlib/graphics/colors.h"
#include "skin/core/skinbackground.h"

class TBitmap;
class TComponent;
class TControl;
class TGraphicControl;
class TsSkinManager;
struct TsGeneralData;

// Control kinds; each picks a default section (see DefaultSectionOfKind).
constexpr int ckEdit = 3;
constexpr int ckMemo = 7;
constexpr int ckCheckBox = 32;
constexpr int ckPanel = 51;
constexpr int ckSpeedButton = 92;
constexpr int ckButton = 93;
constexpr int ckBitBtn = 94;
constexpr int ckEditLike = 97;  // an edit that is not a TCustomEdit
constexpr int ckStatusBar = 151;
constexpr int ckSkinProvider = 224;
constexpr int ckFrameAdapter = 226;
constexpr int ckAdapterItem = 227;

// A fixed set of control kinds; kinds above 255 belong to none.
class TControlKindSet {
public:
  TControlKindSet(std::initializer_list<std::pair<int, int>> Ranges) {
    for (auto [first, last] : Ranges)
      for (int kind = first; kind <= last; ++kind)
        bits_.set(static_cast<size_t>(kind));
  }
  bool Contains(int Kind) const { return Kind >= 0 && Kind < 256 && bits_.test(static_cast<size_t>(Kind)); }

private:
  std::bitset<256> bits_;
};

// Kinds whose frame is repainted on focus and hover.
extern const TControlKindSet EditKinds;
// Kinds that never glow.
extern const TControlKindSet NoGlowKinds;
// Kinds the mouse does not highlight.
extern const TControlKindSet NoHoverKinds;

// Set while an animated show, hide or snapshot paints: every control then
// rebuilds its cache on each paint.
extern bool AnimationRunning;
// Compared by command 0x0D; empty unless the application sets it.
extern AnsiString ChangedSectionName;

// Bits of StateFlags.
constexpr std::uint16_t sfPlainLook = 0x0001;
constexpr std::uint16_t sfDeferredMenuChange = 0x0400;
constexpr std::uint16_t sfPaintLockActive = 0x0800;

class TsCommonData : public TPersistent {
  DECLARE_CLASS(TsCommonData, TPersistent)

public:
  // Owner: the control (or other object) whose skin state this is. With
  // CreateCache a 24-bit cache bitmap of 0 x 0 is made.
  explicit TsCommonData(TPersistent* Owner, bool CreateCache = false);
  ~TsCommonData() override;

  // ---- Published ----
  // Upper case; "UNKNOWN" after an empty assignment; empty until set.
  const AnsiString& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const AnsiString& Value);
  bool CustomColor() const { return FCustomColor; }
  void SetCustomColor(bool Value);
  bool CustomFont() const { return FCustomFont; }
  void SetCustomFont(bool Value);
  // The manager in use: the own one when set, else the default one (nullptr
  // when there is none).
  TsSkinManager* SkinManager() const;
  TsSkinManager* GetSkinManager() const { return SkinManager(); }
  // Sets the own manager; the default manager is kept as "none of its own".
  void SetSkinManager(TsSkinManager* Value);

  TsSkinManager* OwnSkinManager() const { return FOwnSkinManager; }
  TControl* OwnerControl() const { return FOwnerControl; }
  TPersistent* OwnerObject() const { return FOwnerObject; }
  TPersistent* GetOwner() override { return FOwnerObject; }
  TBitmap* CacheBitmap() const { return FCacheBitmap.get(); }

  // The kind of control, which picks the default section.
  int ControlKind() const { return FControlKind; }
  void SetControlKind(int Value) { FControlKind = Value; }
  int SectionIndex() const { return FSectionIndex; }
  // True when LParam of a command names this object's manager (and there is one).
  bool IsForManager(LPARAM LParam) const;

  // ---- State ----
  int GlowHandle = -1;
  bool PaintLocked = false;
  int BorderMaskIndex = -1;
  int PatternIndex = -1;
  int HotPatternIndex = -1;
  bool PositionMark = false;
  bool CacheInvalid = true;
  bool PartlyPainted = true;
  bool HasFocusMark = false;
  bool MouseOver = false;
  std::uint16_t StateFlags = 0;
  bool PlainLook() const { return (StateFlags & sfPlainLook) != 0; }

  // ---- Skin and section ----
  // True when a manager exists, is not being destroyed, holds the section
  // and the owner is not being destroyed; with CheckActive the loaded skin
  // must also be applied.
  bool IsSkinned(bool CheckActive = false) const;
  // Called by the owner after construction and after loading: gives an
  // empty section the default one of the control kind; a skinned edit takes
  // the section's colours.
  void OwnerLoaded();
  // The default section of the control kind; for a kind without one, the
  // owner's class name.
  void PickDefaultSection();
  // Looks the section up in the manager again, with its mask and texture
  // indexes and the plain-look flag.
  void ResolveSection();
  // The section record when skinned, else nullptr.
  const TsGeneralData* Section() const;
  bool IsTransparentSection() const;
  // The largest of the border mask's widths; 0 without mask or when the
  // mask draws its border only in the hot state.
  int MaxBorderWidth() const;

  // ---- Look classification ----
  bool HasVariableLook() const;
  void UpdatePlainLookFlag(bool Broadcast);
  bool NeedsFullRepaint() const;
  bool IsHighlighted() const;

  // ---- Colours and background ----
  // The background colour in State (0 normal, else hot); Wnd stands in for
  // a missing owner control.
  TColor StateColor(int State, HWND Wnd = nullptr) const;
  // Answers the background query (command 0x22).
  void FillBackgroundQuery(TsBackgroundQuery& Query, int State, HWND Wnd = nullptr);
  // What lies behind the owner.
  TsBackgroundSource GetParentBackground() const;

  // ---- Position dependence ----
  bool MoveChangesLook() const;
  bool ParentPositionDependent() const;

  // ---- Paint lock ----
  void SetPaintLocked(bool Value) { PaintLocked = Value; }
  void BeginPaintLock();
  void EndPaintLock(bool Repaint);
  bool IsPaintLocked() const;

  // Marks the look as stale and repaints the owner when it can paint.
  void InvalidateOwner();
  // The cache bitmap at the owner's size (made when missing).
  void SizeCacheBitmap();
  // Shows the glow of the hovered owner (or of Wnd without owner control)
  // when the manager allows glowing and the section has one; removes it
  // when the mouse left the owner, its left button is down, or with Repaint.
  void UpdateGlow(bool Repaint, HWND Wnd);
  // Removes the owner's glow, when it has one.
  void RemoveGlow();
  // The same, forcing 24 bits on an existing bitmap.
  void SizeCacheBitmap24();
  // The owner tells of a component being removed; a removed own manager is
  // forgotten.
  void ComponentRemoved(TComponent* AComponent);

  // The handling every skinned control shares for the skin command message.
  // True when the command was answered (Result set) and the owner should
  // not pass the message on: only for 0x07, 0x0A, 0x0B, 0x13, 0x15, 0x1A and
  // 0x24. Commands 0x01-0x03 act only when LParam is this object's manager.
  bool HandleCommonSkinCommand(TMessage& Message);
  // The shared handling of window messages; passes the skin command message
  // to HandleCommonSkinCommand. True only for an answered skin command and
  // for WM_UPDATEUISTATE of a skinned owner.
  bool HandleCommonMessage(TMessage& Message);

private:
  bool IsSkinManagerStored() { return FOwnSkinManager != nullptr; }
  // Sends the owner the refresh or removal command after a change of
  // section or manager.
  void TellOwnerOfChange(TsSkinManager* Manager);
  void ApplySectionColors();
  void RestoreStandardColors();
  void SkinRemoved(TMessage& Message);
  void Refresh();
  TColor BackColorForChildren() const;
  int PositionAnswer() const;
  void RepaintChildren(TMessage& Message);
  void SizeCache(int Width, int Height);

  AnsiString FSkinSection;
  bool FCustomFont = false;
  bool FCustomColor = false;
  TsSkinManager* FOwnSkinManager = nullptr;
  int FSectionIndex = -1;
  int FControlKind = 0;
  TControl* FOwnerControl = nullptr;
  TPersistent* FOwnerObject = nullptr;
  std::unique_ptr<TBitmap> FCacheBitmap;
};

// The default section of a control kind, or "" for a kind without one.
AnsiString DefaultSectionOfKind(int ControlKind);
// A component being read from a stream or being destroyed takes no part in
// painting or commands.
bool IsLoadingOrDying(const TComponent* Component);

// The shared handlers as free routines: False for a nil Data.
bool HandleCommonSkinCommand(TMessage& Message, TsCommonData* Data);
bool HandleCommonMessage(TMessage& Message, TsCommonData* Data);
// The questions every skinned control answers whatever its state: "are you
// skinned" with 1 and the application object. True when Message was one.
bool AnswerSkinnedControlQuery(TMessage& Message);

// The background source of a plain window: its parent window's answer, or
// EmptyBackgroundSource without parent.
TsBackgroundSource WindowParentBackground(HWND Wnd);
// The section that gives a graphic control its font colour: the section of
// its parent (command 0x1A) when that gives its own font, climbing past
// parents more than half transparent; Default otherwise.
int FindFontSection(TControl* Control, int Default, TsSkinManager* Manager);
