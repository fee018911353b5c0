#include "skin/core/commondata.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "classlib/classes/typinfo.h"
#include "classlib/comctrls/pagecontrol.h"
#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/controls/wincontrol.h"
#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/stdctrls/scrollbox.h"
#include "classlib/system/strutils.h"
#include "skin/core/acglow.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinmanager.h"
#include "skin/core/skinutils.h"
#include "skin/core/svclutils.h"

BEGIN_PUBLISHED(TsCommonData)
  PROPERTY(CustomColor, CustomColor, SetCustomColor).Default(false),
  PROPERTY(CustomFont, CustomFont, SetCustomFont).Default(false),
  PROPERTY(SkinManager, SkinManager, SetSkinManager).Stored<&Self::IsSkinManagerStored>(),
  PROPERTY(SkinSection, SkinSection, SetSkinSection),
END_PUBLISHED

const TControlKindSet EditKinds{{2, 18}, {41, 41}, {76, 84}, {96, 97}, {131, 140}};
const TControlKindSet NoGlowKinds{{51, 52}, {54, 54}, {56, 60}, {68, 68}, {73, 74}, {110, 110},
                                  {141, 141}, {143, 143}, {151, 151}, {161, 161}, {226, 226}};
const TControlKindSet NoHoverKinds{{19, 19}, {51, 74}, {110, 110}, {141, 161}};

bool AnimationRunning = false;
AnsiString ChangedSectionName;

namespace {

struct KindRange {
  int First, Last;
};
struct KindSection {
  const char* Section;
  std::initializer_list<KindRange> Kinds;
};

const KindSection kDefaultSections[] = {
    {"EDIT", {{2, 8}, {10, 10}, {41, 41}, {76, 76}, {78, 78}, {83, 84}, {96, 97}, {131, 131}, {140, 140}, {227, 227}}},
    {"COMBOBOX", {{11, 18}, {81, 82}}},
    {"BAR", {{19, 19}}},
    {"BARTITLE", {{20, 20}}},
    {"CHECKBOX", {{32, 32}, {152, 152}}},
    {"RADIOBUTTON", {{33, 33}}},
    {"PANEL", {{51, 51}, {59, 59}, {68, 68}, {73, 73}}},
    {"PANEL_LOW", {{52, 52}, {58, 58}}},
    {"TOOLBAR", {{53, 54}, {60, 60}}},
    {"DRAGBAR", {{56, 56}}},
    {"TABSHEET", {{57, 57}}},
    {"GROUPBOX", {{74, 74}, {226, 226}}},
    {"SPLITTER", {{75, 75}}},
    {"SPEEDBUTTON", {{92, 92}, {95, 95}}},
    {"BUTTON", {{93, 94}}},
    {"TOOLBUTTON", {{98, 98}}},
    {"PAGECONTROL", {{141, 141}, {143, 143}}},
    {"STATUSBAR", {{151, 151}}},
    {"GAUGE", {{161, 161}}},
    {"TRACKBAR", {{165, 165}}},
};

// Border masks at most this wide across either axis let a transparent
// section hand its parent's background on.
constexpr int kThinBorder = 24;

bool IsDying(const TComponent* Component) {
  return Component != nullptr && Component->ComponentState().Contains(csDestroying);
}

bool IsDesigning(const TComponent* Component) {
  return Component != nullptr && Component->ComponentState().Contains(csDesigning);
}

// A Round(A x X + B x (1 - X)) per channel, top byte of A.
TColor MixColors(TColor A, TColor B, double X) {
  TColor result = A & static_cast<TColor>(0xFF000000u);
  for (int shift = 0; shift < 24; shift += 8) {
    double a = (A >> shift) & 0xFF, b = (B >> shift) & 0xFF;
    result |= static_cast<TColor>(std::lrint(a * X + b * (1 - X)) & 0xFF) << shift;
  }
  return result;
}

bool IsEditOwner(TControl* Owner, int Kind) {
  return dynamic_cast<TCustomEdit*>(Owner) != nullptr || (Owner != nullptr && Kind == ckEditLike);
}

bool IsPlainContainer(TControl* Owner) {
  return dynamic_cast<TPanel*>(Owner) != nullptr || dynamic_cast<TScrollingWinControl*>(Owner) != nullptr ||
         dynamic_cast<TPageControl*>(Owner) != nullptr;
}

TWinControl* AsWindow(TControl* Control) { return dynamic_cast<TWinControl*>(Control); }

bool HasWindow(TControl* Control) {
  TWinControl* window = AsWindow(Control);
  return window != nullptr && window->HandleAllocated();
}

}  // namespace

bool IsLoadingOrDying(const TComponent* Component) {
  TComponentState state = Component->ComponentState();
  return state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csDestroying);
}

