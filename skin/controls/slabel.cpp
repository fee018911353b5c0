#include "skin/controls/slabel.h"

#include "skin/controls/sboundlabel.h"
#include "skin/core/alphagraph.h"
#include "skin/core/commondata.h"
#include "skin/core/sectionpaint.h"
#include "skin/core/skinbackground.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinmanager.h"
#include "skin/core/svclutils.h"

#define DOZURI_LABEL_PROPERTIES                                                      \
  PROPERTY(Align, Align, SetAlign).Default(alNone),                                  \
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),               \
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),           \
  PROPERTY(AutoSize, AutoSize, SetAutoSize).Default(true),                           \
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),       \
  PROPERTY(Caption, Caption, SetCaption),                                            \
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(), \
  PROPERTY(Constraints, Constraints, SetConstraints),                                \
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),                              \
  PROPERTY(FocusControl, FocusControl, SetFocusControl),                             \
  PROPERTY(Layout, Layout, SetLayout).Default(tlTop),                                \
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),         \
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),                  \
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),                     \
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),         \
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),                    \
  PROPERTY(ShowAccelChar, ShowAccelChar, SetShowAccelChar).Default(true),            \
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),       \
  PROPERTY(Transparent, Transparent, SetTransparent).Default(true),                  \
  PROPERTY(Visible, Visible, SetVisible).Default(true),                              \
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(false),                          \
  PROPERTY(OnClick, OnClick, OnClick),                                               \
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),                                      \
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),                                   \
  PROPERTY(OnMouseEnter, OnMouseEnter, OnMouseEnter),                                \
  PROPERTY(OnMouseLeave, OnMouseLeave, OnMouseLeave),                                \
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),                                   \
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp)

BEGIN_PUBLISHED(TsCustomLabel)
  DOZURI_LABEL_PROPERTIES,
  PROPERTY(SkinSection, SkinSection, SetSkinSection),
END_PUBLISHED

BEGIN_PUBLISHED(TsLabel)
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(UseSkinColor, UseSkinColor, SetUseSkinColor).Default(true),
END_PUBLISHED

BEGIN_PUBLISHED(TsEditLabel)
END_PUBLISHED

namespace {

// Set while a label recolours its font for painting, so that the font
// change it causes does not come back as a repaint. Shared by all labels:
// painting is single-threaded.
bool LabelRecolouring = false;

class RecolourScope {
public:
  RecolourScope() { LabelRecolouring = true; }
  ~RecolourScope() { LabelRecolouring = false; }
  RecolourScope(const RecolourScope&) = delete;
  RecolourScope& operator=(const RecolourScope&) = delete;
};

bool ManagerAlive(const TsSkinManager* Manager) {
  return Manager != nullptr && !Manager->ComponentState().Contains(csDestroying);
}

// The default manager when it is switched on (a skin need not be loaded).
TsSkinManager* SwitchedOnDefaultManager() {
  TsSkinManager* manager = DefaultManager();
  return ManagerAlive(manager) && manager->Active() ? manager : nullptr;
}

// The index of the named section in the switched-on default manager, -1
// when there is none.
int LabelSectionIndex(const AnsiString& Section) {
  TsSkinManager* manager = Section.empty() ? nullptr : SwitchedOnDefaultManager();
  return manager == nullptr ? -1 : manager->FindSection(Section);
}

// Skin command 0x02 from the default manager itself; a nil manager in
// LParam matches nothing.
bool IsRemovalFromDefaultManager(const TMessage& Message) {
  TsSkinManager* manager = DefaultManager();
  return ManagerAlive(manager) && Message.LParam == reinterpret_cast<LPARAM>(manager);
}

}  // namespace

TsSkinManager* ActiveSkinOfDefaultManager() {
  TsSkinManager* manager = DefaultManager();
  if (!ManagerAlive(manager) || manager->SkinData() == nullptr || !manager->SkinData()->SkinActive)
    return nullptr;
  return manager;
}

// ---- TsCustomLabel -------------------------------------------------------------

TsCustomLabel::TsCustomLabel(TComponent* AOwner) : TCustomLabel(AOwner) { SetTransparent(true); }

void TsCustomLabel::SetSkinSection(const AnsiString& Value) {
  if (FSkinSection == Value)
    return;
  FSkinSection = Value;
  Invalidate();
}

TFont* TsCustomLabel::GetCurrentFont() {
  TsSkinManager* manager = ActiveSkinOfDefaultManager();
  if (manager == nullptr)
    return Font();
  const int section = FindFontSection(this, -1, manager);
  TColor colour = manager->IsSectionIndexValid(section) ? manager->Sections[section].FontColor[0]
                                                        : manager->GlobalInfoFontColor();
  if (colour != clFuchsia && colour != Font()->Color())
    Font()->SetColor(colour);
  return Font();
}

