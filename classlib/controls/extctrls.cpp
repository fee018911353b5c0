#include "classlib/controls/extctrls.h"

#include "classlib/graphics/canvas.h"

void Frame3D(TCanvas& Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
  Canvas.Pen().SetWidth(1);
  --Rect.bottom;
  --Rect.right;
  for (; Width > 0; --Width) {
    POINT topLeft{Rect.left, Rect.top}, topRight{Rect.right, Rect.top};
    POINT bottomLeft{Rect.left, Rect.bottom}, bottomRight{Rect.right, Rect.bottom};
    Canvas.Pen().SetColor(TopColor);
    Canvas.Polyline({bottomLeft, topLeft, topRight});
    Canvas.Pen().SetColor(BottomColor);
    --bottomLeft.x;
    Canvas.Polyline({topRight, bottomRight, bottomLeft});
    InflateRect(&Rect, -1, -1);
  }
  ++Rect.bottom;
  ++Rect.right;
}

IMPLEMENT_CLASS(TCustomPanel)

BEGIN_PUBLISHED(TPanel)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taCenter),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BevelInner, BevelInner, SetBevelInner).Default(bvNone),
  PROPERTY(BevelOuter, BevelOuter, SetBevelOuter).Default(bvRaised),
  PROPERTY(BevelWidth, BevelWidth, SetBevelWidth).Default(1),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(BorderWidth, BorderWidth, SetBorderWidth).Default(0),
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).Default(bsNone),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(FullRepaint, FullRepaint, SetFullRepaint).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentCtl3D, ParentCtl3D, SetParentCtl3D).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
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
  PROPERTY(OnMouseEnter, OnMouseEnter, OnMouseEnter),
  PROPERTY(OnMouseLeave, OnMouseLeave, OnMouseLeave),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
  PROPERTY(OnResize, OnResize, OnResize),
END_PUBLISHED

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csReplicatable};
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

int TCustomPanel::BevelSize() const {
  int size = 0;
  if (FBevelOuter != bvNone)
    size += FBevelWidth;
  if (FBevelInner != bvNone)
    size += FBevelWidth;
  return size;
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  int bevel = BevelSize();
  InflateRect(&Rect, -bevel, -bevel);
}

// Outer bevel, the BorderWidth band in the panel's colour, inner bevel,
// then the caption centred vertically.
void TCustomPanel::Paint() {
  auto colorsOf = [](TBevelCut bevel, TColor& top, TColor& bottom) {
    top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
  };
  TCanvas& canvas = *Canvas();
  TRect rect = ClientRect();
  TColor top, bottom;
  if (FBevelOuter != bvNone) {
    colorsOf(FBevelOuter, top, bottom);
    Frame3D(canvas, rect, top, bottom, FBevelWidth);
  }
  Frame3D(canvas, rect, Color(), Color(), BorderWidth());
  if (FBevelInner != bvNone) {
    colorsOf(FBevelInner, top, bottom);
    Frame3D(canvas, rect, top, bottom, FBevelWidth);
  }
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(rect);
  canvas.Brush().SetStyle(bsClear);
  canvas.SetFont(*Font());
  int fontHeight = canvas.TextHeight("W");
  rect.top = (rect.bottom + rect.top - fontHeight) / 2;
  rect.bottom = rect.top + fontHeight;
  static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  UINT flags = static_cast<UINT>(DrawTextBiDiModeFlags(DT_EXPANDTABS | DT_VCENTER | alignments[FAlignment]));
  canvas.TextRect(rect, Caption(), flags);
}

void TCustomPanel::CMTextChanged(TMessage&) { Invalidate(); }

void TCustomPanel::CMCtl3DChanged(TMessage& Message) {
  if (FBorderStyle == bsSingle)
    RecreateWnd();
  TCustomControl::CMCtl3DChanged(Message);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  if (FBevelInner == Value)
    return;
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  if (FBevelOuter == Value)
    return;
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value) {
  if (FBevelWidth == Value)
    return;
  FBevelWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  RecreateWnd();
}