AnsiString DefaultSectionOfKind(int ControlKind) {
  for (const KindSection& entry : kDefaultSections)
    for (const KindRange& range : entry.Kinds)
      if (ControlKind >= range.First && ControlKind <= range.Last)
        return entry.Section;
  return "";
}

TsCommonData::TsCommonData(TPersistent* Owner, bool CreateCache)
    : FOwnerControl(dynamic_cast<TControl*>(Owner)), FOwnerObject(Owner) {
  RegisterSkinMessage();
  if (CreateCache) {
    FCacheBitmap = std::make_unique<TBitmap>();
    FCacheBitmap->SetPixelFormat(pf24bit);
  }
}

TsCommonData::~TsCommonData() { RemoveGlow(); }

TsSkinManager* TsCommonData::SkinManager() const {
  return FOwnSkinManager != nullptr ? FOwnSkinManager : DefaultManager();
}

bool TsCommonData::IsForManager(LPARAM LParam) const {
  TsSkinManager* manager = SkinManager();
  return manager != nullptr && reinterpret_cast<TsSkinManager*>(LParam) == manager;
}

// ---- Section and manager ------------------------------------------------------

void TsCommonData::SetSkinSection(const AnsiString& Value) {
  if (Value == FSkinSection)
    return;
  FSkinSection = Value.empty() ? AnsiString("UNKNOWN") : AnsiUpperCase(Value);
  TsSkinManager* manager = SkinManager();
  if (manager == nullptr || manager->SectionCount() == 0)
    FSectionIndex = -1;
  else
    ResolveSection();
  TellOwnerOfChange(manager);
}

void TsCommonData::SetSkinManager(TsSkinManager* Value) {
  if (Value == DefaultManager())
    Value = nullptr;
  if (Value == FOwnSkinManager)
    return;
  FOwnSkinManager = Value;
  auto* owner = dynamic_cast<TComponent*>(FOwnerObject);
  if (Value != nullptr && owner != nullptr)
    Value->FreeNotification(owner);
  if (owner != nullptr && owner->ComponentState().Contains(csLoading))
    return;
  if (Value != nullptr && Value->SectionCount() > 0)
    ResolveSection();
  else
    FSectionIndex = -1;
  TellOwnerOfChange(Value);
}

void TsCommonData::TellOwnerOfChange(TsSkinManager* Manager) {
  if (FOwnerControl == nullptr || IsLoadingOrDying(FOwnerControl) || FOwnerControl->Parent() == nullptr)
    return;
  const bool skinned = Manager != nullptr && Manager->SectionCount() > 0 && Manager->IsSectionIndexValid(FSectionIndex);
  SendControlSkinCommand(FOwnerControl, skinned ? SkinCmdRefresh : SkinCmdSkinRemoved,
                         reinterpret_cast<LPARAM>(Manager));
}

void TsCommonData::SetCustomColor(bool Value) {
  if (Value == FCustomColor)
    return;
  FCustomColor = Value;
  if (IsEditOwner(FOwnerControl, FControlKind) && IsSkinned() && !FOwnerControl->ComponentState().Contains(csLoading))
    ApplySectionColors();
  InvalidateOwner();
}

void TsCommonData::SetCustomFont(bool Value) {
  if (Value == FCustomFont)
    return;
  FCustomFont = Value;
  InvalidateOwner();
}

bool TsCommonData::IsSkinned(bool CheckActive) const {
  TsSkinManager* manager = SkinManager();
  if (manager == nullptr || IsDying(manager))
    return false;
  if (!manager->IsSectionIndexValid(FSectionIndex))
    return false;
  if (IsDying(dynamic_cast<TComponent*>(FOwnerObject)))
    return false;
  return !CheckActive || manager->SkinData()->SkinActive;
}

const TsGeneralData* TsCommonData::Section() const {
  TsSkinManager* manager = SkinManager();
  if (manager == nullptr || !manager->IsSectionIndexValid(FSectionIndex))
    return nullptr;
  return &manager->Sections[FSectionIndex];
}

void TsCommonData::OwnerLoaded() {
  PickDefaultSection();
  if (!IsSkinned() || FOwnerControl == nullptr || FOwnerControl->Parent() == nullptr ||
      FOwnerControl->ComponentState().Contains(csLoading))
    return;
  if (AsWindow(FOwnerControl) != nullptr)
    AskFormToAdaptControl(FOwnerControl);
  if (IsEditOwner(FOwnerControl, FControlKind))
    ApplySectionColors();
}

void TsCommonData::PickDefaultSection() {
  if (!FSkinSection.empty()) {
    ResolveSection();
    return;
  }
  AnsiString section = DefaultSectionOfKind(FControlKind);
  SetSkinSection(section.empty() && FOwnerObject != nullptr ? FOwnerObject->ClassName() : section);
}