AnsiString TsCustomLabel::TextToDraw(UINT& Flags) const {
  AnsiString text = GetLabelText();
  if ((Flags & DT_CALCRECT) != 0 && (text.empty() || (ShowAccelChar() && text == "&")))
    text += ' ';
  if (!ShowAccelChar())
    Flags |= DT_NOPREFIX;
  Flags = static_cast<UINT>(DrawTextBiDiModeFlags(static_cast<int>(Flags)));
  return text;
}

void TsCustomLabel::Paint() {
  if (!Destroying()) {
    ApplyFontColour();
    PaintSectionBackground();
  }
  TCustomLabel::Paint();
}

void TsCustomLabel::ApplyFontColour() {
  if (LabelRecolouring)
    return;
  RecolourScope scope;
  GetCurrentFont();
  const int section = LabelSectionIndex(FSkinSection);
  if (section < 0)
    return;
  TColor colour = DefaultManager()->Sections[section].FontColor[0];
  if (colour != Font()->Color())
    Font()->SetColor(colour);
}

// The named section over what the parent shows behind the label.
void TsCustomLabel::PaintSectionBackground() {
  const int section = LabelSectionIndex(FSkinSection);
  if (section < 0 || Parent() == nullptr)
    return;
  TsBackgroundQuery query;
  query.Area = RECT{Left(), Top(), Left() + Width(), Top() + Height()};
  QueryControlBackground(query, Parent(), false);
  const TsBackgroundSource source = BackgroundToSource(query);
  PaintSectionToDC(section, FSkinSection, source, false, 0, RECT{0, 0, Width(), Height()}, POINT{Left(), Top()},
                   Canvas()->Handle(), DefaultManager());
}

// Disabled under an active skin the text is blended into the parent's
// background instead of the standard embossed look.
void TsCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  if (Enabled() || ActiveSkinOfDefaultManager() == nullptr) {
    TCustomLabel::DoDrawText(Rect, Flags);
    return;
  }
  AnsiString text = TextToDraw(Flags);
  TCanvas& canvas = *Canvas();
  canvas.SetFont(*Font());
  canvas.Font().SetColor(BlendColors(ColorToRGB(Font()->Color()), ControlBackColor(Parent()), 0.4));
  canvas.TextRect(Rect, text, Flags);
}

void TsCustomLabel::FontChangedOutsidePaint(TMessage& Message) {
  if (Destroying()) {
    TCustomLabel::WndProc(Message);
    return;
  }
  if (LabelRecolouring)
    return;
  if (AutoSize())
    AdjustBounds();
  Invalidate();
}

void TsCustomLabel::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_FONTCHANGED:
      FontChangedOutsidePaint(Message);
      return;
    case CM_MOUSEENTER:
      if (OnMouseEnter)
        OnMouseEnter(this);
      TCustomLabel::WndProc(Message);
      return;
    case CM_MOUSELEAVE:
      TCustomLabel::WndProc(Message);
      if (OnMouseLeave)
        OnMouseLeave(this);
      return;
    default:
      break;
  }
  TCustomLabel::WndProc(Message);
  switch (SkinCommandOf(Message)) {
    case SkinCmdSkinRemoved:
      if (!Destroying() && IsRemovalFromDefaultManager(Message) && Font()->Color() != clWindowText)
        Font()->SetColor(clWindowText);
      break;
    case SkinCmdRefresh:
      if (ComponentState().Contains(csDesigning) && !Destroying())
        Invalidate();
      break;
    default:
      break;
  }
}

// ---- TsLabel ------------------------------------------------------------------

TsLabel::TsLabel(TComponent* AOwner) : TsCustomLabel(AOwner) {}

TFont* TsLabel::GetCurrentFont() {
  if (Destroying() || !FUseSkinColor || ActiveSkinOfDefaultManager() == nullptr)
    return Font();
  return TsCustomLabel::GetCurrentFont();
}

void TsLabel::WndProc(TMessage& Message) {
  if (SkinCommandOf(Message) != SkinCmdSkinRemoved) {
    TsCustomLabel::WndProc(Message);
    return;
  }
  if (!Destroying() && IsRemovalFromDefaultManager(Message) && FUseSkinColor && Font()->Color() != clWindowText)
    Font()->SetColor(clWindowText);
}

// ---- TsEditLabel --------------------------------------------------------------

TsEditLabel::TsEditLabel(TComponent* AOwner, TsBoundLabel* BoundLabel) : TsLabel(AOwner), FBoundLabel(BoundLabel) {}

TsEditLabel::~TsEditLabel() {
  if (FBoundLabel != nullptr)
    FBoundLabel->LabelDestroyed(this);
}
