#include "classlib/stdctrls/speedbutton.h"

#include "classlib/controls/stdctrls.h"
#include "classlib/controls/wincontrol.h"

BEGIN_PUBLISHED(TSpeedButton)
  PROPERTY(Action, ActionComponent, SetActionComponent),
  PROPERTY(AllowAllUp, AllowAllUp, SetAllowAllUp).Default(false),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Default(bdLeftToRight),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(GroupIndex, GroupIndex, SetGroupIndex).Default(0),
  PROPERTY(Down, Down, SetDown).Default(false),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Flat, Flat, SetFlat).Default(false),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Glyph, Glyph, SetGlyph),
  PROPERTY(Layout, Layout, SetLayout).Default(blGlyphLeft),
  PROPERTY(Margin, Margin, SetMargin).Default(-1),
  PROPERTY(NumGlyphs, NumGlyphs, SetNumGlyphs).Default(1),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Spacing, Spacing, SetSpacing).Default(4),
  PROPERTY(Transparent, Transparent, SetTransparent).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 23, 22);
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  SetParentFont(true);
  FGlyph.OnChange = [this](TObject*) { Invalidate(); };
}

void TSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_BUTTONPRESSED: CMButtonPressed(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    default: TGraphicControl::Dispatch(Message); break;
  }
}

void TSpeedButton::PaintFrame(TCanvas& Canvas, TRect& Client) {
  HDC dc = Canvas.Handle();
  bool pushed = FState == bsDown || FState == bsExclusive;
  if (FFlat) {
    if (pushed)
      DrawEdge(dc, &Client, BDR_SUNKENOUTER, BF_RECT);
    else if (FMouseInControl && Enabled())
      DrawEdge(dc, &Client, BDR_RAISEDINNER, BF_RECT);
    InflateRect(&Client, -1, -1);
    return;
  }
  UINT state = DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0);
  DrawFrameControl(dc, &Client, DFC_BUTTON, state | DFCS_ADJUSTRECT);
}

void TSpeedButton::Paint() {
  TCanvas& canvas = *Canvas();
  if (!Enabled())
    FState = bsDisabled;
  else if (FState == bsDisabled)
    FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
  TRect client = ClientRect();
  if (!FTransparent || !FFlat) {
    canvas.Brush().SetColor(clBtnFace);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(client);
  }
  PaintFrame(canvas, client);
  if (FState == bsExclusive && (!FFlat || !FMouseInControl)) {
    // A held button shows a lighter face.
    canvas.Brush().SetColor(clBtnHighlight);
    canvas.FillRect(client);
  }
  TPoint offset = (FState == bsDown || FState == bsExclusive) ? Point(1, 1) : Point(0, 0);
  canvas.SetFont(*Font());
  FGlyph.Draw(canvas, client, offset, Caption(), FLayout, FMargin, FSpacing, FState,
              DrawTextBiDiModeFlags(0));
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled())
    return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

// While the mouse is held the button looks pressed only over it.
void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging)
    return;
  TButtonState pressed = FDown ? bsExclusive : bsUp;
  TRect client = ClientRect();
  TButtonState next = PtInRect(&client, Point(X, Y)) ? (FDown ? bsExclusive : bsDown) : pressed;
  if (next != FState) {
    FState = next;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging)
    return;
  FDragging = false;
  TRect client = ClientRect();
  bool inside = PtInRect(&client, Point(X, Y));
  if (FGroupIndex == 0) {
    FState = bsUp;
    Invalidate();
    if (inside)
      Click();
    return;
  }
  if (inside)
    SetDown(!FDown);
  FState = FDown ? bsExclusive : bsUp;
  Invalidate();
  if (inside)
    Click();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseEnter() {
  TGraphicControl::MouseEnter();
  FMouseInControl = true;
  if (FFlat && Enabled())
    Invalidate();
}

void TSpeedButton::MouseLeave() {
  TGraphicControl::MouseLeave();
  FMouseInControl = false;
  if (FFlat && Enabled())
    Invalidate();
}

// Down means something only in a group; the last down button of a group
// stays down unless AllowAllUp.
void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0)
    Value = false;
  if (Value == FDown)
    return;
  if (FDown && !FAllowAllUp)
    return;
  FDown = Value;
  FState = Value ? bsExclusive : bsUp;
  Invalidate();
  if (Value)
    UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value)
    return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value)
    return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

// Tells the other buttons of the parent about this one's group state.
void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || Parent() == nullptr)
    return;
  TMessage message{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    TControl* sibling = Parent()->Controls(i);
    if (sibling != this)
      sibling->Perform(message.Msg, message.WParam, message.LParam);
  }
}

void TSpeedButton::CMButtonPressed(TMessage& Message) {
  if (static_cast<int>(Message.WParam) != FGroupIndex)
    return;
  auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
  if (sender == this)
    return;
  if (sender->Down() && FDown) {
    FDown = false;
    FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = sender->AllowAllUp();
}

void TSpeedButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && Enabled() && Visible() && Parent() != nullptr && Parent()->Showing()) {
    Click();
    Message.Result = 1;
  }
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
  TGraphicControl::CMEnabledChanged(Message);
  Invalidate();
}

void TSpeedButton::SetFlat(bool Value) {
  if (FFlat == Value)
    return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  if (FLayout == Value)
    return;
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  if (FMargin == Value || Value < -1)
    return;
  FMargin = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  if (FSpacing == Value)
    return;
  FSpacing = Value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
  if (FTransparent == Value)
    return;
  FTransparent = Value;
  if (Value)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
}