// The class library has no frame class, so no owner lies inside a frame at
// design time.
void TsCommonData::ResolveSection() {
  CacheInvalid = true;
  TsSkinManager* manager = SkinManager();
  FSectionIndex = manager != nullptr ? manager->FindSection(FSkinSection) : -1;
  StateFlags = 0;
  if (manager == nullptr || !manager->IsSectionIndexValid(FSectionIndex)) {
    BorderMaskIndex = PatternIndex = HotPatternIndex = -1;
    return;
  }
  BorderMaskIndex = manager->Sections[FSectionIndex].BorderIndex;
  PatternIndex = manager->FindTexture(FSectionIndex, FSkinSection, "PATTERN");
  HotPatternIndex = manager->FindTexture(FSectionIndex, FSkinSection, "HOTPATTERN");
  UpdatePlainLookFlag(false);
}

bool TsCommonData::IsTransparentSection() const {
  const TsGeneralData* section = Section();
  return section != nullptr && section->Transparency > 0;
}

int TsCommonData::MaxBorderWidth() const {
  TsSkinManager* manager = SkinManager();
  if (manager == nullptr || !manager->IsMaskIndexValid(BorderMaskIndex))
    return 0;
  const TsMaskData& mask = manager->Masks[BorderMaskIndex];
  if ((mask.StretchMode & smHotBorderOnly) != 0)
    return 0;
  return LargerOf(LargerOf(mask.WT, mask.WL), LargerOf(mask.WR, mask.WB));
}

// ---- Edit colours ---------------------------------------------------------------

void TsCommonData::ApplySectionColors() {
  const TsGeneralData* section = Section();
  if (section == nullptr || FOwnerControl == nullptr)
    return;
  if (!FCustomColor && FOwnerControl->Color() != section->Color)
    FOwnerControl->SetColor(section->Color);
  if (!FCustomFont && FOwnerControl->Font()->Color() != section->FontColor[0])
    FOwnerControl->Font()->SetColor(section->FontColor[0]);
}

void TsCommonData::RestoreStandardColors() {
  if (!FCustomColor)
    FOwnerControl->SetColor(clWindow);
  if (!FCustomFont)
    FOwnerControl->Font()->SetColor(clWindowText);
}

// ---- Look classification ---------------------------------------------------------

bool TsCommonData::HasVariableLook() const {
  const TsGeneralData* section = Section();
  if (section == nullptr)
    return false;
  TsSkinManager* manager = SkinManager();
  if (manager->IsMaskIndexValid(BorderMaskIndex)) {
    const TsMaskData& mask = manager->Masks[BorderMaskIndex];
    if (mask.WL + mask.WR > 30 || mask.WT + mask.WB > 30)
      return true;
  }
  if (section->Transparency == 100) {
    if (FOwnerControl == nullptr || FOwnerControl->Parent() == nullptr)
      return true;
    LRESULT flags = FOwnerControl->Parent()->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdPlainLook), 0);
    return (flags & sfPlainLook) == 0;
  }
  if (section->Transparency > 0)
    return true;
  return section->ImagePercent != 0 || section->GradientPercent != 0;
}

void TsCommonData::UpdatePlainLookFlag(bool Broadcast) {
  StateFlags &= ~sfPlainLook;
  if (!IsPlainContainer(FOwnerControl))
    return;
  if (!HasVariableLook())
    StateFlags |= sfPlainLook;
  if (TWinControl* window = AsWindow(FOwnerControl); Broadcast && window != nullptr) {
    TMessage message{SM_ALPHACMD, SkinCommandWParam(SkinCmdPlainLook), 1, 0};
    SendToChildControls(window, message);
  }
}

bool TsCommonData::NeedsFullRepaint() const { return AnimationRunning || !PlainLook() || IsHighlighted(); }

bool TsCommonData::IsHighlighted() const {
  if (FOwnerControl == nullptr || IsDying(FOwnerControl) || !FOwnerControl->Enabled() || IsDesigning(FOwnerControl))
    return false;
  if (HasFocusMark)
    return true;
  if (HasWindow(FOwnerControl) && AsWindow(FOwnerControl)->Handle() == GetFocus())
    return true;
  return MouseOver && !NoHoverKinds.Contains(FControlKind);
}

// ---- Colours ------------------------------------------------------------------

