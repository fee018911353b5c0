#include "classlib/comctrls/statusbar.h"

#include <vector>

#include "classlib/comctrls/comctrls.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/wintext.h"

// ---- TStatusPanel -------------------------------------------------------------------
BEGIN_PUBLISHED(TStatusPanel)
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(Bevel, Bevel, SetBevel).Default(pbLowered),
  PROPERTY(Style, Style, SetStyle).Default(psText),
  PROPERTY(Text, Text, SetText),
  PROPERTY(Width, Width, SetWidth),
END_PUBLISHED

TStatusPanel::TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}

void TStatusPanel::SetText(const AnsiString& Value) {
  if (FText != Value) {
    FText = Value;
    Changed(false);
  }
}

void TStatusPanel::SetWidth(int Value) {
  if (FWidth != Value) {
    FWidth = Value;
    Changed(true);
  }
}

void TStatusPanel::SetAlignment(TAlignment Value) {
  if (FAlignment != Value) {
    FAlignment = Value;
    Changed(false);
  }
}

void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
  if (FStyle != Value) {
    FStyle = Value;
    Changed(false);
  }
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
  if (FBevel != Value) {
    FBevel = Value;
    Changed(false);
  }
}

void TStatusPanel::Assign(TPersistent* Source) {
  if (auto* panel = dynamic_cast<TStatusPanel*>(Source)) {
    FText = panel->FText;
    FWidth = panel->FWidth;
    FAlignment = panel->FAlignment;
    FStyle = panel->FStyle;
    FBevel = panel->FBevel;
    Changed(true);
    return;
  }
  TCollectionItem::Assign(Source);
}

AnsiString TStatusPanel::GetDisplayName() { return FText.empty() ? TCollectionItem::GetDisplayName() : FText; }

// ---- TStatusPanels ---------------------------------------------------------------------
IMPLEMENT_CLASS(TStatusPanels)

TStatusPanels::TStatusPanels(TStatusBar* StatusBar)
    : TCollection(TStatusPanel::StaticClass()), FStatusBar(StatusBar) {}

TPersistent* TStatusPanels::GetOwner() { return FStatusBar; }

void TStatusPanels::Update(TCollectionItem* Item) {
  if (Item != nullptr)
    FStatusBar->UpdatePanel(Item->Index());
  else
    FStatusBar->UpdatePanels();
}

// ---- TStatusBar ------------------------------------------------------------------------
BEGIN_PUBLISHED(TStatusBar)
  PROPERTY(Align, Align, SetAlign).Default(alBottom),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Panels, Panels, SetPanels),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(SimplePanel, SimplePanel, SetSimplePanel).Default(false),
  PROPERTY(SimpleText, SimpleText, SetSimpleText),
  PROPERTY(SizeGrip, SizeGrip, SetSizeGrip).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnDrawPanel, OnDrawPanel, OnDrawPanel),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
  PROPERTY(OnResize, OnResize, OnResize),
END_PUBLISHED

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner), FPanels(new TStatusPanels(this)), FCanvas(new TCanvas) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  SetColor(clBtnFace);
  SetParentColor(false);
  SetBounds(0, 0, 300, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_BAR_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, STATUSCLASSNAMEW);
  // The control's alignment places the bar, not the bar itself.
  Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (FSizeGrip)
    Params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, SB_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  UpdatePanels();
  SendMessageW(FHandle, SB_SIMPLE, FSimplePanel ? TRUE : FALSE, 0);
  UpdateSimpleText();
}

// Some bars keep the simple text only while in simple mode: it is given
// again whenever the mode comes on.
void TStatusBar::UpdateSimpleText() {
  if (!HandleAllocated() || !FSimplePanel)
    return;
  std::wstring wide = WideOf(FSimpleText);
  SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(wide.c_str()));
}

// The last panel takes the rest of the bar.
void TStatusBar::UpdatePanels() {
  if (!HandleAllocated())
    return;
  std::vector<int> edges;
  int edge = 0;
  for (int i = 0; i < FPanels->Count(); ++i) {
    edge += FPanels->Items(i)->Width();
    edges.push_back(i == FPanels->Count() - 1 ? -1 : edge);
  }
  if (edges.empty())
    edges.push_back(-1);
  SendMessageW(FHandle, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < FPanels->Count(); ++i)
    UpdatePanel(i);
}

// The bar centres text after one tab and right-aligns it after two.
void TStatusBar::UpdatePanel(int Index) {
  if (!HandleAllocated() || Index < 0 || Index >= FPanels->Count())
    return;
  TStatusPanel* panel = FPanels->Items(Index);
  WPARAM flags = static_cast<WPARAM>(Index);
  if (panel->Bevel() == pbNone)
    flags |= SBT_NOBORDERS;
  else if (panel->Bevel() == pbRaised)
    flags |= SBT_POPOUT;
  if (panel->Style() == psOwnerDraw) {
    SendMessageW(FHandle, SB_SETTEXTW, flags | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(panel));
    return;
  }
  AnsiString text = panel->Text();
  if (panel->Alignment() == taCenter)
    text = "\t" + text;
  else if (panel->Alignment() == taRightJustify)
    text = "\t\t" + text;
  std::wstring wide = WideOf(text);
  SendMessageW(FHandle, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (FSimplePanel == Value)
    return;
  FSimplePanel = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, SB_SIMPLE, Value ? TRUE : FALSE, 0);
  UpdateSimpleText();
}

void TStatusBar::SetSimpleText(const AnsiString& Value) {
  if (FSimpleText == Value)
    return;
  FSimpleText = Value;
  UpdateSimpleText();
}

void TStatusBar::SetSizeGrip(bool Value) {
  if (FSizeGrip != Value) {
    FSizeGrip = Value;
    RecreateWnd();
  }
}

void TStatusBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_DRAWITEM)
    CNDrawItem(Message);
  else
    TWinControl::Dispatch(Message);
}

void TStatusBar::CNDrawItem(TMessage& Message) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  int index = static_cast<int>(item->itemID);
  if (index >= 0 && index < FPanels->Count()) {
    int saved = SaveDC(item->hDC);
    FCanvas->SetHandle(item->hDC);
    FCanvas->Font().Assign(Font());
    FCanvas->Brush().SetColor(Color());
    DrawPanel(FPanels->Items(index), item->rcItem);
    FCanvas->SetHandle(nullptr);
    RestoreDC(item->hDC, saved);
  }
  Message.Result = 1;
}

void TStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect) {
  if (OnDrawPanel)
    OnDrawPanel(this, Panel, Rect);
  else
    FCanvas->FillRect(Rect);
}
