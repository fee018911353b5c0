#include "classlib/stdctrls/scrollbox.h"

#include <algorithm>

// ---- One scroll bar of a scrolling control --------------------------------------------
BEGIN_PUBLISHED(TControlScrollBar)
  PROPERTY(Increment, Increment, SetIncrement).Default(8),
  PROPERTY(Margin, Margin, SetMargin).Default(0),
  PROPERTY(Position, Position, SetPosition).Default(0),
  PROPERTY(Range, Range, SetRange).Default(0),
  PROPERTY(Tracking, Tracking, SetTracking).Default(false),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
END_PUBLISHED

TControlScrollBar::TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind)
    : FControl(Control), FKind(Kind) {}

void TControlScrollBar::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TControlScrollBar*>(Source)) {
    FIncrement = other->FIncrement;
    FTracking = other->FTracking;
    FMargin = other->FMargin;
    FVisible = other->FVisible;
    SetRange(other->FRange);
    SetPosition(other->FPosition);
    return;
  }
  TPersistent::Assign(Source);
}

int TControlScrollBar::ControlSize() {
  if (!FControl->HandleAllocated())
    return FKind == sbHorizontal ? FControl->Width() : FControl->Height();
  RECT client;
  GetClientRect(FControl->Handle(), &client);
  return FKind == sbHorizontal ? client.right : client.bottom;
}

int TControlScrollBar::MaxPosition() { return std::max(0, FRange - ControlSize()); }

bool TControlScrollBar::IsScrollBarVisible() {
  if (!FControl->HandleAllocated())
    return false;
  LONG_PTR style = GetWindowLongPtrW(FControl->Handle(), GWL_STYLE);
  return (style & (FKind == sbHorizontal ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

// Moving the position moves the children the other way.
void TControlScrollBar::SetPosition(int Value) {
  Value = std::clamp(Value, 0, std::max(0, FControl->HandleAllocated() ? MaxPosition() : FRange));
  if (Value == FPosition)
    return;
  int delta = FPosition - Value;
  FPosition = Value;
  if (FKind == sbHorizontal)
    FControl->ScrollBy(delta, 0);
  else
    FControl->ScrollBy(0, delta);
  Update();
}

void TControlScrollBar::SetRange(int Value) {
  Value = std::max(0, Value);
  if (FRange == Value)
    return;
  FRange = Value;
  FControl->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool Value) {
  if (FVisible == Value)
    return;
  FVisible = Value;
  FControl->UpdateScrollBars();
}

void TControlScrollBar::Update() {
  if (!FControl->HandleAllocated() || FUpdating)
    return;
  FUpdating = true;
  const int bar = FKind == sbHorizontal ? SB_HORZ : SB_VERT;
  bool show = FVisible && FRange > ControlSize();
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  info.nMin = 0;
  info.nMax = show ? FRange - 1 : 0;
  info.nPage = show ? static_cast<UINT>(ControlSize()) : 0;
  info.nPos = show ? FPosition : 0;
  SetScrollInfo(FControl->Handle(), bar, &info, TRUE);
  ShowScrollBar(FControl->Handle(), bar, show ? TRUE : FALSE);
  FUpdating = false;
  if (!show && FPosition != 0)
    SetPosition(0);
}

void TControlScrollBar::ScrollMessage(TMessage& Message) {
  int pos = FPosition;
  const int page = std::max(1, ControlSize() * 9 / 10);
  switch (LOWORD(Message.WParam)) {
    case SB_LINEUP: pos -= FIncrement; break;
    case SB_LINEDOWN: pos += FIncrement; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = MaxPosition(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      if (LOWORD(Message.WParam) == SB_THUMBTRACK && !FTracking)
        return;
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(FControl->Handle(), FKind == sbHorizontal ? SB_HORZ : SB_VERT, &info);
      pos = info.nTrackPos;
      break;
    }
    default: return;
  }
  SetPosition(pos);
}

// ---- Scrolling controls ---------------------------------------------------------------
IMPLEMENT_CLASS(TScrollingWinControl)

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorzScrollBar(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollBars();
}

int TScrollingWinControl::ChildExtent(TScrollBarKind Kind) {
  int extent = 0;
  TControlScrollBar* bar = Kind == sbHorizontal ? FHorzScrollBar.get() : FVertScrollBar.get();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (!child->Visible() || child->Align() != alNone)
      continue;
    int edge = Kind == sbHorizontal ? child->Left() + child->Width() : child->Top() + child->Height();
    extent = std::max(extent, edge + bar->Position() + bar->Margin());
  }
  return extent;
}

void TScrollingWinControl::UpdateScrollBars() {
  if (FUpdatingBars)
    return;
  FUpdatingBars = true;
  if (FAutoScroll) {
    FHorzScrollBar->FRange = ChildExtent(sbHorizontal);
    FVertScrollBar->FRange = ChildExtent(sbVertical);
  }
  // Twice: showing one bar narrows the client area the other compares with.
  for (int pass = 0; pass < 2; ++pass) {
    FHorzScrollBar->Update();
    FVertScrollBar->Update();
  }
  FUpdatingBars = false;
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  UpdateScrollBars();
}

void TScrollingWinControl::Resize() {
  TWinControl::Resize();
  UpdateScrollBars();
}

void TScrollingWinControl::SetAutoScroll(bool Value) {
  if (FAutoScroll == Value)
    return;
  FAutoScroll = Value;
  UpdateScrollBars();
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY) {
  if (DeltaX == 0 && DeltaY == 0)
    return;
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    child->SetBounds(child->Left() + DeltaX, child->Top() + DeltaY, child->Width(), child->Height());
  }
  EnableAlign();
  if (HandleAllocated())
    InvalidateRect(FHandle, nullptr, TRUE);
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (AControl == nullptr || !ContainsControl(AControl))
    return;
  TRect client = ClientRect();
  if (AControl->Left() < 0)
    FHorzScrollBar->SetPosition(FHorzScrollBar->Position() + AControl->Left());
  else if (AControl->Left() + AControl->Width() > client.right)
    FHorzScrollBar->SetPosition(FHorzScrollBar->Position() + AControl->Left() + AControl->Width() - client.right);
  if (AControl->Top() < 0)
    FVertScrollBar->SetPosition(FVertScrollBar->Position() + AControl->Top());
  else if (AControl->Top() + AControl->Height() > client.bottom)
    FVertScrollBar->SetPosition(FVertScrollBar->Position() + AControl->Top() + AControl->Height() -
                                client.bottom);
}

// The window's own bars send WM_HSCROLL/WM_VSCROLL with no control window.
void TScrollingWinControl::Dispatch(TMessage& Message) {
  if ((Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL) && Message.LParam == 0) {
    (Message.Msg == WM_HSCROLL ? FHorzScrollBar : FVertScrollBar)->ScrollMessage(Message);
    Message.Result = 0;
    return;
  }
  TWinControl::Dispatch(Message);
}

// ---- The scroll box -------------------------------------------------------------------
BEGIN_PUBLISHED(TScrollBox)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(AutoScroll, AutoScroll, SetAutoScroll).Default(true),
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).Default(bsSingle),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(HorzScrollBar, HorzScrollBar, SetHorzScrollBar),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(false),
  PROPERTY(VertScrollBar, VertScrollBar, SetVertScrollBar),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
  PROPERTY(OnResize, OnResize, OnResize),
END_PUBLISHED

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csAcceptsControls};
  SetBounds(0, 0, 185, 41);
  SetParentColor(false);
  SetColor(clBtnFace);
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TScrollingWinControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  if (FBorderStyle == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  RecreateWnd();
}