// The parent's colour is weighted by the section's Transparency, as the
// section painter weights the background.
TColor TsCommonData::StateColor(int State, HWND Wnd) const {
  if (IsSkinned() && !FCustomColor) {
    const TsGeneralData& section = *Section();
    const int transparency = State != 0 ? section.HotTransparency : section.Transparency;
    const TColor color = State != 0 ? section.HotColor : section.Color;
    TColor parentColor = clBtnFace;
    if (FOwnerControl != nullptr)
      parentColor = ControlBackColor(FOwnerControl->Parent());
    else if (Wnd != nullptr && GetParent(Wnd) != nullptr)
      parentColor = WindowBackColor(GetParent(Wnd));
    if (transparency >= 100)
      return parentColor;
    if (transparency > 0)
      return FOwnerControl != nullptr ? MixColors(parentColor, color, transparency / 100.0) : 0;
    return color;
  }
  return FOwnerControl != nullptr ? FOwnerControl->Color() : clBtnFace;
}

// The answer to command 0x15: the parent's weight is T/256, as the
// command has always answered.
TColor TsCommonData::BackColorForChildren() const {
  if (!IsSkinned())
    return ColorToRGB(FOwnerControl->Color());
  const TsGeneralData& section = *Section();
  const int transparency = section.Transparency;
  if (transparency == 0)
    return section.Color;
  TWinControl* parent = FOwnerControl->Parent();
  TColor parentColor = ColorToRGB(FOwnerControl->Color());
  if (parent != nullptr) {
    parentColor = static_cast<TColor>(parent->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdBackColor), 0));
    if (parentColor == clFuchsia)
      parentColor = parent->Color();
  }
  if (transparency >= 100)
    return parentColor;
  TColor result = parentColor & static_cast<TColor>(0xFF000000u);
  for (int shift = 0; shift < 24; shift += 8) {
    int p = (parentColor >> shift) & 0xFF, s = (section.Color >> shift) & 0xFF;
    result |= static_cast<TColor>(ClampByte((transparency * (p - s) + s * 256) >> 8)) << shift;
  }
  return result;
}

void TsCommonData::FillBackgroundQuery(TsBackgroundQuery& Query, int State, HWND Wnd) {
  if (!IsSkinned() || FCustomColor) {
    Query.AnswerKind = bqColor;
    Query.Color = FOwnerControl != nullptr ? FOwnerControl->Color() : clBtnFace;
    return;
  }
  const TsGeneralData& section = *Section();
  TsSkinManager* manager = SkinManager();
  const int transparency = State != 0 ? section.HotTransparency : section.Transparency;
  const int gradient = State != 0 ? section.HotGradientPercent : section.GradientPercent;
  const int image = State != 0 ? section.HotImagePercent : section.ImagePercent;
  if (transparency == 0) {
    if (gradient <= 0 && image < 1) {
      Query.AnswerKind = bqColor;
      Query.Bitmap = FCacheBitmap.get();
      Query.Color = StateColor(State, Wnd);
      if (Query.PleaseDraw != 0 && Query.TargetDC != nullptr) {
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Query.Color)));
        FillRect(Query.TargetDC, &Query.Area, brush);
        DeleteObject(brush);
      }
      return;
    }
    Query.Color = manager->GlobalInfoColor();
    if (FCacheBitmap == nullptr) {
      Query.Color = clFuchsia;
      Query.AnswerKind = bqColor;
      return;
    }
  } else if (transparency >= 100) {
    bool thin = true;
    if (manager->IsMaskIndexValid(BorderMaskIndex)) {
      const TsMaskData& mask = manager->Masks[BorderMaskIndex];
      thin = mask.WL + mask.WR <= kThinBorder && mask.WT + mask.WB <= kThinBorder;
    }
    if (thin) {
      POINT offset{0, 0};
      if (FOwnerControl != nullptr && FOwnerControl->Parent() != nullptr) {
        offset = POINT{FOwnerControl->Left(), FOwnerControl->Top()};
        QueryControlBackground(Query, FOwnerControl->Parent(), Query.PleaseDraw != 0);
      } else if (Wnd == nullptr || GetParent(Wnd) == nullptr) {
        Query.AnswerKind = bqColor;
        Query.Color = DefaultManager() != nullptr ? DefaultManager()->GlobalInfoColor() : clBtnFace;
        return;
      } else {
        RECT window;
        GetWindowRect(Wnd, &window);
        offset = POINT{window.left, window.top};
        ScreenToClient(GetParent(Wnd), &offset);
        QueryWindowBackground(Query, GetParent(Wnd), Query.PleaseDraw != 0);
      }
      if (Query.AnswerKind == bqBitmap) {
        Query.OffsetX += offset.x;
        Query.OffsetY += offset.y;
      }
      return;
    }
    if (FCacheBitmap == nullptr) {
      Query.AnswerKind = bqColor;
      Query.Color = FOwnerControl != nullptr && FOwnerControl->Parent() != nullptr
                        ? ControlBackColor(FOwnerControl->Parent())
                        : (DefaultManager() != nullptr ? DefaultManager()->GlobalInfoColor() : clBtnFace);
      return;
    }
  } else if (FCacheBitmap == nullptr) {
    Query.AnswerKind = bqColor;
    Query.Color = clFuchsia;
    return;
  }
  Query.AnswerKind = bqBitmap;
  if (Query.PleaseDraw != 0 && Query.TargetDC != nullptr) {
    BitBlt(Query.TargetDC, Query.Area.left, Query.Area.top, Query.Area.right - Query.Area.left,
           Query.Area.bottom - Query.Area.top, FCacheBitmap->Canvas().Handle(), Query.OffsetX, Query.OffsetY, SRCCOPY);
  } else {
    Query.Bitmap = FCacheBitmap.get();
    Query.OffsetX = Query.OffsetY = 0;
  }
}

