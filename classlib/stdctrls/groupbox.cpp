#include "classlib/stdctrls/groupbox.h"

#include "classlib/controls/stdctrls.h"

IMPLEMENT_CLASS(TCustomGroupBox)

BEGIN_PUBLISHED(TGroupBox)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Default(bdLeftToRight),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(false),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csReplicatable};
  SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

int TCustomGroupBox::CaptionHeight() {
  Canvas()->SetFont(*Font());
  return Canvas()->TextHeight("0");
}

// The children sit inside the frame, below the caption.
void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  Rect.top += HandleAllocated() ? CaptionHeight() : 16;
  InflateRect(&Rect, -2, -2);
}

void TCustomGroupBox::Paint() {
  TCanvas& canvas = *Canvas();
  canvas.SetFont(*Font());
  int height = canvas.TextHeight("0");
  TRect frame = ClientRect();
  frame.top += height / 2;
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(ClientRect());
  DrawEdge(canvas.Handle(), &frame, EDGE_ETCHED, BF_RECT);
  AnsiString text = Caption();
  if (text.empty())
    return;
  TRect textRect{8, 0, 0, height};
  SIZE extent = canvas.TextExtent(text);
  textRect.right = textRect.left + extent.cx + 2;
  canvas.FillRect(textRect);
  if (!Enabled())
    canvas.Font().SetColor(clGrayText);
  canvas.Brush().SetStyle(bsClear);
  canvas.TextOut(textRect.left + 1, 0, text);
}

void TCustomGroupBox::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
  Realign();
}

// The caption's accelerator focuses the first control of the group.
void TCustomGroupBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
    SelectNext(nullptr, true, true);
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(Message);
}