TsBackgroundSource TsCommonData::GetParentBackground() const {
  if (IsSkinned() && FOwnerControl != nullptr && FOwnerControl->Parent() != nullptr) {
    TsBackgroundQuery query;
    QueryControlBackground(query, FOwnerControl->Parent(), false);
    return BackgroundToSource(query);
  }
  TsBackgroundSource source;
  source.FillColor = StateColor(0);
  return source;
}

TsBackgroundSource WindowParentBackground(HWND Wnd) {
  HWND parent = Wnd != nullptr ? GetParent(Wnd) : nullptr;
  if (parent == nullptr)
    return EmptyBackgroundSource;
  TsBackgroundQuery query;
  QueryWindowBackground(query, parent, false);
  return BackgroundToSource(query);
}

// ---- Position dependence --------------------------------------------------------

bool TsCommonData::ParentPositionDependent() const {
  if (FOwnerControl == nullptr || !HasWindow(FOwnerControl->Parent()))
    return false;
  return QueryControlSkinCommand(FOwnerControl->Parent(), SkinCmdPositionDependent) != 0;
}

bool TsCommonData::MoveChangesLook() const {
  if (PositionMark || !IsSkinned())
    return true;
  if (FOwnerControl == nullptr || FOwnerControl->ControlState().Contains(csCreating) || !FOwnerControl->Visible())
    return true;
  const TsGeneralData* section = Section();
  if (section == nullptr)
    return false;
  if (!FOwnerControl->Enabled() || section->Transparency > 0) {
    TWinControl* parent = FOwnerControl->Parent();
    return HasWindow(parent) ? QueryControlSkinCommand(parent, SkinCmdPositionDependent) != 0 : true;
  }
  return false;
}

// The answer to command 0x13.
int TsCommonData::PositionAnswer() const {
  const TsGeneralData* section = Section();
  if (section == nullptr)
    return 0;
  if (section->Transparency == 100 && FOwnerControl != nullptr && FOwnerControl->Parent() != nullptr)
    return ParentPositionDependent() ? 1 : 0;
  if (section->GradientPercent + section->ImagePercent > 0)
    return 1;
  return MoveChangesLook() ? 1 : 0;
}

// ---- Paint lock ------------------------------------------------------------------

void TsCommonData::BeginPaintLock() {
  PaintLocked = true;
  StateFlags |= sfPaintLockActive;
  if (FOwnerControl != nullptr)
    FOwnerControl->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdPaintLockBegan), 0);
}

void TsCommonData::EndPaintLock(bool Repaint) {
  PaintLocked = false;
  StateFlags &= ~sfPaintLockActive;
  if (FOwnerControl != nullptr)
    FOwnerControl->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdPaintLockEnded), 0);
  if (Repaint)
    InvalidateOwner();
}

bool TsCommonData::IsPaintLocked() const {
  TsSkinManager* manager = SkinManager();
  if (manager == nullptr || IsDesigning(dynamic_cast<TComponent*>(FOwnerObject)))
    return false;
  if (!NeedsFullRepaint())
    return PaintLocked;
  if (PaintLocked)
    return true;
  if (FOwnerControl == nullptr || IsDying(FOwnerControl))
    return false;
  if (FOwnerControl->Parent() != nullptr)
    return FOwnerControl->Parent()->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdIsLocked), 0) != 0;
  return true;
}

// ---- Invalidation and cache --------------------------------------------------------

void TsCommonData::InvalidateOwner() {
  if (FOwnerControl == nullptr || IsLoadingOrDying(FOwnerControl))
    return;
  CacheInvalid = true;
  if (ControlCanPaint(FOwnerControl))
    FOwnerControl->Invalidate();
}

void TsCommonData::SizeCache(int Width, int Height) {
  if (FCacheBitmap->Width() != Width || FCacheBitmap->Height() != Height)
    FCacheBitmap->SetSize(Width, Height);
}

void TsCommonData::SizeCacheBitmap() {
  if (FCacheBitmap == nullptr) {
    FCacheBitmap = std::make_unique<TBitmap>();
    FCacheBitmap->SetPixelFormat(pf24bit);
  }
  FCacheBitmap->SetHandleType(bmDIB);
  if (FOwnerControl != nullptr)
    SizeCache(LargerOf(FOwnerControl->Width(), 0), LargerOf(FOwnerControl->Height(), 0));
}

// Sizes below 0 cannot be kept by a bitmap; they give an empty one too.
void TsCommonData::SizeCacheBitmap24() {
  SizeCacheBitmap();
  if (FCacheBitmap->PixelFormat() != pf24bit)
    FCacheBitmap->SetPixelFormat(pf24bit);
}

void TsCommonData::ComponentRemoved(TComponent* AComponent) {
  if (AComponent != nullptr && AComponent == FOwnSkinManager) {
    FOwnSkinManager = nullptr;
    FSectionIndex = -1;
  }
}

// ---- Shared command handler ---------------------------------------------------------

void TsCommonData::SkinRemoved(TMessage& Message) {
  if (FOwnSkinManager != nullptr && IsDying(FOwnSkinManager))
    FOwnSkinManager = nullptr;
  FSectionIndex = BorderMaskIndex = PatternIndex = HotPatternIndex = -1;
  PaintLocked = true;
  if (FCacheBitmap != nullptr)
    SizeCache(0, 0);
  if (FOwnerControl == nullptr)
    return;
  TWinControl* window = AsWindow(FOwnerControl);
  if (dynamic_cast<TCustomEdit*>(FOwnerControl) != nullptr) {
    RestoreStandardColors();
    if (HasWindow(window))
      RedrawWindow(window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  } else if (window != nullptr) {
    for (int i = 0; i < window->ControlCount(); ++i)
      if (auto* label = dynamic_cast<TLabel*>(window->Controls(i)))
        label->Font()->SetColor(clWindowText);
  }
}

void TsCommonData::Refresh() {
  CacheInvalid = true;
  PaintLocked = false;
  if (IsSkinned() && dynamic_cast<TCustomEdit*>(FOwnerControl) != nullptr) {
    ApplySectionColors();
    if (HasWindow(FOwnerControl))
      RedrawWindow(AsWindow(FOwnerControl)->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  }
  UpdatePlainLookFlag(false);
}

void TsCommonData::RepaintChildren(TMessage& Message) {
  const bool moves = MoveChangesLook();
  CacheInvalid = CacheInvalid || moves;
  TWinControl* window = AsWindow(FOwnerControl);
  if (window == nullptr)
    return;
  if (SkinArgumentOf(Message) == 1 && window->HandleAllocated())
    RedrawWindow(window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_NOINTERNALPAINT | RDW_ALLCHILDREN);
  if (!moves)
    return;
  for (int i = 0; i < window->ControlCount(); ++i) {
    TControl* child = window->Controls(i);
    if (!IsDying(child))
      SendControlSkinCommand(child, SkinCmdRepaintChildren, 0);
  }
}

bool TsCommonData::HandleCommonSkinCommand(TMessage& Message) {
  switch (SkinCommandOf(Message)) {
    case SkinCmdNewSkin:
      if (IsForManager(Message.LParam)) {
        ResolveSection();
        UpdatePlainLookFlag(false);
      }
      return false;
    case SkinCmdSkinRemoved:
      if (IsForManager(Message.LParam))
        SkinRemoved(Message);
      return false;
    case SkinCmdRefresh:
      if (IsForManager(Message.LParam))
        Refresh();
      return false;
    case SkinCmdAreYouSkinned:
      Message.Result = 1;
      return true;
    case SkinCmdSetPaintLock:
      PaintLocked = SkinArgumentOf(Message) == 1;
      return false;
    case SkinCmdSetPositionMark:
      PositionMark = SkinArgumentOf(Message) == 1;
      return false;
    case SkinCmdIsLocked:
      Message.Result = CacheInvalid || PaintLocked ? 1 : 0;
      return true;
    case SkinCmdPartlyPainted:
      Message.Result = PartlyPainted ? 1 : 0;
      return true;
    case SkinCmdTransparentChanged:
      if (IsTransparentSection() && SkinArgumentOf(Message) == 1)
        CacheInvalid = true;
      return false;
    case SkinCmdSectionChanged:
      if (AnsiUpperCase(FSkinSection) == ChangedSectionName)
        InvalidateOwner();
      return false;
    case SkinCmdInvalidateCache:
      CacheInvalid = true;
      return false;
    case SkinCmdPositionDependent:
      Message.Result = PositionAnswer() & 0x7F;
      Message.LParam = Message.Result;
      return true;
    case SkinCmdRepaintChildren:
      RepaintChildren(Message);
      return false;
    case SkinCmdBackColor:
      if (FOwnerControl != nullptr)
        Message.Result = BackColorForChildren();
      return true;
    case SkinCmdSetPartlyPainted:
      PartlyPainted = true;
      return false;
    case SkinCmdGetSectionIndex:
      if (Message.LParam != 0)
        *reinterpret_cast<int*>(Message.LParam) = FSectionIndex;
      return true;
    case SkinCmdBackgroundQuery:
      if (Message.LParam != 0)
        FillBackgroundQuery(*reinterpret_cast<TsBackgroundQuery*>(Message.LParam), 0);
      return false;
    case SkinCmdPlainLook:
      if (Message.LParam == 1)
        UpdatePlainLookFlag(true);
      else
        Message.Result = StateFlags;
      return true;
    case SkinCmdApplication:
      Message.Result = reinterpret_cast<LRESULT>(Application);
      return false;
    default:
      return false;
  }
}

bool AnswerSkinnedControlQuery(TMessage& Message) {
  switch (SkinCommandOf(Message)) {
    case SkinCmdAreYouSkinned:
      Message.Result = 1;
      return true;
    case SkinCmdApplication:
      Message.Result = reinterpret_cast<LRESULT>(Application);
      return true;
    default:
      return false;
  }
}

// ---- Glow ------------------------------------------------------------------------------

namespace {

// Kinds that glow while hovered: not those of NoGlowKinds, nor buttons.
bool GlowsOnHover(int Kind) { return !NoGlowKinds.Contains(Kind) && (Kind < 92 || Kind > 94); }

// Every glow goes; this owner's index no longer names one.
void ClearAllGlows(TsCommonData& Data) {
  ClearGlowEffects();
  Data.GlowHandle = -1;
}

bool LeftButtonDown() { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }

// The window a control's glow belongs to: its form's parent for a parented
// form, else the form.
HWND GlowParentOf(TControl* Control) {
  TCustomForm* form = GetParentForm(Control);
  if (form == nullptr)
    return nullptr;
  return form->Parent() != nullptr ? form->Parent()->Handle() : form->Handle();
}

// The visible part of a graphic control, in its own coordinates, from the
// clip box of its parent's device context.
RECT GraphicControlClip(TControl* Control) {
  RECT clip{0, 0, 0, 0};
  HWND parent = Control->Parent()->Handle();
  HDC dc = GetDC(parent);
  GetClipBox(dc, &clip);
  ReleaseDC(parent, dc);
  const int left = Control->Left(), top = Control->Top();
  return RECT{std::max(0, -left), std::max(0, -top),
              clip.right < left + Control->Width() ? clip.right - left : Control->Width(),
              clip.bottom < top + Control->Height() ? clip.bottom - top : Control->Height()};
}

// The window's rectangle on the screen and its visible part.
void WindowGlowRects(HWND Wnd, RECT& Rect, RECT& Clip) {
  GetWindowRect(Wnd, &Rect);
  HDC dc = GetWindowDC(Wnd);
  GetClipBox(dc, &Clip);
  ReleaseDC(Wnd, dc);
}

}  // namespace

void TsCommonData::RemoveGlow() {
  if (GlowHandle == -1)
    return;
  RemoveGlowEffect(GlowHandle);
  GlowHandle = -1;
}

void TsCommonData::UpdateGlow(bool Repaint, HWND Wnd) {
  TsSkinManager* manager = SkinManager();
  if (manager == nullptr || !manager->AllowGlowing() || !manager->IsSectionIndexValid(FSectionIndex) ||
      manager->Sections[FSectionIndex].GlowCount < 1)
    return;
  RECT rect{}, clip{};
  HWND parent = nullptr;
  if (FOwnerControl != nullptr) {
    if (!MouseOver || LeftButtonDown() || (Repaint && GlowHandle != -1)) {
      RemoveGlow();
      return;
    }
    parent = GlowParentOf(FOwnerControl);
    if (parent == nullptr)
      return;
    if (TWinControl* window = AsWindow(FOwnerControl)) {
      WindowGlowRects(window->Handle(), rect, clip);
    } else {
      if (FOwnerControl->Parent() == nullptr)
        return;
      const TPoint origin = FOwnerControl->ClientToScreen(TPoint{0, 0});
      rect = RECT{origin.x, origin.y, origin.x + FOwnerControl->Width(), origin.y + FOwnerControl->Height()};
      clip = GraphicControlClip(FOwnerControl);
    }
  } else {
    if (Wnd == nullptr)
      return;
    WindowGlowRects(Wnd, rect, clip);
    parent = GetAncestor(Wnd, GA_ROOT);
  }
  // A glow shown before is replaced, not left behind.
  RemoveGlow();
  GlowHandle = AddGlowEffect(rect, clip, FSkinSection, "GLOW", manager->Sections[FSectionIndex].GlowMargin, 255,
                             parent, manager);
}

// ---- Shared window-message handler -----------------------------------------------------

bool TsCommonData::HandleCommonMessage(TMessage& Message) {
  if (Message.Msg == SM_ALPHACMD)
    return HandleCommonSkinCommand(Message);
  TWinControl* window = AsWindow(FOwnerControl);
  switch (Message.Msg) {
    case WM_MOVE:
      if (MoveChangesLook()) {
        CacheInvalid = true;
        if (FOwnerControl != nullptr)
          FOwnerControl->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdRepaintChildren, 1), 0);
      }
      RemoveGlow();
      return false;
    case WM_SIZE:
      if (IsSkinned()) {
        CacheInvalid = true;
        if (window != nullptr && Section()->GradientPercent > 0)
          for (int i = 0; i < window->ControlCount(); ++i) {
            TControl* child = window->Controls(i);
            if (!IsDying(child) && !child->Anchors().Contains(akRight) && !child->Anchors().Contains(akBottom))
              child->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdRepaintChildren, 1), 0);
          }
      }
      RemoveGlow();
      return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (window != nullptr && window->CanFocus() && window->TabStop()) {
        CacheInvalid = true;
        HasFocusMark = Message.Msg == WM_SETFOCUS;
        if (EditKinds.Contains(FControlKind) && window->HandleAllocated() &&
            (Message.Msg == WM_SETFOCUS || window->Visible()))
          RedrawWindow(window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
      }
      return false;
    case WM_FONTCHANGE:
    case CM_ENABLEDCHANGED:
      MouseOver = HasFocusMark = false;
      if (FOwnerControl != nullptr && !FOwnerControl->Enabled())
        RemoveGlow();
      return false;
    case WM_UPDATEUISTATE:
      if (IsSkinned())
        return true;
      if (HasWindow(window) && SetWindowThemeProc != nullptr && VisualThemesOn())
        SetWindowThemeProc(window->Handle(), nullptr, nullptr);
      return false;
    case WM_PARENTNOTIFY:
      if (window != nullptr && LOWORD(Message.WParam) == WM_CREATE)
        AskFormToAdaptControl(FOwnerControl);
      return false;
    case CM_VISIBLECHANGED:
      if (FCacheBitmap != nullptr) {
        if (Message.WParam != 0) {
          PaintLocked = false;
          CacheInvalid = true;
        } else {
          SizeCache(0, 0);
        }
      }
      return false;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (!IsDesigning(FOwnerControl) && !NoHoverKinds.Contains(FControlKind))
        MouseOver = Message.Msg == CM_MOUSEENTER;
      // The default manager learns which window is under the mouse.
      if (Message.Msg == CM_MOUSEENTER && !IsDesigning(FOwnerControl) && DefaultManager() != nullptr &&
          HasWindow(window))
        DefaultManager()->SetHotWindow(window->Handle());
      if (!IsDesigning(FOwnerControl) && GlowsOnHover(FControlKind)) {
        if (Message.Msg == CM_MOUSELEAVE)
          ClearAllGlows(*this);
        else if (HasWindow(window) && DefaultManager() != nullptr)
          UpdateGlow(false, nullptr);
      }
      if (EditKinds.Contains(FControlKind) && HasWindow(window) &&
          (Message.Msg == CM_MOUSEENTER ? DefaultManager() != nullptr : window->Visible())) {
        CacheInvalid = true;
        SendMessageW(window->Handle(), WM_NCPAINT, 0, 0);
      }
      return false;
    default:
      return false;
  }
}

bool HandleCommonSkinCommand(TMessage& Message, TsCommonData* Data) {
  return Data != nullptr && Message.Msg == SM_ALPHACMD && Data->HandleCommonSkinCommand(Message);
}

bool HandleCommonMessage(TMessage& Message, TsCommonData* Data) {
  return Data != nullptr && Data->HandleCommonMessage(Message);
}

int FindFontSection(TControl* Control, int Default, TsSkinManager* Manager) {
  if (Manager == nullptr)
    Manager = DefaultManager();
  while (Control != nullptr && Manager != nullptr) {
    TWinControl* parent = Control->Parent();
    if (!HasWindow(parent))
      return Default;
    int index = -1;
    SendSkinCommand(parent->Handle(), SkinCmdGetSectionIndex, reinterpret_cast<LPARAM>(&index));
    if (!Manager->IsSectionIndexValid(index))
      return Default;
    const TsGeneralData& section = Manager->Sections[index];
    if (section.Transparency > 50 && parent->Parent() != nullptr) {
      Control = parent;
      continue;
    }
    return section.GiveOwnFont ? index : Default;
  }
  return Default;
}
